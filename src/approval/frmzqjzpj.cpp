#include "frmzqjzpj.h"

#include "Failure.h"

frmzqjzpj::frmzqjzpj()
    : VbForm(QStringLiteral("frmzqjzpj"))
{
}

void frmzqjzpj::SetupUi()
{
    setWindowTitle(QStringLiteral("项目进展评价"));
    SetInnerSizeTw(8250, 5610);
}

void frmzqjzpj::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmzqjzpj::Form_Unload()
{
    m_db.Close();
    ReleaseMainWindow();
}
