#pragma once
// Code-table window of the secondary applicant units (departments).
#include "CodeTableWindow.h"

class frmejdwdm : public CodeTableWindow {
    Q_OBJECT
public:
    frmejdwdm();
};

namespace forms {
inline FormRef<::frmejdwdm> frmejdwdm;
}
