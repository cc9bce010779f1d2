#pragma once
// The approval-number window: each approved application of a start year gets its
// approval number and approved amount. An edit updates the shown row in place; the
// start and end months and the year stay as the approval left them. The window
// offers no new records: one would have no start month and so belong to no year.
#include "ProjectRecordForm.h"

class frmlrpzh : public ProjectRecordForm {
    Q_OBJECT
public:
    frmlrpzh();

protected:
    QList<QPair<QString, QVariant>> EditedValues() const override;
};

namespace forms {
inline FormRef<::frmlrpzh> frmlrpzh;
}
