// Report preview speed: from the preview asked for to its first page on the screen,
// and from there to its last page, for a long narrow table and a wide one; beside
// them the query alone, which the preview runs first. Printed, never asserted.
//
//     build/bench/bench_report

#include "BenchSupport.h"
#include "Report.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>

namespace {

// Fills a table with generated rows in one transaction of a connection of its own.
void fill(const QString& dbPath, const QString& table, int rows, int columns)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_fill"));
        db.setDatabaseName(dbPath);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        QStringList marks(columns, QStringLiteral("?"));
        q.prepare(QStringLiteral("insert into %1 values (%2)").arg(table, marks.join(QLatin1Char(','))));
        for (int r = 1; r <= rows; ++r) {
            q.addBindValue(QStringLiteral("%1").arg(r, 5, 10, QLatin1Char('0')));
            for (int c = 1; c < columns; ++c)
                q.addBindValue(c == 1 ? QStringLiteral("第%1号示范单位").arg(r) : QStringLiteral("值%1-%2").arg(r).arg(c));
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_fill"));
}

void writeReport(const QString& path, const QString& table, int columns)
{
    QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report title=\"测试报表\"";
    text += columns > 10 ? " orientation=\"landscape\">" : ">";
    text += "<query>select * from " + table.toUtf8() + " order by 1</query>\n";
    for (int c = 1; c <= columns; ++c)
        text += QStringLiteral("<column caption=\"栏目%1\"/>\n").arg(c).toUtf8();
    text += "</report>\n";
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text);
}

void run(AppFixture& fx, const char* label, const QString& file)
{
    const int runs = 3;
    std::vector<double> query, first, last;
    int pages = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        report::Definition def;
        report::Rows rows;
        QString error;
        t.start();
        if (!report::LoadDefinition(file, &def, &error) || !report::RunQuery(def, fx.dbPath(), &rows, &error)) {
            std::fprintf(stderr, "bench_report: %s\n", qPrintable(error));
            std::exit(1);
        }
        query.push_back(bench::Ms(t));

        ReportControl rpt(nullptr, QStringLiteral("rpt"));
        rpt.SetReportFileName(file);
        t.start();
        if (!rpt.PrintReport()) {
            std::fprintf(stderr, "bench_report: the preview did not open\n");
            std::exit(1);
        }
        QWidget* w = rpt.PreviewWindow();
        w->grab();   // the window painted, its first page with it
        first.push_back(bench::Ms(t));

        auto* view = w->findChild<ReportPageView*>();
        pages = view->pageCount();
        t.start();
        w->findChild<QAbstractButton*>(QStringLiteral("cmdLast"))->click();
        w->grab();
        last.push_back(bench::Ms(t));
        if (view->currentPage() != pages) {
            std::fprintf(stderr, "bench_report: the last page did not show\n");
            std::exit(1);
        }
    }
    std::printf("%-28s %4d pages  query %8.1f ms  first page %8.1f ms (%.1fx the query)  then last page %7.1f ms\n",
                label, pages, bench::Median(query), bench::Median(first), bench::Median(first) / bench::Median(query), bench::Median(last));
}

}  // namespace

int main(int argc, char** argv)
{
    bench::OffscreenWhenHeadless();
    QApplication app(argc, argv);
    AppFixture fx;

    fill(fx.dbPath(), QStringLiteral("dwdm"), 10000, 2);
    writeReport(fx.folder() + QStringLiteral("/narrow.rpt"), QStringLiteral("dwdm"), 2);

    QStringList columns;
    for (int c = 1; c <= 80; ++c)
        columns << QStringLiteral("c%1 text").arg(c);
    fx.exec(QStringLiteral("create table wide (%1)").arg(columns.join(QStringLiteral(", "))));
    fill(fx.dbPath(), QStringLiteral("wide"), 1000, 80);
    writeReport(fx.folder() + QStringLiteral("/wide.rpt"), QStringLiteral("wide"), 80);

    std::printf("median of 3 runs; first page: preview asked for to its window painted\n");
    run(fx, "10,000 rows x 2 columns", fx.folder() + QStringLiteral("/narrow.rpt"));
    run(fx, "1,000 rows x 80 columns", fx.folder() + QStringLiteral("/wide.rpt"));
    return 0;
}
