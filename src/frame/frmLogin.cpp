#include "frmLogin.h"

#include "AppFolder.h"
#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"
#include "Startup.h"
#include "VbText.h"
#include "frmmain.h"

namespace {
const QString kTitle = QStringLiteral("登录");
}  // namespace

frmLogin::frmLogin()
    : VbForm(QStringLiteral("frmLogin"))
{
    // A fixed dialog: title and close box, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

VbOption* frmLogin::OptLb(int index) const
{
    return index >= 0 && index < 3 ? m_optLb[index].get() : nullptr;
}

void frmLogin::SetupUi()
{
    SetInnerSizeTw(7875, 5715);
    setFixedSize(size());

    // The background picture lies under every other control.
    m_picture = new VbPicture(this, QStringLiteral("Picture"));
    m_picture->SetStretch(true);
    m_picture->setGeometry(rect());

    m_lblLabels[0] = new VbLabel(this, QStringLiteral("lblLabels_0"), QStringLiteral("用户名称(&U):"));
    PlaceTw(m_lblLabels[0], 1605, 3855, 1320, 270);
    m_txtUserName = new VbTextBox(this, QStringLiteral("txtUserName"));
    PlaceTw(m_txtUserName, 3030, 3840, 2325, 345);
    m_lblLabels[1] = new VbLabel(this, QStringLiteral("lblLabels_1"), QStringLiteral("密码(&P):"));
    PlaceTw(m_lblLabels[1], 1605, 4245, 840, 270);
    m_txtPassword = new VbTextBox(this, QStringLiteral("txtPassword"));
    PlaceTw(m_txtPassword, 3030, 4230, 2325, 345);
    m_txtPassword->SetPasswordChar(QLatin1Char('*'));
    m_txtPassword->SetImeMode(ImeMode::Off);
    m_lblLabels[0]->setBuddy(m_txtUserName);
    m_lblLabels[1]->setBuddy(m_txtPassword);
    for (VbLabel* l : m_lblLabels)
        l->setWordWrap(false);

    m_cmdOK = new VbButton(this, QStringLiteral("cmdOK"), QStringLiteral("确定"));
    PlaceTw(m_cmdOK, 2235, 4725, 1140, 390);
    m_cmdCancel = new VbButton(this, QStringLiteral("cmdCancel"), QStringLiteral("退出"));
    PlaceTw(m_cmdCancel, 3840, 4725, 1140, 390);
    m_cmdOK->setDefault(true);
    SetDefaultButton(m_cmdOK);
    SetCancelButton(m_cmdCancel);

    m_pic1 = new VbPicture(this, QStringLiteral("Pic1"));
    PlaceTw(m_pic1, 3120, 960, 1575, 1575);

    // The options carry no text: the background picture names the categories
    // beside them.
    static const int kOptionRects[3][4] = {
        {3120, 2640, 255, 375},
        {3120, 3000, 255, 495},
        {3120, 3480, 255, 255},
    };
    for (int i = 0; i < 3; ++i) {
        m_optLb[i] = new VbOption(this, QStringLiteral("OptLb_%1").arg(i));
        PlaceTw(m_optLb[i], kOptionRects[i][0], kOptionRects[i][1], kOptionRects[i][2], kOptionRects[i][3]);
    }
    m_optLb[0]->SetValue(true);

    SetTabOrder({m_txtUserName, m_txtPassword, m_cmdOK, m_cmdCancel, m_optLb[0], m_optLb[1], m_optLb[2]});

    m_cmdOK->Click = [this] { cmdOK_Click(); };
    m_cmdCancel->Click = [this] { cmdCancel_Click(); };
    for (int i = 0; i < 3; ++i)
        m_optLb[i]->Click = [this, i] { OptLb_Click(i); };

    CentreOnScreen(*this);
}

void frmLogin::Form_Load()
{
    setWindowTitle(QStringLiteral("欢迎使用Oskavelvero科研计划项目申报管理系统"));
    m_picture->LoadPicture(appFolder() + QStringLiteral("/gif/login3.bmp"));
    m_pic1->LoadPicture(appFolder() + QStringLiteral("/gif/fire.bmp"));
    gCategory = 1;
    try {
        m_db.Open(DefaultDbPath());
        QSqlQuery q = m_db.Exec(QStringLiteral("select * from sqdm "));
        // The unit's name is the second column of the first row.
        gAppUnitName = q.next() ? q.value(1).toString() : QString();
    } catch (const DbError& e) {
        // Without its database the program cannot go on: it ends in order.
        ShowFailure(startup::DatabaseProblemMessage(e.description()), platform::vbOKOnly, kTitle);
        Unload();
        return;
    }
    m_txtUserName->setFocus(Qt::OtherFocusReason);
}

void frmLogin::Form_Unload() { m_db.Close(); }

void frmLogin::OptLb_Click(int index) { gCategory = static_cast<std::int16_t>(index + 1); }

void frmLogin::cmdOK_Click()
{
    try {
        {
            QSqlQuery anyone = m_db.Exec(QStringLiteral("select * from login "));
            if (!anyone.next()) {
                // No operator is defined: anyone may work, whatever the boxes hold.
                forms::frmmain->Show();
                Unload();
                return;
            }
        }
        const QString user = Trim(m_txtUserName->Text());
        if (user.isEmpty()) {
            platform::MsgBox(QStringLiteral("用户名不能为空，请输入用户名!"), platform::vbOKOnly, kTitle);
            SetFocus(m_txtUserName);
            return;
        }
        const QString password = Trim(m_txtPassword->Text());
        bool found = false;
        {
            // The table compares text without regard to case, which suits the names;
            // a password must match exactly.
            QSqlQuery q = m_db.Exec(
                QStringLiteral("select * from login where username=? AND password=? COLLATE BINARY"), {user, password});
            found = q.next();
        }
        if (!found) {
            platform::MsgBox(QStringLiteral("无效的用户名或密码，请重试!"), platform::vbOKOnly, kTitle);
            SetFocus(m_txtPassword);
            m_txtPassword->selectAll();
            return;
        }
        forms::frmmain->Show();
        Unload();
    } catch (const DbError&) {
        ShowFailure(QStringLiteral("用户登录错误，请与vuz科技处联系!"), platform::vbOKOnly, kTitle);
    }
}

void frmLogin::cmdCancel_Click() { Unload(); }
