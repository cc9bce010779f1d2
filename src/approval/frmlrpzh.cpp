#include "frmlrpzh.h"

#include "Failure.h"

frmlrpzh::frmlrpzh()
    : VbForm(QStringLiteral("frmlrpzh"))
{
}

void frmlrpzh::SetupUi()
{
    setWindowTitle(QStringLiteral("录入批准号"));
    SetInnerSizeTw(8250, 5610);
}

void frmlrpzh::Form_Load()
{
    CentreOnMain(*this);
    OpenWindowConnection(m_db);
}

void frmlrpzh::Form_Unload()
{
    m_db.Close();
    ReleaseMainWindow();
}
