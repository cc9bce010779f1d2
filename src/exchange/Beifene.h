#pragma once
// Placeholder until the window is built: its name, caption, size and the steps of
// its load and unload that the main window relies on. Its work comes later.
#include "VbForm.h"
#include "Db.h"

class Beifene : public VbForm {
    Q_OBJECT
public:
    Beifene();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    // The opened submission file, and "1" while one is open.
    DbConnection m_fileDb{QStringLiteral("Beifene-file")};
    QString m_fileOpen;
};

namespace forms {
inline FormRef<::Beifene> Beifene;
}
