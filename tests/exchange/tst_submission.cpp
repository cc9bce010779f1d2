// Writing submission files: exactly the ticked rows of the window's grid, in its
// order, under a name not yet on the medium, and no file at all when the export
// fails.

#include "Db.h"
#include "ExchangeTest.h"
#include "ModVar.h"
#include "SubmissionFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using platform::MessageRecord;

namespace {

const QString kWriting = QStringLiteral("正在写盘！注意：等软驱灯灭后，方可取出软盘。");

// The window's query of the applications of 2005, as the application submission
// window asks it.
RowQuery applications2005()
{
    return RowQuery{QStringLiteral("xmsb"), QStringLiteral("substr(qsny, 1, 4) = ?"), {QStringLiteral("2005")},
                    QStringLiteral("xmlb, ssxk")};
}

// The rowids of rows of that query (from 1), as the window's grid holds them, with
// gCheckedCount counted as the window counts the ticks.
QList<qint64> tick(AppFixture& fx, const QList<int>& ticked)
{
    const RowQuery q = applications2005();
    const QList<QStringList> rows = fx.rows(q.sql(QStringLiteral("rowid")), q.values);
    QList<qint64> rowids;
    for (int i : ticked)
        rowids << rows[i - 1][0].toLongLong();
    gCheckedCount = int(ticked.size());
    return rowids;
}

QStringList floppyFiles(const AppFixture& fx)
{
    return QDir(fx.ui.floppy).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

class TestSubmission : public QObject {
    Q_OBJECT

    // Four applications of 2005 stored out of the query's order (xmlb, ssxk), and
    // one of 2006 that the query leaves out. Each carries its marker as its name.
    void fourApplications(AppFixture& fx)
    {
        auto add = [&](const char* marker, const char* xmlb, const char* ssxk, const char* qsny, const QVariantMap& more = {}) {
            QVariantMap row = more;
            row[QStringLiteral("xmmc")] = QString::fromLatin1(marker);
            row[QStringLiteral("xmlb")] = QString::fromLatin1(xmlb);
            row[QStringLiteral("ssxk")] = QString::fromLatin1(ssxk);
            row[QStringLiteral("qsny")] = QString::fromUtf8(qsny);
            row[QStringLiteral("xmfzr")] = QStringLiteral("张三");
            row[QStringLiteral("sqje")] = 12.5;
            insertRow(fx, QStringLiteral("xmsb"), row);
        };
        add("MARK-ROW-3", "B", "A", "2005年1月");
        add("MARK-ROW-1", "A", "A", "2005年1月");
        add("MARK-ROW-5", "A", "A", "2006年1月");
        add("MARK-ROW-4", "B", "B", "2005年6月");
        add("MARK-ROW-2", "A", "B", "2005年6月",
            {{QStringLiteral("bz"), QVariant()}, {QStringLiteral("yqcg"), QStringLiteral("")}, {QStringLiteral("xm1"), QStringLiteral("李四")}});
    }

    static void exportApplications(const QString& file)
    {
        gExportTable = QStringLiteral("xmsb");
        gExportFile = file;
    }

private slots:
    void writesExactlyTheTickedRowsInOrder()
    {
        AppFixture fx;
        fourApplications(fx);
        const QList<qint64> ticked = tick(fx, {2, 4});
        exportApplications(NewSubmissionFile(QStringLiteral("项目申请")));

        QVERIFY(PackData(QStringLiteral("xmsb"), ticked));

        QCOMPARE(fx.ui.texts(), QStringList{kWriting});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QCOMPARE(fx.ui.messages[0].icon, platform::vbInformation);
        QCOMPARE(gCheckedCount, std::int16_t(0));
        // One file on the medium, under its own name: no temporary or journal left.
        QCOMPARE(floppyFiles(fx), QStringList{QFileInfo(gExportFile).fileName()});
        QVERIFY(QFileInfo(gExportFile).fileName().contains(QRegularExpression(QStringLiteral("^项目申请([0-9]|[1-9][0-9]|1[0-9][0-9]|2[0-4][0-9]|25[0-5])\\.MDB$"))));

        // The table of the same name, its columns in the same order with the same types.
        const QString columns = QStringLiteral("select name, type from pragma_table_info('xmsb') order by cid");
        QCOMPARE(fileRows(gExportFile, columns), fx.rows(columns));
        // Rows 2 and 4 of the query, whole, in that order; Null and "" kept.
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select * from xmsb")),
                 fx.rows(QStringLiteral("select * from xmsb where xmmc in ('MARK-ROW-2', 'MARK-ROW-4') order by xmmc")));
        // Its text compares Latin letters without regard to case, as the live table's.
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select xmmc from xmsb where xmmc = 'mark-row-2'")),
                 (QList<QStringList>{{"MARK-ROW-2"}}));
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select xmmc, bz, yqcg, typeof(yqcg) from xmsb")),
                 (QList<QStringList>{{"MARK-ROW-2", "<null>", "", "text"}, {"MARK-ROW-4", "<null>", "<null>", "null"}}));

        // No trace of the unticked rows anywhere in the file's bytes.
        QFile f(gExportFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("MARK-ROW-2"));
        for (const char* unticked : {"MARK-ROW-1", "MARK-ROW-3", "MARK-ROW-5"})
            QVERIFY2(!bytes.contains(unticked), unticked);
    }

    // A submission file is made as any new file of the user is: others may read it
    // as far as the user's umask lets them.
    void fileHasTheUsersPermissions_data() { umaskCases(); }
    void fileHasTheUsersPermissions()
    {
        QFETCH(int, umask);
        QFETCH(int, mode);
        AppFixture fx;
        fourApplications(fx);
        const UmaskScope scope(umask);
        exportApplications(NewSubmissionFile(QStringLiteral("项目申请")));

        QVERIFY(PackData(QStringLiteral("xmsb"), tick(fx, {1})));

        QCOMPARE(QString::number(modeOf(gExportFile), 8), QString::number(mode, 8));
    }

    // A name on the medium is never written over: a taken name drawn before the disk
    // went in gives way to the next free number.
    void takenNameIsSkipped()
    {
        AppFixture fx;
        fourApplications(fx);
        const QString earlier = QDir(fx.ui.floppy).filePath(QStringLiteral("项目申请7.MDB"));
        QFile f(earlier);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("earlier submission") > 0);
        f.close();
        const QList<qint64> ticked = tick(fx, {1});
        exportApplications(earlier);

        QVERIFY(PackData(QStringLiteral("xmsb"), ticked));

        QCOMPARE(gExportFile, QDir(fx.ui.floppy).filePath(QStringLiteral("项目申请8.MDB")));
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select xmmc from xmsb")), QList<QStringList>{{"MARK-ROW-1"}});
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("earlier submission"));
    }

    void drawnNameIsFree_data()
    {
        QTest::addColumn<int>("taken");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all but one taken") << 255 << QStringLiteral("项目申请200.MDB");
        QTest::newRow("all taken") << 256 << QString();
    }

    void drawnNameIsFree()
    {
        QFETCH(int, taken);
        QFETCH(QString, expected);
        AppFixture fx;
        fourApplications(fx);
        for (int n = 0, made = 0; made < taken; ++n) {
            if (taken < 256 && n == 200)
                continue;
            QFile f(QDir(fx.ui.floppy).filePath(QStringLiteral("项目申请%1.MDB").arg(n)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            ++made;
        }
        const QString drawn = NewSubmissionFile(QStringLiteral("项目申请"));
        if (!expected.isEmpty()) {
            QCOMPARE(QFileInfo(drawn).fileName(), expected);
            return;
        }
        const QList<qint64> ticked = tick(fx, {1});
        exportApplications(drawn);
        QVERIFY(!PackData(QStringLiteral("xmsb"), ticked));
        QCOMPARE(fx.ui.texts(), QStringList{QStringLiteral("软盘上已有全部 256 个“项目申请”文件（0 至 255），请换一张软盘后再写盘。")});
        QCOMPARE(floppyFiles(fx).size(), 256);
    }

    // Whatever step fails, the medium holds nothing of the export and the user is
    // told; the success message never comes.
    void failureLeavesNoFile_data()
    {
        QTest::addColumn<QString>("table");        // gExportTable
        QTest::addColumn<QString>("sourceTable");  // the table the window lists
        QTest::addColumn<QList<qint64>>("rowids"); // of the ticked rows
        QTest::addColumn<int>("counted");
        QTest::addColumn<QString>("folder");       // medium; empty: the fixture's
        QTest::addColumn<QStringList>("messages"); // "*" stands for the database's description

        QTest::newRow("row copy fails")
            << "xmsb" << "xmsbpart" << QList<qint64>{5, 4} << 2 << QString()
            << QStringList{"*", QStringLiteral("数据复制有错.")};
        QTest::newRow("no such table")
            << "nosuch" << "xmsb" << QList<qint64>{5, 4} << 2 << QString()
            << QStringList{"*", QStringLiteral("数据结构复制有错.")};
        QTest::newRow("rows written differ from the ticks counted")
            << "xmsb" << "xmsb" << QList<qint64>{5, 4} << 1 << QString()
            << QStringList{QStringLiteral("系统出错,请与开发者联系."), QStringLiteral("Deletee Copies error. in PackData")};
        QTest::newRow("a ticked row gone since the grid was filled")
            << "xmsb" << "xmsb" << QList<qint64>{5, 4, 99} << 3 << QString()
            << QStringList{QStringLiteral("系统出错,请与开发者联系."), QStringLiteral("Deletee Copies error. in PackData")};
        QTest::newRow("no medium")
            << "xmsb" << "xmsb" << QList<qint64>{1} << 1 << QStringLiteral("/nonexistent/A")
            << QStringList{QStringLiteral("没有找到软盘（/nonexistent/A）。请放入软盘后再写盘。")};
        QTest::newRow("medium takes no files")
            << "xmsb" << "xmsb" << QList<qint64>{1} << 1 << QStringLiteral("/proc")
            << QStringList{"软盘无法写入（/proc）*"};
    }

    void failureLeavesNoFile()
    {
        QFETCH(QString, table);
        QFETCH(QString, sourceTable);
        QFETCH(QList<qint64>, rowids);
        QFETCH(int, counted);
        QFETCH(QString, folder);
        QFETCH(QStringList, messages);
        AppFixture fx;
        fourApplications(fx);
        // A table lacking most columns of xmsb: the row copy fails after the file's
        // table has been made.
        fx.exec(QStringLiteral("create table xmsbpart as select xmmc, qsny, xmlb, ssxk from xmsb"));
        gCheckedCount = std::int16_t(counted);
        gExportTable = table;
        gExportFile = (folder.isEmpty() ? fx.ui.floppy : folder) + QStringLiteral("/项目申请3.MDB");

        QVERIFY(!PackData(sourceTable, rowids));

        QCOMPARE(fx.ui.texts().size(), messages.size());
        for (int i = 0; i < messages.size(); ++i) {
            const QString got = fx.ui.texts()[i];
            QVERIFY2(messages[i] == QLatin1String("*") ? !got.isEmpty()
                     : messages[i].endsWith(QLatin1Char('*')) ? got.startsWith(messages[i].chopped(1)) : got == messages[i],
                     qPrintable(got));
        }
        QVERIFY(!fx.ui.texts().contains(kWriting));
        QCOMPARE(floppyFiles(fx), QStringList());
        QCOMPARE(gCheckedCount, std::int16_t(0));
    }

    // With a submission window open the copy runs on its connection (gWorkspace); a
    // failed export leaves nothing attached to it, so the next export works.
    void exportsInTheWorkspace()
    {
        AppFixture fx;
        fourApplications(fx);
        fx.exec(QStringLiteral("create table xmsbpart as select xmmc, qsny, xmlb, ssxk from xmsb"));
        DbConnection workspace(QStringLiteral("workspace"));
        workspace.Open(fx.dbPath());
        gWorkspace = &workspace;
        const QString databases = QStringLiteral("select count(*) from pragma_database_list");
        const QVariant before = workspace.Scalar(databases);

        exportApplications(NewSubmissionFile(QStringLiteral("项目申请")));
        QVERIFY(!PackData(QStringLiteral("xmsbpart"), tick(fx, {2, 4})));
        QCOMPARE(workspace.Scalar(databases), before);
        QVERIFY(workspace.IsOpen());

        fx.ui.clear();
        exportApplications(NewSubmissionFile(QStringLiteral("项目申请")));
        QVERIFY(PackData(QStringLiteral("xmsb"), tick(fx, {2, 4})));
        QCOMPARE(fx.ui.texts(), QStringList{kWriting});
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select xmmc from xmsb")),
                 (QList<QStringList>{{"MARK-ROW-2"}, {"MARK-ROW-4"}}));
        QCOMPARE(workspace.Scalar(databases), before);
        gWorkspace = nullptr;
    }

    // A column type that a submission file does not carry is reported once per such
    // column and gets no type; the export still writes the file.
    void unknownColumnType()
    {
        AppFixture fx;
        fx.exec(QStringLiteral("create table xmtest (a TEXT, b NUMERIC, c DECIMAL(10,2), d INTEGER, e NUMERIC(5), f VARCHAR(20))"));
        fx.exec(QStringLiteral("insert into xmtest values ('x', 1.5, 2.25, 3, 4, 'y')"));
        gCheckedCount = 1;
        gExportTable = QStringLiteral("xmtest");
        gExportFile = NewSubmissionFile(QStringLiteral("项目结题"));

        QVERIFY(PackData(QStringLiteral("xmtest"), {1}));

        const QString typeMessage = QStringLiteral("Data Type Exception,Please contact the vendor.");
        QCOMPARE(fx.ui.texts(), (QStringList{typeMessage, typeMessage, kWriting}));
        QCOMPARE(fx.ui.messages[0].icon, platform::vbCritical);
        QCOMPARE(fx.ui.messages[0].title, platform::applicationTitle());
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select name, type from pragma_table_info('xmtest') order by cid")),
                 (QList<QStringList>{{"a", "TEXT"}, {"b", ""}, {"c", ""}, {"d", "INTEGER"}, {"e", ""}, {"f", "VARCHAR(20)"}}));
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select * from xmtest")),
                 (QList<QStringList>{{"x", "1.5", "2.25", "3", "4", "y"}}));
    }
};

QTEST_MAIN(TestSubmission)
#include "tst_submission.moc"
