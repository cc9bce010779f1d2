#pragma once
// Suggested amounts: the category's applications in a grid in which only the
// suggested amount can be typed; "保  存" writes the amounts into jyje.
//
// What is typed lives in a scratch copy of the category's rows, a temporary table of
// the window's own connection, until it is saved; closing the window without saving
// drops it with the connection. The save writes each row's amount, as a number, into
// the application that row came from (by rowid), all in one transaction.
#include "Db.h"
#include "ReviewListWindow.h"

class frmjyje : public ReviewListWindow {
    Q_OBJECT
public:
    frmjyje();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Cmdupd_Click() override;

private:
    DbConnection m_db{QStringLiteral("frmjyje")};
};

// The amount a grid cell holds, as it is stored: a number, or no value for an
// empty cell.
QVariant SuggestedAmount(const QVariant& cell);

namespace forms {
inline FormRef<::frmjyje> frmjyje;
}
