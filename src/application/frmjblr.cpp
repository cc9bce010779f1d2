#include "frmjblr.h"

#include "Failure.h"

frmjblr::frmjblr()
    : VbForm(QStringLiteral("frmjblr"))
{
}

void frmjblr::SetupUi()
{
    setWindowTitle(QStringLiteral("简表录入"));
    SetInnerSizeTw(8250, 5610);
}

void frmjblr::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmjblr::Form_Unload()
{
    m_db.Close();
    ReleaseMainWindow();
}
