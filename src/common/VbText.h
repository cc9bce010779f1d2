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
