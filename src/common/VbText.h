#pragma once
// Text helpers with the meaning the windows' rules give them.

#include <QString>

// Leading and trailing blanks off, nothing else (tabs and other white space stay).
inline QString Trim(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

// Leading blanks off, nothing else.
inline QString LTrim(const QString& s)
{
    qsizetype b = 0;
    while (b < s.size() && s.at(b) == QLatin1Char(' '))
        ++b;
    return s.mid(b);
}

// The number a text begins with, as the system's Val read it: blanks anywhere are
// ignored, then an optional sign, digits and at most one decimal point "." (whatever
// the regional settings); the first other character ends the number. A text that
// does not begin with a number gives 0.
double Val(const QString& s);
// A number in plain decimal form, without grouping or exponent: 35, 12.5.
QString PlainNumber(double d);
