#include "KeyFilters.h"

#include "Controls.h"
#include "Platform.h"
#include "VbText.h"

namespace {
constexpr int kPoint = '.';
}  // namespace

bool BlankZero(QString& text)
{
    if (text != QLatin1String("0"))
        return false;
    text.clear();
    return true;
}

bool EnterToTab(int& keyAscii)
{
    if (keyAscii != vbkey::Return)
        return false;
    keyAscii = 0;
    return true;
}

bool DigitsOnly(int& keyAscii)
{
    if (EnterToTab(keyAscii))
        return true;
    DigitKeysOnly(keyAscii);
    return false;
}

bool DigitsAndPoint(int& keyAscii, const QString& text, int selStart, int selLength)
{
    if (EnterToTab(keyAscii))
        return true;
    if (keyAscii != kPoint) {
        DigitKeysOnly(keyAscii);
        return false;
    }
    // The selection is what the point replaces (no selection: a start below 0 or an
    // empty length, as the line edit reports it).
    QString kept = text;
    if (selStart >= 0 && selLength > 0)
        kept.remove(selStart, selLength);
    if (kept.contains(QLatin1Char('.'))) {
        keyAscii = 0;
        platform::Beep();
    }
    return false;
}

bool YearMonthKeys(int& keyAscii, const QString& text)
{
    if (keyAscii == vbkey::Return)
        return true;
    if (keyAscii == kPoint) {
        if (Trim(text).size() != 4)
            keyAscii = 0;
        return false;
    }
    DigitKeysOnly(keyAscii);
    return false;
}

bool NoBlanks(int& keyAscii)
{
    const bool tab = EnterToTab(keyAscii);
    if (keyAscii == vbkey::Space)
        keyAscii = 0;
    return tab;
}

bool ChooseOnly(int& keyAscii)
{
    const bool tab = EnterToTab(keyAscii);
    keyAscii = 0;
    return tab;
}

bool FilterKey(KeyRule rule, int& keyAscii, const QString& text, int selStart, int selLength)
{
    switch (rule) {
    case KeyRule::None: return false;
    case KeyRule::EnterToTab: return EnterToTab(keyAscii);
    case KeyRule::DigitsOnly: return DigitsOnly(keyAscii);
    case KeyRule::DigitsAndPoint: return DigitsAndPoint(keyAscii, text, selStart, selLength);
    case KeyRule::YearMonth: return YearMonthKeys(keyAscii, text);
    case KeyRule::NoBlanks: return NoBlanks(keyAscii);
    case KeyRule::ChooseOnly: return ChooseOnly(keyAscii);
    case KeyRule::StayOnEnter: (void)EnterToTab(keyAscii); return false;
    }
    return false;
}

bool FilterKey(KeyRule rule, int& keyAscii, const QWidget* box)
{
    if (auto* t = qobject_cast<const VbTextBox*>(box)) {
        const bool selected = t->hasSelectedText();
        return FilterKey(rule, keyAscii, t->Text(), selected ? t->selectionStart() : t->cursorPosition(),
                         selected ? int(t->selectedText().size()) : 0);
    }
    if (auto* m = qobject_cast<const VbMemo*>(box))
        return FilterKey(rule, keyAscii, m->Text(), -1, 0);
    return FilterKey(rule, keyAscii, QString(), -1, 0);
}
