#include "StaffCounts.h"

#include "VbText.h"

#include <algorithm>
#include <cmath>

int StaffCounts::total() const
{
    return postdoctoral + doctoral + master + senior + intermediate + junior;
}

QList<QPair<QString, QString>> StaffCounts::boxTexts() const
{
    return {
        {QStringLiteral("txtbsh"), CountText(postdoctoral)},
        {QStringLiteral("txtbss"), CountText(doctoral)},
        {QStringLiteral("txtsss"), CountText(master)},
        {QStringLiteral("txtgj"), CountText(senior)},
        {QStringLiteral("txtzj"), CountText(intermediate)},
        {QStringLiteral("txtcj"), CountText(junior)},
        {QStringLiteral("txtzrs"), CountText(total())},
    };
}

QString CountText(int count)
{
    // The blank stands where a negative number has its sign.
    return count == 0 ? QString() : u' ' + QString::number(count);
}

namespace {

void countPerson(StaffCounts& c, const QString& titleCode)
{
    const QString code = Trim(titleCode);
    // Compared as text: a longer code that sorts between 273 and 275 counts nowhere.
    if (code >= QLatin1String("273") && code <= QLatin1String("275")) {
        if (code == QLatin1String("273"))
            ++c.postdoctoral;
        else if (code == QLatin1String("274"))
            ++c.doctoral;
        else if (code == QLatin1String("275"))
            ++c.master;
        return;
    }
    if (code.isEmpty())
        return;
    switch (code.back().unicode()) {
    case u'1':
    case u'2': ++c.senior; break;
    case u'3': ++c.intermediate; break;
    case u'4':
    case u'5': ++c.junior; break;
    default: break;
    }
}

}  // namespace

StaffCounts CountStaff(const QString& leaderTitleCode, const MemberRows& rows)
{
    StaffCounts c;
    countPerson(c, leaderTitleCode);
    for (const MemberRow& r : rows)
        countPerson(c, r.titleCode);
    return c;
}

int CountUnits(const QString& leaderUnit, const MemberRows& rows)
{
    // The leader's unit counts even when blank; a blank member unit never does.
    const QString leader = Trim(leaderUnit);
    QStringList others;
    for (const MemberRow& r : rows) {
        const QString u = Trim(r.unit);
        if (!u.isEmpty() && u != leader && !others.contains(u))
            others << u;
    }
    return 1 + int(others.size());
}

namespace {

// Fifteen significant digits (what a double holds reliably), no exponent, no
// trailing zeros.
QString totalText(double v)
{
    const int intDigits = int(std::floor(std::log10(v))) + 1;
    const int decimals = std::clamp(15 - intDigits, 0, 300);
    QString s = QString::number(v, 'f', decimals);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    return s;
}

}  // namespace

QString SumInvestment(const QStringList& amounts)
{
    double total = 0;
    for (const QString& a : amounts)
        total += Val(a);
    return total > 0 ? totalText(total) : QString();
}
