#pragma once
// What the approval window and the mid-term choice window share: an instruction
// above a tick grid of one start year's rows, the condition frame with the year
// spinner and the row count, the archive button, the confirm button and the exit
// button, the window's own connection, and the archive of the rows left unticked.
// Each window gives its design and its confirm step.

#include "Controls.h"
#include "Db.h"
#include "RecordLayouts.h"
#include "TickGrid.h"
#include "VbForm.h"

class ApprovalGridForm : public VbForm {
    Q_OBJECT
public:
    // New flags 0..nCount, all clear.
    void SetDat(int nCount);

    struct Design {
        QString caption;
        int widthTw = 0;
        int heightTw = 0;
        QString instruction;
        int instructionWidthTw = 0;
        bool instructionInRed = false;   // red bold 12-point type
        // The grid's query: its select (which ends in the rowid, kept but not shown)
        // and its year condition with its order, which binds the year.
        QString gridSelect;
        QString yearFilter;
        int frameTopTw = 0;
        // The archive and confirm buttons, one above the other, and the exit button
        // to their right, level with the upper one.
        int buttonsLeftTw = 0;
        int buttonsTopTw = 0;
        int exitLeftTw = 0;
        QString archiveCaption;
        bool archiveEnabled = true;
        QString confirmCaption;
        // The archive moves the unticked rows of `listed` into `archive`.
        const records::RecordLayout* listed = nullptr;
        const records::RecordLayout* archive = nullptr;
    };

protected:
    ApprovalGridForm(const QString& name, Design design);

    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

    virtual void cmdExportoA_Click() = 0;
    void cmdPvw_Click();
    void Cmdexit_Click();
    void cmdSpin_Changed();
    // Lists the rows of the year in the box, none ticked; a failure is shown.
    void LoadRows();
    // The same after a year change, with the count and the current column.
    void Requery();
    // Counts the ticks into gCheckedCount; none: says so and gives false.
    bool CountTicks();

    ControlPtr<VbLabel> Label2{this};
    ControlPtr<TickGrid> grid{this};
    ControlPtr<YearConditionFrame> Frame1{this};
    ControlPtr<VbButton> cmdPvw{this};
    ControlPtr<VbButton> cmdExportoA{this};
    ControlPtr<VbButton> Cmdexit{this};

    DbConnection m_db;

private:
    const Design m_design;
};
