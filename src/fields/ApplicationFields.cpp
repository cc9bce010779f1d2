#include "ApplicationFields.h"

#include "RecordLayouts.h"
#include "Recordset.h"
#include "VbText.h"

#include <algorithm>
#include <map>

namespace {

using records::Column;

// The name of a repeated group's box or column without its row number.
QString stemOf(const Column& c, const QString& name)
{
    return c.row > 0 ? name.chopped(QString::number(c.row).size()) : name;
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
    // order in which Enter moves through each tab (the member rows row by row); a
    // check box follows the other boxes of its page.
    FieldTable table;
    int tabIndex = 0;
    for (const Column& c : layout().columns) {
        if (c.box.isEmpty())
            continue;
        Field f = ColumnField(c);
        if (c.boxKind != BoxKind::Label && c.boxKind != BoxKind::Hidden && c.boxKind != BoxKind::Check)
            f.tabIndex = tabIndex += 2;
        table.push_back(f);
    }
    for (Field& check : table) {
        if (check.kind != BoxKind::Check)
            continue;
        const int page = columnOf(check).tab;
        for (const Field& f : table)
            if (f.tabIndex >= 0 && columnOf(f).tab == page)
                check.tabIndex = std::max(check.tabIndex, f.tabIndex + 1);
    }
    return table;
}

QString FirstBoxOfPage(int page, int category)
{
    for (const Column& c : layout().columns)
        if (c.tab == page && c.usedIn(category) && !(c.hiddenIn & records::categoryBit(category))
            && (c.boxKind == BoxKind::Text || c.boxKind == BoxKind::Memo))
            return c.objectName();
    return QString();
}

void HideBoxesOf(const FieldBoxes& boxes, int category)
{
    for (int row = 0; row < boxes.Count(); ++row) {
        QWidget* box = boxes.Box(row);
        if (box && (columnOf(boxes.Table()[row]).hiddenIn & records::categoryBit(category)))
            box->hide();
    }
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
        if (f.kind == BoxKind::Total) {
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
