#pragma once
// Code-table window of the key laboratories.
#include "CodeTableWindow.h"

class frmsys : public CodeTableWindow {
    Q_OBJECT
public:
    frmsys();
};

namespace forms {
inline FormRef<::frmsys> frmsys;
}
