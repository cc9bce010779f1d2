// The reception windows as a user meets them: a submission file chosen in the file
// dialog, its rows in a tick grid, the ticked ones received (a row of the same key
// replaced), and the messages of every refusal.

#include "../approval/ApprovalDriver.h"
#include "ExchangeTest.h"
#include "ModVar.h"
#include "Beifene.h"
#include "SubmissionFile.h"
#include "frmjtsjjs.h"

#include <QDir>
#include <QGroupBox>

namespace {

VbForm& openWindow(const QString& name)
{
    VbForm* f = name == QLatin1String("Beifene") ? static_cast<VbForm*>(&*forms::Beifene) : &*forms::frmjtsjjs;
    return OpenActive(*f);
}

// The third key column of the window's table: application date or approval number.
QString thirdKey(const QString& table)
{
    return table == QLatin1String("xmsb") ? QStringLiteral("sqrq") : QStringLiteral("xmbh");
}

QVariantMap rowOf(const QString& table, const QString& name, const QString& unit)
{
    return {{"xmmc", name}, {"xmfzr", QStringLiteral("张三")}, {thirdKey(table), QStringLiteral("K-") + name},
            {"szdw", unit}};
}

// A submission file of the rows R1..R5 (unit "sent"), written as this program
// writes them, in the floppy folder; afterwards the table holds only what the test
// puts in.
QString submissionFile(AppFixture& fx, const QString& table)
{
    for (int i = 1; i <= 5; ++i)
        insertRow(fx, table, rowOf(table, QStringLiteral("R%1").arg(i), QStringLiteral("sent")));
    QList<qint64> rowids;
    for (const QStringList& r : fx.rows(QStringLiteral("select rowid from %1 order by rowid").arg(table)))
        rowids << r[0].toLongLong();
    gCheckedCount = 5;
    gExportTable = table;
    gExportFile = QDir(fx.ui.floppy).filePath(table + QStringLiteral(".MDB"));
    if (!PackData(table, rowids))
        qFatal("no submission file");
    fx.exec(QStringLiteral("delete from %1").arg(table));
    fx.ui.clear();
    return gExportFile;
}

QStringList unitsByName(AppFixture& fx, const QString& table)
{
    QStringList s;
    for (const QStringList& r : fx.rows(QStringLiteral("select xmmc, szdw from %1 order by rowid").arg(table)))
        s << r.join(QLatin1Char(':'));
    return s;
}

}  // namespace

class TestBeifene : public QObject {
    Q_OBJECT

    ApprovalDriver<VbForm> d;

private slots:
    void receivesTheTickedRows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("caption");
        QTest::newRow("applications") << "Beifene" << "xmsb" << "接收上报数据";
        QTest::newRow("completion reports") << "frmjtsjjs" << "xmjt" << "接收结题数据";
    }
    void receivesTheTickedRows()
    {
        QFETCH(QString, window);
        QFETCH(QString, table);
        QFETCH(QString, caption);
        AppFixture fx;
        const QString file = submissionFile(fx, table);
        insertRow(fx, table, rowOf(table, QStringLiteral("R2"), QStringLiteral("old")));
        insertRow(fx, table, rowOf(table, QStringLiteral("X"), QStringLiteral("kept")));

        d.f = &openWindow(window);
        QCOMPARE(d.f->windowTitle(), caption);
        QCOMPARE(Child<VbLabel>(d.f, "lblShuoming")->Caption(),
                 QStringLiteral("说明：先单击打开文件按钮，选择要接收的文件，然后选择接收记录，最后单击接收数据按钮。"));
        QCOMPARE(d.button("cmdOf")->text(), QStringLiteral("打开文件"));
        QCOMPARE(d.button("cmdinsert")->text(), QStringLiteral("接收数据"));
        QCOMPARE(d.button("Cmdexit")->text(), QStringLiteral("退   出"));
        QCOMPARE(d.grid()->Label1->Caption(), QStringLiteral("全选"));
        QCOMPARE(d.grid()->chk.size(), 6);
        QCOMPARE(d.grid()->RecordCount(), 0);
        QVERIFY(!d.box(0)->isVisible());

        fx.ui.fileAnswers << file;
        d.press("cmdOf");
        QVERIFY(fx.ui.messages.isEmpty());
        // Every column of the file's table, headed by its name, in the table's order.
        QCOMPARE(d.grid()->flex->TextMatrix(0, 1), (table == QLatin1String("xmsb") ? records::applications() : records::completionReports()).columns[0].name);
        QCOMPARE(d.grid()->RecordCount(), 5);
        QCOMPARE(d.grid()->Value(2, QStringLiteral("xmmc")).toString(), QStringLiteral("R2"));
        d.tick(2);
        d.tick(4);
        QCOMPARE(gImportFlags, (QVector<std::int16_t>{0, 0, 1, 0, 1, 0}));
        d.press("cmdinsert");

        QCOMPARE(fx.ui.texts(), QStringList{"数据已被成功接收。"});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QCOMPARE(unitsByName(fx, table), (QStringList{"X:kept", "R2:sent", "R4:sent"}));
        // Receiving again replaces what the first reception brought.
        fx.ui.clear();
        d.press("cmdinsert");
        QCOMPARE(unitsByName(fx, table), (QStringList{"X:kept", "R2:sent", "R4:sent"}));

        d.press("Cmdexit");
        QVERIFY(!d.f->IsLoaded());
    }

    // A file that fails to open leaves nothing of the file opened before: no rows, no
    // ticks, nothing to receive.
    void failedOpeningEmptiesTheGrid()
    {
        AppFixture fx;
        const QString reports = submissionFile(fx, QStringLiteral("xmjt"));
        const QString wrong = submissionFile(fx, QStringLiteral("xmsb"));
        d.f = &openWindow("frmjtsjjs");
        fx.ui.fileAnswers << reports << wrong;
        d.press("cmdOf");
        QCOMPARE(d.grid()->RecordCount(), 5);
        d.tick(2);

        d.press("cmdOf");
        QCOMPARE(fx.ui.texts(), QStringList{"文件打开错误，操作将被取消。"});
        QCOMPARE(d.grid()->RecordCount(), 0);
        QCOMPARE(d.grid()->flex->TextMatrix(0, 1), QString());
        QCOMPARE(gImportFlags, QVector<std::int16_t>{0});
        QVERIFY(!d.box(0)->isVisible());
        fx.ui.clear();
        d.press("cmdinsert");
        QCOMPARE(fx.ui.texts(), QStringList{"没选定任何记录,操作将取消"});
        QCOMPARE(fx.count(QStringLiteral("xmjt")), 0);
    }

    void refusals()
    {
        AppFixture fx;
        const QString applications = submissionFile(fx, QStringLiteral("xmsb"));
        const QString reports = submissionFile(fx, QStringLiteral("xmjt"));
        d.f = &openWindow("frmjtsjjs");
        const QString appTitle = platform::applicationTitle();

        // Receive before any file.
        d.press("cmdinsert");
        QCOMPARE(fx.ui.texts(), QStringList{"没有选定任何数据文件."});
        QCOMPARE(fx.ui.messages.last().title, appTitle);

        // An application file in the completion window, then the right one.
        fx.ui.clear();
        fx.ui.fileAnswers << applications << reports;
        d.press("cmdOf");
        QCOMPARE(fx.ui.texts(), QStringList{"文件打开错误，操作将被取消。"});
        QCOMPARE(d.grid()->RecordCount(), 0);
        d.press("cmdinsert");
        QCOMPARE(fx.ui.texts().last(), QStringLiteral("没选定任何记录,操作将取消"));
        d.press("cmdOf");
        QCOMPARE(d.grid()->RecordCount(), 5);

        // Nothing ticked.
        fx.ui.clear();
        d.press("cmdinsert");
        QCOMPARE(fx.ui.texts(), QStringList{"没选定任何记录,操作将取消"});
        QCOMPARE(fx.ui.messages[0].icon, platform::vbExclamation);
        QCOMPARE(fx.ui.messages[0].title, appTitle);

        // A cancelled dialog keeps the open file on show, ticks too, and receives nothing.
        d.tick(1);
        fx.ui.clear();
        fx.ui.fileAnswers << QString();
        d.press("cmdOf");
        QCOMPARE(fx.ui.texts(), QStringList{"没有选中文件，操作将被取消。"});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("接收结题数据"));
        QCOMPARE(d.grid()->RecordCount(), 5);
        QCOMPARE(gImportFlags.value(1), std::int16_t(1));
        d.press("cmdinsert");
        QCOMPARE(fx.ui.texts().last(), QStringLiteral("没有选定任何数据文件."));
        QCOMPARE(fx.count(QStringLiteral("xmjt")), 0);
    }
};

QTEST_MAIN(TestBeifene)
#include "tst_beifene.moc"
