#include "frmAbout.h"

#include "AppFolder.h"
#include "Platform.h"
#include "Registry.h"

#include <QFileInfo>

frmAbout::frmAbout()
    : VbForm(QStringLiteral("frmAbout"))
{
    // A fixed dialog: title and close box, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void frmAbout::SetupUi()
{
    SetInnerSizeTw(5730, 3555);
    setFixedSize(size());

    m_picIcon = new VbPicture(this, QStringLiteral("picIcon"));
    m_picIcon->SetStretch(true);
    PlaceTw(m_picIcon, 240, 240, 540, 540);

    m_lblTitle = new VbLabel(this, QStringLiteral("lblTitle"));
    PlaceTw(m_lblTitle, 1050, 240, 4485, 480);
    QFont big = m_lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    m_lblTitle->setFont(big);

    m_lblVersion = new VbLabel(this, QStringLiteral("lblVersion"));
    PlaceTw(m_lblVersion, 1050, 780, 3885, 225);

    auto* description = new VbLabel(this, QStringLiteral("lblDescription"), QStringLiteral("应用程序描述"));
    PlaceTw(description, 1050, 1125, 3885, 1170);

    // The etched divider: a grey line with a white line under it.
    auto* grey = new QFrame(this);
    grey->setObjectName(QStringLiteral("Line1_1"));
    grey->setFrameShape(QFrame::NoFrame);
    grey->setAutoFillBackground(true);
    QPalette pg = grey->palette();
    pg.setColor(QPalette::Window, QColor(128, 128, 128));
    grey->setPalette(pg);
    PlaceTw(grey, 225, 2430, 5310, 15);
    auto* white = new QFrame(this);
    white->setObjectName(QStringLiteral("Line1_0"));
    white->setFrameShape(QFrame::NoFrame);
    white->setAutoFillBackground(true);
    QPalette pw = white->palette();
    pw.setColor(QPalette::Window, Qt::white);
    white->setPalette(pw);
    PlaceTw(white, 240, 2445, 5295, 30);

    auto* disclaimer = new VbLabel(this, QStringLiteral("lblDisclaimer"), QStringLiteral("警告: ..."));
    PlaceTw(disclaimer, 255, 2625, 3870, 825);

    auto* ok = new VbButton(this, QStringLiteral("cmdOK"), QStringLiteral("确定"));
    PlaceTw(ok, 4245, 2625, 1260, 345);
    ok->setDefault(true);
    SetDefaultButton(ok);
    SetCancelButton(ok);
    auto* sysInfo = new VbButton(this, QStringLiteral("cmdSysInfo"), QStringLiteral("系统信息(&S)..."));
    PlaceTw(sysInfo, 4260, 3075, 1245, 345);

    SetTabOrder({ok, sysInfo});
    ok->Click = [this] { Unload(); };
    sysInfo->Click = [this] { StartSysInfo(); };
}

void frmAbout::Form_Load()
{
    CentreOnMain(*this);
    setWindowTitle(QStringLiteral("关于使用Oskavelvero科研计划管理信息系统"));
    m_lblVersion->SetCaption(QStringLiteral("版本 V1.0.0"));
    m_lblTitle->SetCaption(QStringLiteral("欢迎您使用本系统，请您多提建议。"));
    m_picIcon->LoadPicture(appFolder() + QStringLiteral("/gif/fire.bmp"));
}

void frmAbout::StartSysInfo()
{
    using registry::GetKeyValue;
    using registry::HKEY_LOCAL_MACHINE;
    QString path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        if (platform::StartProgram(path))
            return;
    } else if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), path)) {
        const QString program = path + QStringLiteral("/MSINFO32.EXE");
        if (QFileInfo(program).isFile() && platform::StartProgram(program))
            return;
    }
    // No title of its own: the box shows the program's title.
    platform::MsgBox(QStringLiteral("此时系统信息不可用"), platform::vbOKOnly);
}
