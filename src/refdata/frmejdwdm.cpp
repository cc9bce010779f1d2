#include "frmejdwdm.h"

frmejdwdm::frmejdwdm()
    : VbForm(QStringLiteral("frmejdwdm"))
{
}

void frmejdwdm::SetupUi()
{
    setWindowTitle(QStringLiteral("二级申请单位代码管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmejdwdm::Form_Load() { CentreOnMain(*this); }

void frmejdwdm::Form_Unload() { ReleaseMainWindow(); }
