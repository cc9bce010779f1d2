#pragma once
// Submission of completion reports: every completion report (xmjt), latest actual
// completion first, in a tick grid; the ticked ones are written to a submission file.

#include "SubmissionForm.h"

class frmjtsjsb : public SubmissionForm {
    Q_OBJECT
public:
    frmjtsjsb();
};

namespace forms {
inline FormRef<::frmjtsjsb> frmjtsjsb;
}
