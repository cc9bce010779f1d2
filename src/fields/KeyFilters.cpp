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
