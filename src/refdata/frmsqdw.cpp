#include "frmsqdw.h"

frmsqdw::frmsqdw()
    : VbForm(QStringLiteral("frmsqdw"))
{
}

void frmsqdw::SetupUi()
{
    setWindowTitle(QStringLiteral("申请单位管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmsqdw::Form_Load() { CentreOnMain(*this); }

void frmsqdw::Form_Unload() { ReleaseMainWindow(); }
