#pragma once
// Placeholder until the window is built: its name, caption, size and the steps of
// its load and unload that the main window relies on. Its work comes later.
#include "VbForm.h"

class DiskBu : public VbForm {
    Q_OBJECT
public:
    DiskBu();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;
};

namespace forms {
inline FormRef<::DiskBu> DiskBu;
}
