#pragma once
// Placeholder until the window is built: its name, caption, size and the steps of
// its load and unload that the main window relies on. Its work comes later.
#include "VbForm.h"
#include "Db.h"

class frmlrpzh : public VbForm {
    Q_OBJECT
public:
    frmlrpzh();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    DbConnection m_db{QStringLiteral("frmlrpzh")};
};

namespace forms {
inline FormRef<::frmlrpzh> frmlrpzh;
}
