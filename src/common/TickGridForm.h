#pragma once
// The life cycle of the tick-grid windows.
//
// TickGridWindow: every window around a tick grid. Opening it clears the ticks
// first, centres it on the main window, fits the grid to its width, shows the rows
// it lists and lays the grid out for them; a resize fits the grid to the width
// again; closing it enables the main window. Each window says what its opening does
// before the grid is fitted and which rows it shows.
//
// TickGridForm: a tick-grid window whose grid lists one query on the window's own
// connection, with the condition frame `Frame1` under it: opening opens the
// connection, shows the start year, lists the rows and makes the connection the
// workspace in which the window's operations run; closing closes the connection
// again. A year change lists the rows again.
//
// Each window builds its controls (SetupUi makes `grid`, and for a TickGridForm
// `Frame1`, among them).

#include "Db.h"
#include "TickGrid.h"
#include "VbForm.h"

#include <QList>
#include <QPair>

class TickGridWindow : public VbForm {
    Q_OBJECT
public:
    // New flags 0..nCount, all clear.
    void SetDat(int nCount);

protected:
    // `margins`: the grid is the window's width less this many times its left.
    // `firstColumn`: the grid's current column once the window is open.
    TickGridWindow(const QString& name, double margins, int firstColumn);

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

    void Cmdexit_Click();
    // The window's own steps of opening, after it is centred and before the grid is
    // fitted to its width.
    virtual void OpenWindow() {}
    // Shows the rows the window lists on opening (the flags are new and clear).
    virtual void ShowRows() = 0;

    ControlPtr<TickGrid> grid{this};

private:
    const double m_margins;
    const int m_firstColumn;
};

class TickGridForm : public TickGridWindow {
    Q_OBJECT
protected:
    // `startYearOffset`: the year shown on opening is this year plus it.
    // `columnWidths`: widths (twips) of the data columns that do not keep the
    // default width at load.
    explicit TickGridForm(const QString& name, int startYearOffset = 0, QList<QPair<int, int>> columnWidths = {});

    void Form_Unload() override;

    // Reads the grid's rows (grid->Load on m_db); throws when the query fails.
    virtual void LoadGrid() = 0;
    // Lists the rows of the year in the box, none ticked; a failure is shown.
    void LoadRows();
    // The same after a year change, with the count and the current column.
    void Requery();

    ControlPtr<YearConditionFrame> Frame1{this};

    // The grid's connection; while the window is open it is gWorkspace, in which the
    // window's operations run.
    DbConnection m_db;

private:
    void OpenWindow() override;
    void ShowRows() override;

    const int m_startYearOffset;
    const QList<QPair<int, int>> m_columnWidths;
    bool m_opened = false;
};
