// The backup and restore windows as a user meets them: the default name and folder,
// the typed and the chosen name, and a restore that is refused for a wrong file, the
// live file and a database another window holds, and done when all is well.

#include "ExchangeTest.h"
#include "ModVar.h"
#include "frmxmpz.h"
#include "Backup.h"
#include "DiskBu.h"
#include "DiskRcv.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

void click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
    Settle();
}

}  // namespace

class TestDiskBu : public QObject {
    Q_OBJECT

private slots:
    void backupUnderTheDefaultName()
    {
        AppFixture fx;
        QVERIFY(!QFileInfo::exists(fx.folder() + QStringLiteral("/BackUp")));
        DiskBu& w = OpenActive(*forms::DiskBu);
        QCOMPARE(w.windowTitle(), QStringLiteral("数据备份"));
        QVERIFY(QFileInfo(fx.folder() + QStringLiteral("/BackUp")).isDir());
        QCOMPARE(w.Label4->Caption(), QStringLiteral("Oskavelvero科研计划管理信息系统（数据备份）"));
        QCOMPARE(w.Frame2->title(), QStringLiteral(" 备份文件名称及位置 "));
        QCOMPARE(w.txtfileName->Text(), QStringLiteral("备份20261210"));
        QVERIFY(w.Option1->Value());
        QVERIFY(!w.cmdSeleDir->isEnabled());
        QVERIFY(w.txtfileName->isEnabled());
        QCOMPARE(w.Label2->Caption(), QStringLiteral("......"));
        QVERIFY(!w.Label1->Caption().isEmpty());
        QCOMPARE(w.cmdcpyfile->text(), QStringLiteral("备  份"));
        QCOMPARE(w.exit->text(), QStringLiteral("退  出"));

        click(w.cmdcpyfile);
        const QString backup = fx.folder() + QStringLiteral("/BackUp/备份20261210.mdb");
        QCOMPARE(fx.ui.texts(),
                 QStringList{QStringLiteral("数据已成功备份至文件： ") + QDir::toNativeSeparators(backup) + QStringLiteral("请记录下此文件名以备恢复。")});
        QVERIFY(QFileInfo(backup).isFile());
        click(w.exit);
        QVERIFY(!w.IsLoaded());
    }

    void typedAndChosenNames()
    {
        AppFixture fx;
        DiskBu& w = OpenActive(*forms::DiskBu);
        // Leading blanks go when the box is left, trailing ones only from the path.
        w.txtfileName->setFocus();
        w.txtfileName->SetText(QStringLiteral("  abc  "));
        w.cmdcpyfile->setFocus();
        Settle();
        QCOMPARE(w.txtfileName->Text(), QStringLiteral("abc  "));
        QCOMPARE(w.BackupPath(), fx.folder() + QStringLiteral("/BackUp/abc"));
        click(w.cmdcpyfile);
        QVERIFY(QFileInfo(fx.folder() + QStringLiteral("/BackUp/abc.mdb")).isFile());

        // "选择" opens the save dialog at once; a cancel leaves no name.
        fx.ui.clear();
        fx.ui.fileAnswers << QString();
        click(w.Option2);
        QCOMPARE(fx.ui.fileDialogs.size(), 1);
        QVERIFY(fx.ui.fileDialogs[0].save);
        QCOMPARE(fx.ui.fileDialogs[0].initialDir, fx.folder() + QStringLiteral("/BackUp"));
        QCOMPARE(fx.ui.fileDialogs[0].defaultExt, QStringLiteral("MDB"));
        QVERIFY(w.cmdSeleDir->isEnabled());
        QVERIFY(!w.txtfileName->isEnabled());
        click(w.cmdcpyfile);
        QCOMPARE(fx.ui.texts(), QStringList{"无备份文件名，操作被取消。"});
        QCOMPARE(fx.ui.messages[0].icon, platform::vbExclamation);

        // A chosen path is shown and used.
        fx.ui.clear();
        const QString chosen = fx.folder() + QStringLiteral("/elsewhere.bak");
        fx.ui.fileAnswers << chosen;
        click(w.cmdSeleDir);
        QCOMPARE(w.Label2->Caption(), chosen);
        click(w.cmdcpyfile);
        QVERIFY(QFileInfo(chosen).isFile());
    }

    void restore()
    {
        AppFixture fx;
        gDbPath = fx.dbPath();
        insertRow(fx, QStringLiteral("xmsb"), {{QStringLiteral("xmmc"), QStringLiteral("备份前")}});
        QVERIFY(EnsureBackupFolder());
        const QString backup = BackupFolder() + QStringLiteral("/b.mdb");
        QVERIFY(BackupDatabase(backup));
        fx.exec(QStringLiteral("update xmsb set xmmc = '备份后'"));
        const QString notDb = fx.folder() + QStringLiteral("/note.mdb");
        QFile f(notDb);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("not a database") > 0);
        f.close();
        fx.ui.clear();

        DiskRcv& w = OpenActive(*forms::DiskRcv);
        QCOMPARE(w.windowTitle(), QStringLiteral("数据恢复"));
        QCOMPARE(w.Label1->Caption(), QStringLiteral("1、点击文件按钮并选择已备份文件。"));
        QCOMPARE(w.Label3->Caption(), QStringLiteral("2、然后点击恢复按钮进行数据恢复。"));
        QCOMPARE(w.Label2->Caption(), QStringLiteral("注意：小心操作，以免失误。数据恢复后，当前数据将被覆盖。"));
        QCOMPARE(w.lblFile->Caption(), QStringLiteral("......"));
        QCOMPARE(w.cmdfile->text(), QStringLiteral("文 件"));
        QCOMPARE(w.cmdRcv->text(), QStringLiteral("恢 复"));
        QCOMPARE(w.exit->text(), QStringLiteral("退 出"));

        click(w.cmdRcv);
        QCOMPARE(fx.ui.texts(), QStringList{"没有选定任何数据文件."});
        fx.ui.clear();
        fx.ui.fileAnswers << QString();
        click(w.cmdfile);
        QCOMPARE(fx.ui.texts(), QStringList{"未选择文件，操作将取消。"});
        QCOMPARE(fx.ui.messages[0].icon, platform::vbExclamation);
        QCOMPARE(fx.ui.fileDialogs.last().defaultExt, QStringLiteral("MDB"));

        // A file that is no database, and the live file itself: refused, nothing asked.
        for (const QString& wrong : {notDb, fx.dbPath()}) {
            fx.ui.clear();
            fx.ui.fileAnswers << wrong;
            click(w.cmdfile);
            QCOMPARE(w.lblFile->Caption(), QStringLiteral("文件:") + wrong);
            click(w.cmdRcv);
            QCOMPARE(fx.ui.messages.size(), 1);
            QVERIFY(fx.ui.texts()[0].startsWith(wrong == notDb ? QStringLiteral("所选文件不是本系统的数据库文件")
                                                               : QStringLiteral("所选文件就是正在使用的数据库文件")));
        }

        // Another window holds the database: the user is asked to close it.
        fx.ui.clear();
        fx.ui.fileAnswers << backup;
        click(w.cmdfile);
        forms::frmxmpz->Show();
        Settle();
        click(w.cmdRcv);
        QCOMPARE(fx.ui.texts(), QStringList{"数据库文件正被其他窗口使用。请先关闭其他窗口，然后再恢复数据。"});
        forms::frmxmpz->Unload();
        QCOMPARE(fx.rows(QStringLiteral("select xmmc from xmsb")), QList<QStringList>{{QStringLiteral("备份后")}});

        // The other windows closed: asked, then replaced. The restore window holds
        // no connection of its own.
        fx.closeConnection();
        QVERIFY(!DatabaseInUse(fx.dbPath()));
        fx.ui.clear();
        click(w.cmdRcv);
        QCOMPARE(fx.ui.texts(), (QStringList{"当前数据将被完全覆盖,请仔细操作.",
                                             QStringLiteral("数据已成功恢复至文件： ") + QDir::toNativeSeparators(fx.dbPath()) + QStringLiteral("。")}));
        QCOMPARE(fx.ui.messages[0].buttons, platform::vbYesNo);
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("数据恢复"));
        QCOMPARE(fx.rows(QStringLiteral("select xmmc from xmsb")), QList<QStringList>{{QStringLiteral("备份前")}});
    }
};

QTEST_MAIN(TestDiskBu)
#include "tst_diskbu.moc"
