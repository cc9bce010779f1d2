#include "frmqdzbxm.h"

#include "Failure.h"
#include "ModVar.h"
#include "Workspace.h"

frmqdzbxm::frmqdzbxm()
    : VbForm(QStringLiteral("frmqdzbxm"))
{
}

void frmqdzbxm::SetupUi()
{
    setWindowTitle(QStringLiteral("确定中报项目"));
    SetInnerSizeTw(10905, 5865);
}

void frmqdzbxm::Form_Load()
{
    CentreOnMain(*this);
    gWorkspace = Workspace::DefaultWorkspace();
    OpenWindowConnection(m_db);
}

void frmqdzbxm::Form_Unload()
{
    if (gWorkspace)
        gWorkspace->Close();
    gWorkspace.reset();
    m_db.Close();
    ReleaseMainWindow();
}
