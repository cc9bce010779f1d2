#include "frmjtsjsb.h"

#include "ModVar.h"
#include "Workspace.h"

frmjtsjsb::frmjtsjsb()
    : VbForm(QStringLiteral("frmjtsjsb"))
{
}

void frmjtsjsb::SetupUi()
{
    setWindowTitle(QStringLiteral("结题数据上报"));
    SetInnerSizeTw(8250, 5610);
}

void frmjtsjsb::Form_Load()
{
    CentreOnMain(*this);
    gWorkspace = Workspace::DefaultWorkspace();
}

void frmjtsjsb::Form_Unload()
{
    if (gWorkspace)
        gWorkspace->Close();
    gWorkspace.reset();
    ReleaseMainWindow();
}
