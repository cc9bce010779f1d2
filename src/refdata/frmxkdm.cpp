#include "frmxkdm.h"

frmxkdm::frmxkdm()
    : VbForm(QStringLiteral("frmxkdm"))
{
}

void frmxkdm::SetupUi()
{
    setWindowTitle(QStringLiteral("学科代码管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmxkdm::Form_Load() { CentreOnMain(*this); }

void frmxkdm::Form_Unload() { ReleaseMainWindow(); }
