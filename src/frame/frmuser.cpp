#include "frmuser.h"

#include "Failure.h"
#include "Platform.h"
#include "Twips.h"

#include <QHeaderView>

namespace {

constexpr int kDataControlHeightTw = 345;
constexpr int kButtonStripHeightTw = 300;

// The data buttons report a failure with its own description, in a plain box
// without an icon, and leave the window as it was.
template <class F>
void RunDataCommand(F&& command)
{
    try {
        command();
    } catch (const DbError& e) {
        ShowFailure(e, platform::vbOKOnly);
    }
}

}  // namespace

frmuser::frmuser()
    : VbForm(QStringLiteral("frmuser"))
{
}

void frmuser::SetupUi()
{
    setWindowTitle(QStringLiteral("操作员设置"));
    SetInnerSizeTw(5880, 3945);

    grdDataGrid = new DataGrid(this, QStringLiteral("grdDataGrid"));
    grdDataGrid->AddColumn(QStringLiteral("   用 户 名"), QStringLiteral("USERNAME"));
    grdDataGrid->AddColumn(QStringLiteral("    密   码"), QStringLiteral("PASSWORD"));
    grdDataGrid->SetAllowUpdate(true);
    grdDataGrid->SetAllowAddNew(true);
    grdDataGrid->horizontalHeader()->setDefaultSectionSize(TwipsToPixels(2400));

    picButtons = new QFrame(this);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    cmdAdd = MakeButton(picButtons, QStringLiteral("cmdAdd"), QStringLiteral("添加(&A)"), {59, 0, 1095, 300},
                        [this] { cmdAdd_Click(); });
    cmdUpdate = MakeButton(picButtons, QStringLiteral("cmdUpdate"), QStringLiteral("保存(&S)"), {1213, 0, 1095, 300},
                           [this] { cmdUpdate_Click(); });
    cmdDelete = MakeButton(picButtons, QStringLiteral("cmdDelete"), QStringLiteral("删除(&D)"), {2367, 0, 1095, 300},
                           [this] { cmdDelete_Click(); });
    cmdRefresh = MakeButton(picButtons, QStringLiteral("cmdRefresh"), QStringLiteral("放弃(&R)"),
                            {3521, 0, 1095, 300}, [this] { cmdRefresh_Click(); });
    cmdClose = MakeButton(picButtons, QStringLiteral("cmdClose"), QStringLiteral("关闭(&C)"), {4675, 0, 1095, 300},
                          [this] { cmdClose_Click(); });

    datPrimaryRS = new DataControl(this, QStringLiteral("datPrimaryRS"));
    grdDataGrid->SetDataSource(datPrimaryRS);

    datPrimaryRS->MoveComplete = [this] { datPrimaryRS_MoveComplete(); };

    Form_Resize();
}

void frmuser::Form_Load()
{
    CentreOnMain(*this);
    BindDataControl(*datPrimaryRS, QStringLiteral("select USERNAME,PASSWORD from login"), QStringLiteral("login"));
}

void frmuser::Form_Unload()
{
    platform::SetBusy(false);
    // However the window closes, a cell still being edited is written with the rest
    // (as by "关闭", whose click ends the edit first), its failure shown.
    grdDataGrid->CommitEdit();
    datPrimaryRS->Close();
}

void frmuser::Form_Resize()
{
    if (!grdDataGrid)
        return;
    // The grid stands at the top across the window; the button strip and below it
    // the data control stand at the bottom.
    const int w = width();
    const int dcHeight = TwipsToPixels(kDataControlHeightTw);
    const int stripHeight = TwipsToPixels(kButtonStripHeightTw);
    datPrimaryRS->setGeometry(0, height() - dcHeight, w, dcHeight);
    picButtons->setGeometry(0, height() - dcHeight - stripHeight, w, stripHeight);
    const double gridTw = InnerHeightTw() - PixelsToTwips(dcHeight) - 30 - PixelsToTwips(stripHeight);
    // A window too small for the grid keeps the grid's height as it was.
    const int gridHeight = gridTw >= 0 ? TwipsToPixels(gridTw) : grdDataGrid->height();
    grdDataGrid->setGeometry(0, 0, w, gridHeight);
}

void frmuser::cmdAdd_Click()
{
    RunDataCommand([this] {
        Recordset& rs = datPrimaryRS->Rs();
        rs.MoveLast();
        // The new row starts in its name cell, whichever column the last row was left in.
        if (rs.HasCurrentRow())
            grdDataGrid->setCurrentIndex(grdDataGrid->model()->index(rs.CurrentIndex(), 0));
        SetFocus(grdDataGrid);
        SendKey(grdDataGrid, Qt::Key_Down);   // enters the grid's new row
    });
}

void frmuser::cmdUpdate_Click()
{
    RunDataCommand([this] { datPrimaryRS->Rs().UpdateBatch(); });
}

void frmuser::cmdDelete_Click()
{
    RunDataCommand([this] {
        Recordset& rs = datPrimaryRS->Rs();
        rs.Delete();
        rs.MoveNext();
        if (rs.Eof())
            rs.MoveLast();
    });
}

void frmuser::cmdRefresh_Click()
{
    // "放弃": what was typed and not yet saved is dropped on purpose.
    RunDataCommand([this] {
        datPrimaryRS->DropEdits();
        datPrimaryRS->Refresh();
    });
}

void frmuser::cmdClose_Click() { Unload(); }

void frmuser::datPrimaryRS_MoveComplete()
{
    // Off the rows (an empty table) there is no number to show.
    const int position = datPrimaryRS->Rs().AbsolutePosition();
    datPrimaryRS->SetCaption(QStringLiteral("记录号： ") + (position > 0 ? QString::number(position) : QString()));
}
