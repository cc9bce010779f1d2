#pragma once
// The life cycle of a window around a tick grid of one query on the window's own
// connection, with the condition frame `Frame1` under it: opening clears the ticks,
// opens the connection, shows the start year, lists the rows and makes the
// connection the workspace in which the window's operations run; closing closes
// the connection again. A year change lists the rows again.
//
// Each window builds its controls (SetupUi makes `grid` and `Frame1` among them)
// and says how its rows are read.

#include "Db.h"
#include "TickGrid.h"
#include "VbForm.h"

#include <QList>
#include <QPair>

class TickGridForm : public VbForm {
    Q_OBJECT
public:
    // New flags 0..nCount, all clear.
    void SetDat(int nCount);

protected:
    // `startYearOffset`: the year shown on opening is this year plus it.
    // `columnWidths`: widths (twips) of the data columns that do not keep the
    // default width at load.
    explicit TickGridForm(const QString& name, int startYearOffset = 0, QList<QPair<int, int>> columnWidths = {});

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

    void Cmdexit_Click();
    // Reads the grid's rows (grid->Load on m_db); throws when the query fails.
    virtual void LoadGrid() = 0;
    // Lists the rows of the year in the box, none ticked; a failure is shown.
    void LoadRows();
    // The same after a year change, with the count and the current column.
    void Requery();

    ControlPtr<TickGrid> grid{this};
    ControlPtr<YearConditionFrame> Frame1{this};

    // The grid's connection; while the window is open it is gWorkspace, in which the
    // window's operations run.
    DbConnection m_db;

private:
    const int m_startYearOffset;
    const QList<QPair<int, int>> m_columnWidths;
};
