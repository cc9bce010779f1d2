#include "frmsqdw.h"

#include "AppFolder.h"
#include "ModVar.h"
#include "Platform.h"
#include "Twips.h"
#include "VbText.h"

#include <QFont>

namespace {

const QString kMessageTitle = QStringLiteral("提示信息：");
const QString kCodeHint = QStringLiteral("提示信息：请输入五位数字字符或双击鼠标再进行选择。");

// The boxes of the unit's row: limits in bytes of the Chinese code page. The name
// and the contact take the input method while they have the focus.
FieldTable unitFields()
{
    const FieldFlags key = FieldFlag::Key;
    const LengthUnit bytes = LengthUnit::GbkBytes;
    return {
        {.box = "dwdm", .field = "DWDM", .limit = 5, .unit = bytes, .ime = FieldIme::Off, .hint = kCodeHint,
         .tabIndex = 4, .flags = key},
        {.box = "dwmc", .field = "DWMC", .limit = 30, .unit = bytes, .ime = FieldIme::OnWhileFocused,
         .hint = "提示信息：请输入请输入不多于15个汉字。", .tabIndex = 5, .flags = key},
        {.box = "yzbm", .field = "YZBM", .limit = 6, .unit = bytes, .ime = FieldIme::Off,
         .hint = "提示信息：请输入六位数字字符。", .tabIndex = 6, .flags = key},
        {.box = "lxr", .field = "LXR", .limit = 10, .unit = bytes, .ime = FieldIme::OnWhileFocused,
         .hint = "提示信息：请输入不多于5个汉字。", .tabIndex = 7, .flags = key},
        {.box = "dhhm", .field = "DHHM", .limit = 15, .unit = bytes, .ime = FieldIme::Off,
         .hint = "提示信息：请输入不多于15个字符。", .tabIndex = 8, .flags = key},
        {.box = "czhm", .field = "CZHM", .limit = 15, .unit = bytes, .ime = FieldIme::Off,
         .hint = "提示信息：请输入不多于15个字符。", .tabIndex = 9, .flags = key},
        {.box = "e_mail", .field = "E_MAIL", .limit = 30, .unit = bytes, .ime = FieldIme::Off,
         .hint = "提示信息：请输入不多于30个字符的字符串。", .tabIndex = 10, .flags = key},
    };
}

// Field rows inside Frame1 (twips, relative to the frame).
constexpr int kRowTop[] = {300, 840, 1380, 1920};
constexpr int kLabelLeft[] = {120, 3480};
constexpr int kLabelWidth = 1080;
constexpr int kBoxLeft[] = {1200, 4560};
constexpr int kBoxWidth = 2280;
constexpr int kBoxHeight = 300;

}  // namespace

frmsqdw::frmsqdw()
    : VbForm(QStringLiteral("frmsqdw")), m_fields(unitFields())
{
}

void frmsqdw::SetupUi()
{
    SetInnerSizeTw(7800, 4980);

    Label7 = new VbLabel(this, QStringLiteral("Label7"), QStringLiteral("申请单位信息"));
    QFont title(QStringLiteral("宋体"));
    title.setPointSizeF(21.75);
    title.setBold(true);
    Label7->setFont(title);
    Label7->setAlignment(Qt::AlignCenter);
    PlaceTw(Label7, 0, 180, 7800, 600);

    Label1 = new VbLabel(this, QStringLiteral("Label1"));
    PlaceTw(Label1, 480, 900, 6840, 300);

    Frame1 = new VbFrame(this, QStringLiteral("Frame1"));
    PlaceTw(Frame1, 360, 1260, 7080, 2400);

    // One labelled box of Frame1; a span of 2 runs across both columns.
    auto field = [this](const QString& caption, const QString& boxName, int row, int column, int span) {
        auto* label = new VbLabel(Frame1, QStringLiteral("Lbl") + boxName, caption);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaceTw(label, kLabelLeft[column], kRowTop[row], kLabelWidth, kBoxHeight);
        auto* box = m_fields.Make<VbTextBox>(boxName, Frame1);
        const int width = span == 2 ? kBoxLeft[1] + kBoxWidth - kBoxLeft[0] : kBoxWidth;
        PlaceTw(box, kBoxLeft[column], kRowTop[row], width, kBoxHeight);
        return box;
    };
    dwdm = field(QStringLiteral("单位代码："), QStringLiteral("dwdm"), 0, 0, 1);
    dwmc = field(QStringLiteral("单位名称："), QStringLiteral("dwmc"), 0, 1, 1);
    yzbm = field(QStringLiteral("邮政编码："), QStringLiteral("yzbm"), 1, 0, 1);
    lxr = field(QStringLiteral("联系人："), QStringLiteral("lxr"), 1, 1, 1);
    dhhm = field(QStringLiteral("联系电话："), QStringLiteral("dhhm"), 2, 0, 1);
    czhm = field(QStringLiteral("传真："), QStringLiteral("czhm"), 2, 1, 1);
    e_mail = field(QStringLiteral("电子邮件："), QStringLiteral("e_mail"), 3, 0, 2);
    m_fields.SetKeysEnabled(false);
    m_fields.SetHintTarget(Label1);

    // The unit list drops down from the code box over the rows below it, down to
    // just above the frame's bottom edge, which would cut it off.
    Lstdwdm = new VbListBox(Frame1, QStringLiteral("Lstdwdm"));
    PlaceTw(Lstdwdm, kBoxLeft[0], kRowTop[0] + kBoxHeight, kBoxWidth, 1740);
    Lstdwdm->raise();
    Lstdwdm->setVisible(false);

    Frame2 = new VbFrame(this, QStringLiteral("Frame2"));
    PlaceTw(Frame2, 360, 3840, 7080, 900);
    cmdAdd = MakeButton(Frame2, QStringLiteral("cmdAdd"), QStringLiteral("增  加"), {450, 240, 1215, 420},
                        [this] { cmdAdd_Click(); });
    Cmdprev = MakeButton(Frame2, QStringLiteral("Cmdprev"), QStringLiteral("预  览"), {1905, 240, 1215, 420},
                         [this] { Cmdprev_Click(); });
    Cmdupd = MakeButton(Frame2, QStringLiteral("Cmdupd"), QStringLiteral("确  认"), {3360, 240, 1215, 420},
                        [this] { Cmdupd_Click(); });
    Cmdexit = MakeButton(Frame2, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), {4815, 240, 1215, 420},
                         [this] { Cmdexit_Click(); });
    Cmdupd->setEnabled(false);

    data1 = new DataControl(this, QStringLiteral("data1"));
    data1->setVisible(false);
    data1->Bind(m_fields);

    rptsq = new ReportControl(this, QStringLiteral("rptsq"));

    SetTabOrder(QList<QWidget*>{cmdAdd, Cmdprev, Cmdupd, Cmdexit} + m_fields.TabOrder() + QList<QWidget*>{Lstdwdm});

    m_fields.OnChange(this, [this] { Field_Change(); });

    dwdm->Click = [this] { dwdm_Click(); };
    dwdm->DblClick = [this] { dwdm_DblClick(); };
    dwdm->LostFocus = [this] { dwdm_LostFocus(); };
    dwdm->KeyPress = [this](int& k) { dwdm_KeyPress(k); };
    dwmc->LostFocus = [this] { dwmc_LostFocus(); };
    dwmc->KeyPress = [this](int& k) { dwmc_KeyPress(k); };
    yzbm->KeyPress = [this](int& k) { yzbm_KeyPress(k); };
    e_mail->KeyPress = [this](int& k) { e_mail_KeyPress(k); };

    // Enter moves on from the contact, telephone and fax boxes.
    lxr->KeyPress = [this](int& k) {
        if (k == vbkey::Return)
            SetFocus(dhhm);
    };
    dhhm->KeyPress = [this](int& k) {
        if (k == vbkey::Return)
            SetFocus(czhm);
    };
    czhm->KeyPress = [this](int& k) {
        if (k == vbkey::Return)
            SetFocus(e_mail);
    };

    Lstdwdm->Click = [this] { Lstdwdm_Click(); };
}

void frmsqdw::Form_Load()
{
    UnitListFlag = false;
    CentreOnMain(*this);
    setWindowTitle(QStringLiteral("申请单位管理"));

    m_conn = std::make_unique<DbConnection>(objectName());
    m_conn->Open(DefaultDbPath());
    BindDataControl(*data1, QStringLiteral("select * from sqdm "), QStringLiteral("sqdm"));
    UnitRecordset.Open(*m_conn, QStringLiteral("select * from dwdm order by dwdm"));
    rptsq->SetReportFileName(appFolder() + QStringLiteral("/rptsq.rpt"));

    if (data1->Rs().RecordCount() >= 1) {
        cmdAdd->setEnabled(false);
        UnlockFields();
    }
    // Showing the stored row raised Change in the boxes; the window opens browsing.
    Cmdprev->setEnabled(true);
    Cmdexit->setEnabled(true);
    Cmdupd->setEnabled(false);
}

void frmsqdw::Form_Unload()
{
    ReleaseMainWindow();
    UnitRecordset.Close();
    if (m_conn)
        m_conn->Close();
    m_conn.reset();
    // A pending change is dropped, and the user is told so.
    if (Cmdupd->isEnabled()) {
        platform::MsgBox(QStringLiteral("最后修改的数据将丢失！！！"), platform::vbOKOnly, kMessageTitle);
        data1->DropEdits();
    }
    data1->Close();
}

void frmsqdw::UnlockFields() { m_fields.SetKeysEnabled(true); }

void frmsqdw::BeginEdit()
{
    Cmdprev->setEnabled(false);
    Cmdexit->setEnabled(false);
    Cmdupd->setEnabled(true);
}

void frmsqdw::cmdAdd_Click()
{
    cmdAdd->setEnabled(false);
    UnlockFields();
    data1->Rs().AddNew();
    SetFocus(dwdm);
}

void frmsqdw::Cmdprev_Click()
{
    rptsq->SetWindowWidth(800);
    rptsq->SetWindowHeight(600);
    rptsq->SetWindowLeft(0);
    rptsq->SetWindowTop(0);
    rptsq->PrintReport();
}

void frmsqdw::Cmdupd_Click()
{
    // A row without its unit code is not stored; the input stays for the code.
    if (Trim(dwdm->Text()).isEmpty()) {
        platform::MsgBox(QStringLiteral("单位代码不能为空，请输入五位数字的单位代码！"), platform::vbOKOnly,
                         kMessageTitle);
        SetFocus(dwdm);
        return;
    }
    Recordset& rs = data1->Rs();
    rs.UpdateBatch();
    // The name reaches new applications only once it is stored.
    if (rs.HasCurrentRow())
        gAppUnitName = dwmc->Text();
    Cmdprev->setEnabled(true);
    Cmdexit->setEnabled(true);
    Cmdupd->setEnabled(false);
}

void frmsqdw::Cmdexit_Click() { Unload(); }

void frmsqdw::Field_Change()
{
    if (!Cmdupd->isEnabled())
        BeginEdit();
}

void frmsqdw::dwdm_Click()
{
    dwdm->SetImeMode(ImeMode::Off);
    Label1->SetCaption(kCodeHint);
    Lstdwdm->setVisible(false);
}

void frmsqdw::dwdm_DblClick()
{
    dwdm->SetImeMode(ImeMode::Off);
    Label1->SetCaption(QStringLiteral("提示信息：请用鼠标选择单位名称。"));
    if (!UnitListFlag) {
        UnitRecordset.MoveFirst();
        while (!UnitRecordset.Eof()) {
            Lstdwdm->AddItem(UnitRecordset.Text(1));
            UnitRecordset.MoveNext();
        }
        UnitListFlag = true;
    }
    Lstdwdm->setVisible(true);
    Lstdwdm->raise();
}

// Leaving clears the hint (field table); an incomplete code takes the focus back.
void frmsqdw::dwdm_LostFocus()
{
    if (Trim(dwdm->Text()).length() != 5) {
        SetFocus(dwdm);
        return;
    }
    Lstdwdm->setVisible(false);
}

void frmsqdw::dwdm_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return) {
        if (Trim(dwdm->Text()).length() != 5) {
            keyAscii = 0;
            platform::Beep();
            return;
        }
        if (FindUnit(0, dwdm->Text()))
            SetFocus(yzbm);
        else
            SetFocus(dwmc);   // a unit the code table lacks: its name is typed
        return;
    }
    DigitKeysOnly(keyAscii);
}

// Leaving clears the hint and the input method (field table); an empty name takes
// the focus back.
void frmsqdw::dwmc_LostFocus()
{
    if (Trim(dwmc->Text()).isEmpty())
        SetFocus(dwmc);
}

void frmsqdw::dwmc_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return && !Trim(dwmc->Text()).isEmpty())
        SetFocus(yzbm);
}

void frmsqdw::yzbm_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return) {
        SetFocus(lxr);
        return;
    }
    DigitKeysOnly(keyAscii);
}

void frmsqdw::e_mail_KeyPress(int& keyAscii)
{
    if (keyAscii != vbkey::Return)
        return;
    // While an edit is pending the exit button is disabled: go to the confirm instead.
    SetFocus(Cmdexit->isEnabled() ? Cmdexit : Cmdupd);
}

void frmsqdw::Lstdwdm_Click()
{
    if (FindUnit(1, Lstdwdm->Text()))
        SetFocus(yzbm);
    Lstdwdm->setVisible(false);
}

bool frmsqdw::FindUnit(int column, const QString& value)
{
    UnitRecordset.MoveFirst();
    while (!UnitRecordset.Eof()) {
        if (UnitRecordset.Text(column) == value) {
            dwdm->SetText(UnitRecordset.Text(0));
            dwmc->SetText(UnitRecordset.Text(1));
            return true;
        }
        UnitRecordset.MoveNext();
    }
    return false;
}
