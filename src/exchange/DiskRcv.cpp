#include "DiskRcv.h"

DiskRcv::DiskRcv()
    : VbForm(QStringLiteral("DiskRcv"))
{
}

void DiskRcv::SetupUi()
{
    setWindowTitle(QStringLiteral("数据恢复"));
    SetInnerSizeTw(8250, 5610);
}

void DiskRcv::Form_Load()
{
    CentreOnMain(*this);
}

void DiskRcv::Form_Unload()
{
    ReleaseMainWindow();
}
