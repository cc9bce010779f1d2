#pragma once
// Code-table window of the humanities and social-science research bases.
#include "CodeTableWindow.h"

class frmrwjd : public CodeTableWindow {
    Q_OBJECT
public:
    frmrwjd();
};

namespace forms {
inline FormRef<::frmrwjd> frmrwjd;
}
