#include "ApprovalDriver.h"
#include "Platform.h"
#include "RecordDriver.h"
#include "frmlrpzh.h"

namespace {

const QString kA = QStringLiteral("A.人文、社会科学专项");
const QString kC = QStringLiteral("C.产业化培育项目");
const QString kTalent = QStringLiteral("中青年人才培养");

// Two approved projects of 2026 alike in name, leader, subject and unit (rows 1 and
// 2, told apart only by their approval numbers), and one of 2025 without amount,
// talent mark or unit (row 3). The test's calendar year is 2026.
void fillApproved(AppFixture& fx)
{
    insertProject(fx, "xmsbpz", {kA, "同名项目", "钱", "2026年1月", "B", kTalent}, 1);
    insertProject(fx, "xmsbpz", {kA, "同名项目", "钱", "2026年1月", "B", kTalent}, 2);
    insertProject(fx, "xmsbpz", {kA, "旧项目", "孙", "2025年6月", "A"}, 3);
    fx.exec("update xmsbpz set szdw = '单位1', pzje = 8.5, nd = '2026' where qsny like '2026%'");
    fx.exec("update xmsbpz set szdw = null, xmbh = null where xmmc = '旧项目'");
}

// What an edit may change and what it must keep, row by row.
const QString kStored = QStringLiteral(
    "select xmbh, ifnull(pzje, 'NULL'), xmmc, bz, qsny, nd, sqrq, xm1, fzrxm from xmsbpz order by rowid");

}  // namespace

class TestFrmlrpzh : public QObject {
    Q_OBJECT

    RecordDriver<frmlrpzh> d;

    void saveEdit(AppFixture& fx)
    {
        fx.ui.clear();
        d.press("Cmdupd");
    }

private slots:
    void opensOnTheStartYearWithItsCaptions()
    {
        AppFixture fx;
        fillApproved(fx);
        frmlrpzh& f = d.open(forms::frmlrpzh);
        QCOMPARE(f.windowTitle(), QStringLiteral("录入批准号"));
        QCOMPARE(d.text("txtCondiYear"), QStringLiteral("2026"));
        QCOMPARE(d.text("txtzjls"), QStringLiteral("2"));
        auto* tabs = Child<VbTab>(&f, "SSTabjblr");
        QCOMPARE(tabs->tabText(0), QStringLiteral("录入批准号与金额"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("浏览"));
        QCOMPARE(d.dataGrid()->ColumnCaption(2), QStringLiteral("         项目名称"));
        QCOMPARE(d.button("Cmdupd")->text(), QStringLiteral("保  存"));
        QCOMPARE(d.shown({"Txtxmlb", "txtxmbh", "txtxmmc", "txtxkdm", "txtxkmc", "txtszdw", "txtpzje", "txtqssj"}),
                 (QStringList{kA, "BH1", "同名项目", "B", "学科B", "单位1", "8.5", "2026年1月"}));
        QVERIFY(d.talent()->Value() == 1);
        // The months and the subject name are shown, never typed.
        for (const char* name : {"txtqssj", "txtzzsj", "txtxkmc", "txtzjls"})
            QVERIFY2(!d.box(name)->isEnabled(), name);
        QVERIFY(!d.button("cmdinsert")->isEnabled());
    }

    // Two rows alike in everything the old update compared: only the shown one
    // changes, and every column the window does not write keeps its value.
    void storesNumberAndAmountForExactlyTheShownProject()
    {
        AppFixture fx;
        fillApproved(fx);
        d.open(forms::frmlrpzh);
        const QList<QStringList> before = fx.rows(kStored);
        d.type("txtxmbh", "2026001");
        d.type("txtpzje", "12.5");
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QList<QStringList> expected = before;
        expected[0][0] = "2026001";
        expected[0][1] = "12.5";
        QCOMPARE(fx.rows(kStored), expected);
        // The grid stands on the saved row; the boxes keep what was saved.
        QCOMPARE(d.dataGrid()->Row(), 0);
        QCOMPARE(d.text("txtxmbh"), QStringLiteral("2026001"));

        // The second of the two is edited as itself.
        d.press("Cmdnxt");
        QCOMPARE(d.text("txtxmbh"), QStringLiteral("BH2"));
        d.type("txtxmbh", "2026002");
        saveEdit(fx);
        expected[1][0] = "2026002";
        QCOMPARE(fx.rows(kStored), expected);
        QVERIFY(!d.button("cmdinsert")->isEnabled());
    }

    void anAmountAloneIsSaved()
    {
        AppFixture fx;
        fillApproved(fx);
        d.open(forms::frmlrpzh);
        saveEdit(fx);   // the shown record as it is: the change mark is reset
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), QStringList());   // nothing changed since: nothing asked
        d.type("txtpzje", "20");
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select pzje from xmsbpz where xmbh = 'BH1'"), QList<QStringList>{{"20"}});
    }

    void amounts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << "" << "NULL";
        QTest::newRow("blanks") << "  " << "NULL";
        QTest::newRow("decimal") << "12.5" << "12.5";
        QTest::newRow("leading number") << "7万" << "7";
        QTest::newRow("no number") << "abc" << "0";
    }
    void amounts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        AppFixture fx;
        fillApproved(fx);
        d.open(forms::frmlrpzh);
        d.type("txtpzje", typed);
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select ifnull(pzje, 'NULL') from xmsbpz where xmbh = 'BH1'"), QList<QStringList>{{stored}});
    }

    // A record shown after a change of year, or after an abandoned edit, shows the
    // row's own values only: a box its row leaves empty is empty.
    void aShownRecordCarriesNothingOfAnother()
    {
        AppFixture fx;
        fillApproved(fx);
        d.open(forms::frmlrpzh);
        d.spin(0);
        QCOMPARE(d.text("txtzjls"), QStringLiteral("1"));
        QCOMPARE(d.shown({"txtxmmc", "txtxmbh", "txtpzje", "txtszdw", "txtqssj"}),
                 (QStringList{"旧项目", "", "", "", "2025年6月"}));
        QCOMPARE(d.talent()->Value(), 0);

        d.type("txtpzje", "99");
        d.type("txtxmbh", "X");
        d.talent()->SetValue(1);
        d.press("cmdcancel");
        QCOMPARE(d.shown({"txtxmmc", "txtxmbh", "txtpzje", "txtszdw"}), (QStringList{"旧项目", "", "", ""}));
        QCOMPARE(d.talent()->Value(), 0);
        QVERIFY(!d.button("cmdinsert")->isEnabled());

        // A year without rows: empty and locked.
        d.spin(0);
        QCOMPARE(d.text("txtzjls"), QStringLiteral("0"));
        QCOMPARE(d.text("txtxmmc"), QString());
        QVERIFY(!d.box("txtxmbh")->isEnabled());
        d.spin(1);
        QVERIFY(d.box("txtxmbh")->isEnabled());
        QVERIFY(!d.box("txtqssj")->isEnabled());
    }

    void anEditStandsWhereReadingAgainPutsIt_data()
    {
        QTest::addColumn<int>("row");        // the row edited, in the grid's order
        QTest::addColumn<QString>("unit");   // its new unit; empty: kept
        // Projects of one category and subject, by unit as read: a大学, B大学, b大学
        // (the same unit without regard to case, so in the order entered), c大学.
        QTest::newRow("kept among its equals") << 1 << "";
        QTest::newRow("c to A") << 3 << "A大学";
        QTest::newRow("a to C") << 0 << "C大学";
        QTest::newRow("c to b, among its equals") << 3 << "b大学";
    }

    // After an edit the grid shows the year's projects as reading them again shows
    // them, the edited one in its new place, and stands on it.
    void anEditStandsWhereReadingAgainPutsIt()
    {
        QFETCH(int, row);
        QFETCH(QString, unit);
        AppFixture fx;
        int n = 0;
        for (const char* u : {"a大学", "B大学", "c大学", "b大学"}) {
            insertProject(fx, "xmsbpz", {kA, "项目", "钱", "2026年1月", "B"}, ++n);
            fx.exec("update xmsbpz set szdw = ? where rowid = ?", {QString::fromUtf8(u), n});
        }
        d.open(forms::frmlrpzh);
        for (int i = 0; i < row; ++i)
            d.press("Cmdnxt");
        const QString number = d.text("txtxmbh") + "X";
        d.type("txtxmbh", number);
        if (!unit.isEmpty())
            d.box("txtszdw")->SetText(unit);
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QStringList read, shown;
        for (const QStringList& r : fx.rows("select xmbh from xmsbpz where substr(qsny,1,4) = '2026' "
                                            "order by szdw, xmlb, ssxk, rowid"))
            read << r.value(0);
        for (int r = 0; r < d.dataGrid()->VisibleRowCount(); ++r)
            shown << d.dataGrid()->CellText(r, 0);
        QCOMPARE(shown, read);
        QCOMPARE(d.dataGrid()->Row(), int(read.indexOf(number)));
    }

    void aFailingEditLosesNothing()
    {
        AppFixture fx;
        fillApproved(fx);
        fx.exec("create trigger refuse before update on xmsbpz begin select raise(abort, 'refused'); end");
        d.open(forms::frmlrpzh);
        const QList<QStringList> before = fx.rows(kStored);
        d.type("txtxmbh", "2026001");
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), (QStringList{kEditQuestion, kDataError}));
        QCOMPARE(fx.ui.messages.last().title, QStringLiteral("提示信息"));
        QVERIFY(fx.ui.messages.last().detail.contains("refused"));   // the database's reason
        QCOMPARE(fx.rows(kStored), before);

        // The edit is still there to be saved once the table takes it.
        fx.exec("drop trigger refuse");
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select xmbh from xmsbpz order by rowid limit 1"), QList<QStringList>{{"2026001"}});
    }

    void aSaveThatChangesNoRowSaysSo()
    {
        AppFixture fx;
        fillApproved(fx);
        d.open(forms::frmlrpzh);
        fx.exec("delete from xmsbpz where xmbh = 'BH1'");
        d.type("txtxmbh", "2026001");
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), (QStringList{kEditQuestion, kNoRow}));
        QCOMPARE(fx.count("xmsbpz"), 2);
    }

    void aQuoteInANameIsStored()
    {
        AppFixture fx;
        fillApproved(fx);
        fx.exec("update xmsbpz set xmfzr = 'O''Neil' where xmbh = 'BH1'");
        d.open(forms::frmlrpzh);
        d.type("txtxmmc", "It's 研究");
        saveEdit(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select xmmc, xmfzr from xmsbpz where xmbh = 'BH1'"),
                 (QList<QStringList>{{"It's 研究", "O'Neil"}}));
    }

    void movesStopAtBothEnds()
    {
        AppFixture fx;
        fillApproved(fx);
        d.open(forms::frmlrpzh);
        d.press("Cmdnxt");
        QCOMPARE(d.text("txtxmbh"), QStringLiteral("BH2"));
        d.press("Cmdnxt");
        QCOMPARE(fx.ui.texts(), QStringList{"已经是最后一条记录！"});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QCOMPARE(d.dataGrid()->Row(), 1);
        fx.ui.clear();
        d.press("Cmdfst");
        QCOMPARE(d.text("txtxmbh"), QStringLiteral("BH1"));
        d.press("Cmdpre");
        QCOMPARE(fx.ui.texts(), QStringList{"已经是第一条记录！"});
        d.press("Cmdlst");
        QCOMPARE(d.text("txtxmbh"), QStringLiteral("BH2"));
    }

    // Category, subject and unit come from their lists: a double click shows the
    // list, a click on an item fills the box and moves on; a unit code typed
    // elsewhere becomes the unit's name when the box is left.
    void pickListsFillTheirBoxes()
    {
        AppFixture fx;
        fillApproved(fx);
        fx.exec("insert into xkdm values ('A', '哲学'), ('PA', '数学')");
        fx.exec("insert into dwdm values ('10001', '示范大学'), ('10002', '示范学院')");
        frmlrpzh& f = d.open(forms::frmlrpzh);
        auto pick = [&](const char* boxName, const char* listName, int item) {
            DoubleClick(d.box(boxName));
            auto* list = Child<VbListBox>(&f, listName);
            if (!list->isVisible())
                return false;
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(item)).center());
            Settle();
            return !list->isVisible();
        };
        QVERIFY(pick("Txtxmlb", "Lstxmlb", 1));
        QCOMPARE(d.text("Txtxmlb"), QStringLiteral("B.自然科学专项"));
        QCOMPARE(f.focusWidget(), d.box("txtxmmc"));
        QVERIFY(pick("txtxkdm", "lstxkdm", 0));
        QCOMPARE(d.shown({"txtxkdm", "txtxkmc"}), (QStringList{"PA", "数学"}));
        QCOMPARE(f.focusWidget(), d.box("txtxmbh"));
        QVERIFY(pick("txtszdw", "lstszdw", 1));
        QCOMPARE(d.text("txtszdw"), QStringLiteral("示范学院"));
        QCOMPARE(f.focusWidget(), d.talent());

        d.box("txtszdw")->SetText("10001");
        SetFocus(d.box("txtszdw"));
        Settle();
        QCOMPARE(d.panel(), QStringLiteral("请双击鼠标然后选择单位名称。"));
        SetFocus(d.box("txtxmmc"));
        Settle();
        QCOMPARE(d.text("txtszdw"), QStringLiteral("示范大学"));
        QCOMPARE(d.panel(), QString());
    }

    // Category C has no talent plan: the box is hidden and the mark is stored empty.
    void categoryCClearsTheTalentMark()
    {
        AppFixture fx;
        fillApproved(fx);
        fx.exec("insert into xkdm values ('A', '哲学'), ('PA', '数学'), ('ZA', '工程')");
        d.open(forms::frmlrpzh);
        d.box("Txtxmlb")->SetText(kC);
        QVERIFY(d.talent()->isHidden());
        QCOMPARE(d.talent()->Value(), 0);
        auto* subjects = Child<VbListBox>(d.f, "lstxkdm");
        QCOMPARE(subjects->ListCount(), 1);
        QCOMPARE(subjects->List(0), QStringLiteral("ZA、工程"));
        saveEdit(fx);
        QCOMPARE(fx.rows("select xmlb, bz from xmsbpz where xmbh = 'BH1'"), (QList<QStringList>{{kC, ""}}));
    }
};

QTEST_MAIN(TestFrmlrpzh)
#include "tst_frmlrpzh.moc"
