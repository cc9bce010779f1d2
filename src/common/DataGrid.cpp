#include "DataGrid.h"

#include "Guard.h"
#include "Platform.h"
#include "Twips.h"
#include "VbText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>

QString FormatValue(const QVariant& value, const QString& format)
{
    if (value.isNull() || !value.isValid())
        return QString();
    bool number = false;
    const double d = value.toDouble(&number);
    if (!number)
        return value.toString();
    if (format.isEmpty())
        return value.typeId() == QMetaType::QString ? value.toString() : PlainNumber(d);
    // Literal texts in quotes before and after one run of digit places.
    static const QRegularExpression parts(QStringLiteral("^((?:\"[^\"]*\")*)([#0,]*(?:\\.[#0]*)?)((?:\"[^\"]*\")*)$"));
    const QRegularExpressionMatch m = parts.match(format);
    if (!m.hasMatch())
        return value.toString();
    auto literal = [](QString s) { return s.remove(QLatin1Char('"')); };
    const QString digits = m.captured(2);
    const int point = digits.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : static_cast<int>(digits.mid(point + 1).count(QLatin1Char('0')));
    QLocale c = QLocale::c();
    c.setNumberOptions(digits.contains(QLatin1Char(',')) ? QLocale::NumberOptions() : QLocale::OmitGroupSeparator);
    return literal(m.captured(1)) + c.toString(d, 'f', decimals) + literal(m.captured(3));
}

class DataGridModel : public QAbstractTableModel {
public:
    explicit DataGridModel(DataGrid* grid)
        : QAbstractTableModel(grid), m_grid(grid)
    {
    }

    QList<GridColumn> columns;
    QList<int> fieldIndex;   // per column, found when the rows are read

    void findFields()
    {
        fieldIndex.clear();
        for (const GridColumn& c : columns)
            fieldIndex << (rs() && rs()->IsOpen() ? rs()->FieldIndex(c.field) : -1);
    }

    Recordset* rs() const { return m_grid->m_dc ? &m_grid->m_dc->Rs() : nullptr; }

    bool placeholderShown() const
    {
        return m_grid->m_allowAddNew && rs() && rs()->IsOpen() && !rs()->NewRowPending();
    }
    int expected() const
    {
        if (!rs() || !rs()->IsOpen())
            return 0;
        return rs()->RecordCount() + (placeholderShown() ? 1 : 0);
    }
    bool isPlaceholder(int row) const { return placeholderShown() && row == rs()->RecordCount(); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_count; }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || !rs())
            return {};
        const GridColumn& c = columns[index.column()];
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(c.alignment | Qt::AlignVCenter);
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= rs()->RecordCount())
            return {};
        const QVariant v = rs()->ValueAt(index.row(), fieldIndex.value(index.column(), -1));
        if (role == Qt::DisplayRole && !c.format.isEmpty())
            return FormatValue(v, c.format);
        return v.toString();
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (o == Qt::Horizontal)
            return section < columns.size() ? columns[section].caption : QString();
        if (isPlaceholder(section))
            return QStringLiteral("*");
        if (rs() && section == rs()->CurrentIndex())
            return QStringLiteral("▶");
        return QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (columns.value(index.column()).readOnly)
            return f;
        if (m_grid->m_allowUpdate || (m_grid->m_allowAddNew && rs() && index.row() >= rs()->RecordCount()
                                      && (isPlaceholder(index.row()) || rs()->NewRowPending())))
            f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole || !rs() || !index.isValid())
            return false;
        Recordset& r = *rs();
        if (data(index, Qt::EditRole).toString() == value.toString() && !isPlaceholder(index.row()))
            return true;   // nothing changed: no edit to hold
        if (isPlaceholder(index.row()) && value.toString().isEmpty())
            return true;
        // Called by Qt: the move may run the window's hooks, and nothing may be thrown
        // back into the view.
        return RunGuarded([&] {
            if (isPlaceholder(index.row()))
                r.AddNew();
            else if (index.row() != r.CurrentIndex())
                r.MoveTo(index.row());
            r.SetField(columns[index.column()].field, value);
        });
    }

    void reset()
    {
        beginResetModel();
        m_count = expected();
        findFields();
        endResetModel();
    }
    void headerRowsChanged(int first, int last)
    {
        if (first >= 0 && first < m_count)
            emit headerDataChanged(Qt::Vertical, first, qMin(last, m_count - 1));
    }
    void rowAdded(int i)
    {
        if (expected() == m_count) {
            emit dataChanged(index(i, 0), index(i, columnCount() - 1));
        } else {
            beginInsertRows({}, i, i);
            m_count = expected();
            endInsertRows();
        }
        headerRowsChanged(i, m_count - 1);
    }
    void newRowCommitted(int i)
    {
        if (expected() > m_count) {
            beginInsertRows({}, m_count, expected() - 1);
            m_count = expected();
            endInsertRows();
        }
        emit dataChanged(index(i, 0), index(i, columnCount() - 1));
        headerRowsChanged(i, m_count - 1);
    }
    void rowGone(int i)
    {
        if (expected() < m_count) {
            beginRemoveRows({}, i, i);
            m_count = expected();
            endRemoveRows();
        } else if (i < m_count) {
            emit dataChanged(index(i, 0), index(i, columnCount() - 1));
        }
        // The rows below move up with their marks: only the row now in the gone one's
        // place and the last line (the new-row line) may show another (a header data
        // change over every row below would have Qt go through them all).
        headerRowsChanged(i, i);
        headerRowsChanged(m_count - 1, m_count - 1);
    }
    void rowMoved(int from, int to)
    {
        if (from >= m_count || to >= m_count)
            return reset();
        // The view's current cell goes along with the row.
        if (beginMoveRows({}, from, from, {}, to > from ? to + 1 : to))
            endMoveRows();
        // The header's marks depend on positions only: a repaint shows them (a header
        // data change over the rows between would measure them all again).
        m_grid->verticalHeader()->viewport()->update();
    }
    void rowChanged(int i)
    {
        if (i < m_count)
            emit dataChanged(index(i, 0), index(i, columnCount() - 1));
    }

private:
    DataGrid* m_grid;
    int m_count = 0;
};

DataGrid::DataGrid(QWidget* parent, const QString& name)
    : QTableView(parent)
{
    setObjectName(name);
    m_model = new DataGridModel(this);
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setMinimumWidth(18);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

DataGrid::~DataGrid() = default;

void DataGrid::SetDataSource(DataControl* dc)
{
    if (m_dc)
        disconnect(&m_dc->Rs(), nullptr, this, nullptr);
    m_dc = dc;
    if (dc) {
        Recordset* rs = &dc->Rs();
        // While rows come and go the view moves its current cell by itself (off a
        // removed row, onto the new-row line): that is no move of the record set.
        auto quietly = [this](auto&& change) {
            const bool was = m_syncing;
            m_syncing = true;
            change();
            m_syncing = was;
        };
        connect(rs, &Recordset::RowsReset, this, [this, quietly] {
            m_lastRow = -1;
            quietly([this] { m_model->reset(); });
        });
        connect(rs, &Recordset::RowAdded, this, [this, quietly](int i) { quietly([this, i] { m_model->rowAdded(i); }); });
        connect(rs, &Recordset::NewRowCommitted, this,
                [this, quietly](int i) { quietly([this, i] { m_model->newRowCommitted(i); }); });
        connect(rs, &Recordset::NewRowDropped, this, [this, quietly](int i) { quietly([this, i] { m_model->rowGone(i); }); });
        connect(rs, &Recordset::RowRemoved, this, [this, quietly](int i) {
            quietly([this, i] { m_model->rowGone(i); });
            m_lastRow = -1;
            // The set stands on the deleted row, which the grid no longer shows.
            followRecordset();
        });
        connect(rs, &Recordset::RowDataChanged, this, [this](int i) { m_model->rowChanged(i); });
        connect(rs, &Recordset::RowMoved, this,
                [this, quietly](int from, int to) {
                    quietly([this, from, to] { m_model->rowMoved(from, to); });
                    m_lastRow = -1;
                });
        connect(rs, &Recordset::MoveComplete, this, [this] { followMove(); });
    }
    m_model->reset();
    followRecordset();
}

void DataGrid::AddColumn(const QString& caption, const QString& field)
{
    AddColumn(GridColumn{.caption = caption, .field = field});
}

void DataGrid::AddColumn(const GridColumn& column)
{
    m_model->columns.append(column);
    m_model->reset();
    applyWidths();
}

void DataGrid::applyWidths()
{
    for (int i = 0; i < ColumnCount(); ++i)
        if (m_model->columns[i].widthTw > 0)
            setColumnWidth(i, TwipsToPixels(m_model->columns[i].widthTw));
}

int DataGrid::ColumnCount() const { return static_cast<int>(m_model->columns.size()); }
QString DataGrid::ColumnCaption(int i) const { return m_model->columns.value(i).caption; }
QString DataGrid::ColumnField(int i) const { return m_model->columns.value(i).field; }
GridColumn DataGrid::Column(int i) const { return m_model->columns.value(i); }

void DataGrid::SetColumnReadOnly(int i, bool readOnly)
{
    if (i >= 0 && i < ColumnCount())
        m_model->columns[i].readOnly = readOnly;
}

void DataGrid::SetAllowUpdate(bool on)
{
    m_allowUpdate = on;
    setEditTriggers(on || m_allowAddNew ? (QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                           | QAbstractItemView::AnyKeyPressed)
                                        : QAbstractItemView::NoEditTriggers);
}

void DataGrid::SetAllowAddNew(bool on)
{
    m_allowAddNew = on;
    SetAllowUpdate(m_allowUpdate);
    m_model->reset();
    followRecordset();
}

QModelIndex DataGrid::currentIndex() const
{
    if (m_viewPending)
        const_cast<DataGrid*>(this)->syncView();
    return QTableView::currentIndex();
}

void DataGrid::setCurrentIndex(const QModelIndex& index)
{
    if (m_viewPending)
        syncView();
    QTableView::setCurrentIndex(index);
}

int DataGrid::Row() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
int DataGrid::VisibleRowCount() const { return m_model->rowCount(); }

QString DataGrid::CellText(int row, int column) const
{
    return m_model->data(m_model->index(row, column), Qt::DisplayRole).toString();
}

void DataGrid::followRecordset()
{
    syncView();
    raiseRowChange();
}

void DataGrid::followMove()
{
    // The row-change event at once; the view once the program's moves are done, so
    // that a walk over many rows does not select, paint and scroll at every step.
    if (!m_viewPending) {
        m_viewPending = true;
        QMetaObject::invokeMethod(
            this, [this] {
                if (m_viewPending)
                    syncView();
            },
            Qt::QueuedConnection);
    }
    raiseRowChange();
}

bool DataGrid::event(QEvent* e)
{
    // Whatever reaches the grid (a key, a click, a paint) sees it on the set's row.
    if (m_viewPending && e->type() != QEvent::MetaCall)
        syncView();
    return QTableView::event(e);
}

bool DataGrid::viewportEvent(QEvent* e)
{
    if (m_viewPending)
        syncView();
    return QTableView::viewportEvent(e);
}

void DataGrid::syncView()
{
    m_viewPending = false;
    if (!m_dc)
        return;
    const int target = m_dc->Rs().CurrentIndex();
    const QModelIndex current = QTableView::currentIndex();
    m_syncing = true;
    if (target < 0) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    } else if (!current.isValid() || current.row() != target) {
        const QModelIndex idx = m_model->index(target, current.isValid() ? current.column() : 0);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
    }
    m_syncing = false;
    // The current-row mark is read when the header paints: repainting the visible
    // rows is enough. A header data change makes Qt measure the header again, over
    // many rows.
    verticalHeader()->viewport()->update();
}

void DataGrid::raiseRowChange()
{
    const int row = m_dc ? m_dc->Rs().CurrentIndex() : -1;
    if (row == m_lastRow)
        return;
    m_lastRow = row;
    if (row < 0 || m_held || !RowColChange)
        return;
    // The window's handler runs from a click or key as well: whatever it throws is
    // shown here.
    RunGuarded(RowColChange);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_syncing || !m_dc || !current.isValid())
        return;
    Recordset& rs = m_dc->Rs();
    if (current.row() == rs.CurrentIndex())
        return;
    const bool moved = RunGuarded([&] {
        if (m_model->isPlaceholder(current.row()))
            rs.AddNew();
        else
            rs.MoveTo(current.row());
    });
    if (!moved)
        followRecordset();
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (action != MoveNext && action != MovePrevious)
        return next;
    // From the new row's last cell Qt goes on to the first stored row (and back from
    // its first cell to the row above), where the typing would go into a stored row.
    const QModelIndex current = currentIndex();
    const bool onNewRow = current.isValid() && m_dc
                          && (m_model->isPlaceholder(current.row())
                              || (m_dc->Rs().NewRowPending() && current.row() == m_dc->Rs().CurrentIndex()));
    if (!onNewRow || !next.isValid() || next.row() == current.row())
        return next;
    return m_model->index(current.row(), action == MoveNext ? 0 : ColumnCount() - 1);
}

void DataGrid::CommitEdit()
{
    QWidget* editor = indexWidget(currentIndex());
    if (!editor || state() != EditingState)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DataGrid::focusInEvent(QFocusEvent* e)
{
    // Taking the focus moves nothing. Qt makes the first cell current when there is
    // none, which on an empty set would begin a new row in the new-row line.
    const bool hadCurrent = currentIndex().isValid();
    m_syncing = true;
    QTableView::focusInEvent(e);
    m_syncing = false;
    if (!hadCurrent && currentIndex().isValid())
        selectionModel()->clearCurrentIndex();
}
