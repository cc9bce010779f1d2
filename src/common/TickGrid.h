#pragma once
// The tick grid: the rows of one query shown read-only in a grid (`flex`) with a
// fixed header row and a fixed selection column, a small array of check boxes laid
// over the selection column (one box beside each row on screen) and one tick flag
// per query row in module state (gExportFlags or gImportFlags), so that ticks
// survive scrolling while the few boxes serve whichever rows are in view. A label
// under the grid ticks every row. The approval, mid-term choice, submission and
// reception windows act on the flags, never on the boxes.
//
// Rows are counted as the grid counts them: row 0 is the header, data rows are
// 1..n, and flag i belongs to data row i. The grid keeps the values of its rows, so
// an operation reads a ticked row's values (hidden columns such as the rowid too)
// from the very row that carried the tick.
//
// The year spinner is the filter box of the windows that list one year: a box that
// takes no keys and two spin buttons, the upper one a year back, the lower one a
// year on.

#include "Controls.h"
#include "Db.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <functional>

class TickGridModel;

// The grid itself. The selection column is the grid's row header, so that it stays
// in place when the data columns scroll sideways. The grid scrolls by whole rows.
class TickGridView : public QTableView {
    Q_OBJECT
public:
    TickGridView(QWidget* parent, const QString& name);

    // Rows, the header row included.
    int Rows() const;
    // The first data row on screen (from 1); 0 when the grid has no data row.
    int TopRow() const;
    // Whether a row is wholly on screen (the header row always is).
    bool RowIsVisible(int row) const;
    // Heights and widths in twips. Every row has the height of the header row.
    int RowHeightTw(int row) const;
    int ColWidthTw(int col) const;
    void SetColWidthTw(int col, int twips);
    // A data column's width: `twips`, or more where its header or its values on
    // screen need more.
    void SetColWidthAtLeastTw(int col, int twips);
    // The current cell: row from 1, column 0 (the selection column) or a data column.
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void SetRow(int row);
    void SetCol(int col);
    // The text of the current cell, and of any cell (row 0: the headers).
    QString Text() const { return TextMatrix(m_row, m_col); }
    QString TextMatrix(int row, int col) const;

    // Brings the scroll area's inner geometry up to date even before the window is
    // first shown, so that row visibility is known at load.
    void SyncGeometry();

    // The user scrolled (or the program did): the top row may have changed.
    std::function<void()> Scroll;
    // The grid's size or scroll range changed: the boxes must be placed again.
    std::function<void()> Relaid;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    TickGridModel* tickModel() const;
    int m_row = 0;
    int m_col = 0;
    bool m_syncing = false;
};

// The grid, its boxes and the select-all label, in one container laid at the grid's
// place on the window (the label lies under the grid).
class TickGrid : public QWidget {
    Q_OBJECT
public:
    struct Options {
        QString boxName = QStringLiteral("chk");          // the box array: "chk_0" ...
        int boxCount = 8;
        QString selectAllCaption = QStringLiteral("全选(&A)");
        QVector<std::int16_t>* flags = nullptr;           // default: gExportFlags
    };

    // `left`, `top`: the grid's place on the window, in twips.
    TickGrid(QWidget* parent, int leftTw, int topTw, const Options& options);
    TickGrid(QWidget* parent, int leftTw, int topTw);

    TickGridView* flex = nullptr;
    VbLabel* Label1 = nullptr;
    QVector<VbCheckBox*> chk;

    // Columns of the query that the grid keeps but does not show (the rowid, say).
    void SetHiddenColumns(const QStringList& names);

    // Runs the query (values bound) and shows its rows, then makes new cleared flags
    // (SetDat) and lays the boxes (FillSelectionBoxes). Throws DbError when the query
    // fails; the grid is then empty and the flags are new all the same.
    void Load(DbConnection& connection, const QString& sql, const QVariantList& values = {});
    // Shows rows already read (a submitted file's table), with new cleared flags and
    // the boxes laid: the columns headed by their names, row i of `rows` as data row
    // i + 1. The grid shares the rows with the caller instead of copying them.
    void Show(const QStringList& names, const QList<QVariantList>& rows);
    // Shows no rows (the window's data could not be read) with new cleared flags.
    void Clear();
    int RecordCount() const;
    // A value of data row `row` (from 1) by the query's column name or alias,
    // hidden columns included; an invalid value when there is none.
    QVariant Value(int row, const QString& column) const;
    // The same by the column's place in the query (from 0), as ColumnOf finds it once
    // for many rows; -1 when there is no such column.
    int ColumnOf(const QString& column) const;
    QVariant Value(int row, int column) const;

    // The flag array: the window's own array of gExportFlags or gImportFlags.
    QVector<std::int16_t>& Flags() const { return *m_flags; }
    // Row numbers (from 1) whose flag is 1, ascending.
    QList<int> TickedRows() const;
    int TickedCount() const { return int(TickedRows().size()); }

    // New flags 0..nCount, all 0; gRowIndex := 0.
    void SetDat(int nCount);
    // Data rows on screen from the top row on, at most 7.
    int CountVisibleRows() const;
    // Places and shows the boxes for the rows on screen, all clear.
    void FillSelectionBoxes();
    // The boxes show the flags of the rows now on screen.
    void FlexScroll();
    // Ticks every row of the query, also rows never on screen.
    void SelectAll();
    // A box's click: its value goes into the flag of the row beside it.
    void chk_Click(int index);

    // The load layout: room for the header and seven data rows (and for the
    // horizontal scroll bar when the columns are wider than the grid), the
    // selection column's width, the select-all label 10 twips under the grid.
    void LayoutAtLoad(int selectColumnWidthTw = 500);
    // The window's resize: the grid is the window's width less `margins` times its
    // left (2.8 in most windows).
    void FitToWindowWidth(int windowWidthTw, double margins = 2.8);

private:
    void placeBoxes();
    void fitHeight();
    void fitContainer();

    TickGridModel* m_model = nullptr;
    QVector<std::int16_t>* m_flags = nullptr;
    int m_leftTw = 0;
    int m_topTw = 0;
};

// The year filter: `txtCondiYear` and the spin buttons `cmdSpin_0` ("^", a year back)
// and `cmdSpin_1` ("v", a year on), in the given parent (the condition frame).
class YearSpinner : public QObject {
    Q_OBJECT
public:
    // The box's place and size, in twips, inside the parent; the buttons stand to
    // the right of the box, the upper one level with its top.
    YearSpinner(QWidget* parent, int leftTw, int topTw, int boxWidthTw, int boxHeightTw, int spinLeftTw);

    VbTextBox* txtCondiYear = nullptr;
    VbButton* cmdSpin[2] = {nullptr, nullptr};

    // The year a window opens on, written as a signed number: one leading blank.
    void SetStartYear(int year);
    // The year as the filters use it: the box's text without leading blanks.
    QString Year() const;

    // One year back (index 0) or on (index 1), then Changed.
    void cmdSpin_Click(int index);
    std::function<void()> Changed;
};

// The condition frame " 条件设定 " of the tick-grid windows that list one year: the
// year's caption `Label3`, the year spinner and the row count `lblRecords1`. Without
// a year caption the frame has no caption and holds the row count alone (a window
// that lists every row).
class YearConditionFrame : public VbFrame {
    Q_OBJECT
public:
    YearConditionFrame(QWidget* parent, int leftTw, int topTw, const QString& yearCaption);

    VbLabel* Label3 = nullptr;       // nullptr without a year
    YearSpinner* year = nullptr;     // nullptr without a year
    VbLabel* lblRecords1 = nullptr;

    // The count as the window shows it after loading ("共有" and the number) and
    // after any later query ("库中共有 " and the number).
    void ShowCountAtLoad(int n);
    void ShowCount(int n);
};
