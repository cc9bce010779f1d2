#include "VbText.h"

#include <cmath>

double Val(const QString& s)
{
    QString t = s;
    t.remove(QLatin1Char(' '));
    qsizetype i = 0;
    QString number;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
        number += t.at(i++);
    bool point = false;
    bool digits = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
        number += c;
    }
    return digits ? number.toDouble() : 0.0;
}

QString PlainNumber(double d)
{
    if (std::isfinite(d) && d == std::floor(d) && std::abs(d) < 1e15)
        return QString::number(static_cast<qint64>(d));
    QString s = QString::number(d, 'f', 10);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}
