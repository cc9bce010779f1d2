// Backup and restore of the database file: a consistent copy out, a checked file
// back in, and the live database untouched whenever a restore is refused or fails.

#include "ExchangeTest.h"
#include "ModVar.h"
#include "Backup.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes, qint64 at = 0)
{
    QFile f(path);
    if (!f.open(at ? QIODevice::ReadWrite : QIODevice::WriteOnly) || !f.seek(at) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void backupAndRestore()
    {
        AppFixture fx;
        gDbPath = fx.dbPath();
        insertRow(fx, QStringLiteral("xmsb"), {{QStringLiteral("xmmc"), QStringLiteral("备份前")}});
        QVERIFY(!QFileInfo::exists(BackupFolder()));
        QVERIFY(EnsureBackupFolder());
        QCOMPARE(BackupFolder(), fx.folder() + QStringLiteral("/BackUp"));

        QVERIFY(BackupDatabase(BackupFolder() + QLatin1Char('/') + DefaultBackupName(fx.ui.todayDate)));

        const QString backup = BackupFolder() + QStringLiteral("/备份20261210.mdb");
        QCOMPARE(fx.ui.texts(), QStringList{QStringLiteral("数据已成功备份至文件： ") + backup + QStringLiteral("请记录下此文件名以备恢复。")});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QCOMPARE(fx.ui.messages[0].icon, platform::vbNoIcon);
        QCOMPARE(filesIn(BackupFolder()), QStringList{QStringLiteral("备份20261210.mdb")});

        fx.exec(QStringLiteral("delete from xmsb"));
        insertRow(fx, QStringLiteral("xmsb"), {{QStringLiteral("xmmc"), QStringLiteral("备份后")}});
        fx.closeConnection();
        fx.ui.clear();

        QVERIFY(RestoreDatabase(backup));

        QCOMPARE(fx.ui.texts(), (QStringList{QStringLiteral("当前数据将被完全覆盖,请仔细操作."),
                                             QStringLiteral("数据已成功恢复至文件： ") + fx.dbPath() + QStringLiteral("。")}));
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("数据恢复"));
        QCOMPARE(fx.ui.messages[0].buttons, platform::vbYesNo);
        QCOMPARE(fx.ui.messages[0].icon, platform::vbExclamation);
        QCOMPARE(fx.rows(QStringLiteral("select xmmc from xmsb")), QList<QStringList>{{QStringLiteral("备份前")}});
        QCOMPARE(filesIn(fx.folder() + QStringLiteral("/data")), QStringList{QStringLiteral("qwdb.mdb")});
    }

    // A backup is made as any new file of the user is, also where it replaces an
    // older one: others may read it as far as the user's umask lets them.
    void backupHasTheUsersPermissions_data() { umaskCases(); }
    void backupHasTheUsersPermissions()
    {
        QFETCH(int, umask);
        QFETCH(int, mode);
        AppFixture fx;
        gDbPath = fx.dbPath();
        QVERIFY(EnsureBackupFolder());
        const QString backup = BackupFolder() + QStringLiteral("/b.mdb");
        const UmaskScope scope(umask);

        QVERIFY(BackupDatabase(backup));
        QCOMPARE(QString::number(modeOf(backup), 8), QString::number(mode, 8));
        fx.ui.answers = {platform::vbYes};
        QVERIFY(BackupDatabase(backup));
        QCOMPARE(QString::number(modeOf(backup), 8), QString::number(mode, 8));
    }

    // A copy that fails says why behind the details button.
    void restoreFailureGivesItsReason()
    {
        AppFixture fx;
        const QString backup = fx.folder() + QStringLiteral("/backup.mdb");
        fx.exec(QStringLiteral("vacuum into ?"), {backup});
        fx.closeConnection();
        gDbPath = fx.folder() + QStringLiteral("/gone/qwdb.mdb");
        fx.ui.answers = {platform::vbYes};

        QVERIFY(!RestoreDatabase(backup));

        QCOMPARE(fx.ui.texts(), (QStringList{QStringLiteral("当前数据将被完全覆盖,请仔细操作."), QStringLiteral("数据恢复失败！")}));
        QCOMPARE(fx.ui.messages[1].icon, platform::vbCritical);
        QCOMPARE(fx.ui.messages[1].title, QStringLiteral("提示信息"));
        QVERIFY2(fx.ui.messages[1].detail.startsWith(QStringLiteral("无法写入文件 ") + gDbPath), qPrintable(fx.ui.messages[1].detail));
    }

    // A journal that a crash left beside the database belongs to the file it
    // replaced: the restored file must not be rolled back with it.
    void restoreLeavesNoStaleJournal()
    {
        AppFixture fx;
        gDbPath = fx.dbPath();
        const QString many = QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                                            "insert into xmsb (xmmc, yqcg) select ? || i, printf('%.1000c', 'x') from n");
        fx.exec(many, {QStringLiteral("备份前")});
        const QString backup = fx.folder() + QStringLiteral("/backup.mdb");
        fx.exec(QStringLiteral("vacuum into ?"), {backup});
        fx.exec(QStringLiteral("delete from xmsb"));
        fx.exec(many, {QStringLiteral("备份后")});
        fx.closeConnection();
        // A transaction too big for its cache has written the journal and some pages
        // when the program ends without a rollback.
        const QString journal = fx.dbPath() + QStringLiteral("-journal");
        QByteArray hot;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("crash"));
            db.setDatabaseName(fx.dbPath());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("pragma cache_size = 2")));
            QVERIFY(q.exec(QStringLiteral("begin")));
            QVERIFY(q.exec(QStringLiteral("update xmsb set yqcg = printf('%.1000c', 'y')")));
            hot = bytesOf(journal);
            QVERIFY(q.exec(QStringLiteral("rollback")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("crash"));
        QVERIFY(hot.size() > 4096);
        writeBytes(journal, hot);

        QVERIFY(RestoreDatabase(backup));

        QVERIFY(!QFileInfo::exists(journal));
        QCOMPARE(fx.rows(QStringLiteral("pragma integrity_check")), QList<QStringList>{{QStringLiteral("ok")}});
        QCOMPARE(fx.rows(QStringLiteral("select count(*), min(xmmc) from xmsb where xmmc like '备份前%'")),
                 (QList<QStringList>{{QStringLiteral("300"), QStringLiteral("备份前1")}}));
        QCOMPARE(fx.count(QStringLiteral("xmsb")), 300);
    }

    // A journal that cannot be removed would be played back into the restored file:
    // the restore says so instead of reporting success.
    void restoreWithAJournalThatStays()
    {
        AppFixture fx;
        gDbPath = fx.dbPath();
        const QString backup = fx.folder() + QStringLiteral("/backup.mdb");
        fx.exec(QStringLiteral("vacuum into ?"), {backup});
        fx.closeConnection();
        const QString journal = fx.dbPath() + QStringLiteral("-journal");
        QVERIFY(QDir().mkpath(journal + QStringLiteral("/held")));

        QVERIFY(!RestoreDatabase(backup));

        QCOMPARE(fx.ui.messages.last().text, QStringLiteral("数据恢复失败！"));
        QVERIFY2(fx.ui.messages.last().detail.contains(QDir::toNativeSeparators(journal)),
                 qPrintable(fx.ui.messages.last().detail));
    }

    void backupName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default name") << "/app/BackUp/备份20261209" << "/app/BackUp/备份20261209.mdb";
        QTest::newRow("a point in a folder only") << "/app.v2/BackUp/备份20261209" << "/app.v2/BackUp/备份20261209.mdb";
        QTest::newRow("trailing blanks") << "/app/BackUp/abc  " << "/app/BackUp/abc.mdb";
        QTest::newRow("a name with a point") << "/app/BackUp/abc.bak" << "/app/BackUp/abc.bak";
    }

    void backupName()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(WithBackupExtension(path), expected);
        QCOMPARE(DefaultBackupName(QDate(2026, 12, 9)), QStringLiteral("备份20261209"));
    }

    // Where the backup would go: nothing, the live file itself, or a file that is
    // there already (replaced only on Yes, and kept when the copy fails).
    void backupTarget_data()
    {
        QTest::addColumn<QString>("target");  // "@live": the database file; "@old": an existing file
        QTest::addColumn<bool>("damaged");    // the live database cannot be read whole
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("written");
        const QString old = QStringLiteral("文件 %1 已经存在，要替换它吗？");
        QTest::newRow("no name") << "" << false << QList<int>{} << QStringList{QStringLiteral("无备份文件名，操作被取消。")} << false;
        QTest::newRow("the database file")
            << "@live" << false << QList<int>{} << QStringList{QStringLiteral("不能把数据备份到正在使用的数据库文件上，请换一个文件名。")} << false;
        QTest::newRow("an existing file, kept") << "@old" << false << QList<int>{platform::vbNo} << QStringList{old} << false;
        QTest::newRow("an existing file, replaced")
            << "@old" << false << QList<int>{platform::vbYes}
            << QStringList{old, QStringLiteral("数据已成功备份至文件： %1请记录下此文件名以备恢复。")} << true;
        QTest::newRow("an existing file, the copy fails")
            << "@old" << true << QList<int>{platform::vbYes} << QStringList{old, QStringLiteral("数据备份失败！")} << false;
    }

    void backupTarget()
    {
        QFETCH(QString, target);
        QFETCH(bool, damaged);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, messages);
        QFETCH(bool, written);
        AppFixture fx;
        gDbPath = fx.dbPath();
        if (damaged) {
            // Some 80 pages of applications, page 60 overwritten: the copy fails midway.
            fx.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 305) "
                                   "insert into xmsb (xmmc, yqcg) select '项目' || i, printf('%.1000c', 'x') from n"));
            fx.closeConnection();
            writeBytes(fx.dbPath(), QByteArray(4096, '\xee'), 59 * 4096);
        }
        QVERIFY(QDir().mkpath(fx.folder() + QStringLiteral("/out")));
        const QString old = fx.folder() + QStringLiteral("/out/old.mdb");
        writeBytes(old, "an older backup");
        const QString path = target == QLatin1String("@live") ? fx.dbPath() : target == QLatin1String("@old") ? old : target;
        const QByteArray live = bytesOf(fx.dbPath());
        fx.ui.answers = answers;

        QCOMPARE(BackupDatabase(path), written);

        QStringList expected;
        for (const QString& m : messages)
            expected << (m.contains(QLatin1String("%1")) ? m.arg(path) : m);
        QCOMPARE(fx.ui.texts(), expected);
        QCOMPARE(bytesOf(fx.dbPath()), live);
        if (target == QLatin1String("@old") && written)
            QVERIFY(bytesOf(old).startsWith("SQLite format 3"));
        else if (target == QLatin1String("@old"))
            QCOMPARE(bytesOf(old), QByteArray("an older backup"));
        if (damaged) {
            // The database's reason behind the details button.
            QCOMPARE(fx.ui.messages.last().icon, platform::vbCritical);
            QVERIFY2(fx.ui.messages.last().detail.contains(QLatin1String("malformed")), qPrintable(fx.ui.messages.last().detail));
        }
        QCOMPARE(filesIn(fx.folder() + QStringLiteral("/out")), QStringList{QStringLiteral("old.mdb")});
    }

    // A restore that is refused or declined leaves the live database as it was.
    void restoreRefused_data()
    {
        QTest::addColumn<QString>("source");  // a file the test makes, by its role
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("message");  // %1: the chosen path
        QTest::newRow("no file chosen") << "" << QList<int>{} << "没有选定任何数据文件.";
        QTest::newRow("missing file") << "missing" << QList<int>{} << "文件 %1 不存在。";
        QTest::newRow("not a database") << "text" << QList<int>{} << "所选文件不是本系统的数据库文件，不能用来恢复：%1";
        QTest::newRow("the live file") << "live" << QList<int>{} << "所选文件就是正在使用的数据库文件，不能用它来恢复。";
        QTest::newRow("the live file by another path")
            << "live by another path" << QList<int>{} << "所选文件就是正在使用的数据库文件，不能用它来恢复。";
        QTest::newRow("a database without the program's tables")
            << "no xmjt" << QList<int>{} << "所选文件不是本系统的数据库文件（没有数据表 xmjt），不能用来恢复：%1";
        QTest::newRow("a damaged database") << "damaged" << QList<int>{} << "所选文件已经损坏，不能用来恢复：%1";
        QTest::newRow("the database in use")
            << "in use" << QList<int>{} << "数据库文件正被其他窗口使用。请先关闭其他窗口，然后再恢复数据。";
        QTest::newRow("answered No") << "good" << QList<int>{platform::vbNo} << "当前数据将被完全覆盖,请仔细操作.";
    }

    void restoreRefused()
    {
        QFETCH(QString, source);
        QFETCH(QList<int>, answers);
        QFETCH(QString, message);
        AppFixture fx;
        gDbPath = fx.dbPath();
        fx.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 50) "
                               "insert into xmsb (xmmc) select '项目' || i from n"));
        const QString copy = fx.folder() + QStringLiteral("/copy.mdb");
        fx.exec(QStringLiteral("vacuum into ?"), {copy});
        QString path = copy;
        if (source.isEmpty())
            path.clear();
        else if (source == QLatin1String("missing"))
            path = fx.folder() + QStringLiteral("/none.mdb");
        else if (source == QLatin1String("text"))
            writeBytes(copy, "these are notes, not a database");
        else if (source == QLatin1String("live"))
            path = fx.dbPath();
        else if (source == QLatin1String("live by another path"))
            path = fx.folder() + QStringLiteral("/data/../data/qwdb.mdb");
        else if (source == QLatin1String("no xmjt")) {
            fx.exec(QStringLiteral("attach database ? as c"), {copy});
            fx.exec(QStringLiteral("drop table c.xmjt"));
            fx.exec(QStringLiteral("detach database c"));
        }
        else if (source == QLatin1String("damaged"))
            writeBytes(copy, QByteArray(4096, '\xab'), 3 * 4096);
        if (source != QLatin1String("in use"))
            fx.closeConnection();
        const QByteArray live = bytesOf(fx.dbPath());
        fx.ui.answers = answers;

        QVERIFY(!RestoreDatabase(path));

        QCOMPARE(fx.ui.texts(), QStringList{message.contains(QLatin1String("%1")) ? message.arg(path) : message});
        QCOMPARE(bytesOf(fx.dbPath()), live);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
