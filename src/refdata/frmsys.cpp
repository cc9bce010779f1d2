#include "frmsys.h"

frmsys::frmsys()
    : VbForm(QStringLiteral("frmsys"))
{
}

void frmsys::SetupUi()
{
    setWindowTitle(QStringLiteral("实验室代码管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmsys::Form_Load() { CentreOnMain(*this); }

void frmsys::Form_Unload() { ReleaseMainWindow(); }
