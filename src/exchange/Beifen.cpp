#include "Beifen.h"

#include "ModVar.h"
#include "Workspace.h"

Beifen::Beifen()
    : VbForm(QStringLiteral("Beifen"))
{
}

void Beifen::SetupUi()
{
    setWindowTitle(QStringLiteral("申报数据上报"));
    SetInnerSizeTw(8250, 5610);
}

void Beifen::Form_Load()
{
    CentreOnMain(*this);
    gWorkspace = Workspace::DefaultWorkspace();
}

void Beifen::Form_Unload()
{
    if (gWorkspace)
        gWorkspace->Close();
    gWorkspace.reset();
    ReleaseMainWindow();
}
