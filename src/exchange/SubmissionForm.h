#pragma once
// What the three submission windows share: an instruction above a tick grid of one
// table's rows (of one year, or all of them), the condition frame with the row
// count, the drive frame, and the write, preview and exit buttons. The write button
// hands PackData the rows that carry the ticks, by the rowids the grid holds; the
// file goes to a new name on the medium that stands for drive A:.
// Each window gives its design.

#include "Controls.h"
#include "SubmissionFile.h"
#include "TickGridForm.h"

#include <QList>
#include <QPair>

class SubmissionForm : public TickGridForm {
    Q_OBJECT
public:
    struct Design {
        QString caption;
        int widthTw = 0;
        int heightTw = 0;
        QString table;         // the table written, and the name of the file's table
        QString gridColumns;   // the grid's columns with their headers (aliases)
        // The year filter: the caption of the year box and the condition that binds
        // the year; an empty caption lists every row.
        QString yearCaption;
        QString yearCondition;
        int startYearOffset = 0;   // the year shown on opening: this year plus it
        QString orderBy;
        QString filePrefix;        // the submission file's name before its number
        QString exportCaption;
        // Widths (twips) of the data columns that do not keep the default width.
        QList<QPair<int, int>> columnWidths;
    };

protected:
    SubmissionForm(const QString& name, Design design);

    void SetupUi() override;
    void LoadGrid() override;

    void cmdExportoA_Click();
    void cmdPvw_Click();
    // The rows the grid lists.
    RowQuery Query() const;

    ControlPtr<VbLabel> Label2{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbOption> Option1{this};
    ControlPtr<VbOption> Option2{this};
    ControlPtr<VbButton> cmdExportoA{this};
    ControlPtr<VbButton> cmdPvw{this};
    ControlPtr<VbButton> Cmdexit{this};

private:
    const Design m_design;
};
