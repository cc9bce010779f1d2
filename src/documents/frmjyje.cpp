#include "frmjyje.h"

#include "Failure.h"

frmjyje::frmjyje()
    : VbForm(QStringLiteral("frmjyje"))
{
}

void frmjyje::SetupUi()
{
    setWindowTitle(QStringLiteral("录入建议金额"));
    SetInnerSizeTw(8250, 5610);
}

void frmjyje::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmjyje::Form_Unload()
{
    m_db.Close();
    ReleaseMainWindow();
}
