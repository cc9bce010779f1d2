#pragma once
// The progress-evaluation window: the projects of a year's mid-term report, each
// with its evaluation, edited or added. An edit rewrites the shown row whole, as a
// new record would be stored, in the year shown.
#include "ProjectRecordForm.h"

class frmzqjzpj : public ProjectRecordForm {
    Q_OBJECT
public:
    frmzqjzpj();

protected:
    void SetupUi() override;
    QList<QPair<QString, QVariant>> EditedValues() const override;

private:
    void txtqssj_KeyPress(int& keyAscii);
    void txtzzsj_KeyPress(int& keyAscii);
    void CheckStartMonth(bool enter);
    void CheckEndMonth(bool enter);
};

namespace forms {
inline FormRef<::frmzqjzpj> frmzqjzpj;
}
