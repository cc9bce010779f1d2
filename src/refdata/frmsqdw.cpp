#include "frmsqdw.h"

#include "AppFolder.h"
#include "ModVar.h"
#include "Platform.h"
#include "Twips.h"

#include <QFont>

namespace {

const QString kMessageTitle = QStringLiteral("提示信息：");
const QString kCodeHint = QStringLiteral("提示信息：请输入五位数字字符或双击鼠标再进行选择。");

// Field rows inside Frame1 (twips, relative to the frame).
constexpr int kRowTop[] = {300, 840, 1380, 1920};
constexpr int kLabelLeft[] = {120, 3480};
constexpr int kLabelWidth = 1080;
constexpr int kBoxLeft[] = {1200, 4560};
constexpr int kBoxWidth = 2280;
constexpr int kBoxHeight = 300;

}  // namespace

frmsqdw::frmsqdw()
    : VbForm(QStringLiteral("frmsqdw"))
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
    auto field = [this](const QString& labelName, const QString& caption, const QString& boxName, int row,
                        int column, int span, int maxLength) {
        auto* label = new VbLabel(Frame1, labelName, caption);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaceTw(label, kLabelLeft[column], kRowTop[row], kLabelWidth, kBoxHeight);
        auto* box = new VbTextBox(Frame1, boxName);
        const int width = span == 2 ? kBoxLeft[1] + kBoxWidth - kBoxLeft[0] : kBoxWidth;
        PlaceTw(box, kBoxLeft[column], kRowTop[row], width, kBoxHeight);
        box->SetMaxLength(maxLength, LengthUnit::GbkBytes);
        box->setEnabled(false);
        return box;
    };
    dwdm = field(QStringLiteral("Lbldwdm"), QStringLiteral("单位代码："), QStringLiteral("dwdm"), 0, 0, 1, 5);
    dwmc = field(QStringLiteral("Lbldwmc"), QStringLiteral("单位名称："), QStringLiteral("dwmc"), 0, 1, 1, 30);
    yzbm = field(QStringLiteral("Lblyzbm"), QStringLiteral("邮政编码："), QStringLiteral("yzbm"), 1, 0, 1, 6);
    lxr = field(QStringLiteral("Lbllxr"), QStringLiteral("联系人："), QStringLiteral("lxr"), 1, 1, 1, 10);
    dhhm = field(QStringLiteral("Lbldhhm"), QStringLiteral("联系电话："), QStringLiteral("dhhm"), 2, 0, 1, 15);
    czhm = field(QStringLiteral("Lblczhm"), QStringLiteral("传真："), QStringLiteral("czhm"), 2, 1, 1, 15);
    e_mail = field(QStringLiteral("Lble_mail"), QStringLiteral("电子邮件："), QStringLiteral("e_mail"), 3, 0, 2, 30);

    // The unit list drops down from the code box over the rows below it.
    Lstdwdm = new VbListBox(Frame1, QStringLiteral("Lstdwdm"));
    PlaceTw(Lstdwdm, kBoxLeft[0], kRowTop[0] + kBoxHeight, kBoxWidth, 1980);
    Lstdwdm->raise();
    Lstdwdm->setVisible(false);

    Frame2 = new VbFrame(this, QStringLiteral("Frame2"));
    PlaceTw(Frame2, 360, 3840, 7080, 900);
    auto button = [this](const QString& name, const QString& caption, int left) {
        auto* b = new VbButton(Frame2, name, caption);
        PlaceTw(b, left, 240, 1215, 420);
        return b;
    };
    cmdAdd = button(QStringLiteral("cmdAdd"), QStringLiteral("增  加"), 450);
    Cmdprev = button(QStringLiteral("Cmdprev"), QStringLiteral("预  览"), 1905);
    Cmdupd = button(QStringLiteral("Cmdupd"), QStringLiteral("确  认"), 3360);
    Cmdexit = button(QStringLiteral("Cmdexit"), QStringLiteral("退  出"), 4815);
    Cmdupd->setEnabled(false);

    data1 = new DataControl(this, QStringLiteral("data1"));
    data1->setVisible(false);
    data1->Bind(dwdm, QStringLiteral("DWDM"));
    data1->Bind(dwmc, QStringLiteral("DWMC"));
    data1->Bind(yzbm, QStringLiteral("YZBM"));
    data1->Bind(lxr, QStringLiteral("LXR"));
    data1->Bind(dhhm, QStringLiteral("DHHM"));
    data1->Bind(czhm, QStringLiteral("CZHM"));
    data1->Bind(e_mail, QStringLiteral("E_MAIL"));

    rptsq = new ReportControl(this, QStringLiteral("rptsq"));

    SetTabOrder({cmdAdd, Cmdprev, Cmdupd, Cmdexit, dwdm, dwmc, yzbm, lxr, dhhm, czhm, e_mail, Lstdwdm});

    cmdAdd->Click = [this] { cmdAdd_Click(); };
    Cmdprev->Click = [this] { Cmdprev_Click(); };
    Cmdupd->Click = [this] { Cmdupd_Click(); };
    Cmdexit->Click = [this] { Cmdexit_Click(); };

    for (VbTextBox* box : std::initializer_list<VbTextBox*>{dwdm, dwmc, yzbm, lxr, dhhm, czhm, e_mail})
        box->Change = [this] { Field_Change(); };

    dwdm->Click = [this] { dwdm_Click(); };
    dwdm->DblClick = [this] { dwdm_DblClick(); };
    dwdm->GotFocus = [this] { dwdm_GotFocus(); };
    dwdm->LostFocus = [this] { dwdm_LostFocus(); };
    dwdm->KeyPress = [this](int& k) { dwdm_KeyPress(k); };
    dwmc->GotFocus = [this] { dwmc_GotFocus(); };
    dwmc->LostFocus = [this] { dwmc_LostFocus(); };
    dwmc->KeyPress = [this](int& k) { dwmc_KeyPress(k); };
    yzbm->KeyPress = [this](int& k) { yzbm_KeyPress(k); };
    e_mail->KeyPress = [this](int& k) { e_mail_KeyPress(k); };

    // The other boxes: the input method and the hint on entering; leaving clears the
    // hint (and switches the input method off again after a name).
    struct Plain {
        VbTextBox* box;
        ImeMode ime;
        QString hint;
    };
    const Plain plain[] = {
        {yzbm, ImeMode::Off, QStringLiteral("提示信息：请输入六位数字字符。")},
        {lxr, ImeMode::On, QStringLiteral("提示信息：请输入不多于5个汉字。")},
        {dhhm, ImeMode::Off, QStringLiteral("提示信息：请输入不多于15个字符。")},
        {czhm, ImeMode::Off, QStringLiteral("提示信息：请输入不多于15个字符。")},
        {e_mail, ImeMode::Off, QStringLiteral("提示信息：请输入不多于30个字符的字符串。")},
    };
    for (const Plain& p : plain) {
        VbTextBox* box = p.box;
        const ImeMode ime = p.ime;
        const QString hint = p.hint;
        box->GotFocus = [this, box, ime, hint] {
            box->SetImeMode(ime);
            Label1->SetCaption(hint);
        };
        box->LostFocus = [this, box, ime] {
            if (ime == ImeMode::On)
                box->SetImeMode(ImeMode::Off);
            Label1->SetCaption(QString());
        };
    }
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
    UnitListFlag = QStringLiteral("0");
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
    if (Cmdupd->isEnabled())
        platform::MsgBox(QStringLiteral("最后修改的数据将丢失！！！"), platform::vbOKOnly, kMessageTitle);
    // The pending change is dropped: the data control closes without writing.
    data1->Close();
}

void frmsqdw::UnlockFields()
{
    for (VbTextBox* box : std::initializer_list<VbTextBox*>{dwdm, dwmc, yzbm, dhhm, czhm, lxr, e_mail})
        box->setEnabled(true);
}

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
    if (dwdm->Text().trimmed().isEmpty()) {
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
    if (UnitListFlag == QLatin1String("0")) {
        UnitRecordset.MoveFirst();
        while (!UnitRecordset.Eof()) {
            Lstdwdm->AddItem(UnitRecordset.Text(1));
            UnitRecordset.MoveNext();
        }
        UnitListFlag = QStringLiteral("1");
    }
    Lstdwdm->setVisible(true);
    Lstdwdm->raise();
}

void frmsqdw::dwdm_GotFocus()
{
    dwdm->SetImeMode(ImeMode::Off);
    Label1->SetCaption(kCodeHint);
}

void frmsqdw::dwdm_LostFocus()
{
    if (dwdm->Text().trimmed().length() != 5) {
        SetFocus(dwdm);
        return;
    }
    Label1->SetCaption(QString());
    Lstdwdm->setVisible(false);
}

void frmsqdw::dwdm_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return) {
        if (dwdm->Text().trimmed().length() != 5) {
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

void frmsqdw::dwmc_GotFocus()
{
    dwmc->SetImeMode(ImeMode::On);
    Label1->SetCaption(QStringLiteral("提示信息：请输入请输入不多于15个汉字。"));
}

void frmsqdw::dwmc_LostFocus()
{
    if (dwmc->Text().trimmed().isEmpty()) {
        SetFocus(dwmc);
        return;
    }
    dwmc->SetImeMode(ImeMode::Off);
    Label1->SetCaption(QString());
}

void frmsqdw::dwmc_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return && !dwmc->Text().trimmed().isEmpty())
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
