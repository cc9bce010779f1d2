#pragma once
// Submission of mid-term records: the mid-term rows (xmpz) of one evaluation year in
// a tick grid; the ticked ones are written to a submission file.

#include "SubmissionForm.h"

class frmzqsjsb : public SubmissionForm {
    Q_OBJECT
public:
    frmzqsjsb();
};

namespace forms {
inline FormRef<::frmzqsjsb> frmzqsjsb;
}
