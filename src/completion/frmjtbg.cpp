#include "frmjtbg.h"

#include "Failure.h"

frmjtbg::frmjtbg()
    : VbForm(QStringLiteral("frmjtbg"))
{
}

void frmjtbg::SetupUi()
{
    setWindowTitle(QStringLiteral("Oskavelvero科研计划项目结题"));
    SetInnerSizeTw(8250, 5610);
}

void frmjtbg::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmjtbg::Form_Unload()
{
    m_db.Close();
    ReleaseMainWindow();
}
