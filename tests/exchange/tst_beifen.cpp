// The submission windows as a user meets them: the rows of the year (or all rows)
// in a tick grid, the ticked ones written to a new file on the floppy folder, the
// messages around it, and the preview of the ticked rows.

#include "../approval/ApprovalDriver.h"
#include "Db.h"
#include "ExchangeTest.h"
#include "ModVar.h"
#include "Beifen.h"
#include "frmPrvw.h"
#include "frmjtsjsb.h"
#include "frmzqsjsb.h"

#include <QDir>
#include <QFont>
#include <QGroupBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>

namespace {

const QString kInsertDisk = QStringLiteral("请将空白软盘的写保护打开，然后放入软驱。");
const QString kWriting = QStringLiteral("正在写盘！注意：等软驱灯灭后，方可取出软盘。");

VbForm& openWindow(const QString& name)
{
    VbForm* f = nullptr;
    if (name == QLatin1String("Beifen"))
        f = &*forms::Beifen;
    else if (name == QLatin1String("frmzqsjsb"))
        f = &*forms::frmzqsjsb;
    else
        f = &*forms::frmjtsjsb;
    return OpenActive(*f);
}

// What tells the windows apart in these tests: the table, the year column and the
// year the window opens on, and the column that orders the rows (fa descending).
struct Listing {
    QString table;
    QString yearColumn;   // empty: every row is listed
    QString year;
    QString otherYear;
    QString sortColumn;
    bool descending = false;
};

Listing listingOf(const QString& window)
{
    if (window == QLatin1String("Beifen"))
        return {"xmsb", "qsny", "2027年1月", "2026年1月", "ssxk", false};
    if (window == QLatin1String("frmzqsjsb"))
        return {"xmpz", "nd", "2026", "2025", "ssxk", false};
    return {"xmjt", QString(), QString(), QString(), "fa", true};
}

// Four rows the window lists, stored out of their listed order, named MARK-ROW-k
// for their place k in the grid; and, for a window of one year, one row of another
// year, which it leaves out.
void fillRows(AppFixture& fx, const Listing& l)
{
    auto add = [&](const QString& name, int k, const QString& year) {
        QVariantMap row{{"xmmc", name}, {"xmfzr", QStringLiteral("张%1").arg(k)},
                        {"xmlb", QStringLiteral("A.人文、社会科学专项")}, {"szdw", QStringLiteral("单位%1").arg(k)},
                        {l.sortColumn, l.descending ? QStringLiteral("2026.%1").arg(10 - k) : QStringLiteral("K%1").arg(k)}};
        if (!l.yearColumn.isEmpty())
            row[l.yearColumn] = year;
        insertRow(fx, l.table, row);
    };
    for (int k : {3, 1, 4, 2})
        add(QStringLiteral("MARK-ROW-%1").arg(k), k, l.year);
    if (!l.yearColumn.isEmpty())
        add(QStringLiteral("MARK-OTHER-YEAR"), 9, l.otherYear);
}

QStringList floppyFiles(const AppFixture& fx)
{
    return QDir(fx.ui.floppy).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList names(const QList<QStringList>& rows)
{
    QStringList s;
    for (const QStringList& r : rows)
        s << r.value(0);
    return s;
}

}  // namespace

class TestBeifen : public QObject {
    Q_OBJECT

    ApprovalDriver<VbForm> d;

    void windows()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("applications") << "Beifen";
        QTest::newRow("mid-term records") << "frmzqsjsb";
        QTest::newRow("completion reports") << "frmjtsjsb";
    }

private slots:
    void opens_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("yearCaption");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("writeCaption");
        QTest::newRow("applications") << "Beifen" << "申报数据上报" << " 2027" << "项目起始年份等于："
                                      << QStringList{"项目类别", "项目名称", "项目负责人", "申请日期", "起始年月", "所属学科"}
                                      << "写盘(&S)";
        QTest::newRow("mid-term records") << "frmzqsjsb" << "中期数据上报" << " 2026" << "项目进展评价年度等于："
                                          << QStringList{"批准号", "项目类别", "项目名称", "项目负责人", "年度",
                                                         "所属学科", "学科代码", "进展评价", "起始年月", "所在单位"}
                                          << "写  盘";
        QTest::newRow("completion reports") << "frmjtsjsb" << "结题数据上报" << QString() << QString()
                                            << QStringList{"批准号", "项目类别", "项目名称", "项目负责人", "计划完成",
                                                           "实际完成", "承担单位"}
                                            << "写  盘";
    }
    void opens()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QString, year);
        QFETCH(QString, yearCaption);
        QFETCH(QStringList, headers);
        QFETCH(QString, writeCaption);
        AppFixture fx;
        const Listing l = listingOf(window);
        fillRows(fx, l);
        d.f = &openWindow(window);

        QCOMPARE(d.f->windowTitle(), caption);
        QStringList shown;
        for (int c = 1; c <= headers.size(); ++c)
            shown << d.grid()->flex->TextMatrix(0, c);
        QCOMPARE(shown, headers);
        QCOMPARE(d.grid()->RecordCount(), 4);
        QStringList listed;
        for (int r = 1; r <= 4; ++r)
            listed << d.grid()->Value(r, QStringLiteral("项目名称")).toString();
        QCOMPARE(listed, (QStringList{"MARK-ROW-1", "MARK-ROW-2", "MARK-ROW-3", "MARK-ROW-4"}));
        QCOMPARE(d.countLabel(), QStringLiteral("共有4 条记录符合条件"));
        auto* frame1 = Child<QGroupBox>(d.f, "Frame1");
        if (year.isEmpty()) {
            QVERIFY(!Child<VbTextBox>(d.f, "txtCondiYear"));
            QCOMPARE(frame1->title(), QString());
        } else {
            QCOMPARE(d.year(), year);
            QCOMPARE(Child<VbLabel>(d.f, "Label3")->Caption(), yearCaption);
            QCOMPARE(frame1->title(), QStringLiteral(" 条件设定 "));
        }
        QCOMPARE(Child<VbLabel>(d.f, "Label2")->Caption(),
                 QStringLiteral("说明：请在条件设定中选择合适记录，在软驱中插入空白软盘，然后单击写盘按钮。"));
        QCOMPARE(Child<QGroupBox>(d.f, "Frame2")->title(), QStringLiteral(" 驱动器："));
        QVERIFY(Child<QRadioButton>(d.f, "Option1")->isChecked());
        QVERIFY(!Child<QRadioButton>(d.f, "Option2")->isEnabled());
        QCOMPARE(d.grid()->Label1->Caption(), QStringLiteral("全选(&A)"));
        QCOMPARE(d.button("cmdExportoA")->text(), writeCaption);
        QCOMPARE(d.button("cmdPvw")->text(), QStringLiteral("预览上报数据"));
        QVERIFY(!d.button("cmdPvw")->isEnabled());
        QCOMPARE(d.button("Cmdexit")->text(), QStringLiteral(" 退       出"));
        QCOMPARE(d.grid()->chk.size(), 8);
        QVERIFY(gWorkspace && gWorkspace->IsOpen());

        d.press("Cmdexit");
        QVERIFY(!d.f->IsLoaded());
        QVERIFY(!gWorkspace);
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void writesExactlyTheTickedRows_data() { windows(); }
    void writesExactlyTheTickedRows()
    {
        QFETCH(QString, window);
        AppFixture fx;
        const Listing l = listingOf(window);
        fillRows(fx, l);
        d.f = &openWindow(window);
        d.tick(2);
        d.tick(4);
        d.press("cmdExportoA");

        QCOMPARE(fx.ui.texts(), (QStringList{kInsertDisk, kWriting}));
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QCOMPARE(fx.ui.messages[0].icon, platform::vbInformation);
        QCOMPARE(gCheckedCount, 0);
        const QStringList files = floppyFiles(fx);
        QCOMPARE(files.size(), 1);
        QCOMPARE(QDir(fx.ui.floppy).filePath(files[0]), gExportFile);
        QCOMPARE(gExportTable, l.table);
        const QString all = QStringLiteral("select * from %1 where xmmc in ('MARK-ROW-2', 'MARK-ROW-4') order by xmmc").arg(l.table);
        QCOMPARE(fileRows(gExportFile, QStringLiteral("select * from %1").arg(l.table)), fx.rows(all));
        // The ticks stay: a second press writes the same rows to another file.
        QCOMPARE(gExportFlags, (QVector<std::int16_t>{0, 0, 1, 0, 1}));
        fx.ui.clear();
        d.press("cmdExportoA");
        QCOMPARE(fx.ui.texts(), (QStringList{kInsertDisk, kWriting}));
        QCOMPARE(floppyFiles(fx).size(), 2);
        QCOMPARE(names(fileRows(gExportFile, QStringLiteral("select xmmc from %1").arg(l.table))),
                 (QStringList{"MARK-ROW-2", "MARK-ROW-4"}));

        // The window's connection, in which the export ran, still lists the rows.
        if (!l.yearColumn.isEmpty()) {
            d.spin(0);
            QCOMPARE(d.countLabel(), QStringLiteral("库中共有 1 条记录符合条件"));
            QCOMPARE(d.grid()->Value(1, QStringLiteral("项目名称")).toString(), QStringLiteral("MARK-OTHER-YEAR"));
        }
    }

    // A row deleted elsewhere while the window is open (the project-deletion window
    // leaves the main window enabled): the file holds the rows that carried the ticks,
    // or, when a ticked row is gone, nothing.
    void rowDeletedMeanwhile_data()
    {
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QStringList>("written");  // empty: no file
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("an unticked row above the ticked ones")
            << "MARK-ROW-1" << QStringList{"MARK-ROW-2", "MARK-ROW-3"} << QStringList{kInsertDisk, kWriting};
        QTest::newRow("a ticked row")
            << "MARK-ROW-2" << QStringList()
            << QStringList{kInsertDisk, "系统出错,请与开发者联系.", "Deletee Copies error. in PackData"};
    }
    void rowDeletedMeanwhile()
    {
        QFETCH(QString, deleted);
        QFETCH(QStringList, written);
        QFETCH(QStringList, texts);
        AppFixture fx;
        fillRows(fx, listingOf("Beifen"));
        d.f = &openWindow("Beifen");
        d.tick(2);
        d.tick(3);
        fx.exec(QStringLiteral("delete from xmsb where xmmc = ?"), {deleted});

        d.press("cmdExportoA");

        QCOMPARE(fx.ui.texts(), texts);
        if (written.isEmpty()) {
            QCOMPARE(floppyFiles(fx), QStringList());
            return;
        }
        QCOMPARE(floppyFiles(fx).size(), 1);
        QCOMPARE(names(fileRows(gExportFile, QStringLiteral("select xmmc from xmsb"))), written);
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("medium");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("title");
        QTest::newRow("nothing ticked") << false << true
                                        << QStringList{"未选中任何上报数据，请您选择上报数据记录！。"} << "错误提示";
        QTest::newRow("no medium") << true << false << QStringList{kInsertDisk, "没有找到软盘（%1）。请放入软盘后再写盘。"}
                                   << "提示信息";
    }
    void refusals()
    {
        QFETCH(bool, tick);
        QFETCH(bool, medium);
        QFETCH(QStringList, texts);
        QFETCH(QString, title);
        AppFixture fx;
        fillRows(fx, listingOf("Beifen"));
        const QString floppy = fx.ui.floppy;
        if (!medium) {
            fx.ui.floppy = fx.folder() + QStringLiteral("/no-disk");
            texts.last() = texts.last().arg(QDir::toNativeSeparators(fx.ui.floppy));
        }
        d.f = &openWindow("Beifen");
        if (tick)
            d.tick(1);
        d.press("cmdExportoA");
        QCOMPARE(fx.ui.texts(), texts);
        QCOMPARE(fx.ui.messages.last().title, title);
        QCOMPARE(fx.ui.messages.last().icon, platform::vbExclamation);
        QVERIFY(QDir(floppy).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void previewShowsTheTickedRows()
    {
        AppFixture fx;
        fillRows(fx, listingOf("Beifen"));
        d.f = &openWindow("Beifen");
        d.tick(2);
        d.tick(4);
        // The button stays disabled in the window; the preview behind it works.
        d.button("cmdPvw")->setEnabled(true);
        d.press("cmdPvw");

        frmPrvw& p = *forms::frmPrvw;
        QVERIFY(p.IsLoaded());
        QVERIFY(p.isModal());
        QCOMPARE(p.windowTitle(), QStringLiteral("预览上报数据"));
        QCOMPARE(p.Label1->Caption(), QStringLiteral("1.点击写盘将上报数据写至软盘\n2.点击退出返回，选择上报数据."));
        QCOMPARE(p.Label2->Caption(), QStringLiteral("2"));
        QCOMPARE(p.Label3->Caption(), QStringLiteral("条记录被选中"));
        QCOMPARE(p.prview->rowCount(), 3);
        QCOMPARE(p.prview->columnCount(), 6);
        QCOMPARE(p.prview->item(0, 1)->text(), QStringLiteral("项目名称"));
        QCOMPARE(p.prview->item(1, 1)->text(), QStringLiteral("MARK-ROW-2"));
        QCOMPARE(p.prview->item(2, 1)->text(), QStringLiteral("MARK-ROW-4"));

        const int size = p.prview->font().pointSize();
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(p.cmdzoomin, Qt::LeftButton);
        QTest::mouseClick(p.cmdzoomout, Qt::LeftButton);
        QCOMPARE(p.prview->font().pointSize(), size - 1);
        for (int i = 0; i < size + 5; ++i)
            QTest::mouseClick(p.cmdzoomin, Qt::LeftButton);
        QCOMPARE(p.prview->font().pointSize(), 1);

        QTest::mouseClick(p.Command2, Qt::LeftButton);
        QCOMPARE(fx.ui.texts(), QStringList{"请点击[退出]返回上一级窗口,使用该窗口的[写盘]"});
        QCOMPARE(fx.ui.messages[0].icon, platform::vbInformation);
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));

        QTest::mouseClick(p.Command1, Qt::LeftButton);
        Settle();
        QVERIFY(!p.IsLoaded());
        QVERIFY(d.f->IsLoaded());
        QCOMPARE(gExportFlags, (QVector<std::int16_t>{0, 0, 1, 0, 1}));

        // Nothing ticked: the header row alone.
        d.spin(1);
        d.press("cmdPvw");
        QCOMPARE(p.prview->rowCount(), 1);
        QCOMPARE(p.Label2->Caption(), QStringLiteral("0"));
        p.Unload();
    }
};

QTEST_MAIN(TestBeifen)
#include "tst_beifen.moc"
