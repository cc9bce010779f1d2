#include "DateFields.h"

#include "Platform.h"
#include "VbText.h"

// The parts of a date are compared as texts of fixed width, which for these widths
// is their numeric order. Positions below count from 0 (the fifth character is 4).

namespace {

const QString kSqrq = QStringLiteral("txtsqrq");
const QString kQssj = QStringLiteral("txtqssj");
const QString kZzsj = QStringLiteral("txtzzsj");
const QString kCsny = QStringLiteral("txtcsny");

QString at(const QString& t, int i)
{
    return i < t.size() ? t.mid(i, 1) : QString();
}

FieldOutcome failure(const QString& message, const QString& focus)
{
    FieldOutcome o;
    o.panel = message;
    o.focus = focus;
    return o;
}

// On leaving, the first panel is always written: cleared, or the message.
FieldOutcome cleared()
{
    FieldOutcome o;
    o.panel = QString();
    return o;
}

}  // namespace

FieldOutcome ParseApplicationDate(const QString& text, DateStep step, bool researchTypeShown)
{
    const QString wrong = QStringLiteral("申请日期输入错误！！！请核查。");
    const QString t = Trim(text);
    const auto inRange = [](const QString& month, const QString& day) {
        return month < QLatin1String("13") && day < QLatin1String("32");
    };
    // Typed: yyyymmdd. Converted: yyyy.mm.dd, and only with the points at their
    // places (ten typed digits are not a date).
    const bool typedOk = t.size() == 8 && inRange(t.mid(4, 2), t.mid(6, 2));
    const bool convertedOk = t.size() == 10 && at(t, 4) == QLatin1String(".")
        && at(t, 7) == QLatin1String(".") && inRange(t.mid(5, 2), t.mid(8, 2));
    const QString converted = t.left(4) + u'.' + t.mid(4, 2) + u'.' + t.mid(6, 2);

    if (step == DateStep::Enter) {
        FieldOutcome next;
        next.tab = 1;
        next.focus = researchTypeShown ? QStringLiteral("txtyjlb") : QStringLiteral("txtsqje");
        switch (t.size()) {
        case 0:
            return next;
        case 8:
            if (!typedOk)
                return failure(wrong, kSqrq);
            next.text = converted;
            return next;
        case 10:
            return convertedOk ? next : failure(wrong, kSqrq);
        default:
            return {};
        }
    }

    switch (t.size()) {
    case 0:
        return cleared();
    case 8: {
        if (!typedOk)
            return failure(wrong, kSqrq);
        FieldOutcome o = cleared();
        o.text = converted;
        return o;
    }
    case 10:
        return convertedOk ? cleared() : failure(wrong, kSqrq);
    default:
        return failure(QStringLiteral("输入的申请日期错误！！！请核查。"), kSqrq);
    }
}

FieldOutcome ParseStartMonth(const QString& text, DateStep step)
{
    const QString wrong = QStringLiteral("起始时间输入错误！！！请核查。");
    const QString t = Trim(text);
    const auto startMonth = [](const QString& m) {
        return m == QLatin1String("1") || m == QLatin1String("6");
    };
    const bool typedOk = t.size() == 5 && startMonth(at(t, 4));
    const bool convertedOk = t.size() == 7 && at(t, 4) == QStringLiteral("年")
        && startMonth(at(t, 5)) && at(t, 6) == QStringLiteral("月");

    FieldOutcome o = step == DateStep::Enter ? FieldOutcome() : cleared();
    switch (t.size()) {
    case 0:
        if (step == DateStep::Enter)
            o.focus = kZzsj;
        return o;
    case 5:
        if (!typedOk)
            return failure(wrong, kQssj);
        o.text = t.left(4) + QStringLiteral("年") + at(t, 4) + QStringLiteral("月");
        o.focus = kZzsj;   // also when the user left for another box
        return o;
    case 7:
        if (!convertedOk)
            return failure(wrong, kQssj);
        if (step == DateStep::Enter)
            o.focus = kZzsj;
        return o;
    default:
        // On Enter a text of another length keeps the focus where it is.
        return failure(wrong, step == DateStep::Enter ? QString() : kQssj);
    }
}

FieldOutcome ParseEndMonth(const QString& text, DateStep step)
{
    const QString wrong = QStringLiteral("终止时间输入错误！！！请核查。");
    const QString next = QStringLiteral("txtsys");
    const QString t = Trim(text);
    const bool enter = step == DateStep::Enter;

    FieldOutcome o = enter ? FieldOutcome() : cleared();
    switch (t.size()) {
    case 0:
        o.focus = next;
        return o;
    case 5:
    case 6: {
        // Typed: the year and 6, or the year and 12.
        const QString month = t.mid(4);
        if (month != (t.size() == 5 ? QLatin1String("6") : QLatin1String("12")))
            return failure(wrong, kZzsj);
        o.text = t.left(4) + QStringLiteral("年") + month + QStringLiteral("月");
        if (enter)
            o.focus = next;
        return o;
    }
    case 7:
    case 8: {
        // Converted: yyyy年6月 or yyyy年12月. Leaving a December date keeps the focus
        // where the user put it.
        const bool june = t.size() == 7;
        if (t.mid(4) != (june ? QStringLiteral("年6月") : QStringLiteral("年12月")))
            return failure(wrong, kZzsj);
        if (enter || june)
            o.focus = next;
        return o;
    }
    default:
        // Other lengths are neither converted nor refused.
        return o;
    }
}

FieldOutcome ParseBirthMonth(const QString& text, DateStep step)
{
    const QString wrongYear = QStringLiteral("出生年月中年份输入错误！！！请核查。");
    const QString wrongMonth = QStringLiteral("出生年月中月份输入错误！！！请核查。");
    const QString wrong = QStringLiteral("出生年月输入错误！！！请核查。");
    const QString t = Trim(text);
    const bool enter = step == DateStep::Enter;

    const QString thisYear = QString::number(platform::Today().year());
    const QString year = t.left(4);
    const bool yearOk = year >= QLatin1String("1900") && year <= thisYear;
    const auto monthOk = [](const QString& m) {
        return m <= QLatin1String("12") && m != QLatin1String("00");
    };
    // yyyy.m becomes yyyy.0m; its month is tested like a typed one, so that yyyy.0
    // does not slip through as month 00.
    const QString filled = t.left(5) + u'0' + at(t, 5);
    // The year falls on Enter keep the focus in the box; on leaving it is set back.
    const QString yearFocus = enter ? QString() : kCsny;

    if (!enter && !t.isEmpty() && at(t, 4) != QLatin1String("."))
        return failure(wrong, kCsny);

    FieldOutcome o = enter ? FieldOutcome() : cleared();
    switch (t.size()) {
    case 0:
        o.sendTab = enter;
        return o;
    case 6:
        if (!yearOk)
            return failure(wrongYear, yearFocus);
        if (!monthOk(filled.mid(5, 2)))
            return failure(wrongMonth, kCsny);
        o.text = filled;
        o.sendTab = enter;
        return o;
    case 7:
        if (!monthOk(t.mid(5, 2)))
            return failure(wrongMonth, kCsny);
        if (!yearOk)
            return failure(wrongYear, yearFocus);
        o.sendTab = enter;
        return o;
    default:
        return enter ? FieldOutcome() : failure(wrong, kCsny);
    }
}
