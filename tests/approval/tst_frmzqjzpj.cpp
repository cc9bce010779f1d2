#include "ModVar.h"
#include "Platform.h"
#include "RecordDriver.h"
#include "frmzqjzpj.h"

namespace {

const QString kA = QStringLiteral("A.人文、社会科学专项");
const QString kTalent = QStringLiteral("中青年人才培养");
const QStringList kEvaluations{"进度与质量均优", "基本按计划进行", "完成计划不好", "未开展工作"};

// Mid-term projects of 2026 alike in name, leader, subject and unit (rows 1 and 2,
// told apart by their approval numbers), and one of 2025 with no amount, unit,
// talent mark or evaluation (row 3). The test's calendar year is 2026.
void fillMidTerm(AppFixture& fx)
{
    const QString insert = QStringLiteral(
        "insert into xmpz (xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, zqnbz, nd, jzpj) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const char* number : {"BH1", "BH2"})
        fx.exec(insert, {QString::fromLatin1(number), 8.5, "同名项目", "钱", "单位1", "B", "学科B", "2025年1月",
                         "2027年12月", kA, kTalent, "2026", kEvaluations[1]});
    fx.exec(insert, {QVariant(), QVariant(), "旧项目", "孙", QVariant(), "A", "学科A", "2024年6月", "2026年6月", kA,
                     QVariant(), "2025", QVariant()});
}

const QString kStored = QStringLiteral(
    "select ifnull(xmbh, 'NULL'), ifnull(pzje, 'NULL'), xmmc, xmfzr, ifnull(szdw, 'NULL'), ssxk, xkmc, "
    "ifnull(qsny, 'NULL'), ifnull(zzny, 'NULL'), xmlb, ifnull(zqnbz, 'NULL'), nd, ifnull(jzpj, 'NULL') "
    "from xmpz order by rowid");

}  // namespace

class TestFrmzqjzpj : public QObject {
    Q_OBJECT

    RecordDriver<frmzqjzpj> d;

    void save(AppFixture& fx)
    {
        fx.ui.clear();
        d.press("Cmdupd");
    }
    int chosenOption() const
    {
        for (int i = 0; i < 4; ++i)
            if (d.option(i)->Value())
                return i;
        return -1;
    }

private slots:
    void opensOnTheYearWithItsCaptions()
    {
        AppFixture fx;
        fillMidTerm(fx);
        frmzqjzpj& f = d.open(forms::frmzqjzpj);
        QCOMPARE(f.windowTitle(), QStringLiteral("项目进展评价"));
        QCOMPARE(Child<VbLabel>(&f, "Label1")->Caption(), QStringLiteral("年度："));
        QCOMPARE(Child<VbTab>(&f, "SSTabjblr")->tabText(0), QStringLiteral("增加与修改"));
        QCOMPARE(d.dataGrid()->ColumnCaption(9), QStringLiteral("  项目进展评价"));
        QCOMPARE(d.text("txtzjls"), QStringLiteral("2"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(d.option(i)->text(), kEvaluations[i]);
        QCOMPARE(chosenOption(), 1);
        QCOMPARE(d.shown({"txtxmbh", "txtpzje", "txtqssj", "txtzzsj"}),
                 (QStringList{"BH1", "8.5", "2025年1月", "2027年12月"}));
        QVERIFY(d.button("cmdinsert")->isEnabled());
        QVERIFY(d.box("txtqssj")->isEnabled());
    }

    // Each option stores its caption; a stored caption chooses its option again.
    void theFourEvaluations_data()
    {
        QTest::addColumn<int>("option");
        for (int i = 0; i < 4; ++i)
            QTest::newRow(qPrintable(kEvaluations[i])) << i;
    }
    void theFourEvaluations()
    {
        QFETCH(int, option);
        AppFixture fx;
        fillMidTerm(fx);
        d.open(forms::frmzqjzpj);
        QTest::mouseClick(d.option(option), Qt::LeftButton);
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select jzpj from xmpz where xmbh = 'BH1'"), QList<QStringList>{{kEvaluations[option]}});
        d.press("Cmdlst");
        d.press("Cmdfst");
        QCOMPARE(chosenOption(), option);
    }

    // Two rows alike in everything the old delete compared: only the shown one is
    // rewritten, and it keeps its place.
    void anEditRewritesExactlyTheShownRow()
    {
        AppFixture fx;
        fillMidTerm(fx);
        d.open(forms::frmzqjzpj);
        QList<QStringList> expected = fx.rows(kStored);
        d.type("txtxmbh", "2026001");
        d.type("txtpzje", "");
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        expected[0][0] = "2026001";
        expected[0][1] = "NULL";
        QCOMPARE(fx.rows(kStored), expected);
        QCOMPARE(d.dataGrid()->Row(), 0);
        QCOMPARE(d.text("txtzjls"), QStringLiteral("2"));
    }

    void anAmountAloneIsSaved()
    {
        AppFixture fx;
        fillMidTerm(fx);
        d.open(forms::frmzqjzpj);
        save(fx);
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList());
        d.type("txtpzje", "12.5");
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select pzje from xmpz where xmbh = 'BH1'"), QList<QStringList>{{"12.5"}});
    }

    void aShownRecordCarriesNothingOfAnother()
    {
        AppFixture fx;
        fillMidTerm(fx);
        d.open(forms::frmzqjzpj);
        d.spin(0);
        QCOMPARE(d.text("txtzjls"), QStringLiteral("1"));
        QCOMPARE(d.shown({"txtxmmc", "txtxmbh", "txtpzje", "txtszdw"}), (QStringList{"旧项目", "", "", ""}));
        QCOMPARE(d.talent()->Value(), 0);
        QCOMPARE(chosenOption(), -1);

        // An abandoned new record leaves nothing behind.
        d.press("cmdinsert");
        d.type("txtxmmc", "新项目");
        d.type("txtpzje", "5");
        QTest::mouseClick(d.option(0), Qt::LeftButton);
        d.press("cmdcancel");
        QCOMPARE(d.shown({"txtxmmc", "txtpzje"}), (QStringList{"旧项目", ""}));
        QCOMPARE(chosenOption(), -1);
        QVERIFY(d.button("Cmdfst")->isEnabled());
    }

    void aNewRecordIsStoredInTheYearShown()
    {
        AppFixture fx;
        fillMidTerm(fx);
        gAppUnitName = QStringLiteral("示范大学");
        d.open(forms::frmzqjzpj);
        d.press("cmdinsert");
        QVERIFY(!d.button("Cmdfst")->isEnabled());
        QVERIFY(!Child<VbTab>(d.f, "SSTabjblr")->isTabEnabled(1));
        QCOMPARE(d.text("txtszdw"), QStringLiteral("示范大学"));
        d.box("Txtxmlb")->SetText(kA);
        d.type("txtxmmc", "It's 新项目");
        d.type("txtxmfzr", "李");
        d.type("txtpzje", "3");
        QTest::mouseClick(d.option(3), Qt::LeftButton);
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kNewQuestion});
        QCOMPARE(fx.rows(kStored).last(), (QStringList{"", "3", "It's 新项目", "李", "示范大学", "", "", "NULL", "NULL",
                                                       kA, "NULL", "2026", kEvaluations[3]}));
        QCOMPARE(d.text("txtzjls"), QStringLiteral("3"));
        QVERIFY(d.button("Cmdfst")->isEnabled());

        // The new record stays on show and is edited as itself.
        d.type("txtpzje", "4");
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select pzje from xmpz where xmmc = 'It''s 新项目'"), QList<QStringList>{{"4"}});
        QCOMPARE(fx.count("xmpz"), 4);
    }

    void aFailingSaveLosesNothing()
    {
        AppFixture fx;
        fillMidTerm(fx);
        fx.exec("create trigger refuse before update on xmpz begin select raise(abort, 'refused'); end");
        fx.exec("create trigger refusenew before insert on xmpz begin select raise(abort, 'refused'); end");
        d.open(forms::frmzqjzpj);
        const QList<QStringList> before = fx.rows(kStored);
        d.type("txtxmmc", "改名");
        save(fx);
        QCOMPARE(fx.ui.texts(), (QStringList{kEditQuestion, kDataError}));
        QCOMPARE(fx.ui.messages.last().title, QStringLiteral("提示信息"));
        QVERIFY(fx.ui.messages.last().detail.contains("refused"));   // the database's reason
        QCOMPARE(fx.rows(kStored), before);

        // A new record that cannot be stored stays in the boxes, still new.
        d.press("cmdcancel");
        d.press("cmdinsert");
        d.type("txtxmmc", "新项目");
        save(fx);
        QCOMPARE(fx.ui.texts(), (QStringList{kNewQuestion, kDataError}));
        QVERIFY(fx.ui.messages.last().detail.contains("refused"));
        QCOMPARE(fx.rows(kStored), before);
        QCOMPARE(d.text("txtxmmc"), QStringLiteral("新项目"));
        QVERIFY(!d.button("Cmdfst")->isEnabled());

        fx.exec("drop trigger refusenew");
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kNewQuestion});
        QCOMPARE(fx.count("xmpz"), 4);
    }

    void aQuoteInANameIsEdited()
    {
        AppFixture fx;
        fillMidTerm(fx);
        fx.exec("update xmpz set xmfzr = 'O''Neil' where xmbh = 'BH1'");
        d.open(forms::frmzqjzpj);
        d.type("txtxmmc", "It's 研究");
        save(fx);
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select xmmc, xmfzr from xmpz where xmbh = 'BH1'"), (QList<QStringList>{{"It's 研究", "O'Neil"}}));
        QCOMPARE(fx.count("xmpz"), 3);
    }

    // The months: the start month moves on to the end month, the end month keeps the
    // focus; a wrong month says so in the status bar.
    void monthsAreCheckedOnEnter()
    {
        AppFixture fx;
        fillMidTerm(fx);
        frmzqjzpj& f = d.open(forms::frmzqjzpj);
        SetFocus(d.box("txtqssj"));
        Settle();
        d.type("txtqssj", "20256");
        PressKey(d.box("txtqssj"), Qt::Key_Return);
        Settle();
        QCOMPARE(d.text("txtqssj"), QStringLiteral("2025年6月"));
        QCOMPARE(f.focusWidget(), d.box("txtzzsj"));
        d.type("txtzzsj", "202712");
        PressKey(d.box("txtzzsj"), Qt::Key_Return);
        Settle();
        QCOMPARE(d.text("txtzzsj"), QStringLiteral("2027年12月"));
        QCOMPARE(f.focusWidget(), d.box("txtzzsj"));
        d.type("txtzzsj", "20271");
        PressKey(d.box("txtzzsj"), Qt::Key_Return);
        Settle();
        QCOMPARE(d.panel(), QStringLiteral("终止时间输入错误！！！请核查。"));
        TypeText(d.box("txtzzsj"), "a");
        QCOMPARE(d.text("txtzzsj"), QStringLiteral("20271"));
    }
};

QTEST_MAIN(TestFrmzqjzpj)
#include "tst_frmzqjzpj.moc"
