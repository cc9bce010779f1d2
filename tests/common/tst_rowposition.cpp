// The place of a row among a query's sorted rows, found by the database: for every
// row of a small table, placed among the others of a fresh read of the same query, it
// must be the row's index in that read.
#include "Db.h"
#include "RowPosition.h"
#include "TestSupport.h"

#include <QTest>

class TestRowPosition : public QObject {
    Q_OBJECT

    // Applications with mixed-case Latin units, equal keys, NULL and empty keys.
    static void fill(AppFixture& fx)
    {
        const char* rows[][5] = {
            // xmlb, sqrq, szdw, ssxk, qsny
            {"A", "2026.03.01", "a大学", "PA", "2026年1月"},
            {"A", "2026.03.01", "B大学", "PA", "2026年6月"},
            {"A", "2026.03.01", "c大学", "PB", "2025年1月"},
            {"A", "2026.03.01", "B大学", "PA", "2026年1月"},   // all keys as row 2
            {"A", "2026.03.01", "b大学", "pa", "2026年1月"},   // equal to it under NOCASE
            {"A", "2026.02.01", "A大学", "PA", "2025年6月"},
            {"A", nullptr, "a大学", "PA", nullptr},
            {"A", "", "a大学", nullptr, "2026年1月"},
            {"B", "2026.03.01", "B大学", "PA", "2026年1月"},
            {"A", "2026.03.01", "a大学", "PA", "2026年1月"},   // all keys as row 1
        };
        for (const auto& r : rows) {
            QVariantList v;
            for (const char* s : r)
                v << (s ? QVariant(QString::fromUtf8(s)) : QVariant());
            fx.exec("insert into xmsb (xmlb, sqrq, szdw, ssxk, qsny) values (?, ?, ?, ?, ?)", v);
        }
    }

private slots:
    void positionIsTheIndexOfAFreshRead_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("order");
        QTest::newRow("application window") << "xmlb=?" << QVariantList{"A"} << "sqrq desc,szdw asc,ssxk asc,rowid";
        QTest::newRow("ties left to the scan") << "xmlb=?" << QVariantList{"A"} << "sqrq desc, szdw asc, ssxk asc";
        QTest::newRow("one key, many ties") << "" << QVariantList{} << "xmlb";
        QTest::newRow("key with a comma") << "xmlb=? or xmlb=?" << QVariantList{"A", "B"}
                                          << "substr(qsny,1,4) desc, szdw ASC, rowid";
        QTest::newRow("nulls, descending first") << "" << QVariantList{} << "ssxk desc, sqrq";
        QTest::newRow("no order") << "xmlb=?" << QVariantList{"A"} << "";
    }

    void positionIsTheIndexOfAFreshRead()
    {
        QFETCH(QString, filter);
        QFETCH(QVariantList, values);
        QFETCH(QString, order);
        AppFixture fx;
        fill(fx);
        DbConnection db("t");
        db.Open(fx.dbPath());
        QString sql = "select rowid from xmsb";
        if (!filter.isEmpty())
            sql += " where " + filter;
        if (!order.isEmpty())
            sql += " order by " + order;
        QList<qint64> fresh;
        QSqlQuery q = db.Exec(sql, values);
        while (q.next())
            fresh << q.value(0).toLongLong();
        QVERIFY(fresh.size() > 1);
        for (int i = 0; i < fresh.size(); ++i) {
            QList<qint64> others = fresh;
            others.removeAt(i);
            QCOMPARE(SortedRowPosition(db, "xmsb", order, fresh[i], int(others.size()), [&](int k) { return others[k]; }), i);
        }
    }

    // A row the filter leaves out is placed where it would stand among the others.
    void rowOutsideTheFilter()
    {
        AppFixture fx;
        fill(fx);
        DbConnection db("t");
        db.Open(fx.dbPath());
        // Row 9 (category B, 2026.03.01, B大学, PA) among category A: after the two
        // rows of a大学 on that date and the three whose keys equal its own.
        const QString order = "sqrq desc,szdw asc,ssxk asc,rowid";
        QList<qint64> a;
        QSqlQuery q = db.Exec("select rowid from xmsb where xmlb=? order by " + order, {"A"});
        while (q.next())
            a << q.value(0).toLongLong();
        auto held = [&a](int k) { return a[k]; };
        QCOMPARE(SortedRowPosition(db, "xmsb", order, 9, int(a.size()), held), 5);
        QVERIFY_THROWS_EXCEPTION(DbError, SortedRowPosition(db, "xmsb", "sqrq", 99, int(a.size()), held));
    }
};

QTEST_MAIN(TestRowPosition)
#include "tst_rowposition.moc"
