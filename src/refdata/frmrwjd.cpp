#include "frmrwjd.h"

frmrwjd::frmrwjd()
    : VbForm(QStringLiteral("frmrwjd"))
{
}

void frmrwjd::SetupUi()
{
    setWindowTitle(QStringLiteral("所属人文、社科研究基地代码管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmrwjd::Form_Load() { CentreOnMain(*this); }

void frmrwjd::Form_Unload() { ReleaseMainWindow(); }
