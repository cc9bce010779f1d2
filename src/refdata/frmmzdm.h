#pragma once
// Code-table window of the ethnic groups; no menu opens it.
#include "CodeTableWindow.h"

class frmmzdm : public CodeTableWindow {
    Q_OBJECT
public:
    frmmzdm();
};

namespace forms {
inline FormRef<::frmmzdm> frmmzdm;
}
