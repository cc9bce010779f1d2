#pragma once
// The operators of table login, kept in an editable grid over a data control, with
// buttons to add, save, delete, discard and close.

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "VbForm.h"

class frmuser : public VbForm {
    Q_OBJECT
public:
    frmuser();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

private:
    void cmdAdd_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdRefresh_Click();
    void cmdClose_Click();
    void datPrimaryRS_MoveComplete();

    ControlPtr<DataGrid> grdDataGrid{this};
    ControlPtr<DataControl> datPrimaryRS{this};
    ControlPtr<QFrame> picButtons{this};
    ControlPtr<VbButton> cmdAdd{this};
    ControlPtr<VbButton> cmdUpdate{this};
    ControlPtr<VbButton> cmdDelete{this};
    ControlPtr<VbButton> cmdRefresh{this};
    ControlPtr<VbButton> cmdClose{this};
};

namespace forms {
inline FormRef<::frmuser> frmuser;
}
