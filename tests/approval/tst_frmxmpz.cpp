#include "ApprovalDriver.h"
#include "ModVar.h"
#include "Db.h"
#include "frmxmpz.h"
#include "frmmain.h"

#include <QFile>

namespace {

const QString kA = QStringLiteral("A.人文、社会科学专项");
const QString kB = QStringLiteral("B.自然科学专项");
const QString kC = QStringLiteral("C.产业化培育项目");

// Five applications starting in 2026 (the test's current year), the disciplines
// tied in threes and twos, and one of 2025. The grid lists the 2026 rows by
// discipline and, within a discipline, as they were stored: 二, 三, 五, 一, 四.
void fillApplications(AppFixture& fx)
{
    const ProjectRow rows[] = {
        {kA, "项目一", "张一", "2026年1月", "B", "中青年人才培养"},
        {kB, "项目二", "张二", "2026年6月", "A"},
        {kC, "项目三", "张三", "2026年1月", "A", "中青年人才培养"},
        {kB, "项目四", "张四", "2026年6月", "B"},
        {kA, "项目五", "张五", "2026年1月", "A"},
        {kA, "旧项目", "李四", "2025年1月", "A"},
    };
    int n = 0;
    for (const ProjectRow& r : rows)
        insertProject(fx, "xmsb", r, ++n);
}

}  // namespace

class TestFrmxmpz : public QObject {
    Q_OBJECT

    ApprovalDriver<frmxmpz> d;

private slots:
    void opensOnTheCurrentYearWithEveryCategory()
    {
        AppFixture fx;
        fillApplications(fx);
        frmxmpz& f = d.open(forms::frmxmpz);
        QCOMPARE(f.windowTitle(), QStringLiteral("项目批准管理"));
        QCOMPARE(d.year(), QStringLiteral(" 2026"));
        QCOMPARE(d.column(2), (QStringList{"项目二", "项目三", "项目五", "项目一", "项目四"}));
        QCOMPARE(d.column(1), (QStringList{kB, kC, kA, kA, kB}));
        QCOMPARE(d.grid()->flex->TextMatrix(0, 9), QStringLiteral("所在单位"));
        QCOMPARE(d.countLabel(), QStringLiteral("共有5 条记录符合条件"));
        QCOMPARE(Child<VbLabel>(&f, "Label2")->Caption(),
                 QStringLiteral("说明：在已批准项目记录前划勾，然后单击批准按钮。请您务必谨慎操作！！！"));
        QCOMPARE(Child<VbLabel>(&f, "Label3")->Caption(), QStringLiteral("项目起始年份等于："));
        QCOMPARE(Child<QGroupBox>(&f, "Frame1")->title(), QStringLiteral(" 条件设定 "));
        QCOMPARE(d.grid()->Label1->Caption(), QStringLiteral("全选(&A)"));
        QCOMPARE(d.button("cmdPvw")->text(), QStringLiteral("未批准项目归档"));
        QCOMPARE(d.button("cmdPvw")->toolTip(), QStringLiteral("将未批准项目从项目申报库中删除并归档"));
        QCOMPARE(d.button("cmdExportoA")->text(), QStringLiteral("批  准"));
        QCOMPARE(d.button("Cmdexit")->text(), QStringLiteral(" 退       出"));
        QVERIFY(gWorkspace && gWorkspace->IsOpen());

        // A year back lists 2025, with every tick gone.
        d.tick(1);
        d.spin(0);
        QCOMPARE(d.year(), QStringLiteral("2025"));
        QCOMPARE(d.column(2), QStringList{"旧项目"});
        QCOMPARE(d.countLabel(), QStringLiteral("库中共有 1 条记录符合条件"));
        QCOMPARE(gExportFlags, (QVector<std::int16_t>{0, 0}));
        QCOMPARE(d.box(0)->Value(), 0);

        d.press("Cmdexit");
        QVERIFY(!forms::frmxmpz.loaded());
        QVERIFY(!gWorkspace);
    }

    void approveMovesTheTickedRowsWholeAndArchiveTheRest()
    {
        AppFixture fx;
        fillApplications(fx);
        const QList<QStringList> before = wholeRows(fx, "xmsb");
        d.open(forms::frmxmpz);
        d.tick(2);   // 项目三
        d.tick(5);   // 项目四
        d.press("cmdExportoA");

        QCOMPARE(gCheckedCount, 2);
        QCOMPARE(wholeRows(fx, "xmsbpz"), (QList<QStringList>{before[2], before[3]}));
        QCOMPARE(fx.rows("select count(*) from xmsbpz where pzje is null and nd is null"), QList<QStringList>{{"2"}});
        QCOMPARE(fx.count("xmsb"), 4);
        QCOMPARE(d.column(2), (QStringList{"项目二", "项目五", "项目一"}));
        QCOMPARE(d.countLabel(), QStringLiteral("库中共有 3 条记录符合条件"));
        QCOMPARE(gExportFlags, QVector<std::int16_t>(4, 0));
        QCOMPARE(fx.ui.texts(), QStringList{"项目批准操作已完成。"});
        QCOMPARE(fx.ui.messages.last().title, QStringLiteral("提示信息"));
        QCOMPARE(fx.ui.messages.last().icon, platform::vbInformation);

        fx.ui.clear();
        d.press("cmdPvw");
        QCOMPARE(fx.ui.texts(), (QStringList{"进行《未批准项目归档》前必须确认已批准项目不在剩下项目中，您确认吗？",
                                             "未批准项目归档操作已完成。"}));
        QCOMPARE(fx.ui.messages[0].buttons, platform::vbYesNo);
        QCOMPARE(wholeRows(fx, "xmsbwpz"), (QList<QStringList>{before[0], before[1], before[4]}));
        QCOMPARE(wholeRows(fx, "xmsb"), QList<QStringList>{before[5]});   // another year stays
        QCOMPARE(d.countLabel(), QStringLiteral("库中共有 0 条记录符合条件"));
        QVERIFY(!d.box(0)->isVisible());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("yearSpin");   // -1: none
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("approve, nothing ticked")
            << "cmdExportoA" << -1 << 0 << "未选中任何批准项目，请您选择已批准项目！。" << "错误提示"
            << platform::vbExclamation;
        QTest::newRow("archive, no rows")
            << "cmdPvw" << 1 << 0 << "无可操作的项目！！！" << "错误提示" << platform::vbExclamation;
        QTest::newRow("archive, answered No")
            << "cmdPvw" << -1 << platform::vbNo
            << "进行《未批准项目归档》前必须确认已批准项目不在剩下项目中，您确认吗？" << "提示信息"
            << platform::vbNoIcon;
    }
    void refusals()
    {
        QFETCH(QString, button);
        QFETCH(int, yearSpin);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        AppFixture fx;
        fillApplications(fx);
        const QList<QStringList> before = wholeRows(fx, "xmsb");
        d.open(forms::frmxmpz);
        if (yearSpin >= 0)
            d.spin(yearSpin);
        if (answer)
            fx.ui.answers << answer;
        d.press(button);
        QCOMPARE(fx.ui.texts(), QStringList{text});
        QCOMPARE(fx.ui.messages[0].title, title);
        QCOMPARE(fx.ui.messages[0].icon, icon);
        QCOMPARE(wholeRows(fx, "xmsb"), before);
        QCOMPARE(fx.count("xmsbpz") + fx.count("xmsbwpz"), 0);
    }

    void failureMidwayMovesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target");
        QTest::newRow("approve") << "cmdExportoA" << "xmsbpz";
        QTest::newRow("archive") << "cmdPvw" << "xmsbwpz";
    }
    void failureMidwayMovesNothing()
    {
        QFETCH(QString, button);
        QFETCH(QString, target);
        AppFixture fx;
        fillApplications(fx);
        fx.exec(QStringLiteral("create trigger failing before insert on %1 when (select count(*) from %1) >= 1 "
                               "begin select raise(abort, 'disk full'); end")
                    .arg(target));
        const QList<QStringList> before = wholeRows(fx, "xmsb");
        d.open(forms::frmxmpz);
        d.tick(1);
        d.tick(4);
        d.press(button);
        QCOMPARE(wholeRows(fx, "xmsb"), before);
        QCOMPARE(fx.count(target), 0);
        QVERIFY(fx.ui.texts().last().contains("disk full"));
        QVERIFY(!fx.ui.texts().join('|').contains("操作已完成"));
        // The grid and the ticks are as they were, for another try.
        QCOMPARE(d.grid()->RecordCount(), 5);
        QCOMPARE(d.grid()->TickedRows(), (QList<int>{1, 4}));
    }

    void opensWithItsOwnClearFlagsWhenTheDatabaseIsMissing()
    {
        AppFixture fx;
        QFile::remove(fx.dbPath());
        gExportFlags = {0, 1, 1};
        d.open(forms::frmxmpz);
        QVERIFY(forms::frmxmpz.loaded());
        QCOMPARE(fx.ui.messages.size(), 1);   // the connection's failure, once
        QCOMPARE(gExportFlags, QVector<std::int16_t>{0});
        QCOMPARE(d.countLabel(), QStringLiteral("共有0 条记录符合条件"));
        d.press("cmdExportoA");
        QCOMPARE(fx.ui.texts().last(), QStringLiteral("未选中任何批准项目，请您选择已批准项目！。"));
    }

    // An application of another start year with the same category, name and leader
    // is another application: it stays in xmsb whichever way this year's leaves.
    void anotherYearsApplicationOfTheSameNameStays_data()
    {
        QTest::addColumn<bool>("approve");
        QTest::addColumn<QString>("target");
        QTest::newRow("approved") << true << "xmsbpz";
        QTest::newRow("archived") << false << "xmsbwpz";
    }
    void anotherYearsApplicationOfTheSameNameStays()
    {
        QFETCH(bool, approve);
        QFETCH(QString, target);
        AppFixture fx;
        insertProject(fx, "xmsb", {kA, "同名项目", "王五", "2026年1月", "A"}, 1);
        insertProject(fx, "xmsb", {kA, "同名项目", "王五", "2025年1月", "A"}, 2);
        insertProject(fx, "xmsb", {kA, "同名项目", "王五", "2027年1月", "A"}, 3);
        const QList<QStringList> before = wholeRows(fx, "xmsb");
        d.open(forms::frmxmpz);
        QCOMPARE(d.column(5), QStringList{"2026年1月"});
        if (approve) {
            d.tick(1);
            d.press("cmdExportoA");
        } else {
            d.press("cmdPvw");
        }
        QCOMPARE(wholeRows(fx, target), QList<QStringList>{before[0]});
        QCOMPARE(wholeRows(fx, "xmsb"), (QList<QStringList>{before[1], before[2]}));
    }

    void rowsAreFoundByTheirFourValues()
    {
        AppFixture fx;
        insertProject(fx, "xmsb", {kA, "同名项目", "王五", "2026年1月", "A"}, 1);
        insertProject(fx, "xmsb", {kA, "同名项目", "王五", "2026年1月", "B"}, 2);
        insertProject(fx, "xmsb", {kA, QString(), "无名", "2026年1月", "C"}, 3);
        insertProject(fx, "xmsb", {kB, "留下", "赵六", "2026年1月", "D"}, 4);
        d.open(forms::frmxmpz);
        // Ticking one of two rows with the same category, name, leader and start
        // approves both; a row without a name is approved all the same.
        d.tick(1);
        d.tick(3);
        d.press("cmdExportoA");
        QCOMPARE(fx.rows("select xmbh from xmsbpz order by xmbh"), (QList<QStringList>{{"BH1"}, {"BH2"}, {"BH3"}}));
        QCOMPARE(d.column(2), QStringList{"留下"});

        // Select-all keeps every row out of the archive.
        fx.ui.clear();
        QTest::mouseClick(d.grid()->Label1, Qt::LeftButton);
        d.press("cmdPvw");
        QCOMPARE(fx.count("xmsbwpz"), 0);
        QCOMPARE(fx.count("xmsb"), 1);
        QCOMPARE(fx.ui.texts().last(), QStringLiteral("未批准项目归档操作已完成。"));
    }

    // Which rows a tick takes along, and the order in which they arrive: the
    // listings of the approved projects break ties by that order. `ticks` are grid
    // rows (listed by discipline, then as stored); the rows' numbers BHn count from 1.
    void approvalTakesTheRowsOfTheTickedValues_data()
    {
        QTest::addColumn<QList<ProjectRow>>("rows");
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<QStringList>("approved");   // in the order they arrived
        QTest::addColumn<QStringList>("left");
        QTest::newRow("a missing leader is not an empty one")
            << QList<ProjectRow>{{kA, "项目", QString(), "2026年1月", "A"}, {kA, "项目", "", "2026年1月", "A"}}
            << QList<int>{1} << QStringList{"BH1"} << QStringList{"BH2"};
        QTest::newRow("names alike but for the case of their letters")
            << QList<ProjectRow>{{kA, "AI研究", "王五", "2026年1月", "A"}, {kA, "ai研究", "王五", "2026年1月", "B"}}
            << QList<int>{2} << QStringList{"BH1", "BH2"} << QStringList{};
        // 甲 of discipline B comes along with its twin of discipline C, ticked after 乙.
        QTest::newRow("in the order of the first tick of their values")
            << QList<ProjectRow>{{kA, "甲", "王五", "2026年1月", "B"},
                                 {kA, "乙", "赵六", "2026年1月", "B"},
                                 {kA, "甲", "王五", "2026年1月", "C"}}
            << QList<int>{2, 3} << QStringList{"BH2", "BH1", "BH3"} << QStringList{};
    }
    void approvalTakesTheRowsOfTheTickedValues()
    {
        QFETCH(QList<ProjectRow>, rows);
        QFETCH(QList<int>, ticks);
        QFETCH(QStringList, approved);
        QFETCH(QStringList, left);
        AppFixture fx;
        int n = 0;
        for (const ProjectRow& r : rows)
            insertProject(fx, "xmsb", r, ++n);
        d.open(forms::frmxmpz);
        for (int row : ticks)
            d.tick(row);
        d.press("cmdExportoA");
        auto numbers = [&fx](const QString& table) {
            QStringList s;
            for (const QStringList& row : fx.rows(QStringLiteral("select xmbh from %1 order by rowid").arg(table)))
                s << row[0];
            return s;
        };
        QCOMPARE(numbers("xmsbpz"), approved);
        QCOMPARE(numbers("xmsb"), left);
        QCOMPARE(fx.ui.texts(), QStringList{"项目批准操作已完成。"});
    }
};

QTEST_MAIN(TestFrmxmpz)
#include "tst_frmxmpz.moc"
