#include "DiskBu.h"

DiskBu::DiskBu()
    : VbForm(QStringLiteral("DiskBu"))
{
}

void DiskBu::SetupUi()
{
    setWindowTitle(QStringLiteral("数据备份"));
    SetInnerSizeTw(8250, 5610);
}

void DiskBu::Form_Load()
{
    CentreOnMain(*this);
}

void DiskBu::Form_Unload()
{
    ReleaseMainWindow();
}
