#pragma once
// Reception of applications: the ticked rows of a submitted file of applications
// replace the applications of the same name, leader and application date, or are added.

#include "ReceptionForm.h"

class Beifene : public ReceptionForm {
    Q_OBJECT
public:
    Beifene();
};

namespace forms {
inline FormRef<::Beifene> Beifene;
}
