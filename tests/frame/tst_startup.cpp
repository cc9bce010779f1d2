// Start-up: one copy per desktop, the database check, the login window first.

#include "FrameTest.h"
#include "Startup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void oneHolderOfTheLockAtATime()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("instance.lock");
        {
            startup::SingleInstance first(path);
            startup::SingleInstance second(path);
            QVERIFY(first.TryAcquire());
            QVERIFY(first.TryAcquire());   // asking again keeps it
            QVERIFY(!second.TryAcquire());
        }
        startup::SingleInstance third(path);
        QVERIFY(third.TryAcquire());
    }

    void lockIsKeyedByUserAndDisplay()
    {
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", ":7");
        const QString a = startup::InstanceLockPath();
        qputenv("DISPLAY", ":8");
        const QString b = startup::InstanceLockPath();
        if (display.isNull())
            qunsetenv("DISPLAY");
        else
            qputenv("DISPLAY", display);
        QVERIFY(a != b);
        QVERIFY(QFileInfo(a).fileName().contains(qEnvironmentVariable("USER")));
    }

    // One desktop, one lock, however its display is spelt: the screen and the local
    // host's names do not make another desktop.
    void lockIsNamedByTheDisplayNotItsSpelling_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        const QString here = QSysInfo::machineHostName();
        QTest::newRow(":0 and :0.0") << ":0" << ":0.0" << true;
        QTest::newRow(":0 and localhost:0") << ":0" << "localhost:0" << true;
        QTest::newRow(":0.0 and localhost:0.0") << ":0.0" << "localhost:0.0" << true;
        QTest::newRow(":0 and unix:0") << ":0" << "unix:0" << true;
        QTest::newRow(":0 and 127.0.0.1:0") << ":0" << "127.0.0.1:0" << true;
        QTest::newRow(":0 and this host's name") << ":0" << here.toUpper() + ":0.0" << true;
        QTest::newRow(":0 and :1") << ":0" << ":1.0" << false;
        QTest::newRow(":0 and another host") << ":0" << "elsewhere.example:0" << false;
        QTest::newRow(":10 and :1.0") << ":10" << ":1.0" << false;
    }
    void lockIsNamedByTheDisplayNotItsSpelling()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        const QByteArray display = qgetenv("DISPLAY");
        auto lockFor = [](const QString& d) {
            qputenv("DISPLAY", d.toLocal8Bit());
            return startup::InstanceLockPath();
        };
        const QString lockA = lockFor(a);
        const QString lockB = lockFor(b);
        if (display.isNull())
            qunsetenv("DISPLAY");
        else
            qputenv("DISPLAY", display);
        QCOMPARE(lockA == lockB, same);
    }

    void startShowsTheLoginWindow()
    {
        AppFixture fx;
        QTemporaryDir dir;
        startup::SingleInstance instance(dir.filePath("instance.lock"));
        QCOMPARE(startup::Start(instance), startup::Outcome::Run);
        QVERIFY(instance.Held());
        QVERIFY(forms::frmLogin.loaded());
        QVERIFY(forms::frmLogin->isVisible());
        QCOMPARE(VbForm::LoadedCount(), 1);
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void aSecondCopyEndsAtOnceShowingNothing()
    {
        AppFixture fx;
        QTemporaryDir dir;
        startup::SingleInstance running(dir.filePath("instance.lock"));
        QVERIFY(running.TryAcquire());
        startup::SingleInstance instance(dir.filePath("instance.lock"));
        QCOMPARE(startup::Start(instance), startup::Outcome::AlreadyRunning);
        QCOMPARE(VbForm::LoadedCount(), 0);
        for (VbForm* f : VbForm::AllForms())
            QVERIFY(!f->isVisible());
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void missingDatabaseIsToldAndNeverMade()
    {
        AppFixture fx;
        QVERIFY(QFile::remove(fx.dbPath()));
        QTemporaryDir dir;
        startup::SingleInstance instance(dir.filePath("instance.lock"));
        QCOMPARE(startup::Start(instance), startup::Outcome::NoDatabase);
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(fx.ui.messages[0].text.contains("qwdb.mdb"));
        QCOMPARE(fx.ui.messages[0].title, platform::applicationTitle());
        QVERIFY(!QFile::exists(fx.dbPath()));
        QCOMPARE(VbForm::LoadedCount(), 0);
    }

    void unreadableDatabaseIsTold_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("not a database") << "garbage";
        QTest::newRow("without its tables") << "empty";
    }
    void unreadableDatabaseIsTold()
    {
        QFETCH(QString, kind);
        AppFixture fx;
        QFile f(fx.dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (kind == "garbage")
            f.write(QByteArray(4096, 'x'));
        f.close();
        QTemporaryDir dir;
        startup::SingleInstance instance(dir.filePath("instance.lock"));
        QCOMPARE(startup::Start(instance), startup::Outcome::NoDatabase);
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(!forms::frmLogin.loaded());
    }

    // The program itself, started twice on one desktop: the second copy ends at once
    // and says why on standard error.
    void theProgramStartsOncePerDesktop()
    {
        const QString exe = QStringLiteral(KYJH_APP_DIR "/kyjh");
        // The build makes the program before this test: without it the test fails.
        QVERIFY2(QFileInfo(exe).isExecutable(), "the program is not built");
        QVERIFY2(QFile::exists(QStringLiteral(KYJH_APP_DIR "/data/qwdb.mdb")), "the application folder is not laid out");
        // A desktop of this test's own, so that no copy running elsewhere counts.
        const QString display = QStringLiteral(":kyjh-test-%1").arg(QCoreApplication::applicationPid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "qt.qpa.*=false");
        const QByteArray saved = qgetenv("DISPLAY");
        qputenv("DISPLAY", display.toLocal8Bit());
        const QString lockPath = startup::InstanceLockPath();
        if (saved.isNull())
            qunsetenv("DISPLAY");
        else
            qputenv("DISPLAY", saved);

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(exe);
        QVERIFY(first.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath), 10000);
        QTest::qWait(200);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        second.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        second.start(exe);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardError().contains("already running"));
        QVERIFY(second.readAllStandardOutput().isEmpty());
        QVERIFY(t.elapsed() < 5000);
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QFile::remove(lockPath);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
