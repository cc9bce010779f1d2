#pragma once
// Reception of completion reports: the ticked rows of a submitted file of completion
// reports replace the reports of the same name, leader and approval number, or are added.

#include "ReceptionForm.h"

class frmjtsjjs : public ReceptionForm {
    Q_OBJECT
public:
    frmjtsjjs();
};

namespace forms {
inline FormRef<::frmjtsjjs> frmjtsjjs;
}
