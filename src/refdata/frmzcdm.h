#pragma once
// Placeholder until the window is built: its name, caption and life cycle.
#include "VbForm.h"

class frmzcdm : public VbForm {
    Q_OBJECT
public:
    frmzcdm();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;
};

namespace forms {
inline FormRef<::frmzcdm> frmzcdm;
}
