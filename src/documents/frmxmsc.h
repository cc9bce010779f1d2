#pragma once
// Project deletion: the category's applications in a grid; "删  除" deletes the
// application of the current grid row after a question, and only that one.
#include "Db.h"
#include "ReviewListWindow.h"

class frmxmsc : public ReviewListWindow {
    Q_OBJECT
public:
    frmxmsc();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Cmdupd_Click() override;

private:
    // Runs the category's query on data1 in the given order and stands on the first row.
    void ShowCategory(const QString& order);

    DbConnection m_db{QStringLiteral("frmxmsc")};
};

namespace forms {
inline FormRef<::frmxmsc> frmxmsc;
}
