#include "ApprovalDriver.h"
#include "ModVar.h"
#include "frmqdzbxm.h"
#include "frmmain.h"

namespace {

const QString kA = QStringLiteral("A.人文、社会科学专项");
const QString kB = QStringLiteral("B.自然科学专项");
const QString kTalent = QStringLiteral("中青年人才培养");

// Approved projects starting in 2025; the test's calendar year is 2026. Listed by
// category, then discipline: 甲, 乙, 丙, 丁, then 戊 of 2026 in its own year.
void fillApproved(AppFixture& fx)
{
    insertProject(fx, "xmsbpz", {kB, "丁", "赵", "2025年6月", "P"}, 1);
    insertProject(fx, "xmsbpz", {kA, "乙", "钱", "2025年1月", "B", kTalent}, 2);
    insertProject(fx, "xmsbpz", {kA, "甲", "孙", "2025年1月", "A"}, 3);
    insertProject(fx, "xmsbpz", {kA, "丙", "李", "2025年6月", "B"}, 4);
    insertProject(fx, "xmsbpz", {kA, "戊", "周", "2026年1月", "A"}, 5);
    fx.exec("update xmsbpz set pzje = 8.5, nd = '2025'");
}

// The mid-term rows as the copy must leave them, every column.
const QString kMidTerm = QStringLiteral(
    "select xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, zqnbz, nd, jzpj from xmpz order by xmbh");
const QString kExpected = QStringLiteral(
    "select xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, bz, '2026', null from xmsbpz "
    "where xmbh in (%1) order by xmbh");

}  // namespace

class TestFrmqdzbxm : public QObject {
    Q_OBJECT

    ApprovalDriver<frmqdzbxm> d;

    void openOn2025(AppFixture& fx)
    {
        fillApproved(fx);
        d.open(forms::frmqdzbxm);
        d.spin(0);
    }

private slots:
    void listsTheApprovedProjectsOfAStartYear()
    {
        AppFixture fx;
        fillApproved(fx);
        frmqdzbxm& f = d.open(forms::frmqdzbxm);
        QCOMPARE(f.windowTitle(), QStringLiteral("确定中报项目"));
        QCOMPARE(d.year(), QStringLiteral(" 2026"));
        QCOMPARE(d.column(2), QStringList{"戊"});
        QCOMPARE(d.countLabel(), QStringLiteral("共有1 条记录符合条件"));
        QCOMPARE(Child<VbLabel>(&f, "Label2")->Caption(),
                 QStringLiteral("说明：在项目记录前划勾，确定中报项目，然后单击确定按钮。请您务必谨慎操作！！！"));
        QCOMPARE(d.button("cmdExportoA")->text(), QStringLiteral("确  定"));
        QCOMPARE(d.button("cmdPvw")->text(), QStringLiteral("预览上报数据"));
        QVERIFY(!d.button("cmdPvw")->isEnabled());

        d.spin(0);
        QCOMPARE(d.column(2), (QStringList{"甲", "乙", "丙", "丁"}));
        QCOMPARE(d.countLabel(), QStringLiteral("库中共有 4 条记录符合条件"));
    }

    void confirmCopiesEachTickedProjectOncePerYear()
    {
        AppFixture fx;
        openOn2025(fx);
        d.tick(2);   // 乙, with the talent mark
        d.tick(4);   // 丁
        d.press("cmdExportoA");
        QCOMPARE(fx.rows(kMidTerm), fx.rows(kExpected.arg("'BH1', 'BH2'")));
        QCOMPARE(fx.rows("select zqnbz from xmpz where xmmc = '乙'"), QList<QStringList>{{kTalent}});
        QCOMPARE(fx.ui.texts(), QStringList{"中报项目确定操作已完成。"});
        QCOMPARE(fx.count("xmsbpz"), 5);

        // The ticks stay; pressing again with one more tick adds only the new one.
        QCOMPARE(d.grid()->TickedRows(), (QList<int>{2, 4}));
        QCOMPARE(d.box(1)->Value(), 1);
        d.tick(1);   // 甲
        d.press("cmdExportoA");
        QCOMPARE(gCheckedCount, 3);
        QCOMPARE(fx.rows(kMidTerm), fx.rows(kExpected.arg("'BH1', 'BH2', 'BH3'")));

        // In another calendar year the same project is chosen again.
        fx.ui.todayDate = QDate(2027, 3, 1);
        d.press("cmdExportoA");
        QCOMPARE(fx.rows("select nd, count(*) from xmpz group by nd"),
                 (QList<QStringList>{{"2026", "3"}, {"2027", "3"}}));
    }

    void projectsAlikeButForTheirNumbersAreChosenEach()
    {
        // A second approved 甲 of the same category, name, leader and start, under
        // its own approval number: listed right after the first.
        AppFixture fx;
        fillApproved(fx);
        insertProject(fx, "xmsbpz", {kA, "甲", "孙", "2025年1月", "A"}, 6);
        d.open(forms::frmqdzbxm);
        d.spin(0);
        QCOMPARE(d.column(2), (QStringList{"甲", "甲", "乙", "丙", "丁"}));
        d.tick(1);
        d.press("cmdExportoA");
        d.tick(2);
        d.press("cmdExportoA");
        QCOMPARE(fx.rows("select xmbh from xmpz order by xmbh"), (QList<QStringList>{{"BH3"}, {"BH6"}}));

        // Both at once, after a clean start, as well.
        fx.exec("delete from xmpz");
        fx.ui.clear();
        d.press("cmdExportoA");
        QCOMPARE(fx.rows("select xmbh from xmpz order by xmbh"), (QList<QStringList>{{"BH3"}, {"BH6"}}));
        QCOMPARE(fx.ui.texts(), QStringList{"中报项目确定操作已完成。"});
    }

    // Two approved rows of one project (the same number, category, name, leader and
    // start; a missing value matching a missing one) ticked in one go give one
    // mid-term row, taken from the first; the ticked projects arrive in the grid's
    // order, and the grid stands on the last tick.
    void aProjectTickedTwiceIsChosenOnce_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("the same number") << "update xmsbpz set xmbh = 'BH3' where xmbh = 'BH6'";
        QTest::newRow("no number, no name") << "update xmsbpz set xmbh = null, xmmc = null where xmbh in ('BH3', 'BH6')";
    }
    void aProjectTickedTwiceIsChosenOnce()
    {
        QFETCH(QString, change);
        AppFixture fx;
        fillApproved(fx);
        insertProject(fx, "xmsbpz", {kA, "甲", "孙", "2025年1月", "A"}, 6);
        fx.exec(change);
        d.open(forms::frmqdzbxm);
        d.spin(0);
        QCOMPARE(d.column(9), (QStringList{"单位3", "单位6", "单位2", "单位4", "单位1"}));
        d.tick(1);
        d.tick(2);
        d.tick(3);   // 乙, stored before 甲
        d.press("cmdExportoA");
        const QString midTerm = QStringLiteral("select szdw from xmpz order by rowid");
        QCOMPARE(fx.rows(midTerm), (QList<QStringList>{{"单位3"}, {"单位2"}}));
        QCOMPARE(d.grid()->flex->Row(), 3);
        QCOMPARE(d.grid()->flex->Col(), 1);
        d.press("cmdExportoA");
        QCOMPARE(fx.rows(midTerm), (QList<QStringList>{{"单位3"}, {"单位2"}}));
        QCOMPARE(fx.ui.texts(), (QStringList{"中报项目确定操作已完成。", "中报项目确定操作已完成。"}));
    }

    void nothingTickedWritesNothing()
    {
        AppFixture fx;
        openOn2025(fx);
        d.press("cmdExportoA");
        QCOMPARE(fx.ui.texts(), QStringList{"未选中任何批准项目，请您选择已批准项目！。"});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("错误提示"));
        QCOMPARE(fx.ui.messages[0].icon, platform::vbExclamation);
        QCOMPARE(fx.count("xmpz"), 0);
    }

    void failureMidwayWritesNothing()
    {
        AppFixture fx;
        fx.exec("create trigger failing before insert on xmpz when (select count(*) from xmpz) >= 1 "
                "begin select raise(abort, 'disk full'); end");
        openOn2025(fx);
        d.tick(1);
        d.tick(3);
        d.press("cmdExportoA");
        QCOMPARE(fx.count("xmpz"), 0);
        QCOMPARE(fx.ui.texts().size(), 1);
        QVERIFY(fx.ui.texts()[0].contains("disk full"));
    }

    void archiveMovesTheUntickedProjects()
    {
        // The archive button is never enabled; its procedure still moves exactly the
        // unticked rows of the year, in one step.
        AppFixture fx;
        openOn2025(fx);
        d.tick(2);
        d.button("cmdPvw")->setEnabled(true);
        d.press("cmdPvw");
        QCOMPARE(fx.rows("select xmmc from xmsbpzwpz order by xmbh"), (QList<QStringList>{{"丁"}, {"甲"}, {"丙"}}));
        QCOMPARE(fx.rows("select xmmc from xmsbpz order by xmbh"), (QList<QStringList>{{"乙"}, {"戊"}}));
        QCOMPARE(d.countLabel(), QStringLiteral("库中共有 1 条记录符合条件"));
        QCOMPARE(fx.ui.texts().last(), QStringLiteral("未批准项目归档操作已完成。"));
    }
};

QTEST_MAIN(TestFrmqdzbxm)
#include "tst_frmqdzbxm.moc"
