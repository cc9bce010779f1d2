#include "CodeTableWindow.h"

#include "AppFolder.h"
#include "Failure.h"
#include "Platform.h"
#include "VbText.h"

#include <QHeaderView>

using namespace platform;

namespace {
const QString kInfoTitle = QStringLiteral("提示信息");
const QString kOwnInfoTitle = QStringLiteral("提示信息：");
const QString kWarningTitle = QStringLiteral("警告信息：");

}  // namespace

CodeTableWindow::CodeTableWindow(const QString& formName, CodeTableMember member)
    : VbForm(formName), m(std::move(member))
{
}

void CodeTableWindow::SetupUi()
{
    const CodeTableLayout& L = m.layout;
    SetInnerSizeTw(L.clientWidth, 5610);

    Label1 = new VbLabel(this, QStringLiteral("Label1"));
    PlaceTw(Label1, 480, 360, 3615, 615);
    QPalette hintColours = Label1->palette();
    hintColours.setColor(QPalette::WindowText, hintColours.color(QPalette::Active, QPalette::Highlight));
    Label1->setPalette(hintColours);

    Frame1 = new VbFrame(this, QStringLiteral("Frame1"));
    PlaceTw(Frame1, L.frame1Left, 1080, L.frame1Width, 1215);
    codeLabel = new VbLabel(Frame1, m.codeLabel, m.codeLabelText);
    PlaceTw(codeLabel, L.labelLeft, 240, L.labelWidth, 255);
    nameLabel = new VbLabel(Frame1, m.nameLabel, m.nameLabelText);
    PlaceTw(nameLabel, L.labelLeft, 720, L.labelWidth, 255);

    codeBox = new VbTextBox(this, m.codeBox);
    PlaceTw(codeBox, L.boxLeft, 1320, L.boxWidth, 270);
    codeBox->SetMaxLength(m.codeMaxLength > 0 ? m.codeMaxLength : m.codeLength);
    codeBox->setEnabled(false);
    nameBox = new VbTextBox(this, m.nameBox);
    PlaceTw(nameBox, L.boxLeft, 1800, L.boxWidth, 270);
    nameBox->SetMaxLength(m.nameMaxLength);
    nameBox->setEnabled(false);

    Frame2 = new VbFrame(this, QStringLiteral("Frame2"));
    PlaceTw(Frame2, L.frame2Left, 2400, 4095, 1215);

    // The buttons stand in a grid of four columns.
    const auto cell = [&L](int column, int top) { return QRect(L.buttonLeft + 960 * column, top, 975, 345); };
    cmdAdd = MakeButton(this, QStringLiteral("cmdAdd"), QStringLiteral("增  加"), cell(0, 2640), [this] { cmdAdd_Click(); });
    Cmddel = MakeButton(this, QStringLiteral("Cmddel"), QStringLiteral("删  除"), cell(1, 2640), [this] { Cmddel_Click(); });
    Cmdref = MakeButton(this, QStringLiteral("Cmdref"), QStringLiteral("取  消"), cell(2, 2640), [this] { Cmdref_Click(); });
    Cmdupd = MakeButton(this, QStringLiteral("Cmdupd"), QStringLiteral("确  认"), cell(3, 2640), [this] { Cmdupd_Click(); });
    Cmdfst = MakeButton(this, QStringLiteral("Cmdfst"), QStringLiteral("第一条"), cell(0, 3120), [this] { Cmdfst_Click(); });
    Cmdpre = MakeButton(this, QStringLiteral("Cmdpre"), QStringLiteral("上一条"), cell(1, 3120), [this] { Cmdpre_Click(); });
    Cmdnxt = MakeButton(this, QStringLiteral("Cmdnxt"), QStringLiteral("下一条"), cell(2, 3120), [this] { Cmdnxt_Click(); });
    Cmdlst = MakeButton(this, QStringLiteral("Cmdlst"), QStringLiteral("最后一条"), cell(3, 3120), [this] { Cmdlst_Click(); });
    Cmdprev = MakeButton(this, QStringLiteral("Cmdprev"), QStringLiteral("预  览"), cell(2, 3720), [this] { Cmdprev_Click(); });
    Cmdexit = MakeButton(this, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), cell(3, 3720), [this] { Cmdexit_Click(); });

    data1 = new DataControl(this, QStringLiteral("data1"));
    PlaceTw(data1, 5160, 4920, 1215, 495);
    data1->hide();

    DataGrid1 = new DataGrid(this, QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, L.gridLeft, 240, L.gridWidth, 4800);
    DataGrid1->AddColumn(m.codeColumnCaption, m.codeColumnField);
    DataGrid1->AddColumn(m.nameColumnCaption, m.nameColumnField);
    DataGrid1->horizontalHeader()->setStretchLastSection(true);
    DataGrid1->SetDataSource(data1);
    DataGrid1->RowColChange = [this] { GridRowChange(); };

    report = new ReportControl(this, m.reportControl);
    if (!m.designReportFile.isEmpty())
        report->SetReportFileName(appFolder() + QLatin1Char('/') + m.designReportFile);

    codeBox->GotFocus = [this] { CodeBox_GotFocus(); };
    codeBox->LostFocus = [this] { CodeBox_LostFocus(); };
    codeBox->KeyPress = [this](int& k) { CodeBox_KeyPress(k); };
    codeBox->Change = [this] { CodeBox_Change(); };
    nameBox->GotFocus = [this] { NameBox_GotFocus(); };
    nameBox->LostFocus = [this] { NameBox_LostFocus(); };
    nameBox->KeyPress = [this](int& k) { NameBox_KeyPress(k); };

    SetTabOrder({codeBox, nameBox, cmdAdd, Cmddel, Cmdref, Cmdupd, Cmdfst, Cmdpre, Cmdnxt, Cmdlst,
                 Cmdprev, Cmdexit, DataGrid1});
}

void CodeTableWindow::Form_Load()
{
    CentreOnMain(*this);
    setWindowTitle(m.caption);
    if (!m.reportFile.isEmpty())
        report->SetReportFileName(appFolder() + QLatin1Char('/') + m.reportFile);
    try {
        OpenRecordSource();
        Recordset& rs = data1->Rs();
        if (rs.RecordCount() > 0) {
            rs.MoveFirst();
            ShowCurrentRow();
        } else {
            // No row to show: the boxes may still hold one of a query run before
            // the window's own (the discipline window narrows its rows at load).
            codeBox->SetText(QString());
            nameBox->SetText(QString());
        }
    } catch (const DbError& e) {
        // Without its rows the window still opens: empty, in browse, and closable.
        ShowFailure(e);
    }
    Cmdref->setEnabled(false);
    Cmdupd->setEnabled(false);
    EditMode = Mode::Browse;
}

void CodeTableWindow::Form_Unload() { ReleaseMainWindow(); }

void CodeTableWindow::OpenRecordSource() { BindDataControl(*data1, m.query, m.table); }

// ---------------------------------------------------------------------------
// Arming, confirming and abandoning.

void CodeTableWindow::cmdAdd_Click()
{
    if (EditMode != Mode::Browse) {
        MsgBox(QStringLiteral("请先按取消或确定按钮！"), vbOKOnly, kInfoTitle);
        return;
    }
    EditMode = Mode::Adding;
    SetArmed(true);
    codeBox->SetText(QString());
    nameBox->SetText(QString());
    SetFocus(codeBox);
}

void CodeTableWindow::Cmddel_Click()
{
    if (EditMode != Mode::Browse) {
        MsgBox(QStringLiteral("请先按取消或确定按钮！"), vbOKOnly, kInfoTitle);
        return;
    }
    if (Trim(codeBox->Text()).isEmpty()) {
        MsgBox(QStringLiteral("没有可以删除的记录！请核查。"), vbOKOnly, kInfoTitle);
        return;
    }
    EditMode = Mode::Deleting;
    SetArmed(false);
    codeBox->SetText(QString());
    nameBox->SetText(QString());
    SetFocus(Cmdupd);
}

void CodeTableWindow::Cmdupd_Click()
{
    if (EditMode == Mode::Deleting)
        ConfirmDelete();
    else if (EditMode == Mode::Adding)
        ConfirmAdd();
}

void CodeTableWindow::ConfirmDelete()
{
    RestoreBrowseButtons();
    EditMode = Mode::Browse;
    Recordset& rs = data1->Rs();
    const QString question = QStringLiteral("确实要删除记录（") + rs.Text(m.codeField) + QLatin1Char(',')
                             + rs.Text(m.nameField) + QStringLiteral("）？");
    if (MsgBox(question, vbYesNo, kOwnInfoTitle) == vbYes) {
        try {
            rs.Delete();
            rs.MoveNext();
            if (!rs.Eof()) {
                ShowCurrentRow();
            } else if (rs.RecordCount() > 0) {
                rs.MovePrevious();
                ShowCurrentRow();
            }
        } catch (const DbError& e) {
            // The row is still there: show it again rather than empty boxes.
            ShowFailure(e);
            ShowCurrentRow();
        }
    } else {
        ShowCurrentRow();
    }
    SetFocus(Cmdfst);
}

void CodeTableWindow::ConfirmAdd()
{
    if (Trim(codeBox->Text()).isEmpty()) {
        MsgBox(m.emptyCodeMessage, vbOKOnly, kOwnInfoTitle);
        SetFocus(codeBox);
        return;
    }
    // The code as the box holds it: a code box that turns its text to upper case
    // does so once the code has its full length; a shorter code keeps its case.
    const QString code = Trim(codeBox->Text());
    const QString name = Trim(nameBox->Text());
    Recordset& rs = data1->Rs();

    // Every stored code is compared with the new one; the grid follows the walk, and
    // the set ends on the last row either way.
    if (rs.RecordCount() > 0) {
        bool exists = false;
        rs.MoveFirst();
        const int n = rs.RecordCount();
        for (int i = 1; i <= n; ++i) {
            if (Trim(rs.Text(0)) == code) {
                MsgBox(m.existingCodeMessage, vbOKOnly, kWarningTitle);
                exists = true;
                break;
            }
            rs.MoveNext();
        }
        rs.MoveLast();
        if (exists) {
            // The boxes show the last row, also when the walk never changed the row
            // (a table of one row) and so never copied it.
            ShowCurrentRow();
            return;
        }
    }

    try {
        // The boxes must not show the new row before it has its values.
        RowChangeHold hold(DataGrid1);
        rs.AddNew();
        rs.SetField(m.codeField, code);
        rs.SetField(m.nameField, name);
        rs.MoveLast();   // writes the new row
    } catch (const DbError& e) {
        // Nothing was stored: the add stays armed with what was typed.
        {
            RowChangeHold hold(DataGrid1);
            rs.CancelUpdate();
            if (rs.RecordCount() > 0)
                rs.MoveLast();
        }
        codeBox->SetText(code);
        nameBox->SetText(name);
        ShowFailure(e);
        return;
    }
    RestoreBrowseButtons();
    EditMode = Mode::Browse;
    rs.MovePrevious();
    rs.MoveNext();
    codeBox->setEnabled(false);
    nameBox->setEnabled(false);
    SetFocus(cmdAdd);
}

void CodeTableWindow::Cmdref_Click()
{
    // Abandoning must always bring the window back to browse: each step runs even
    // when one before it failed.
    auto step = [](auto&& fn) {
        try {
            fn();
        } catch (...) {
        }
    };
    step([this] {
        RestoreBrowseButtons();
        codeBox->setEnabled(false);
        nameBox->setEnabled(false);
    });
    step([this] {
        if (EditMode != Mode::Adding && EditMode != Mode::Deleting)
            return;
        if (data1->Rs().HasCurrentRow()) {
            ShowCurrentRow();
        } else {
            // No row to show (an empty table): what was typed must not stay in the
            // boxes as if it were a stored row.
            codeBox->SetText(QString());
            nameBox->SetText(QString());
        }
    });
    step([this] {
        EditMode = Mode::Browse;
        SetFocus(cmdAdd);
    });
}

void CodeTableWindow::RestoreBrowseButtons()
{
    for (VbButton* b : std::initializer_list<VbButton*>{cmdAdd, Cmddel, Cmdfst, Cmdlst, Cmdpre, Cmdnxt, Cmdprev})
        b->setEnabled(true);
    Cmdref->setEnabled(false);
    Cmdupd->setEnabled(false);
    DataGrid1->setEnabled(true);
}

void CodeTableWindow::SetArmed(bool boxesEnabled)
{
    for (VbButton* b : std::initializer_list<VbButton*>{cmdAdd, Cmddel, Cmdfst, Cmdlst, Cmdpre, Cmdnxt, Cmdprev})
        b->setEnabled(false);
    Cmdref->setEnabled(true);
    Cmdupd->setEnabled(true);
    codeBox->setEnabled(boxesEnabled);
    nameBox->setEnabled(boxesEnabled);
    DataGrid1->setEnabled(false);
}

// ---------------------------------------------------------------------------
// Moving, preview, exit.

void CodeTableWindow::Cmdfst_Click() { ::Cmdfst_Click(data1->Rs()); }
void CodeTableWindow::Cmdpre_Click() { ::Cmdpre_Click(data1->Rs()); }
void CodeTableWindow::Cmdnxt_Click() { ::Cmdnxt_Click(data1->Rs()); }
void CodeTableWindow::Cmdlst_Click() { ::Cmdlst_Click(data1->Rs()); }

void CodeTableWindow::Cmdprev_Click()
{
    report->SetWindowWidth(800);
    report->SetWindowHeight(600);
    report->SetWindowLeft(0);
    report->SetWindowTop(0);
    report->PrintReport();   // says itself why when the report cannot be made
}

void CodeTableWindow::Cmdexit_Click()
{
    data1->Close();
    Unload();
}

void CodeTableWindow::GridRowChange() { ShowCurrentRow(); }

void CodeTableWindow::ShowCurrentRow()
{
    const Recordset& rs = data1->Rs();
    if (!rs.HasCurrentRow())
        return;
    codeBox->SetText(rs.Text(m.codeField));
    nameBox->SetText(rs.Text(m.nameField));
}

// ---------------------------------------------------------------------------
// The two boxes.

void CodeTableWindow::CodeBox_GotFocus()
{
    codeBox->SetImeMode(m.codeImeOff ? ImeMode::Off : ImeMode::NoControl);
    ShowHint(m.codeHint);
}

void CodeTableWindow::CodeBox_LostFocus() { ClearHint(); }

void CodeTableWindow::CodeBox_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return) {
        if (Trim(codeBox->Text()).size() == CodeLength())
            MoveToNameBox();
        return;
    }
    const bool allowed =
        keyAscii == vbkey::Back
        || (m.codeChars == CodeChars::Digits ? (keyAscii >= '0' && keyAscii <= '9')
                                             : ((keyAscii >= 'a' && keyAscii <= 'z') || (keyAscii >= 'A' && keyAscii <= 'Z')));
    if (!allowed) {
        keyAscii = 0;
        if (m.beepOnRefusedKey)
            Beep();
    }
}

void CodeTableWindow::CodeBox_Change()
{
    if (Trim(codeBox->Text()).size() < CodeLength() || EditMode != Mode::Adding || !nameBox->isEnabled())
        return;
    if (m.upperCaseCode) {
        const QString upper = codeBox->Text().toUpper();
        if (upper != codeBox->Text()) {
            codeBox->SetText(upper);   // changes the text again, which moves the focus on
            return;
        }
    }
    MoveToNameBox();
}

void CodeTableWindow::MoveToNameBox()
{
    if (!m.tabWhenCodeComplete) {
        SetFocus(nameBox);
    } else if (ActiveControl() == codeBox) {
        // The Tab is meant to leave the code box. The row copies of the duplicate scan
        // change the box too, while the focus is elsewhere; a Tab for each of them
        // would carry the focus away after the confirm.
        SendTab(codeBox);
    }
}

void CodeTableWindow::NameBox_GotFocus()
{
    nameBox->SetImeMode(ImeMode::On);
    ShowHint(m.nameHint);
}

void CodeTableWindow::NameBox_LostFocus()
{
    nameBox->SetImeMode(ImeMode::NoControl);
    ClearHint();
}

void CodeTableWindow::NameBox_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return) {
        SetFocus(Cmdupd);
        return;
    }
    if (keyAscii == vbkey::Space && m.nameDropsBlanks)
        keyAscii = 0;
}

void CodeTableWindow::ShowHint(const QString& hint) { Label1->SetCaption(hint); }
void CodeTableWindow::ClearHint() { Label1->SetCaption(QString()); }
