#include "Db.h"
#include "Failure.h"
#include "TestSupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <optional>

// A second connection of the test's own on a file (for locks and for looking at what
// another user of the file sees).
struct Other {
    QString name;
    explicit Other(const QString& path, const QString& id = "other")
        : name(id)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        db.open();
    }
    ~Other()
    {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    QSqlQuery exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(name, false));
        q.exec(sql);
        return q;
    }
    int count(const QString& table)
    {
        QSqlQuery q = exec("select count(*) from " + table);
        return q.next() ? q.value(0).toInt() : -1;
    }
};

class TestDb : public QObject {
    Q_OBJECT

private slots:
    // Failures a user can cause are told in Chinese (what is wrong, what to do),
    // with the database's own text after it.
    void userCausedFailures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("advice");
        QTest::addColumn<QString>("databaseText");
        QTest::newRow("read-only") << "read-only" << 8 << "数据库文件不能写入" << "readonly database";
        QTest::newRow("full disk") << "full" << 13 << "磁盘已满" << "full";
        QTest::newRow("locked") << "locked" << 5 << "已锁定" << "database is locked";
        QTest::newRow("not a database") << "not a database" << 26 << "不是数据库文件" << "not a database";
        QTest::newRow("missing table") << "missing table" << 1 << "数据库中没有表 xmgl" << "no such table";
    }
    void userCausedFailures()
    {
        QFETCH(QString, fault);
        QFETCH(int, code);
        QFETCH(QString, advice);
        QFETCH(QString, databaseText);
        AppFixture fx;
        DbConnection conn("t");
        QString description;
        try {
            if (fault == "not a database") {
                QFile f(fx.folder() + "/notes.mdb");
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(QByteArray(4096, 'x'));
                f.close();
                conn.Open(f.fileName());
            }
            conn.Open(fx.dbPath());
            if (fault == "read-only")
                conn.Exec("pragma query_only = 1");
            if (fault == "full") {
                const QVariant pages = conn.Scalar("pragma page_count");
                conn.Exec(QString("pragma max_page_count = %1").arg(pages.toInt()));
                conn.Exec("insert into dwdm values (?, ?)", {"1", QString(20000, QChar(0x4e00))});
            }
            Other locker(fx.dbPath());
            if (fault == "locked") {
                locker.exec("begin exclusive");
                conn.Exec("pragma busy_timeout = 0");
            }
            if (fault == "missing table")
                conn.Exec("select * from xmgl");
            conn.Exec("insert into dwdm values ('1', '甲')");
            QFAIL("no failure");
        } catch (const DbError& e) {
            QCOMPARE(e.Code(), code);
            description = FailureText(e);
        }
        QVERIFY2(description.contains(advice), qPrintable(description));
        QVERIFY2(description.contains(databaseText, Qt::CaseInsensitive), qPrintable(description));
        // The Chinese text leads; the database's follows it.
        QVERIFY(description.indexOf(advice) < description.indexOf(databaseText, 0, Qt::CaseInsensitive));
    }

    // Only the outermost transaction begins and commits; an inner one that rolls
    // back takes the whole work with it.
    void nestedTransactions_data()
    {
        QTest::addColumn<bool>("innerCommits");
        QTest::addColumn<bool>("outerCommits");
        QTest::addColumn<int>("stored");
        QTest::newRow("both commit") << true << true << 2;
        QTest::newRow("inner rolls back") << false << true << 0;
        QTest::newRow("outer rolls back") << true << false << 0;
    }
    void nestedTransactions()
    {
        QFETCH(bool, innerCommits);
        QFETCH(bool, outerCommits);
        QFETCH(int, stored);
        AppFixture fx;
        DbConnection conn("t");
        conn.Open(fx.dbPath());
        Other other(fx.dbPath());
        {
            Transaction outer(conn);
            conn.Exec("insert into dwdm values ('1', '甲')");
            {
                Transaction inner(conn);
                conn.Exec("insert into dwdm values ('2', '乙')");
                if (innerCommits)
                    inner.Commit();
            }
            QCOMPARE(other.count("dwdm"), 0);   // nothing is stored before the outermost commits
            QVERIFY(conn.TransactionOpen());
            if (outerCommits) {
                if (innerCommits) {
                    outer.Commit();
                } else {
                    try {
                        outer.Commit();
                        QFAIL("committed work of which a step was rolled back");
                    } catch (const DbError& e) {
                        QVERIFY2(e.description().contains("撤销"), qPrintable(e.description()));
                    }
                }
            }
        }
        QVERIFY(!conn.TransactionOpen());
        QCOMPARE(other.count("dwdm"), stored);
        conn.InTransaction([&] { conn.Exec("insert into dwdm values ('3', '丙')"); });   // the connection goes on
        QCOMPARE(other.count("dwdm"), stored + 1);
    }

    // A throw rolls back and goes on unchanged; when the database had already ended
    // the transaction itself, the first failure is still the one reported.
    void failureRollsBackAndKeepsTheFirstError()
    {
        AppFixture fx;
        DbConnection conn("t");
        conn.Open(fx.dbPath());
        try {
            conn.InTransaction([&] {
                conn.Exec("insert into dwdm values ('1', '甲')");
                throw std::runtime_error("first");
            });
            QFAIL("no failure");
        } catch (const std::runtime_error& e) {
            QCOMPARE(QString(e.what()), QString("first"));
        }
        QCOMPARE(fx.count("dwdm"), 0);

        conn.Exec(QString("pragma max_page_count = %1").arg(conn.Scalar("pragma page_count").toInt()));
        try {
            conn.InTransaction([&] {
                conn.Exec("insert into dwdm values (?, ?)", {"1", QString(20000, QChar(0x4e00))});
            });
            QFAIL("no failure");
        } catch (const DbError& e) {
            QCOMPARE(e.Code(), 13);
            QVERIFY2(e.description().startsWith("磁盘已满"), qPrintable(e.description()));
        }
        QCOMPARE(fx.count("dwdm"), 0);
    }

    // A transaction still alive when its connection closes ended with the close: its
    // end does nothing more (a commit says the work is gone), and the connection,
    // opened again, begins, commits and rolls back its next transactions as before.
    void transactionOutlivingItsConnectionsClose_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("reopenFirst");
        QTest::newRow("destroyed after the reopening") << "destroy" << true;
        QTest::newRow("destroyed while closed") << "destroy" << false;
        QTest::newRow("rolled back after the reopening") << "rollback" << true;
        QTest::newRow("committed after the reopening") << "commit" << true;
        QTest::newRow("committed while closed") << "commit" << false;
    }
    void transactionOutlivingItsConnectionsClose()
    {
        QFETCH(QString, end);
        QFETCH(bool, reopenFirst);
        AppFixture fx;
        DbConnection conn("t");
        conn.Open(fx.dbPath());
        {
            auto outer = std::make_optional<Transaction>(conn);
            Transaction inner(conn);
            conn.Exec("insert into dwdm values ('1', '甲')");
            conn.Close();
            QVERIFY(!conn.TransactionOpen());
            if (reopenFirst)
                conn.Open(fx.dbPath());
            inner.Rollback();
            if (end == "rollback")
                outer->Rollback();
            if (end == "commit")
                QVERIFY_THROWS_EXCEPTION(DbError, outer->Commit());
            outer.reset();
            QVERIFY(!conn.TransactionOpen());
        }
        if (!reopenFirst)
            conn.Open(fx.dbPath());
        QCOMPARE(fx.count("dwdm"), 0);
        {
            Transaction t(conn);
            QVERIFY(conn.TransactionOpen());
            conn.Exec("insert into dwdm values ('2', '乙')");
            t.Rollback();
        }
        QCOMPARE(fx.count("dwdm"), 0);
        conn.InTransaction([&] { conn.Exec("insert into dwdm values ('3', '丙')"); });
        QCOMPARE(fx.count("dwdm"), 1);
        QVERIFY(!conn.TransactionOpen());
    }
};

QTEST_MAIN(TestDb)
#include "tst_db.moc"
