#pragma once
// Project approval and archiving: the applications (xmsb) whose start year is the
// year in the condition frame, of every category, in a tick grid. "批  准" moves the
// ticked applications into the approved table xmsbpz; "未批准项目归档" moves every
// application of the year that is not ticked into the archive xmsbwpz. Each of the
// two is one transaction: every row moves, or none does.

#include "ApprovalGridForm.h"

class frmxmpz : public ApprovalGridForm {
    Q_OBJECT
public:
    frmxmpz();

protected:
    void cmdExportoA_Click() override;
};

namespace forms {
inline FormRef<::frmxmpz> frmxmpz;
}
