#include "frmzqsjsb.h"

#include "ModVar.h"
#include "Workspace.h"

frmzqsjsb::frmzqsjsb()
    : VbForm(QStringLiteral("frmzqsjsb"))
{
}

void frmzqsjsb::SetupUi()
{
    setWindowTitle(QStringLiteral("中期数据上报"));
    SetInnerSizeTw(8250, 5610);
}

void frmzqsjsb::Form_Load()
{
    CentreOnMain(*this);
    gWorkspace = Workspace::DefaultWorkspace();
}

void frmzqsjsb::Form_Unload()
{
    if (gWorkspace)
        gWorkspace->Close();
    gWorkspace.reset();
    ReleaseMainWindow();
}
