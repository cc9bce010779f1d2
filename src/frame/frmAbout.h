#pragma once
// The about box: the system's name, version and a greeting, and a button that starts
// the operating system's system-information program where there is one.

#include "Controls.h"
#include "VbForm.h"


class frmAbout : public VbForm {
    Q_OBJECT
public:
    frmAbout();

    // Starts the system-information program found through the registry; when there
    // is none, or it cannot be started, says "此时系统信息不可用".
    void StartSysInfo();

protected:
    void SetupUi() override;
    void Form_Load() override;

private:
    ControlPtr<VbPicture> m_picIcon{this};
    ControlPtr<VbLabel> m_lblTitle{this};
    ControlPtr<VbLabel> m_lblVersion{this};
};

namespace forms {
inline FormRef<::frmAbout> frmAbout;
}
