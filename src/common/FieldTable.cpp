#include "FieldTable.h"

#include "Db.h"
#include "Recordset.h"
#include "VbText.h"

#include <QDate>
#include <QDateTime>

// ---------------------------------------------------------------------------
// Converters

namespace {

QString shownText(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return PlainNumber(v.toDouble());
    default:
        return v.toString();
    }
}

bool blank(const QString& text) { return Trim(text).isEmpty(); }

std::optional<QVariant> ifFilled(const QString& text)
{
    if (blank(text))
        return std::nullopt;
    return QVariant(text);
}

}  // namespace

namespace convert {

FieldConverter Text()
{
    return {shownText, [](const QString& text) -> std::optional<QVariant> {
                return QVariant(blank(text) ? QString(QLatin1String("")) : text);
            }};
}

FieldConverter IfFilled() { return {shownText, ifFilled}; }

FieldConverter Number()
{
    return {shownText, [](const QString& text) -> std::optional<QVariant> {
                if (blank(text))
                    return std::nullopt;
                return QVariant(Val(text));
            }};
}

FieldConverter DateText()
{
    return {[](const QVariant& v) {
                if (v.typeId() == QMetaType::QDate)
                    return v.toDate().toString(QStringLiteral("yyyy.MM.dd"));
                if (v.typeId() == QMetaType::QDateTime)
                    return v.toDateTime().date().toString(QStringLiteral("yyyy.MM.dd"));
                return shownText(v);
            },
            ifFilled};
}

FieldConverter Mark(const QString& text)
{
    return {[text](const QVariant& v) { return QString(!v.isNull() && v.toString() == text ? "1" : "0"); },
            [text](const QString& box) -> std::optional<QVariant> {
                if (box == QLatin1String("1"))
                    return QVariant(text);
                return std::nullopt;
            }};
}

FieldConverter ForColumn(const records::Column& column)
{
    using records::Store;
    switch (column.store) {
    case Store::Always: return Text();
    case Store::Number: return Number();
    case Store::Ticked: return Mark(column.mark);
    case Store::IfFilled:
    case Store::None: break;
    }
    return IfFilled();
}

}  // namespace convert

Field ColumnField(const records::Column& column)
{
    Field f;
    f.box = column.objectName();
    f.field = column.name;
    f.limit = column.limit;
    f.unit = LengthUnit::Characters;
    f.ime = column.ime;
    f.hint = column.hint;
    f.converter = convert::ForColumn(column);
    f.kind = column.boxKind;
    if (column.lock == records::Lock::Both)
        f.flags |= FieldFlag::Key;
    if (column.boxKind == BoxKind::Display || column.boxKind == BoxKind::Total)
        f.flags |= FieldFlag::Computed;
    if (column.keepsHint)
        f.flags |= FieldFlag::KeepsHint;
    return f;
}

// ---------------------------------------------------------------------------
// Boxes of any kind

namespace {

// The option buttons of an option group, in the order they were made.
QList<VbOption*> optionsOf(const QWidget* group)
{
    return group->findChildren<VbOption*>(Qt::FindDirectChildrenOnly);
}

// Runs fn on the box when it is one the user types into.
template <class F>
void withTypingBox(QWidget* box, F fn)
{
    if (auto* t = qobject_cast<VbTextBox*>(box))
        fn(t);
    else if (auto* m = qobject_cast<VbMemo*>(box))
        fn(m);
}

ImeMode modeOf(FieldIme ime)
{
    return ime == FieldIme::Off ? ImeMode::Off : ImeMode::On;
}

}  // namespace

QString BoxText(const QWidget* box)
{
    auto* w = const_cast<QWidget*>(box);
    if (auto* t = qobject_cast<VbTextBox*>(w))
        return t->Text();
    if (auto* m = qobject_cast<VbMemo*>(w))
        return m->Text();
    if (auto* c = qobject_cast<VbCheckBox*>(w))
        return QString::number(c->Value());
    if (auto* l = qobject_cast<VbListBox*>(w))
        return l->Text();
    const QList<VbOption*> options = optionsOf(box);
    for (int i = 0; i < options.size(); ++i)
        if (options[i]->Value())
            return QString::number(i);
    return QString();
}

void SetBoxText(QWidget* box, const QString& text)
{
    if (auto* t = qobject_cast<VbTextBox*>(box)) {
        t->SetText(text);
    } else if (auto* m = qobject_cast<VbMemo*>(box)) {
        m->SetText(text);
    } else if (auto* c = qobject_cast<VbCheckBox*>(box)) {
        c->SetValue(text == QLatin1String("1") ? 1 : 0);
    } else if (auto* l = qobject_cast<VbListBox*>(box)) {
        l->SetText(text);
    } else {
        bool ok = false;
        const int chosen = text.toInt(&ok);
        const QList<VbOption*> options = optionsOf(box);
        for (int i = 0; i < options.size(); ++i) {
            // An option button cannot be unticked by code while it is exclusive.
            options[i]->setAutoExclusive(false);
            options[i]->SetValue(ok && i == chosen);
            options[i]->setAutoExclusive(true);
        }
    }
}

void OnBoxChange(QWidget* box, QObject* context, std::function<void()> fn)
{
    if (auto* t = qobject_cast<VbTextBox*>(box)) {
        QObject::connect(t, &QLineEdit::textChanged, context, fn);
    } else if (auto* m = qobject_cast<VbMemo*>(box)) {
        QObject::connect(m, &QPlainTextEdit::textChanged, context, fn);
    } else if (auto* c = qobject_cast<VbCheckBox*>(box)) {
        QObject::connect(c, &QCheckBox::toggled, context, fn);
    } else if (auto* l = qobject_cast<VbListBox*>(box)) {
        QObject::connect(l, &QListWidget::currentRowChanged, context, fn);
    } else {
        for (VbOption* o : optionsOf(box))
            QObject::connect(o, &QRadioButton::toggled, context, [fn](bool on) {
                if (on)
                    fn();
            });
    }
}

// ---------------------------------------------------------------------------
// Field table -> boxes

FieldBoxes::FieldBoxes(FieldTable table)
    : m_table(std::move(table)), m_boxes(static_cast<int>(m_table.size()))
{
}

int FieldBoxes::RowOf(const QString& box) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_table[i].box == box)
            return i;
    return -1;
}

QWidget* FieldBoxes::Box(int row) const { return row >= 0 && row < Count() ? m_boxes[row].data() : nullptr; }

QWidget* FieldBoxes::Make(const QString& box, QWidget* parent)
{
    const int row = RowOf(box);
    Q_ASSERT_X(row >= 0, "FieldBoxes::Make", qPrintable(box + QStringLiteral(": no such row in the field table")));
    if (row < 0)
        return nullptr;
    QWidget* w = nullptr;
    switch (m_table[row].kind) {
    case BoxKind::Text:
    case BoxKind::Display:
    case BoxKind::Total: w = new VbTextBox(parent, box); break;
    case BoxKind::Hidden:
        w = new VbTextBox(parent, box);
        w->setVisible(false);
        break;
    case BoxKind::Memo: w = new VbMemo(parent, box); break;
    case BoxKind::Check: w = new VbCheckBox(parent, box); break;
    case BoxKind::Options: w = new VbFrame(parent, box); break;
    case BoxKind::List: w = new VbListBox(parent, box); break;
    case BoxKind::Label: w = new VbLabel(parent, box); break;
    case BoxKind::None: break;
    }
    Q_ASSERT_X(w, "FieldBoxes::Make", qPrintable(box + QStringLiteral(": a row without a box")));
    if (!w)
        return nullptr;
    apply(row, w);
    return w;
}

void FieldBoxes::Adopt(QWidget* box)
{
    const int row = RowOf(box->objectName());
    Q_ASSERT_X(row >= 0, "FieldBoxes::Adopt",
               qPrintable(box->objectName() + QStringLiteral(": no such row in the field table")));
    if (row >= 0)
        apply(row, box);
}

void FieldBoxes::apply(int row, QWidget* box)
{
    const Field& f = m_table[row];
    m_boxes[row] = box;
    if (f.flags.testFlag(FieldFlag::Computed))
        box->setEnabled(false);
    withTypingBox(box, [&f](auto* t) {
        t->SetMaxLength(f.limit, f.unit);
        if (f.ime == FieldIme::On || f.ime == FieldIme::Off)
            t->SetImeMode(modeOf(f.ime));
    });
    auto* focus = dynamic_cast<FocusBox*>(box);
    if (!focus || (f.hint.isEmpty() && f.ime == FieldIme::Untouched))
        return;
    const QString hint = f.hint;
    const FieldIme ime = f.ime;
    const bool clears = !hint.isEmpty() && !f.flags.testFlag(FieldFlag::KeepsHint);
    // The boxes die at unload, the table lives with the window: the handlers may
    // hold both.
    focus->FieldGotFocus = [this, box, hint, ime] {
        if (ime != FieldIme::Untouched)
            withTypingBox(box, [ime](auto* t) { t->SetImeMode(modeOf(ime)); });
        if (!hint.isEmpty())
            writeHint(hint);
    };
    focus->FieldLostFocus = [this, box, ime, clears] {
        if (ime == FieldIme::OnWhileFocused)
            withTypingBox(box, [](auto* t) { t->SetImeMode(ImeMode::Off); });
        if (clears)
            writeHint(QString());
    };
}

void FieldBoxes::SetHintTarget(VbStatusBar* bar, int panel)
{
    m_bar = bar;
    m_panel = panel;
    m_label = nullptr;
}

void FieldBoxes::SetHintTarget(VbLabel* label)
{
    m_label = label;
    m_bar = nullptr;
}

void FieldBoxes::writeHint(const QString& text) const
{
    if (m_bar)
        m_bar->SetPanelText(m_panel, text);
    else if (m_label)
        m_label->SetCaption(text);
}

void FieldBoxes::SetKeysEnabled(bool on)
{
    for (int i = 0; i < Count(); ++i)
        if (m_table[i].flags.testFlag(FieldFlag::Key) && m_boxes[i])
            m_boxes[i]->setEnabled(on);
}

QList<QWidget*> FieldBoxes::TabOrder() const
{
    QList<int> rows;
    for (int i = 0; i < Count(); ++i)
        if (m_table[i].tabIndex >= 0 && m_boxes[i])
            rows << i;
    std::stable_sort(rows.begin(), rows.end(),
                     [this](int a, int b) { return m_table[a].tabIndex < m_table[b].tabIndex; });
    QList<QWidget*> out;
    for (int i : rows)
        out << m_boxes[i].data();
    return out;
}

void FieldBoxes::OnChange(QObject* context, std::function<void()> fn)
{
    for (int i = 0; i < Count(); ++i)
        if (m_boxes[i] && !m_table[i].flags.testFlag(FieldFlag::Computed))
            OnBoxChange(m_boxes[i], context, fn);
}

// ---------------------------------------------------------------------------
// Field table <-> values

void ShowField(const FieldBoxes& boxes, int row, const QVariant& value)
{
    if (QWidget* box = boxes.Box(row))
        SetBoxText(box, boxes.Table()[row].converter.show(value));
}

std::optional<QVariant> StoredField(const FieldBoxes& boxes, int row)
{
    QWidget* box = boxes.Box(row);
    if (!box)
        return std::nullopt;
    return boxes.Table()[row].converter.store(BoxText(box));
}

void ShowFields(const FieldBoxes& boxes, const Recordset& rs)
{
    for (int i = 0; i < boxes.Count(); ++i)
        if (!boxes.Table()[i].field.isEmpty())
            ShowField(boxes, i, rs.Field(boxes.Table()[i].field));
}

void StoreFields(const FieldBoxes& boxes, Recordset& rs)
{
    for (int i = 0; i < boxes.Count(); ++i) {
        if (boxes.Table()[i].field.isEmpty())
            continue;
        if (const std::optional<QVariant> v = StoredField(boxes, i))
            rs.SetField(boxes.Table()[i].field, *v);
    }
}

void CheckField(const Recordset& rs, const QString& field, const QString& box)
{
    if (rs.FieldIndex(field) < 0)
        throw DbError(QStringLiteral("记录集中没有字段“%1”（控件 %2）：%3").arg(field, box, rs.Source()));
}

