#include "frmPrvw.h"

#include "Platform.h"
#include "TickGrid.h"
#include "Twips.h"

#include <QHeaderView>
#include <algorithm>

using namespace platform;

namespace {

constexpr int kGridLeftTw = 240;

}  // namespace

frmPrvw::frmPrvw()
    : VbForm(QStringLiteral("frmPrvw"))
{
}

void frmPrvw::OpenPreview(const TickGrid& source)
{
    forms::frmPrvw->m_source = &source;
    forms::frmPrvw->Show();
}

void frmPrvw::SetupUi()
{
    setWindowModality(Qt::ApplicationModal);
    SetInnerSizeTw(9600, 5400);

    Label1 = new VbLabel(this, QStringLiteral("Label1"), QStringLiteral("1.点击写盘将上报数据写至软盘"));
    PlaceTw(Label1, kGridLeftTw, 120, 4800, 495);
    Label2 = new VbLabel(this, QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceTw(Label2, 5280, 240, 735, 255);
    Label3 = new VbLabel(this, QStringLiteral("Label3"), QStringLiteral("条记录被选中"));
    PlaceTw(Label3, 6120, 240, 1815, 255);

    prview = new QTableWidget(this);
    prview->setObjectName(QStringLiteral("prview"));
    prview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    prview->horizontalHeader()->setVisible(false);
    prview->verticalHeader()->setVisible(false);
    PlaceTw(prview, kGridLeftTw, 720, 9000, 3840);

    cmdzoomin = new VbButton(this, QStringLiteral("cmdzoomin"), QStringLiteral("缩  小"));
    PlaceTw(cmdzoomin, 2400, 4800, 1455, 375);
    cmdzoomout = new VbButton(this, QStringLiteral("cmdzoomout"), QStringLiteral("放  大"));
    PlaceTw(cmdzoomout, 4200, 4800, 1455, 375);
    Command2 = new VbButton(this, QStringLiteral("Command2"), QStringLiteral("说   明"));
    PlaceTw(Command2, 6000, 4800, 1455, 375);
    Command1 = new VbButton(this, QStringLiteral("Command1"), QStringLiteral("退  出"));
    PlaceTw(Command1, 7800, 4800, 1455, 375);

    cmdzoomin->Click = [this] { Zoom(-1); };
    cmdzoomout->Click = [this] { Zoom(2); };
    Command2->Click = [] {
        MsgBox(QStringLiteral("请点击[退出]返回上一级窗口,使用该窗口的[写盘]"), vbInformation, QStringLiteral("提示信息"));
    };
    Command1->Click = [this] { Unload(); };
}

void frmPrvw::Form_Load()
{
    CentreOnMain(*this);
    Label1->SetCaption(Label1->Caption() + QStringLiteral("\n2.点击退出返回，选择上报数据."));
    setWindowTitle(QStringLiteral("预览上报数据"));

    // The header row first, then the ticked rows in the grid's order; the selection
    // column stays behind.
    const QList<int> ticked = m_source ? m_source->TickedRows() : QList<int>();
    const int columns = m_source ? m_source->flex->model()->columnCount() : 0;
    prview->setColumnCount(columns);
    prview->setRowCount(int(ticked.size()) + 1);
    for (int r = 0; r <= ticked.size(); ++r) {
        const int sourceRow = r == 0 ? 0 : ticked[r - 1];
        for (int c = 0; c < columns; ++c)
            prview->setItem(r, c, new QTableWidgetItem(m_source->flex->TextMatrix(sourceRow, c + 1)));
    }
    Label2->SetCaption(QString::number(ticked.size()));
    Form_Resize();
}

void frmPrvw::Form_Resize()
{
    if (prview)
        prview->resize(std::max(TwipsToPixels(int(InnerWidthTw() - 2.8 * kGridLeftTw)), 1), prview->height());
}

void frmPrvw::Zoom(int points)
{
    QFont font = prview->font();
    font.setPointSize(std::max(font.pointSize() + points, 1));
    prview->setFont(font);
}
