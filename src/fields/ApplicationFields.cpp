#include "ApplicationFields.h"

#include "RecordLayouts.h"
#include "Recordset.h"
#include "VbText.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace {

using records::Box;
using records::Column;
using records::Store;

const QString kCodeHint = QStringLiteral("请直接输入职称代码(三位数字)，或者双击鼠标然后选择职称名称。");
const QString kDegreeHint = QStringLiteral("请双击鼠标，然后选择博士、硕士或学士学位。");

// What the layout does not say of a box: its hint and input method (the title and
// degree hints are the member boxes' too, below).
struct BoxExtras {
    const char* hint;
    FieldIme ime;
};

const QHash<QString, BoxExtras>& extras()
{
    static const QHash<QString, BoxExtras> e = {
        {"txtnbbh", {"请输入项目编号，如果您不知道可以不输入。", FieldIme::Off}},
        {"txtxkdm", {"请双击鼠标然后选择学科名称。", FieldIme::Off}},
        {"txtxmmc", {"请录入不多于25个汉字。", FieldIme::OnWhileFocused}},
        {"txtxmfzr", {"请录入不多于10个汉字。", FieldIme::OnWhileFocused}},
        {"txtszdw", {"请双击鼠标然后选择单位名称。", FieldIme::Off}},
        {"txtsqrq", {"请输入格式为：XXXXXXXX,前四位是年，再两位是月，后两位是日，月日为十以下时前面补零。", FieldIme::Off}},
        {"txtyjlb", {"请双击鼠标，然后选择研究类别。", FieldIme::Untouched}},
        {"txtqssj", {"请输入格式为：XXXXX,前四位是年，后一位是月，月只能输入1和6，输入结束按回车键。", FieldIme::Untouched}},
        {"txtzzsj", {"请输入格式为：XXXXXX,前四位是年，后两位是月，月只能输入6或12，输入结束按回车键。", FieldIme::Untouched}},
        {"txtsys", {"请双击鼠标，然后选择所属重点实验室。", FieldIme::Untouched}},
        {"txtyjjg", {"请录入不多于16个汉字。", FieldIme::Untouched}},
        {"txtfzrxm", {"请录入不多于8个汉字。", FieldIme::On}},
        {"txtxb", {"请双击鼠标，然后选择性别。", FieldIme::Untouched}},
        {"txtcsny", {"请输入格式：四位年份+点号+两位月份，例如1980.07。", FieldIme::Off}},
        {"txtxw", {nullptr, FieldIme::Untouched}},
        {"txtxwsj", {"请输入格式：四位年份+点号+两位月份，例如1991.07。", FieldIme::Off}},
        {"txtsbd", {"请双击鼠标，然后选择硕博导。", FieldIme::Untouched}},
        {"txtzc", {nullptr, FieldIme::Untouched}},
        {"txtdzsj", {"请输入格式：四位年份+点号+两位月份，例如2001.07。", FieldIme::Off}},
        {"txtyjfx", {"请录入不多于10个汉字。", FieldIme::Untouched}},
        {"txtlxdh", {"请录入不多于15位电话号码。", FieldIme::Untouched}},
        {"txtszxs", {"请直接输入（不多于18个汉字），或者双击鼠标，然后选择所在系所。", FieldIme::Untouched}},
        {"txtxxzc", {"请输入学校自筹金额。", FieldIme::Untouched}},
        {"txthzdwtz", {"请输入合作单位投资金额。", FieldIme::Untouched}},
        {"txtyhdk", {"请输入银行贷款金额。", FieldIme::Untouched}},
        {"txtjytbk", {"请输入申请vuz拨款金额。", FieldIme::Untouched}},
    };
    return e;
}

// The hints of the member boxes, by the stem of the box's name.
QString memberHint(const QString& stem)
{
    static const QHash<QString, QString> hints = {
        {"txtxm", QStringLiteral("请录入不多于8个汉字，或按F2插入一个成员，按F3删除当前成员。")},
        {"txtnl", QStringLiteral("请输入2位数字字符。")},
        {"txtzw", kCodeHint},
        {"txtxw", kDegreeHint},
        {"txtszdw", QStringLiteral("请直接输入单位代码，或者双击鼠标然后选择单位名称，或者直接输入单位名称。")},
        {"txtxmfg", QStringLiteral("请录入不多于10个汉字。")},
    };
    return hints.value(stem);
}

// The name of a repeated group's box or column without its row number.
QString stemOf(const Column& c, const QString& name)
{
    return c.row > 0 ? name.chopped(QString::number(c.row).size()) : name;
}

BoxKind kindOf(const Column& c)
{
    switch (c.boxKind) {
    case Box::MultiLine: return BoxKind::Memo;
    case Box::CheckBox: return BoxKind::Check;
    default: return BoxKind::Text;
    }
}

const records::RecordLayout& layout() { return records::applications(); }

// The layout's column of a table row (every row of the table names one).
const Column& columnOf(const Field& f) { return *layout().column(f.field); }

bool usedIn(const Field& f, int category) { return columnOf(f).usedIn(category); }

QString textOf(const QWidget* box)
{
    if (auto* l = qobject_cast<const VbLabel*>(box))
        return l->Caption();
    return BoxText(box);
}

void setTextOf(QWidget* box, const QString& text)
{
    if (auto* l = qobject_cast<VbLabel*>(box))
        l->SetCaption(text);
    else
        SetBoxText(box, text);
}

// The second control that shows a column (lblxmmc beside txtxmmc), in the window
// of the boxes.
VbLabel* alsoShownIn(const FieldBoxes& boxes, int row)
{
    const QString name = columnOf(boxes.Table()[row]).alsoShownIn;
    QWidget* box = boxes.Box(row);
    return name.isEmpty() || !box ? nullptr : box->window()->findChild<VbLabel*>(name);
}

void setKeys(FieldBoxes& boxes, VbTab* tabs, int category, bool on)
{
    boxes.SetKeysEnabled(on);
    if (!tabs)
        return;
    for (const records::TabLock& t : layout().lockedTabs)
        if (t.categories & records::categoryBit(category))
            tabs->SetTabEnabled(t.tab, on);
}

}  // namespace

FieldTable ApplicationFieldTable()
{
    // The tab order runs through the boxes as the layout lists them, which is the
    // order in which Enter moves through each tab (the member rows row by row).
    FieldTable table;
    int tabIndex = 0;
    for (const Column& c : layout().columns) {
        if (c.box.isEmpty())
            continue;
        Field f;
        f.box = c.objectName();
        f.field = c.name;
        f.limit = c.limit;
        f.unit = LengthUnit::Characters;
        f.converter = convert::ForColumn(c);
        f.kind = kindOf(c);
        const auto e = extras().constFind(f.box);
        if (e != extras().constEnd()) {
            f.hint = e->hint ? QString::fromUtf8(e->hint) : QString();
            f.ime = e->ime;
        }
        if (c.row > 0)
            f.hint = memberHint(stemOf(c, f.box));
        else if (f.box == QLatin1String("txtzc"))
            f.hint = kCodeHint;
        else if (f.box == QLatin1String("txtxw"))
            f.hint = kDegreeHint;
        const bool typed = c.boxKind != Box::Label && c.boxKind != Box::Hidden && c.boxKind != Box::CheckBox;
        if (typed)
            f.tabIndex = tabIndex += 2;
        if (c.lock == records::Lock::Both)
            f.flags |= FieldFlag::Key;
        if (c.boxKind == Box::Display || c.boxKind == Box::Total)
            f.flags |= FieldFlag::Computed;
        // The project number's and the discipline's hints stay standing when the box
        // is left.
        if (f.box == QLatin1String("txtnbbh") || f.box == QLatin1String("txtxkdm"))
            f.flags |= FieldFlag::KeepsHint;
        table.push_back(f);
    }
    // The check box of the cover follows the application date.
    const auto at = [&table](const char* box) {
        return std::find_if(table.begin(), table.end(), [box](const Field& f) { return f.box == QLatin1String(box); });
    };
    at("Chkbz")->tabIndex = at("txtsqrq")->tabIndex + 1;
    return table;
}

void ShowRecord(const FieldBoxes& boxes, const Recordset& rs, int category)
{
    for (int row = 0; row < boxes.Count(); ++row) {
        const Field& f = boxes.Table()[row];
        QWidget* box = boxes.Box(row);
        if (!box || !usedIn(f, category))
            continue;
        const QString text = f.converter.show(rs.Field(f.field));
        setTextOf(box, text);
        if (VbLabel* second = alsoShownIn(boxes, row))
            second->SetCaption(text);
    }
}

void StoreRecord(const FieldBoxes& boxes, Recordset& rs, int category)
{
    // A repeated group (members, plan rows) is closed up: the k-th filled row of a
    // group goes into the group's k-th row of columns. Rows are keyed by the tab of
    // their group, the first of each row the one whose blank box ends the group.
    std::map<int, std::map<int, int>> targetRow;   // tab -> row -> stored row (0: none)
    for (const Field& f : boxes.Table()) {
        const Column& c = columnOf(f);
        if (c.row == 0 || !c.endsRows || !c.usedIn(category))
            continue;
        auto& rows = targetRow[c.tab];
        const QWidget* box = boxes.Box(f.box);
        const int filled = static_cast<int>(std::count_if(rows.begin(), rows.end(), [](auto& r) { return r.second > 0; }));
        rows[c.row] = box && !Trim(textOf(box)).isEmpty() ? filled + 1 : 0;
    }

    for (int row = 0; row < boxes.Count(); ++row) {
        const Field& f = boxes.Table()[row];
        const Column& c = columnOf(f);
        const QWidget* box = boxes.Box(row);
        if (!box || !c.usedIn(category))
            continue;
        QString field = f.field;
        if (c.row > 0) {
            const int to = targetRow[c.tab][c.row];
            if (to == 0)
                continue;
            field = stemOf(c, c.name) + QString::number(to);
        }
        if (const std::optional<QVariant> v = f.converter.store(textOf(box)))
            rs.SetField(field, *v);
    }
}

void ClearFields(const FieldBoxes& boxes, int category)
{
    QList<int> totals;
    for (int row = 0; row < boxes.Count(); ++row) {
        const Field& f = boxes.Table()[row];
        QWidget* box = boxes.Box(row);
        if (!box || !usedIn(f, category))
            continue;
        if (columnOf(f).boxKind == Box::Total) {
            totals << row;
            continue;
        }
        setTextOf(box, QString());
        if (VbLabel* second = alsoShownIn(boxes, row))
            second->SetCaption(QString());
    }
    for (int row : totals)
        setTextOf(boxes.Box(row), QString());
}

void LockFields(FieldBoxes& boxes, VbTab* tabs, int category) { setKeys(boxes, tabs, category, false); }

void UnlockFields(FieldBoxes& boxes, VbTab* tabs, int category) { setKeys(boxes, tabs, category, true); }
