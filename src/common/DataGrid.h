#pragma once
// A grid bound to a data control: it shows every row of the record set in the
// columns it is given, its current row is the record set's current row, and its
// RowColChange runs whenever that row changes, by a click or key in the grid or by a
// move the program makes. A window can hold RowColChange back while it saves.
//
// With AllowAddNew the grid ends in an empty new row; entering it begins a new row
// of the record set. Tab and Backtab go round the new row's cells and never out of
// it, so that what is typed next still belongs to the new row. With AllowUpdate
// cells can be edited; edits reach the table when the current row changes or the
// record set is updated.

#include "DataControl.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

class DataGridModel;

// A column as the window declares it. A cell too narrow for its text shows the
// text's start (elided at the right).
struct GridColumn {
    QString caption{};
    QString field{};                                   // by name, found once per opening
    int widthTw = 0;                                   // twips; 0 = the grid's default
    Qt::Alignment alignment = Qt::AlignLeft;
    // A display format in the system's pattern form, for numbers: literal texts in
    // quotes, # and 0 digits, "," for grouping, "." and the decimals, such as
    // "￥"#,##0.00. Empty: the value as it stands (a number in plain decimal form).
    QString format{};
    bool readOnly = false;                             // not editable even with AllowUpdate
};

// A value shown through a display format as above (a Null shows as nothing).
QString FormatValue(const QVariant& value, const QString& format);

class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(QWidget* parent, const QString& name);
    ~DataGrid() override;

    // Binds the grid to the data control's record set.
    void SetDataSource(DataControl* dc);
    DataControl* DataSource() const { return m_dc; }
    // Adds a column showing a field (by name) under a caption.
    void AddColumn(const QString& caption, const QString& field);
    void AddColumn(const GridColumn& column);
    int ColumnCount() const;
    QString ColumnCaption(int i) const;
    QString ColumnField(int i) const;
    GridColumn Column(int i) const;
    // Locks or unlocks a column for editing.
    void SetColumnReadOnly(int i, bool readOnly);

    void SetAllowUpdate(bool on);
    void SetAllowAddNew(bool on);
    bool AllowUpdate() const { return m_allowUpdate; }
    bool AllowAddNew() const { return m_allowAddNew; }

    // The grid's current row (from 0), -1 when it stands on none.
    int Row() const;
    // The view follows moves of the set lazily; through the grid, its current cell
    // is always the set's row.
    QModelIndex currentIndex() const;
    void setCurrentIndex(const QModelIndex& index);
    // Rows shown, the empty new row included.
    int VisibleRowCount() const;
    // Text of a cell as shown.
    QString CellText(int row, int column) const;

    // Hands the text of a cell still being edited to the record set, as leaving the
    // cell does, and closes its editor; nothing when no cell is being edited.
    void CommitEdit();

    std::function<void()> RowColChange;
    void SetRowChangeHeld(bool held) { m_held = held; }
    bool RowChangeHeld() const { return m_held; }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent* e) override;
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    friend class DataGridModel;
    void followRecordset();
    void followMove();
    void syncView();
    void raiseRowChange();
    void applyWidths();

    DataControl* m_dc = nullptr;
    DataGridModel* m_model = nullptr;
    bool m_allowUpdate = false;
    bool m_allowAddNew = false;
    bool m_syncing = false;
    bool m_held = false;
    int m_lastRow = -1;
    bool m_viewPending = false;   // the view still has to follow a move
};

// Holds a grid's row-change event back for as long as it lives.
class RowChangeHold {
public:
    explicit RowChangeHold(DataGrid* g)
        : m_grid(g), m_was(g ? g->RowChangeHeld() : false)
    {
        if (m_grid)
            m_grid->SetRowChangeHeld(true);
    }
    ~RowChangeHold()
    {
        if (m_grid)
            m_grid->SetRowChangeHeld(m_was);
    }
    RowChangeHold(const RowChangeHold&) = delete;
    RowChangeHold& operator=(const RowChangeHold&) = delete;

private:
    DataGrid* m_grid;
    bool m_was;
};
