#pragma once
// What the two reception windows share: an instruction in a frame above a tick grid
// that lists every row of a chosen submission file, and the open, receive and exit
// buttons. The file is read whole when it is opened, so a tick always belongs to the
// row the user saw; the ticked rows replace the rows of the same key or are added
// (InsertDat). Each window gives its design.

#include "Controls.h"
#include "Reception.h"
#include "TickGridForm.h"

#include <memory>

class ReceptionForm : public TickGridWindow {
    Q_OBJECT
public:
    struct Design {
        QString caption;
        QString fileTable;   // the table read from the submitted file
        const ReceptionTarget* target = nullptr;
    };

protected:
    ReceptionForm(const QString& name, Design design);

    void SetupUi() override;
    void Form_Unload() override;

    void cmdOf_Click();
    void cmdinsert_Click();

    ControlPtr<VbFrame> Frame1{this};
    ControlPtr<VbLabel> lblShuoming{this};
    ControlPtr<VbButton> cmdOf{this};
    ControlPtr<VbButton> cmdinsert{this};
    ControlPtr<VbButton> Cmdexit{this};

private:
    void OpenWindow() override;
    void ShowRows() override;

    const Design m_design;
    // The chosen file's path: empty before a choice and after a cancelled dialog.
    QString m_submittedFile;
    // The opened file, read whole, and whether one is open.
    std::unique_ptr<SubmittedFile> m_file;
    bool m_fileOpen = false;
};
