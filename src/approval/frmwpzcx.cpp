#include "frmwpzcx.h"

#include "Failure.h"

frmwpzcx::frmwpzcx()
    : VbForm(QStringLiteral("frmwpzcx"))
{
}

void frmwpzcx::SetupUi()
{
    setWindowTitle(QStringLiteral("未批准项目浏览"));
    SetInnerSizeTw(8250, 5610);
}

void frmwpzcx::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmwpzcx::Form_Unload()
{
    m_db.Close();
    ReleaseMainWindow();
}
