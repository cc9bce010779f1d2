#include "DiskBu.h"

#include "Backup.h"
#include "Platform.h"
#include "VbText.h"

#include <QFont>
#include <QLocale>

using namespace platform;

DiskBu::DiskBu()
    : VbForm(QStringLiteral("DiskBu"))
{
}

void DiskBu::SetupUi()
{
    SetInnerSizeTw(6975, 3975);

    Label4 = new VbLabel(this, QStringLiteral("Label4"), QStringLiteral("Oskavelvero科研计划管理信息系统（数据备份）"));
    QFont big = Label4->font();
    big.setPointSize(12);
    big.setBold(true);
    Label4->setFont(big);
    Label4->setAlignment(Qt::AlignCenter);
    PlaceTw(Label4, 240, 240, 6495, 375);

    Frame2 = new VbFrame(this, QStringLiteral("Frame2"), QStringLiteral(" 备份文件名称及位置 "));
    PlaceTw(Frame2, 240, 840, 6495, 1695);
    Option1 = new VbOption(Frame2, QStringLiteral("Option1"), QStringLiteral("缺省"));
    PlaceTw(Option1, 240, 420, 975, 300);
    Label3 = new VbLabel(Frame2, QStringLiteral("Label3"), QStringLiteral("文件名:"));
    PlaceTw(Label3, 1320, 450, 855, 255);
    txtfileName = new VbTextBox(Frame2, QStringLiteral("txtfileName"));
    PlaceTw(txtfileName, 2220, 390, 3975, 345);
    Option2 = new VbOption(Frame2, QStringLiteral("Option2"), QStringLiteral("选择"));
    PlaceTw(Option2, 240, 1080, 975, 300);
    cmdSeleDir = new VbButton(Frame2, QStringLiteral("cmdSeleDir"), QStringLiteral("..."));
    PlaceTw(cmdSeleDir, 1320, 1050, 495, 345);
    Label2 = new VbLabel(Frame2, QStringLiteral("Label2"), QStringLiteral("......"));
    Label2->setWordWrap(true);
    PlaceTw(Label2, 1920, 1020, 4335, 555);

    Label1 = new VbLabel(this, QStringLiteral("Label1"));
    PlaceTw(Label1, 240, 2895, 2535, 255);
    cmdcpyfile = new VbButton(this, QStringLiteral("cmdcpyfile"), QStringLiteral("备  份"));
    PlaceTw(cmdcpyfile, 3600, 2760, 1395, 495);
    exit = new VbButton(this, QStringLiteral("exit"), QStringLiteral("退  出"));
    PlaceTw(exit, 5340, 2760, 1395, 495);

    Option1->Click = [this] { Option1_Click(); };
    Option2->Click = [this] { Option2_Click(); };
    cmdSeleDir->Click = [this] { cmdSeleDir_Click(); };
    txtfileName->LostFocus = [this] { txtfileName_LostFocus(); };
    cmdcpyfile->Click = [this] { cmdcpyfile_Click(); };
    exit->Click = [this] { Unload(); };
}

void DiskBu::Form_Load()
{
    CentreOnMain(*this);
    m_backupFolder = BackupFolder();
    m_backupPath.clear();
    setWindowTitle(QStringLiteral("数据备份"));
    EnsureBackupFolder();
    txtfileName->SetText(DefaultBackupName(Today()));
    Option1->SetValue(true);
    cmdSeleDir->setEnabled(false);
    Label1->SetCaption(QLocale::system().toString(Today(), QLocale::ShortFormat));
}

void DiskBu::Form_Unload()
{
    ReleaseMainWindow();
}

void DiskBu::Option1_Click()
{
    m_backupPath = m_backupFolder + QLatin1Char('/') + txtfileName->Text();
    cmdSeleDir->setEnabled(false);
    txtfileName->setEnabled(true);
}

void DiskBu::Option2_Click()
{
    cmdSeleDir->setEnabled(true);
    txtfileName->setEnabled(false);
    cmdSeleDir_Click();
}

void DiskBu::cmdSeleDir_Click()
{
    FileDialogRequest request;
    request.save = true;
    request.initialDir = m_backupFolder;
    request.defaultExt = QStringLiteral("MDB");
    const QString chosen = GetSaveFile(request);
    if (!chosen.isEmpty())
        Label2->SetCaption(chosen);
    // A cancelled dialog leaves no path: the backup button then says so.
    m_backupPath = chosen;
}

void DiskBu::txtfileName_LostFocus()
{
    txtfileName->SetText(LTrim(txtfileName->Text()));
    txtfileName->setCursorPosition(qMin<qsizetype>(1, txtfileName->Text().size()));
    m_backupPath = m_backupFolder + QLatin1Char('/') + Trim(txtfileName->Text());
}

void DiskBu::cmdcpyfile_Click()
{
    // BackupDatabase adds ".mdb" to a file name without a point, asks before an
    // existing file is replaced and reports the outcome.
    BackupDatabase(m_backupPath);
}
