#include "frmuser.h"

frmuser::frmuser()
    : VbForm(QStringLiteral("frmuser"))
{
}

void frmuser::SetupUi()
{
    setWindowTitle(QStringLiteral("操作员设置"));
    SetInnerSizeTw(8250, 5610);
}

void frmuser::Form_Load() { CentreOnMain(*this); }

void frmuser::Form_Unload() {  }
