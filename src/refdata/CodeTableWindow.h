#pragma once
// The code-table window: one table of (code, name) rows in a grid, the current row
// in a code box and a name box, a two-step add and delete (arm, then confirm with
// "确  认" or abandon with "取  消"), the four move buttons, the report preview and
// the exit. Every code-table window is this class with its own member values: the
// table and its query, the box and label names and texts, the grid columns, hints,
// messages, report, key rules and the few layout numbers that differ.

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "Report.h"
#include "VbForm.h"

#include <QString>
#include <QVariantList>

// Positions (twips) in which the code-table windows differ; the rest is common.
struct CodeTableLayout {
    int clientWidth = 8250;
    int frame1Left = 480;
    int frame1Width = 3375;
    int labelLeft = 240;    // inside Frame1
    int labelWidth = 975;
    int boxLeft = 1680;
    int boxWidth = 1935;
    int frame2Left = 120;
    int buttonLeft = 240;   // the first column; the others follow 960 apart
    int gridLeft = 4440;
    int gridWidth = 3615;
};

// The characters a code may be typed with.
enum class CodeChars { Digits, Letters };

struct CodeTableMember {
    QString caption;            // window caption, set at load
    QString query;              // the data control's record source
    QString table;              // the table it writes
    QString codeField;          // column 0 of the table
    QString nameField;          // column 1
    QString codeBox;
    int codeLength = 0;         // N: the typing limit and the focus rule
    int codeMaxLength = 0;      // typing limit of the code box when it is not N
    QString nameBox;
    int nameMaxLength = 0;      // bytes of the Chinese code page
    QString codeLabel, codeLabelText;
    QString nameLabel, nameLabelText;
    QString codeColumnCaption, codeColumnField;
    QString nameColumnCaption, nameColumnField;
    QString codeHint, nameHint;
    QString emptyCodeMessage;
    QString existingCodeMessage;
    QString reportControl;
    QString reportFile;         // in the application folder; set at load
    QString designReportFile;   // in the application folder; set in the window design

    CodeChars codeChars = CodeChars::Digits;
    bool beepOnRefusedKey = true;
    bool codeImeOff = true;           // false: the user's own input-method setting
    bool nameDropsBlanks = true;
    bool tabWhenCodeComplete = false; // a Tab keystroke instead of focusing the name box
    bool upperCaseCode = false;       // the code box turns its text to upper case at N characters
    CodeTableLayout layout;
};

class CodeTableWindow : public VbForm {
    Q_OBJECT
public:
    // Browsing, an add armed or a delete armed.
    enum class Mode { Browse, Adding, Deleting };
    Mode EditMode = Mode::Browse;

protected:
    CodeTableWindow(const QString& formName, CodeTableMember member);

    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

    // Opens the data control on the window's rows (at load).
    virtual void OpenRecordSource();
    // N: the code length at which the focus moves on to the name box.
    virtual int CodeLength() const { return m.codeLength; }

    ControlPtr<DataControl> data1{this};
    ControlPtr<DataGrid> DataGrid1{this};

private:
    void cmdAdd_Click();
    void Cmddel_Click();
    void Cmdupd_Click();
    void Cmdref_Click();
    void Cmdfst_Click();
    void Cmdpre_Click();
    void Cmdnxt_Click();
    void Cmdlst_Click();
    void Cmdprev_Click();
    void Cmdexit_Click();
    void GridRowChange();

    void CodeBox_GotFocus();
    void CodeBox_LostFocus();
    void CodeBox_KeyPress(int& keyAscii);
    void CodeBox_Change();
    void NameBox_GotFocus();
    void NameBox_LostFocus();
    void NameBox_KeyPress(int& keyAscii);

    void ConfirmDelete();
    void ConfirmAdd();
    void RestoreBrowseButtons();
    void SetArmed(bool codeBoxesEnabled);
    void ShowCurrentRow();
    void MoveToNameBox();
    void ShowHint(const QString& hint);
    void ClearHint();

    const CodeTableMember m;

    ControlPtr<VbLabel> Label1{this};
    ControlPtr<VbFrame> Frame1{this};
    ControlPtr<VbLabel> codeLabel{this};
    ControlPtr<VbLabel> nameLabel{this};
    ControlPtr<VbTextBox> codeBox{this};
    ControlPtr<VbTextBox> nameBox{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbButton> cmdAdd{this};
    ControlPtr<VbButton> Cmddel{this};
    ControlPtr<VbButton> Cmdref{this};
    ControlPtr<VbButton> Cmdupd{this};
    ControlPtr<VbButton> Cmdfst{this};
    ControlPtr<VbButton> Cmdpre{this};
    ControlPtr<VbButton> Cmdnxt{this};
    ControlPtr<VbButton> Cmdlst{this};
    ControlPtr<VbButton> Cmdprev{this};
    ControlPtr<VbButton> Cmdexit{this};
    ControlPtr<ReportControl> report{this};
};
