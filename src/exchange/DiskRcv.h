#pragma once
// Restore: the database replaced by a backup that the user chooses. The window holds
// no connection to the database; the restore is refused while another window holds
// one, and a failure leaves the old database in place.

#include "Controls.h"
#include "VbForm.h"

class DiskRcv : public VbForm {
    Q_OBJECT
public:
    DiskRcv();

    ControlPtr<VbLabel> Label1{this};
    ControlPtr<VbLabel> Label3{this};
    ControlPtr<VbLabel> Label2{this};
    ControlPtr<VbLabel> lblFile{this};
    ControlPtr<VbButton> cmdfile{this};
    ControlPtr<VbButton> cmdRcv{this};
    ControlPtr<VbButton> exit{this};

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void cmdfile_Click();
    void cmdRcv_Click();

    // The file to restore from: empty until the dialog has been shown.
    QString m_restorePath;
};

namespace forms {
inline FormRef<::DiskRcv> DiskRcv;
}
