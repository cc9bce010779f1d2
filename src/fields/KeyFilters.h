#pragma once
// Key rules of the application window's boxes, one KeyPress character code at a
// time, before the box inserts the key. A rule discards a key by setting the code to
// 0; where a refused key beeps, the rule sounds the beep itself (platform::Beep).
// The result says whether the window must queue one Tab keystroke, which is how
// Enter moves the user on to the next box of the tab order.

#include "RecordLayouts.h"

#include <QString>

class QWidget;

// Change handler of the count boxes: a text that is exactly "0" becomes empty (two
// zeros, or a zero with a blank, stay). True when the text was emptied.
bool BlankZero(QString& text);

// Enter is discarded and a Tab is due; any other key is left alone.
[[nodiscard]] bool EnterToTab(int& keyAscii);

// Enter: discarded, Tab due. Digits and Backspace pass; any other character,
// control characters such as the clipboard keys included, is refused with a beep.
[[nodiscard]] bool DigitsOnly(int& keyAscii);

// Amounts: as DigitsOnly, and one point. `text` is the box's text before the key,
// `selStart`/`selLength` its selection (which the key replaces): a point passes only
// when no point stands outside the selection; a second point beeps like any other
// refused key. The box whose Enter keeps the focus simply queues no Tab.
[[nodiscard]] bool DigitsAndPoint(int& keyAscii, const QString& text, int selStart, int selLength);

// Dates typed as yyyy.mm. Enter passes (it is not discarded) and a Tab is due.
// Digits and Backspace pass; a point passes only while `text` (the box's text before
// the key), trimmed of blanks, has exactly four characters, and is dropped silently
// otherwise; any other key is refused with a beep. The box whose Enter runs a date
// check tests for Enter before calling this.
[[nodiscard]] bool YearMonthKeys(int& keyAscii, const QString& text);

// Names and texts without blanks: Enter as EnterToTab; a blank is dropped silently.
[[nodiscard]] bool NoBlanks(int& keyAscii);

// Boxes filled from a pick list only: Enter as EnterToTab; every other character,
// Backspace included, is dropped silently.
[[nodiscard]] bool ChooseOnly(int& keyAscii);

// A box's key rule (RecordLayouts.h) applied to one key, by the rules above; true when
// a Tab is due. StayOnEnter drops Enter and no Tab is due; None leaves every key
// alone. `text` and the selection are the box's before the key (DigitsAndPoint,
// YearMonth).
[[nodiscard]] bool FilterKey(KeyRule rule, int& keyAscii, const QString& text, int selStart, int selLength);
// The same for a text box or a multi-line box, with its text and selection.
[[nodiscard]] bool FilterKey(KeyRule rule, int& keyAscii, const QWidget* box);
