// The application window on a category of 1,000 and of 10,000 applications: the time
// to open it, to save an edit of the row shown and to save a new application. An
// edit re-reads only the saved row and puts it in order; a whole re-read of the
// category is timed beside it for comparison.
// Printed, never asserted.
//
//     build/bench/bench_frmjblr

#include "BenchSupport.h"
#include "ModVar.h"
#include "Platform.h"
#include "TestSupport.h"
#include "frmjblr.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

void fill(AppFixture& fx, int rows)
{
    fx.exec("delete from xmsb");
    // Every row of the category with its members, so that the rows are as wide as real ones.
    fx.exec(QStringLiteral(
                "with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                "insert into xmsb (xmlb, xmmc, xmfzr, xkmc, szdw, sqrq, ssxk, sqje, fzrxm, xm1, nl1, xm2, nl2, "
                "yjnrzy, nf1, jdap1) select ?, '项目名称' || i, '负责人' || (i % 97), '学科', '单位' || (i % 13), "
                "'2003.05.' || (10 + i % 20), 'PA', i * 0.5, '负责人', '成员甲', 35, '成员乙', 40, "
                "'研究内容摘要研究内容摘要', '2004', '完成调研' from n"),
            {rows, CategoryText(1)});
}

void run(AppFixture& fx, int rows)
{
    fill(fx, rows);
    gCategory = 1;
    QElapsedTimer t;
    t.start();
    forms::frmjblr->Show();
    const double open = bench::Ms(t);
    frmjblr& f = *forms::frmjblr;
    QCoreApplication::processEvents();

    auto* number = f.findChild<VbTextBox*>("txtnbbh");
    number->SetText(QStringLiteral("BH1"));
    t.restart();
    f.findChild<VbButton*>("Cmdupd")->click();
    const double edit = bench::Ms(t);
    // A whole re-read of the category, which the edit no longer needs.
    t.restart();
    f.AppRecordset().Requery();
    const double requery = bench::Ms(t);

    f.findChild<VbButton*>("cmdinsert")->click();
    f.findChild<VbTextBox*>("txtxmmc")->SetText(QStringLiteral("新项目"));
    t.restart();
    f.findChild<VbButton*>("Cmdupd")->click();
    const double added = bench::Ms(t);
    f.Unload();
    std::printf("%6d applications: open %6.1f ms, save an edit %6.1f ms (a whole re-read would take %6.1f ms), "
                "save a new one %5.1f ms\n",
                rows, open, edit, requery, added);
}

}  // namespace

int main(int argc, char** argv)
{
    bench::OffscreenWhenHeadless();
    QApplication app(argc, argv);
    AppFixture fx;
    for (int rows : {1000, 10000})
        run(fx, rows);
    return 0;
}
