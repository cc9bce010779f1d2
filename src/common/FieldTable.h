#pragma once
// Field tables. A window describes its entry boxes once, one row per box: the box,
// the record field it shows, its typing limit and the limit's unit, its input
// method, its hint, the converter between its text and the field's value, and its
// place in the tab order. That one table then drives the rest, so that no box is
// handled by a hand-kept list of its own:
//
//   table -> boxes (FieldBoxes): making the boxes, limits, input method, hints on
//     entering and leaving, enabling the key boxes, the tab order, a change mark;
//   table <-> values (ShowField, StoredField, ShowFields, StoreFields): a record's
//     values into the boxes and back through the converters, for windows that show
//     and store records by hand; DataControl::Bind(FieldBoxes) binds the same table
//     to a data control instead.
//
//     const FieldTable kFields = {
//         {.box = "txtxmmc", .field = "xmmc", .limit = 25, .ime = FieldIme::OnWhileFocused,
//          .hint = "请录入不多于25个汉字。", .tabIndex = 3, .flags = FieldFlag::Key},
//         {.box = "txtsqje", .field = "sqje", .limit = 5, .converter = convert::Number()},
//     };

#include "Controls.h"
#include "RecordLayouts.h"

#include <QFlags>
#include <QList>
#include <QPointer>
#include <QVariant>
#include <optional>
#include <vector>

class Recordset;

enum class FieldFlag {
    Key = 1,         // switched by SetKeysEnabled (the window's LockFields/UnlockFields)
    Computed = 2,    // filled by the program only: made disabled, no change mark
    KeepsHint = 4,   // leaving the box leaves its hint standing
};
Q_DECLARE_FLAGS(FieldFlags, FieldFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(FieldFlags)

// How a box's text and a field's value turn into each other. The text of a check
// box is "1" or "0", of a list its chosen item, of an option group the chosen
// button's index.
struct FieldConverter {
    // The text a box shows for a value; a Null value must give a text too.
    std::function<QString(const QVariant& value)> show;
    // The value a box's text writes; nothing (std::nullopt) when the field is not
    // written at all.
    std::function<std::optional<QVariant>(const QString& text)> store;
};

namespace convert {
// Always written: the text as typed, or "" when it holds nothing but blanks.
FieldConverter Text();
// Blank means not written: the text as typed when it holds more than blanks.
FieldConverter IfFilled();
// As IfFilled, writing the number the text begins with (Val); a number shows in
// plain decimal form (35, 12.5).
FieldConverter Number();
// As IfFilled; a value stored as a date shows as yyyy.mm.dd.
FieldConverter DateText();
// A check box that stands for one text: ticked writes the text, unticked writes
// nothing; the box is ticked exactly when the field holds that text.
FieldConverter Mark(const QString& text);
// The converter of a described column's store rule (always, if filled, number,
// ticked mark), so that windows built from a record layout store as it says.
FieldConverter ForColumn(const records::Column& column);
}  // namespace convert

struct Field {
    QString box{};                             // object name of the box
    QString field{};                           // record field; empty when none
    int limit = 0;                             // most the user may type; 0 = none
    LengthUnit unit = LengthUnit::Characters;  // how the limit counts
    FieldIme ime = FieldIme::Untouched;
    QString hint{};                            // shown while the box has the focus; empty = none
    FieldConverter converter = convert::Text();
    int tabIndex = -1;                         // place in the tab order; -1 = none
    BoxKind kind = BoxKind::Text;
    FieldFlags flags = {};
};
using FieldTable = std::vector<Field>;

// The row of a described column's box (RecordLayouts.h): its name, the column, the
// limit in characters, the input method and hint, the kind, the converter by the
// store rule, and the flags: Key for a box LockFields switches both ways, Computed
// for a box the window fills, KeepsHint. The caller gives its place in the tab order.
Field ColumnField(const records::Column& column);

// ---------------------------------------------------------------------------
// Field table -> boxes. A window keeps one FieldBoxes for its life and makes the
// boxes anew at every load; after an unload Box() gives null.
class FieldBoxes {
public:
    explicit FieldBoxes(FieldTable table);

    const FieldTable& Table() const { return m_table; }
    int Count() const { return static_cast<int>(m_table.size()); }
    // The row of a box; -1 when the table has none of that name.
    int RowOf(const QString& box) const;

    // Makes the box of a row (by its name) in parent, of the row's kind (a Hidden
    // one hidden), and gives it the row's limit, input method and hint. The window
    // places it.
    QWidget* Make(const QString& box, QWidget* parent);
    template <class Box>
    Box* Make(const QString& box, QWidget* parent)
    {
        auto* b = qobject_cast<Box*>(Make(box, parent));
        Q_ASSERT_X(b, "FieldBoxes::Make", qPrintable(box + QStringLiteral(": not a box of the kind asked for")));
        return b;
    }
    // Takes a box the window made itself: the row of the box's object name.
    void Adopt(QWidget* box);

    // Where hints are written: a status-bar panel or a label.
    void SetHintTarget(VbStatusBar* bar, int panel = 1);
    void SetHintTarget(VbLabel* label);

    QWidget* Box(int row) const;
    QWidget* Box(const QString& name) const { return Box(RowOf(name)); }
    template <class Box>
    Box* BoxAs(const QString& name) const { return qobject_cast<Box*>(this->Box(name)); }

    // Enables or disables the boxes of the rows flagged Key.
    void SetKeysEnabled(bool on);
    // The boxes in the order of their tab positions (rows without one left out).
    QList<QWidget*> TabOrder() const;
    // Runs fn on every change of a box that is not Computed, typed or set by code
    // (the window's change mark). Apart from the boxes' own Change events.
    void OnChange(QObject* context, std::function<void()> fn);

private:
    void apply(int row, QWidget* box);
    void writeHint(const QString& text) const;

    FieldTable m_table;
    QList<QPointer<QWidget>> m_boxes;
    QPointer<VbStatusBar> m_bar;
    int m_panel = 1;
    QPointer<VbLabel> m_label;
};

// ---------------------------------------------------------------------------
// Field table <-> values. These need the boxes only, not how they were made.

// The text of a box of any kind, and setting it by code (a change as typed).
QString BoxText(const QWidget* box);
void SetBoxText(QWidget* box, const QString& text);
// Runs fn on every change of the box's value, typed or set by code.
void OnBoxChange(QWidget* box, QObject* context, std::function<void()> fn);

// A value into a row's box through its converter.
void ShowField(const FieldBoxes& boxes, int row, const QVariant& value);
// What a row's box writes through its converter; nothing when it writes nothing.
std::optional<QVariant> StoredField(const FieldBoxes& boxes, int row);
// Every row that names a field, from or into the record set's current row. A Null
// value empties its box; StoreFields leaves the fields that are not written alone.
void ShowFields(const FieldBoxes& boxes, const Recordset& rs);
void StoreFields(const FieldBoxes& boxes, Recordset& rs);
// A box bound to a field the record set lacks is a fault of the window, found when
// the binding is made: throws DbError naming the field and the box.
void CheckField(const Recordset& rs, const QString& field, const QString& box);
