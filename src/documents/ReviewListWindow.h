#pragma once
// The two review windows over the applications of the login's category (project
// deletion and suggested amounts): a grid fed by a hidden data control, one action
// button, the four move buttons with their end messages, and exit. What the action
// does, and where the rows come from, is each window's own.

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "VbForm.h"

struct ReviewListMember {
    QString caption;
    QString actionCaption;   // the caption of Cmdupd
    QList<GridColumn> columns;
};

class ReviewListWindow : public VbForm {
    Q_OBJECT
public:
    ReviewListWindow(const QString& formName, ReviewListMember member);

protected:
    void SetupUi() override;

    // The action button.
    virtual void Cmdupd_Click() = 0;

    // The category's query text: every column of xmsb, its rowid as `xmsb_rowid`
    // first, so that an action reaches exactly the row chosen in the grid.
    static QString CategoryQuery(const QString& from, const QString& order);

    Recordset& Rs() { return data1->Rs(); }

    ControlPtr<DataGrid> DataGrid1{this};
    ControlPtr<DataControl> data1{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbButton> Cmdupd{this};
    ControlPtr<VbButton> Cmdfst{this};
    ControlPtr<VbButton> Cmdpre{this};
    ControlPtr<VbButton> Cmdnxt{this};
    ControlPtr<VbButton> Cmdlst{this};
    ControlPtr<VbButton> Cmdexit{this};

private:
    ReviewListMember m;
};
