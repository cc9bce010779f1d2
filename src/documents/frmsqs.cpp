#include "frmsqs.h"

frmsqs::frmsqs()
    : VbForm(QStringLiteral("frmsqs"))
{
}

void frmsqs::SetupUi()
{
    setWindowTitle(QStringLiteral("生成申请书"));
    SetInnerSizeTw(8250, 5610);
}

void frmsqs::Form_Load()
{
    CentreOnMain(*this);
}

void frmsqs::Form_Unload()
{
    // Opened without disabling the main window: it enables the main window only
    // when no window that disables it is open.
    ReleaseMainWindowUnlessLocked(*this);
}
