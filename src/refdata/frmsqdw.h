#pragma once
// The applicant unit of this installation: the one row of table sqdm, shown and
// edited in seven boxes bound to a hidden data control. The unit code can be typed
// (its name is then looked up in the unit code table) or picked by name from a list.

#include "Controls.h"
#include "DataControl.h"
#include "FieldTable.h"
#include "Recordset.h"
#include "Report.h"
#include "VbForm.h"

#include <memory>

class frmsqdw : public VbForm {
    Q_OBJECT
public:
    frmsqdw();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void UnlockFields();
    void BeginEdit();

    void cmdAdd_Click();
    void Cmdprev_Click();
    void Cmdupd_Click();
    void Cmdexit_Click();

    void Field_Change();
    void dwdm_Click();
    void dwdm_DblClick();
    void dwdm_LostFocus();
    void dwdm_KeyPress(int& keyAscii);
    void dwmc_LostFocus();
    void dwmc_KeyPress(int& keyAscii);
    void yzbm_KeyPress(int& keyAscii);
    void e_mail_KeyPress(int& keyAscii);
    void Lstdwdm_Click();

    // Fills code and name from the first unit of the code table that matches.
    bool FindUnit(int column, const QString& value);

    ControlPtr<VbLabel> Label7{this};
    ControlPtr<VbLabel> Label1{this};
    ControlPtr<VbFrame> Frame1{this};
    ControlPtr<VbTextBox> dwdm{this};
    ControlPtr<VbTextBox> dwmc{this};
    ControlPtr<VbTextBox> yzbm{this};
    ControlPtr<VbTextBox> lxr{this};
    ControlPtr<VbTextBox> dhhm{this};
    ControlPtr<VbTextBox> czhm{this};
    ControlPtr<VbTextBox> e_mail{this};
    ControlPtr<VbListBox> Lstdwdm{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbButton> cmdAdd{this};
    ControlPtr<VbButton> Cmdprev{this};
    ControlPtr<VbButton> Cmdupd{this};
    ControlPtr<VbButton> Cmdexit{this};
    ControlPtr<DataControl> data1{this};
    ControlPtr<ReportControl> rptsq{this};

    // The seven boxes of the unit's row.
    FieldBoxes m_fields;
    std::unique_ptr<DbConnection> m_conn;
    Recordset UnitRecordset;
    // The unit list Lstdwdm has been filled (once per opening of the window).
    bool UnitListFlag = false;
};

namespace forms {
inline FormRef<::frmsqdw> frmsqdw;
}
