#include "frmdwdm.h"

frmdwdm::frmdwdm()
    : VbForm(QStringLiteral("frmdwdm"))
{
}

void frmdwdm::SetupUi()
{
    setWindowTitle(QStringLiteral("单位代码管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmdwdm::Form_Load() { CentreOnMain(*this); }

void frmdwdm::Form_Unload() { ReleaseMainWindow(); }
