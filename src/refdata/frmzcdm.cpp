#include "frmzcdm.h"

frmzcdm::frmzcdm()
    : VbForm(QStringLiteral("frmzcdm"))
{
}

void frmzcdm::SetupUi()
{
    setWindowTitle(QStringLiteral("职称代码管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmzcdm::Form_Load() { CentreOnMain(*this); }

void frmzcdm::Form_Unload() { ReleaseMainWindow(); }
