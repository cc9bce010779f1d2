#include "frmxmsc.h"

#include "Failure.h"

frmxmsc::frmxmsc()
    : VbForm(QStringLiteral("frmxmsc"))
{
}

void frmxmsc::SetupUi()
{
    setWindowTitle(QStringLiteral("项目删除"));
    SetInnerSizeTw(8250, 5610);
}

void frmxmsc::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmxmsc::Form_Unload()
{
    // Opened without disabling the main window: it enables the main window only
    // when no window that disables it is open.
    ReleaseMainWindowUnlessLocked(*this);
    m_db.Close();
}
