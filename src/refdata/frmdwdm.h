#pragma once
// Code-table window of the units.
#include "CodeTableWindow.h"

class frmdwdm : public CodeTableWindow {
    Q_OBJECT
public:
    frmdwdm();
};

namespace forms {
inline FormRef<::frmdwdm> frmdwdm;
}
