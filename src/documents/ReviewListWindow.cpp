#include "ReviewListWindow.h"

#include "ListGridWidth.h"

namespace {
constexpr int kButtonWidthTw = 1095;
constexpr int kButtonGapTw = 222;
}  // namespace

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
    int column = 0;
    auto button = [this, &column](const QString& name, const QString& caption, std::function<void()> click) {
        auto* b = new VbButton(Frame2, name, caption);
        PlaceTw(b, kButtonGapTw + column++ * (kButtonWidthTw + kButtonGapTw), 360, kButtonWidthTw, 420);
        b->Click = std::move(click);
        return b;
    };
    Cmdfst = button(QStringLiteral("Cmdfst"), QStringLiteral("第一条"), [this] { ::Cmdfst_Click(Rs()); });
    Cmdpre = button(QStringLiteral("Cmdpre"), QStringLiteral("上一条"), [this] { ::Cmdpre_Click(Rs()); });
    Cmdnxt = button(QStringLiteral("Cmdnxt"), QStringLiteral("下一条"), [this] { ::Cmdnxt_Click(Rs()); });
    Cmdlst = button(QStringLiteral("Cmdlst"), QStringLiteral("最后一条"), [this] { ::Cmdlst_Click(Rs()); });
    Cmdupd = button(QStringLiteral("Cmdupd"), m.actionCaption, [this] { Cmdupd_Click(); });
    Cmdexit = button(QStringLiteral("Cmdexit"), QStringLiteral("退  出"), [this] { Unload(); });

    SetTabOrder({Cmdfst, Cmdpre, Cmdnxt, Cmdlst, Cmdupd, Cmdexit, DataGrid1});
}
