#pragma once
// The start window: offers the three project categories, reads the applicant unit's
// name and checks the operator against table login before it opens the main window.
// The main window shows it again for a log-off; it then loads anew.
//
// Control arrays are single controls whose object name carries the index:
// "OptLb_0", "OptLb_1", "OptLb_2" (the category options) and "lblLabels_0",
// "lblLabels_1" (the captions of the two boxes).

#include "Controls.h"
#include "Db.h"
#include "VbForm.h"


class frmLogin : public VbForm {
    Q_OBJECT
public:
    frmLogin();

    VbTextBox* txtUserName() const { return m_txtUserName; }
    VbTextBox* txtPassword() const { return m_txtPassword; }
    VbButton* cmdOK() const { return m_cmdOK; }
    VbButton* cmdCancel() const { return m_cmdCancel; }
    VbOption* OptLb(int index) const;

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void OptLb_Click(int index);

    DbConnection m_db{QStringLiteral("frmLogin")};

    ControlPtr<VbPicture> m_picture{this};   // the window's background picture
    ControlPtr<VbLabel> m_lblLabels[2]{ControlPtr<VbLabel>(this), ControlPtr<VbLabel>(this)};
    ControlPtr<VbTextBox> m_txtUserName{this};
    ControlPtr<VbTextBox> m_txtPassword{this};
    ControlPtr<VbButton> m_cmdOK{this};
    ControlPtr<VbButton> m_cmdCancel{this};
    ControlPtr<VbPicture> m_pic1{this};
    ControlPtr<VbOption> m_optLb[3]{ControlPtr<VbOption>(this), ControlPtr<VbOption>(this),
                                    ControlPtr<VbOption>(this)};
};

namespace forms {
inline FormRef<::frmLogin> frmLogin;
}
