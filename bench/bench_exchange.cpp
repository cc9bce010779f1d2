// Exchange speed: writing 10,000 ticked applications to a submission file and
// receiving them again, beside the same rows copied by one plain SQLite
// INSERT ... SELECT. Printed, never asserted.
//
//     build/bench/bench_exchange

#include "BenchSupport.h"
#include "ModVar.h"
#include "RecordLayouts.h"
#include "TestSupport.h"
#include "Reception.h"
#include "SubmissionFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRuns = 3;

// Every column filled: numbers for number columns, Chinese text with the row's
// number elsewhere, so that the key (name, leader, date) differs from row to row.
QString fillStatement()
{
    QStringList values;
    for (const records::Column& c : records::applications().columns)
        values << (c.kind == records::Kind::Number ? QStringLiteral("i + 0.5")
                                                   : QStringLiteral("'%1值' || i").arg(c.name));
    return QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                          "insert into xmsb (%2) select %3 from n")
        .arg(kRows)
        .arg(records::columnList(records::applications()), values.join(QStringLiteral(", ")));
}

void run(QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

}  // namespace

int main(int argc, char** argv)
{
    bench::OffscreenWhenHeadless();
    QApplication app(argc, argv);
    AppFixture fx;
    gDbPath = fx.dbPath();
    fx.exec(fillStatement());
    const QString scratch = fx.folder() + QStringLiteral("/bench");
    QDir().mkpath(scratch);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(fx.dbPath());
    if (!db.open())
        qFatal("cannot open the database");

    // Export: every row ticked, in the order of the application submission window.
    QList<qint64> rowids;
    for (const QStringList& r : fx.rows(RowQuery{QStringLiteral("xmsb"), {}, {}, QStringLiteral("xmlb, ssxk")}.sql(QStringLiteral("rowid"))))
        rowids << r[0].toLongLong();
    QString file;
    const double exportMs = bench::BestOf(kRuns, [&] {
        gCheckedCount = kRows;
        gExportTable = QStringLiteral("xmsb");
        gExportFile = NewSubmissionFile(QStringLiteral("项目申请"));
        if (!PackData(QStringLiteral("xmsb"), rowids))
            qFatal("export failed: %s", qPrintable(fx.ui.texts().join(QLatin1Char('\n'))));
        file = gExportFile;
    });
    const QString plainFile = scratch + QStringLiteral("/plain.MDB");
    const double plainExportMs = bench::BestOf(
        kRuns,
        [&] {
            run(db, QStringLiteral("attach database ? as f"), {plainFile});
            run(db, QStringLiteral("create table f.xmsb as select * from main.xmsb where 0"));
            run(db, QStringLiteral("insert into f.xmsb select * from main.xmsb order by xmlb, ssxk, rowid"));
            run(db, QStringLiteral("detach database f"));
        },
        [&] { QFile::remove(plainFile); });

    // Reception of that file into a database that holds the same rows: every received
    // row replaces one.
    std::unique_ptr<SubmittedFile> submitted;
    const double openMs = bench::BestOf(kRuns, [&] { submitted = OpenSubmittedFile(file, QStringLiteral("xmsb")); });
    if (!submitted)
        qFatal("the submission file did not open");
    gImportFlags = QVector<std::int16_t>(kRows + 1, 1);
    const double receiveMs = bench::BestOf(kRuns, [&] {
        if (!InsertDat(*submitted, applicationReception()))
            qFatal("reception failed");
    });
    // The plain copy goes into a copy of the database as it was, so that the table
    // it fills holds as many rows as the reception's.
    const QString plainDb = scratch + QStringLiteral("/plain.db");
    QSqlDatabase plain = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plain"));
    plain.setDatabaseName(plainDb);
    const double plainReceiveMs = bench::BestOf(
        kRuns,
        [&] {
            run(plain, QStringLiteral("attach database ? as f"), {file});
            run(plain, QStringLiteral("insert into main.xmsb select * from f.xmsb"));
            run(plain, QStringLiteral("detach database f"));
        },
        [&] {
            plain.close();
            QFile::remove(plainDb);
            run(db, QStringLiteral("vacuum into ?"), {plainDb});
            if (!plain.open())
                qFatal("cannot open the copy");
        });
    plain.close();

    std::printf("%d applications of %d columns; best of %d runs\n\n", kRows,
                int(records::applications().columns.size()), kRuns);
    bench::Line("export (PackData, every row ticked)", exportMs, "plain INSERT ... SELECT into a new file", plainExportMs);
    bench::Line("reception (InsertDat, every row replacing)", receiveMs, "plain INSERT ... SELECT from the file", plainReceiveMs);
    std::printf("%-46s %10.3f ms\n", "opening the file for the grid (read whole)", openMs);
    return 0;
}
