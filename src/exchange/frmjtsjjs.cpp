#include "frmjtsjjs.h"

frmjtsjjs::frmjtsjjs()
    : VbForm(QStringLiteral("frmjtsjjs"))
{
}

void frmjtsjjs::SetupUi()
{
    setWindowTitle(QStringLiteral("接收结题数据"));
    SetInnerSizeTw(8250, 5610);
}

void frmjtsjjs::Form_Load()
{
    CentreOnMain(*this);
}

void frmjtsjjs::Form_Unload()
{
    if (m_fileOpen == QLatin1String("1"))
        m_fileDb.Close();
    ReleaseMainWindow();
}
