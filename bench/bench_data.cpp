// Speed of the data layer on a table of the application's width (107 columns, text
// and numbers, 10,000 rows), each figure beside plain QSqlQuery doing the same work
// in the same run. Printed, never asserted.
//
//     build/bench/bench_data

#include "BenchSupport.h"
#include "Db.h"
#include "Recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int kColumns = 107;
const int kRows = 10000;

QString column(int i) { return QStringLiteral("c%1").arg(i); }

// Our figure beside plain QSqlQuery's, with what the ratio should be.
void line(const char* what, double ours, double plain, const char* target)
{
    bench::Line(what, ours, "plain", plain, target);
}

// A file with table `big` of kColumns columns (even ones text, odd ones numbers)
// holding `rows` rows.
void makeFile(DbConnection& c, int rows)
{
    QStringList defs;
    for (int i = 0; i < kColumns; ++i)
        defs << column(i) + (i % 2 ? QStringLiteral(" integer") : QStringLiteral(" text"));
    c.Exec(QStringLiteral("create table big (%1)").arg(defs.join(QStringLiteral(", "))));
    if (rows == 0)
        return;
    QStringList marks(kColumns, QStringLiteral("?"));
    c.InTransaction([&] {
        QSqlQuery q(c.Database());
        q.prepare(QStringLiteral("insert into big values (%1)").arg(marks.join(QLatin1Char(','))));
        for (int r = 0; r < rows; ++r) {
            for (int i = 0; i < kColumns; ++i)
                q.bindValue(i, i % 2 ? QVariant(r * 1000 + i) : QVariant(QStringLiteral("第%1行第%2列").arg(r).arg(i)));
            q.exec();
        }
    });
}

void emptyFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.mdb"));
    const QString small = dir.filePath(QStringLiteral("small.mdb"));
    const QString blank = dir.filePath(QStringLiteral("blank.mdb"));
    const QString target = dir.filePath(QStringLiteral("target.mdb"));
    for (const QString& f : {source, small, blank})
        emptyFile(f);
    {
        DbConnection c(QStringLiteral("make"));
        c.Open(source);
        makeFile(c, kRows);
        c.Open(small);
        makeFile(c, 100);
        c.Open(blank);
        makeFile(c, 0);
    }
    DbConnection conn(QStringLiteral("bench"));
    conn.Open(source);
    const QString all = QStringLiteral("select * from big");
    QStringList names;
    for (int i = 0; i < kColumns; ++i)
        names << column(i);
    std::printf("table of %d rows x %d columns; medians\n\n", kRows, kColumns);

    // Opening a set: the rows read into memory. The runs of the two alternate, so
    // that the machine's other work weighs on both alike.
    std::vector<std::vector<QVariant>> plainRows;
    auto plainRead = [&] {
        plainRows.clear();
        QSqlQuery q(conn.Database());
        q.setForwardOnly(true);
        q.exec(all);
        while (q.next()) {
            std::vector<QVariant> row(kColumns);
            for (int i = 0; i < kColumns; ++i)
                row[i] = q.value(i);
            plainRows.push_back(std::move(row));
        }
    };
    Recordset rs;
    std::vector<double> plainMs, writableMs, readOnlyMs;
    for (int run = 0; run < 7; ++run) {
        plainMs.push_back(bench::Time(plainRead));
        plainRows.clear();
        writableMs.push_back(bench::Time([&] { rs.Open(conn, all, {}, QStringLiteral("big")); }));
        readOnlyMs.push_back(bench::Time([&] { rs.Open(conn, all); }));
    }
    line("open a set that may write", bench::Median(writableMs), bench::Median(plainMs), "target 1.2");
    line("open a read-only set", bench::Median(readOnlyMs), bench::Median(plainMs), "target 1.2");

    // A walk over every row reading every field.
    rs.Open(conn, all, {}, QStringLiteral("big"));
    qint64 sink = 0;
    const double byIndex = bench::MedianOf(5, [&] {
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            for (int i = 0; i < kColumns; ++i)
                sink += rs.Field(i).isValid();
    });
    const double byName = bench::MedianOf(5, [&] {
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            for (const QString& n : names)
                sink += rs.Field(n).isValid();
    });
    line("walk reading every field by name", byName, byIndex, "against by index, target 2");
    QStringList upper;
    for (const QString& n : names)
        upper << n.toUpper();
    const double byOtherCase = bench::MedianOf(5, [&] {
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            for (const QString& n : upper)
                sink += rs.Field(n).isValid();
    });
    line("the same, names in another case", byOtherCase, byIndex, "against by index, target 2");

    // One edit, one insert, one delete, each the mean of many in one transaction
    // (so that the disk's flush does not hide the work), on sets of 100 and 10,000.
    const int writes = 200;
    std::printf("\none write (mean of %d in a transaction):\n", writes);
    for (const QString& file : {small, source}) {
        DbConnection c(QStringLiteral("writes"));
        c.Open(file);
        const int rows = c.Scalar(QStringLiteral("select count(*) from big")).toInt();
        Recordset set;
        set.Open(c, all, {}, QStringLiteral("big"));
        // The commit's flush to disk is left out of the time.
        auto per = [&](const std::function<void(int)>& one) {
            std::vector<double> ms;
            for (int run = 0; run < 5; ++run) {
                Transaction t(c);
                QElapsedTimer timer;
                timer.start();
                for (int k = 0; k < writes; ++k)
                    one(k);
                ms.push_back(bench::Ms(timer) / writes);
                t.Commit();
            }
            return bench::Median(ms);
        };
        QSqlQuery update(c.Database()), insert(c.Database()), remove(c.Database());
        update.prepare(QStringLiteral("update big set c0 = ? where rowid = ?"));
        insert.prepare(QStringLiteral("insert into big (c0, c1) values (?, ?)"));
        remove.prepare(QStringLiteral("delete from big where rowid = ?"));
        const QByteArray size = QByteArray::number(rows);
        const double edit = per([&](int k) {
            set.MoveTo(k % set.RecordCount());
            set.SetField(0, QStringLiteral("改%1").arg(k));
            set.Update();
        });
        const double plainEdit = per([&](int k) {
            update.bindValue(0, QStringLiteral("改%1").arg(k));
            update.bindValue(1, set.RowId(k % set.RecordCount()));
            update.exec();
        });
        line(("edit, set of " + size).constData(), edit, plainEdit, "independent of size");
        const double add = per([&](int k) {
            set.AddNew();
            set.SetField(0, QStringLiteral("新%1").arg(k));
            set.SetField(1, k);
            set.Update();
        });
        // The set reads a new row back (what the table filled in): so does plain.
        QSqlQuery readBack(c.Database());
        readBack.setForwardOnly(true);
        readBack.prepare(QStringLiteral("select * from big where rowid = ?"));
        std::vector<QVariant> stored(kColumns);
        const double plainAdd = per([&](int k) {
            insert.bindValue(0, QStringLiteral("新%1").arg(k));
            insert.bindValue(1, k);
            insert.exec();
            readBack.bindValue(0, insert.lastInsertId());
            readBack.exec();
            readBack.next();
            for (int i = 0; i < kColumns; ++i)
                stored[i] = readBack.value(i);
            readBack.finish();
        });
        line(("insert, set of " + size).constData(), add, plainAdd, "independent of size");
        const double del = per([&](int k) {
            set.MoveTo(k % set.RecordCount());
            set.Delete();
        });
        // Rows still in the table, to be deleted one by one.
        QList<qint64> left;
        for (QSqlQuery q = c.Exec(QStringLiteral("select rowid from big")); q.next();)
            left << q.value(0).toLongLong();
        const double plainDel = per([&](int) {
            remove.bindValue(0, left.takeLast());
            remove.exec();
        });
        line(("delete, set of " + size).constData(), del, plainDel, "independent of size");
        update.finish();
        insert.finish();
        remove.finish();
        readBack.finish();
        set.Close();
    }

    // A copy of the whole table into another file.
    std::printf("\ncopy of %d x %d rows into another file:\n", kRows, kColumns);
    auto freshTarget = [&] {
        QFile::remove(target);
        QFile::copy(blank, target);
    };
    const double plainCopy = bench::MedianOf(
        5,
        [&] {
            QStringList cols = names;
            conn.Exec(QStringLiteral("attach database ? as dest"), {target});
            conn.InTransaction([&] {
                conn.Exec(QStringLiteral("insert into dest.big (%1) select %1 from main.big").arg(cols.join(QLatin1Char(','))));
            });
            conn.Exec(QStringLiteral("detach database dest"));
        },
        freshTarget);
    const double throughSets = bench::MedianOf(
        3,
        [&] {
            DbConnection to(QStringLiteral("to"));
            to.Open(target);
            Recordset from, into;
            from.Open(conn, all);
            into.Open(to, QStringLiteral("select * from big where 0"), {}, QStringLiteral("big"));
            to.InTransaction([&] {
                for (from.MoveFirst(); !from.Eof(); from.MoveNext()) {
                    into.AddNew();
                    for (int i = 0; i < kColumns; ++i)
                        into.SetField(i, from.Field(i));
                }
                into.Update();
            });
        },
        freshTarget);
    line("row by row through two sets", throughSets, plainCopy, "for comparison");
    std::printf("\n(checksum %lld)\n", static_cast<long long>(sink));
    return 0;
}
