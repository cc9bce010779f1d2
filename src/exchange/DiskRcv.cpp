#include "DiskRcv.h"

#include "Backup.h"
#include "Platform.h"
#include "VbText.h"

using namespace platform;

DiskRcv::DiskRcv()
    : VbForm(QStringLiteral("DiskRcv"))
{
}

void DiskRcv::SetupUi()
{
    SetInnerSizeTw(6495, 3495);

    Label1 = new VbLabel(this, QStringLiteral("Label1"), QStringLiteral("1、点击文件按钮并选择已备份文件。"));
    PlaceTw(Label1, 360, 240, 5775, 255);
    Label3 = new VbLabel(this, QStringLiteral("Label3"), QStringLiteral("2、然后点击恢复按钮进行数据恢复。"));
    PlaceTw(Label3, 360, 600, 5775, 255);
    Label2 = new VbLabel(this, QStringLiteral("Label2"),
                         QStringLiteral("注意：小心操作，以免失误。数据恢复后，当前数据将被覆盖。"));
    Label2->setStyleSheet(QStringLiteral("color: red"));
    PlaceTw(Label2, 360, 960, 5775, 255);
    lblFile = new VbLabel(this, QStringLiteral("lblFile"), QStringLiteral("......"));
    lblFile->setWordWrap(true);
    PlaceTw(lblFile, 360, 1440, 5775, 735);

    cmdfile = new VbButton(this, QStringLiteral("cmdfile"), QStringLiteral("文 件"));
    PlaceTw(cmdfile, 360, 2640, 1395, 495);
    cmdRcv = new VbButton(this, QStringLiteral("cmdRcv"), QStringLiteral("恢 复"));
    PlaceTw(cmdRcv, 2550, 2640, 1395, 495);
    exit = new VbButton(this, QStringLiteral("exit"), QStringLiteral("退 出"));
    PlaceTw(exit, 4740, 2640, 1395, 495);

    cmdfile->Click = [this] { cmdfile_Click(); };
    cmdRcv->Click = [this] { cmdRcv_Click(); };
    exit->Click = [this] { Unload(); };
}

void DiskRcv::Form_Load()
{
    CentreOnMain(*this);
    setWindowTitle(QStringLiteral("数据恢复"));
    m_restorePath.clear();
}

void DiskRcv::Form_Unload()
{
    ReleaseMainWindow();
}

void DiskRcv::cmdfile_Click()
{
    FileDialogRequest request;
    request.defaultExt = QStringLiteral("MDB");
    const QString chosen = GetOpenFile(request);
    if (Trim(chosen).isEmpty())
        MsgBox(QStringLiteral("未选择文件，操作将取消。"), vbExclamation, QStringLiteral("提示信息"));
    m_restorePath = LTrim(chosen);
    lblFile->SetCaption(QStringLiteral("文件:") + m_restorePath);
}

void DiskRcv::cmdRcv_Click()
{
    // RestoreDatabase checks the file, refuses while another window holds the
    // database, asks, and replaces the file in one step or not at all.
    RestoreDatabase(m_restorePath);
}
