#pragma once
// The checks and conversions of the application window's date and month boxes, run
// when the user presses Enter in a box and again when the box loses the focus. Each
// works on the box's text alone and says what the window does next; all messages go
// into the first panel of the status bar, never into a message box.

#include <QString>
#include <optional>

enum class DateStep { Enter, Leave };

// What a check asks of the window, applied in this order: the box's new text, the
// first panel of SBar, the tab of SSTabjblr, the focus, the queued Tab keystroke.
struct FieldOutcome {
    std::optional<QString> text;   // new text of the box (absent: unchanged)
    std::optional<QString> panel;  // text for the first panel (absent: untouched; "" clears)
    int tab = -1;                  // tab index to select (-1: none)
    QString focus;                 // object name of the box that gets the focus (empty: none)
    bool sendTab = false;          // queue one Tab keystroke

    bool operator==(const FieldOutcome&) const = default;
};

// Application date `txtsqrq`: eight digits yyyymmdd become yyyy.mm.dd; the converted
// form (points at places 5 and 8) passes when month and day are in range. On Enter a
// good or empty date moves on to the tab 研究项目: to `txtyjlb` when
// `researchTypeShown`, else to `txtsqje`.
FieldOutcome ParseApplicationDate(const QString& text, DateStep step, bool researchTypeShown);

// Start month `txtqssj`: the year and the month digit 1 or 6 become yyyy年m月.
FieldOutcome ParseStartMonth(const QString& text, DateStep step);

// End month `txtzzsj`: the year and 6 or 12 become yyyy年6月 or yyyy年12月.
FieldOutcome ParseEndMonth(const QString& text, DateStep step);

// The leader's birth month `txtcsny`: yyyy.mm, or yyyy.m zero-filled to yyyy.0m; the
// year from 1900 to the current calendar year (platform::Today()).
FieldOutcome ParseBirthMonth(const QString& text, DateStep step);
