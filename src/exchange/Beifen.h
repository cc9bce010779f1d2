#pragma once
// Submission of applications: the applications (xmsb) of one start year, of every
// category, in a tick grid; the ticked ones are written to a submission file.

#include "SubmissionForm.h"

class Beifen : public SubmissionForm {
    Q_OBJECT
public:
    Beifen();
};

namespace forms {
inline FormRef<::Beifen> Beifen;
}
