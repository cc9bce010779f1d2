#include "DocumentListWindow.h"

#include "AppFolder.h"
#include "DocScripts.h"
#include "Failure.h"
#include "ListWindowLayout.h"
#include "ModVar.h"
#include "Platform.h"
#include "Twips.h"
#include "WordDocument.h"

#include <QDir>
#include <QHeaderView>

namespace {

// Captions as the grid shows them, blanks included.
const GridColumn kColumns[] = {
    {.caption = "     项 目 名 称", .field = "XMMC", .widthTw = 2400},
    {.caption = "申 请 人", .field = "FZRXM", .widthTw = 870},
    {.caption = "  职 称", .field = "FZRZC", .widthTw = 975},
    {.caption = "      申 请 人 单 位", .field = "SZDW", .widthTw = 2535},
    {.caption = "申请金额(万元)", .field = "SQJE", .widthTw = 1350},
};

}  // namespace

DocumentListWindow::DocumentListWindow(const QString& formName, DocumentListMember member)
    : VbForm(formName), m(std::move(member))
{
}

void DocumentListWindow::SetupUi()
{
    const int gridWidth = ListGridWidthTw(kColumns);
    SetInnerSizeTw(gridWidth + 120, 5610);

    data1 = new DataControl(this, QStringLiteral("data1"));
    data1->hide();

    DataGrid1 = new DataGrid(this, QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, 60, 60, gridWidth, 3540);
    for (const GridColumn& c : kColumns)
        DataGrid1->AddColumn(c);

    // The progress band between the grid and the buttons.
    Animation1 = new VbAnimation(this);
    Animation1->setObjectName(QStringLiteral("Animation1"));
    PlaceTw(Animation1, 1440, 3660, 720, 720);
    Animation1->hide();
    Txtmsg = new VbTextBox(this, QStringLiteral("Txtmsg"));
    PlaceTw(Txtmsg, 2280, 3855, 4560, 330);
    Txtmsg->SetText(m.progressText);
    Txtmsg->SetLocked(true);
    Txtmsg->setFocusPolicy(Qt::NoFocus);
    QPalette red = Txtmsg->palette();
    red.setColor(QPalette::Text, Qt::red);
    if (m.greyProgressBack)
        red.setColor(QPalette::Base, red.color(QPalette::Window));
    Txtmsg->setPalette(red);
    Txtmsg->hide();

    Frame2 = new VbFrame(this, QStringLiteral("Frame2"));
    PlaceTw(Frame2, 60, 4440, gridWidth, 1050);
    std::tie(Cmdfst, Cmdpre, Cmdnxt, Cmdlst) = MakeListMoveButtons(Frame2, [this]() -> Recordset& { return Rs(); });
    Cmdprint = MakeButton(Frame2, QStringLiteral("Cmdprint"), QStringLiteral("预  览"), ListButtonTw(4),
                          [this] { Cmdprint_Click(); });
    Cmdexit = MakeButton(Frame2, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), ListButtonTw(5),
                         [this] { Cmdexit_Click(); });

    SetTabOrder({Cmdfst, Cmdpre, Cmdnxt, Cmdlst, Cmdprint, Cmdexit, DataGrid1});
}

void DocumentListWindow::Form_Load()
{
    CentreOnMain(*this);
    setWindowTitle(m.caption);
    try {
        // Only the category's rows are read. Outside the three categories the grid
        // stays unbound over every row.
        const QString category = CategoryText(gCategory);
        if (category.isEmpty()) {
            BindDataControl(*data1, QStringLiteral("select * from xmsb"), QString());
        } else {
            BindDataControl(*data1, QStringLiteral("select * from xmsb where xmlb=? order by ") + m.order, QString(),
                            {category});
            DataGrid1->SetDataSource(data1);
        }
        if (Rs().RecordCount() >= 1)
            Rs().MoveFirst();
    } catch (const DbError& e) {
        // Without its rows the window still opens, empty and closable.
        ShowFailure(e);
    }
}

void DocumentListWindow::Form_Unload()
{
    // Opened without disabling the main window: it enables the main window only
    // when no window that disables it is open.
    ReleaseMainWindowUnlessLocked(*this);
}

bool DocumentListWindow::HasRowsToPreview()
{
    if (Rs().RecordCount() >= 1)
        return true;
    docs::ShowNothingToPreview();
    return false;
}

void DocumentListWindow::ProgressOn()
{
    Txtmsg->show();
    Animation1->show();
    const QString clip = appFolder() + QStringLiteral("/clock.avi");
    if (!Animation1->Open(clip))
        throw docs::DocError(QStringLiteral("进度动画 %1 打不开。").arg(QDir::toNativeSeparators(clip)));
    Animation1->Play();
}

void DocumentListWindow::ProgressOff()
{
    Txtmsg->hide();
    Animation1->hide();
    Animation1->Stop();
}

void DocumentListWindow::OpenFinishedDocument(const QString& path)
{
    if (!platform::OpenDocument(path))
        docs::ShowApplicationFailure(docs::DocError(
            QStringLiteral("文件已保存在 %1，但没有打开：桌面上没有能打开 .doc 文件的程序。").arg(QDir::toNativeSeparators(path))));
}

void DocumentListWindow::Cmdexit_Click()
{
    data1->Close();
    Unload();
}
