#include "frmylb.h"

frmylb::frmylb()
    : VbForm(QStringLiteral("frmylb"))
{
}

void frmylb::SetupUi()
{
    setWindowTitle(QStringLiteral("生成项目申报一览表"));
    SetInnerSizeTw(8250, 5610);
}

void frmylb::Form_Load()
{
    CentreOnMain(*this);
}

void frmylb::Form_Unload()
{
    // Opened without disabling the main window: it enables the main window only
    // when no window that disables it is open.
    ReleaseMainWindowUnlessLocked(*this);
}
