#pragma once
// Code-table window of the professional titles.
#include "CodeTableWindow.h"

class frmzcdm : public CodeTableWindow {
    Q_OBJECT
public:
    frmzcdm();
};

namespace forms {
inline FormRef<::frmzcdm> frmzcdm;
}
