// A walk over 10,000 rows of a data control, first with no grid, then with a grid
// bound to it and shown: the grid must follow each move without redoing work for
// every row. Printed, never asserted.
//
//     build/bench/bench_grid

#include "BenchSupport.h"
#include "DataGrid.h"
#include "TestSupport.h"

#include <QApplication>
#include <cstdio>

namespace {

constexpr int kRows = 10000;

// Median of a few walks from the first row to past the last, in milliseconds.
double walkMs(DataControl& dc)
{
    return bench::MedianOf(5, [&dc] {
        Recordset& rs = dc.Rs();
        rs.MoveFirst();
        while (!rs.Eof())
            rs.MoveNext();
        QCoreApplication::processEvents();
    });
}

}  // namespace

int main(int argc, char** argv)
{
    bench::OffscreenWhenHeadless();
    QApplication app(argc, argv);
    AppFixture fx;
    fx.exec("create table walk (xmmc text, xmfzr text, xkmc text, szdw text, sqrq text, sqje real)");
    fx.exec("begin");
    for (int i = 0; i < kRows; ++i)
        fx.exec("insert into walk values (?, ?, ?, ?, ?, ?)",
                {QStringLiteral("项目名称%1").arg(i), QStringLiteral("负责人%1").arg(i % 97), QStringLiteral("学科"),
                 QStringLiteral("单位%1").arg(i % 13), QStringLiteral("2003.05.01"), i * 0.5});
    fx.exec("commit");

    QWidget window;
    window.resize(900, 600);
    DataControl dc(&window, "data1");
    BindDataControl(dc, "select * from walk", "walk");
    window.show();
    const double unbound = walkMs(dc);

    DataGrid grid(&window, "DataGrid1");
    grid.setGeometry(0, 0, 900, 560);
    for (const char* f : {"XMMC", "XMFZR", "XKMC", "SZDW", "SQRQ"})
        grid.AddColumn(QString::fromLatin1(f), QString::fromLatin1(f));
    grid.AddColumn({.caption = "申请金额", .field = "SQJE", .widthTw = 1515, .alignment = Qt::AlignRight,
                    .format = "\"￥\"#,##0.00"});
    grid.SetDataSource(&dc);
    grid.show();
    QCoreApplication::processEvents();
    const double bound = walkMs(dc);

    std::printf("walk over %d rows, no grid:      %9.3f ms (median of 5)\n", kRows, unbound);
    std::printf("walk over %d rows, grid bound:   %9.3f ms (median of 5)\n", kRows, bound);
    std::printf("grid bound / no grid:                %9.1f x (target: within 3 x)\n", bound / unbound);
    dc.Close();
    return 0;
}
