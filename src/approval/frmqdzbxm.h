#pragma once
// The choice of the projects due for a mid-term report: the approved projects
// (xmsbpz) whose start year is the year in the condition frame, of every category, in
// a tick grid. "确  定" copies every ticked project into the mid-term table xmpz with
// the current calendar year as its year, in one transaction; a project already
// chosen for that year is not copied again. The approved rows stay as they are.

#include "ApprovalGridForm.h"

class frmqdzbxm : public ApprovalGridForm {
    Q_OBJECT
public:
    frmqdzbxm();

protected:
    void cmdExportoA_Click() override;
};

namespace forms {
inline FormRef<::frmqdzbxm> frmqdzbxm;
}
