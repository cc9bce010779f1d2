#pragma once
// Backup: a consistent copy of the database written to a file that the user names,
// by default in the application folder's BackUp folder under "备份" and the day.

#include "Controls.h"
#include "VbForm.h"

class DiskBu : public VbForm {
    Q_OBJECT
public:
    DiskBu();

    ControlPtr<VbLabel> Label4{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbOption> Option1{this};
    ControlPtr<VbOption> Option2{this};
    ControlPtr<VbLabel> Label3{this};
    ControlPtr<VbTextBox> txtfileName{this};
    ControlPtr<VbButton> cmdSeleDir{this};
    ControlPtr<VbLabel> Label2{this};
    ControlPtr<VbLabel> Label1{this};
    ControlPtr<VbButton> cmdcpyfile{this};
    ControlPtr<VbButton> exit{this};

    // The file the backup button writes (before ".mdb" is added).
    QString BackupPath() const { return m_backupPath; }

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void Option1_Click();
    void Option2_Click();
    void cmdSeleDir_Click();
    void txtfileName_LostFocus();
    void cmdcpyfile_Click();

    QString m_backupFolder;
    QString m_backupPath;
};

namespace forms {
inline FormRef<::DiskBu> DiskBu;
}
