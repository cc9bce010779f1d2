#include "frmpzcx.h"

#include "Failure.h"

frmpzcx::frmpzcx()
    : VbForm(QStringLiteral("frmpzcx"))
{
}

void frmpzcx::SetupUi()
{
    setWindowTitle(QStringLiteral("已批准项目浏览"));
    SetInnerSizeTw(8250, 5610);
}

void frmpzcx::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmpzcx::Form_Unload()
{
    m_db.Close();
    ReleaseMainWindow();
}
