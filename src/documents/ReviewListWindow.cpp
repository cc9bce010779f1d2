#include "ReviewListWindow.h"

#include "ListWindowLayout.h"

ReviewListWindow::ReviewListWindow(const QString& formName, ReviewListMember member)
    : VbForm(formName), m(std::move(member))
{
}

QString ReviewListWindow::CategoryQuery(const QString& from, const QString& order)
{
    return QStringLiteral("select rowid as xmsb_rowid, * from %1 where xmlb=? order by %2").arg(from, order);
}

void ReviewListWindow::SetupUi()
{
    setWindowTitle(m.caption);
    const int gridWidth = ListGridWidthTw(m.columns);
    SetInnerSizeTw(gridWidth + 120, 5610);

    data1 = new DataControl(this, QStringLiteral("data1"));
    data1->hide();

    DataGrid1 = new DataGrid(this, QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, 60, 60, gridWidth, 4260);
    for (const GridColumn& c : m.columns)
        DataGrid1->AddColumn(c);

    Frame2 = new VbFrame(this, QStringLiteral("Frame2"));
    PlaceTw(Frame2, 60, 4440, gridWidth, 1050);
    std::tie(Cmdfst, Cmdpre, Cmdnxt, Cmdlst) = MakeListMoveButtons(Frame2, [this]() -> Recordset& { return Rs(); });
    Cmdupd = MakeButton(Frame2, QStringLiteral("Cmdupd"), m.actionCaption, ListButtonTw(4), [this] { Cmdupd_Click(); });
    Cmdexit = MakeButton(Frame2, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), ListButtonTw(5), [this] { Unload(); });

    SetTabOrder({Cmdfst, Cmdpre, Cmdnxt, Cmdlst, Cmdupd, Cmdexit, DataGrid1});
}
