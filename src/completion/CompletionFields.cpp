#include "CompletionFields.h"

#include "VbText.h"

#include <cmath>

namespace {

using records::Box;
using records::Column;
using records::Kind;
using records::Lock;
using records::Store;

const QString kYearMonthHint =
    QStringLiteral("请输入格式为：XXXX.XX,前四位是年，后两位是月，月不够两位前面补零。");

// The boxes of the first page in the order the Tab key visits them; the boxes of
// the other pages follow in column order.
const QStringList kFirstPageOrder = {
    "Txtxmlb", "Chkbz", "txtxmbh", "txtszdw", "txtxmmc", "txtxmfzr", "txtzc", "txtxw", "Txtfzrcjsj",
    "Txtcjrs_0", "Txtcjrs_1", "Txtcjrs_2", "Txtcjrs_3", "Txtcjrs_4", "Txtcjrs_5", "Txtcjrs_6", "Txtcjrs_7",
    "Txtfh", "Txtff", "txtpa", "txtfa", "Txtcjdw_0", "Txtcjdw_1", "Txtcjdw_2", "Txtcjdw_3",
};

QString hintOf(const QString& box)
{
    if (box == QLatin1String("Txtxmlb"))
        return QStringLiteral("请双击鼠标然后选择项目类别。");
    if (box == QLatin1String("txtszdw"))
        return QStringLiteral("请双击鼠标然后选择单位名称。");
    if (box == QLatin1String("txtzc"))
        return QStringLiteral("请直接输入职称代码(三位数字)，或者双击鼠标然后选择职称名称。");
    if (box == QLatin1String("txtxw"))
        return QStringLiteral("请双击鼠标，然后选择博士、硕士或学士学位。");
    if (box == QLatin1String("txtpa") || box == QLatin1String("txtfa"))
        return kYearMonthHint;
    return QString();
}

KeyRule keysOf(const Column& c)
{
    const QString box = c.objectName();
    if (box == QLatin1String("Txtxmlb") || box == QLatin1String("txtszdw") || box == QLatin1String("txtxw"))
        return KeyRule::ChooseOnly;
    if (box == QLatin1String("txtzc") || box == QLatin1String("Txtfzrcjsj"))
        return KeyRule::DigitsOnly;
    if (c.kind == Kind::DateText)
        return KeyRule::DigitsAndPoint;
    if (c.kind == Kind::Number)   // counts have a limit; amounts have none
        return c.limit > 0 ? KeyRule::DigitsOnly : KeyRule::DigitsAndPoint;
    if (box == QLatin1String("Txtkey_2"))
        return KeyRule::StayOnEnter;
    return KeyRule::EnterToTab;
}

// Codes and numbers are typed with the input method off; names and texts with it on.
FieldIme imeOf(const Column& c, KeyRule keys)
{
    if (keys == KeyRule::ChooseOnly || c.boxKind == Box::Hidden || c.boxKind == Box::CheckBox)
        return FieldIme::Untouched;
    if (keys == KeyRule::DigitsOnly || keys == KeyRule::DigitsAndPoint || c.name == QLatin1String("xmbh"))
        return FieldIme::Off;
    return FieldIme::OnWhileFocused;
}

// The last box of a page turns the tab control to the next page on Enter.
int nextPageOf(const QString& box)
{
    if (box == QLatin1String("Txtcjdw_3"))
        return 1;
    if (box == QLatin1String("Txtproduct_14"))
        return 2;
    if (box == QLatin1String("Txtpxy"))
        return 3;
    return -1;
}

struct Built {
    FieldTable table;
    QList<CompletionBox> boxes;
};

const Built& built()
{
    static const Built b = [] {
        Built out;
        const records::RecordLayout& layout = records::completionReports();
        int nextTab = int(kFirstPageOrder.size());
        for (const Column& c : layout.columns) {
            if (c.box.isEmpty())
                continue;
            const QString box = c.objectName();
            const KeyRule keys = keysOf(c);
            Field f;
            f.box = box;
            f.field = c.name;
            f.limit = c.limit;
            f.ime = imeOf(c, keys);
            f.hint = hintOf(box);
            f.converter = convert::ForColumn(c);
            const qsizetype first = kFirstPageOrder.indexOf(box);
            if (c.boxKind != Box::Hidden && c.boxKind != Box::Total)
                f.tabIndex = first >= 0 ? int(first) : nextTab++;
            f.kind = c.boxKind == Box::CheckBox ? BoxKind::Check
                     : c.boxKind == Box::MultiLine ? BoxKind::Memo
                                                   : BoxKind::Text;
            if (c.lock == Lock::Both)
                f.flags |= FieldFlag::Key;
            if (c.boxKind == Box::Total)
                f.flags |= FieldFlag::Computed;
            out.table.push_back(f);
            out.boxes << CompletionBox{&c, keys, nextPageOf(box)};
        }
        return out;
    }();
    return b;
}

}  // namespace

const FieldTable& CompletionFieldTable() { return built().table; }
const QList<CompletionBox>& CompletionBoxes() { return built().boxes; }

QString ParticipantsTotal(const QStringList& kinds)
{
    // A 16-bit sum: seven boxes of two digits stay far below its range.
    double sum = 0;
    for (const QString& k : kinds)
        if (!Trim(k).isEmpty())
            sum = std::nearbyint(sum + Val(k));
    return sum >= 1 ? QString::number(qint64(sum)) : QString();
}
