#include "Beifene.h"

Beifene::Beifene()
    : VbForm(QStringLiteral("Beifene"))
{
}

void Beifene::SetupUi()
{
    setWindowTitle(QStringLiteral("接收上报数据"));
    SetInnerSizeTw(8250, 5610);
}

void Beifene::Form_Load()
{
    CentreOnMain(*this);
}

void Beifene::Form_Unload()
{
    if (m_fileOpen == QLatin1String("1"))
        m_fileDb.Close();
    ReleaseMainWindow();
}
