#include "frmxmpz.h"

#include "Failure.h"
#include "ModVar.h"
#include "Workspace.h"

frmxmpz::frmxmpz()
    : VbForm(QStringLiteral("frmxmpz"))
{
}

void frmxmpz::SetupUi()
{
    setWindowTitle(QStringLiteral("项目批准管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmxmpz::Form_Load()
{
    CentreOnMain(*this);
    gWorkspace = Workspace::DefaultWorkspace();
    OpenWindowConnection(m_db);
}

void frmxmpz::Form_Unload()
{
    if (gWorkspace)
        gWorkspace->Close();
    gWorkspace.reset();
    m_db.Close();
    ReleaseMainWindow();
}
