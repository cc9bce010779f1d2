#pragma once
// The about box: the system's name, version and a greeting, and a button that starts
// the operating system's system-information program where there is one.

#include "Controls.h"
#include "VbForm.h"

#include <QPointer>

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
    QPointer<VbPicture> m_picIcon;
    QPointer<VbLabel> m_lblTitle;
    QPointer<VbLabel> m_lblVersion;
};

namespace forms {
inline FormRef<::frmAbout> frmAbout;
}
