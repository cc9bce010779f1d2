#include "frmmzdm.h"

frmmzdm::frmmzdm()
    : VbForm(QStringLiteral("frmmzdm"))
{
}

void frmmzdm::SetupUi()
{
    setWindowTitle(QStringLiteral("民族代码管理"));
    SetInnerSizeTw(8250, 5610);
}

void frmmzdm::Form_Load() { CentreOnMain(*this); }

void frmmzdm::Form_Unload() { ReleaseMainWindow(); }
