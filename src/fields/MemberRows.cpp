#include "MemberRows.h"

#include "VbText.h"

bool MemberRow::hasName() const
{
    return !Trim(name).isEmpty();
}

std::optional<int> memberRowNumber(const QString& row)
{
    if (row.size() != 1 || row.at(0) < u'1' || row.at(0) > u'8')
        return std::nullopt;
    return row.at(0).unicode() - u'0';
}

std::optional<QString> checkAge(const QString& age)
{
    if (age.isEmpty()
        || (age.size() >= 2 && age >= QLatin1String("20") && age <= QLatin1String("80")))
        return std::nullopt;
    return QStringLiteral("年龄输入错误，请重新输入！");
}

namespace {

// An age as it comes back after passing through its whole-number value.
QString wholeNumberAge(const QString& age)
{
    if (age.isEmpty())
        return age;
    bool ok = false;
    const int n = Trim(age).toInt(&ok);
    if (!ok)
        return age;
    return n == 0 ? QString() : QString::number(n);
}

}  // namespace

bool InsertMemberRow(MemberRows& rows, int row)
{
    if (row < 1 || row > kMemberRowCount || rows.back().hasName())
        return false;
    for (int i = kMemberRowCount; i > row; --i) {
        MemberRow& to = rows[i - 1];
        to = rows[i - 2];
        to.age = wholeNumberAge(to.age);
    }
    rows[row - 1] = MemberRow();
    return true;
}

void RemoveMemberRow(MemberRows& rows, int row)
{
    if (row < 1 || row > kMemberRowCount)
        return;
    for (int j = row; j < kMemberRowCount; ++j) {
        MemberRow& to = rows[j - 1];
        to = rows[j];
        to.age = Trim(to.age);
    }
    rows.back() = MemberRow();
}

int CloseUpMemberRows(MemberRows& rows)
{
    int members = 0;
    for (const MemberRow& r : rows) {
        if (r.hasName())
            rows[members++] = r;
    }
    for (int i = members; i < kMemberRowCount; ++i)
        rows[i] = MemberRow();
    return members;
}

std::optional<int> MemberListTop(const QString& row)
{
    // Rows 1 to 4 open the list just below the row, rows 5 to 8 above it.
    static constexpr std::array<int, kMemberRowCount> tops = {600, 960, 1320, 1680,
                                                              840, 1200, 1560, 1920};
    const std::optional<int> k = memberRowNumber(row);
    if (!k)
        return std::nullopt;
    return tops[*k - 1];
}

ListItemParts SplitListItem(const QString& item)
{
    const QString separator = QStringLiteral("、");
    const qsizetype at = item.indexOf(separator);
    if (at < 0)
        return {item, QString()};
    return {item.left(at), item.mid(at + separator.size())};
}

QString ListItem(const QString& code, const QString& name)
{
    return code + QStringLiteral("、") + name;
}
