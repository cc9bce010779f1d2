// The window's field handlers: the key rules of its boxes, the date and month checks
// on Enter and on leaving, the hints and the change mark.
#include "JblrDriver.h"

class TestFrmjblrFields : public QObject {
    Q_OBJECT
    JblrDriver d;

    // An application to edit, so that every box is unlocked.
    void openOne(AppFixture& fx, int category = 1)
    {
        insertApplication(fx, category, "项目", "张三", "数学", "示范大学", "2026.01.01");
        d.open(category);
    }

private slots:
    void cleanup() { d.f = nullptr; }

    void keys_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");       // Qt key
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("focus");   // after the key
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("digit: digit") << "txtnl1" << "" << int(Qt::Key_5) << none << "5" << 0 << "txtnl1";
        QTest::newRow("digit: letter beeps") << "txtnl1" << "" << int(Qt::Key_A) << none << "" << 1 << "txtnl1";
        QTest::newRow("digit: point beeps") << "txtzc" << "1" << int(Qt::Key_Period) << none << "1" << 1 << "txtzc";
        QTest::newRow("digit: blank beeps") << "txtnd1" << "" << int(Qt::Key_Space) << none << "" << 1 << "txtnd1";
        QTest::newRow("digit: Backspace") << "txtnl1" << "35" << int(Qt::Key_Backspace) << none << "3" << 0 << "txtnl1";
        QTest::newRow("digit: paste beeps") << "txtnl1" << "" << int(Qt::Key_V) << ctrl << "" << 1 << "txtnl1";
        QTest::newRow("digit: Enter moves on") << "txtnl1" << "35" << int(Qt::Key_Return) << none << "35" << 0 << "txtzw1";
        QTest::newRow("amount: point") << "txtxxzc" << "1" << int(Qt::Key_Period) << none << "1." << 0 << "txtxxzc";
        QTest::newRow("amount: second point beeps") << "txtxxzc" << "1.2" << int(Qt::Key_Period) << none << "1.2" << 1 << "txtxxzc";
        QTest::newRow("amount: Enter stays in the last box") << "txtjytbk" << "1" << int(Qt::Key_Return) << none << "1" << 0 << "txtjytbk";
        QTest::newRow("name: blank dropped") << "txtxm1" << "张" << int(Qt::Key_Space) << none << "张" << 0 << "txtxm1";
        QTest::newRow("name: letter") << "txtxm1" << "" << int(Qt::Key_A) << none << "a" << 0 << "txtxm1";
        QTest::newRow("list: letter dropped") << "txtxb" << "" << int(Qt::Key_A) << none << "" << 0 << "txtxb";
        QTest::newRow("list: Backspace dropped") << "txtxb" << "男" << int(Qt::Key_Backspace) << none << "男" << 0 << "txtxb";
        QTest::newRow("list: Enter moves on") << "txtxb" << "" << int(Qt::Key_Return) << none << "" << 0 << "txtcsny";
        QTest::newRow("free text: blank") << "txtlxdh" << "1" << int(Qt::Key_Space) << none << "1 " << 0 << "txtlxdh";
        QTest::newRow("free text: Enter") << "txtnbbh" << "" << int(Qt::Key_Return) << none << "" << 0 << "txtxkdm";
        QTest::newRow("year-month: point after the year") << "txtdzsj" << "2001" << int(Qt::Key_Period) << none << "2001." << 0 << "txtdzsj";
        QTest::newRow("year-month: early point dropped") << "txtdzsj" << "20" << int(Qt::Key_Period) << none << "20" << 0 << "txtdzsj";
        QTest::newRow("year-month: letter beeps") << "txtxwsj" << "" << int(Qt::Key_A) << none << "" << 1 << "txtxwsj";
        QTest::newRow("plan text: Enter, no line break") << "txtndjz1" << "计划" << int(Qt::Key_Return) << none << "计划" << 0 << "txtnd2";
        QTest::newRow("last plan: Enter stays (category 1)") << "txtndjz3" << "" << int(Qt::Key_Return) << none << "" << 0 << "txtndjz3";
        QTest::newRow("department: Enter opens the members") << "txtszxs" << "" << int(Qt::Key_Return) << none << "" << 0 << "txtxm1";
        QTest::newRow("institute: Enter opens the leader") << "txtyjjg" << "" << int(Qt::Key_Return) << none << "" << 0 << "txtfzrxm";
    }

    void keys()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, after);
        QFETCH(int, beeps);
        QFETCH(QString, focus);
        AppFixture fx;
        openOne(fx);
        QWidget* w = d.widget(box);
        d.tabs()->SetTab(w->parentWidget()->objectName().mid(3).toInt());
        SetBoxText(w, before);
        d.focus(box);
        if (auto* t = qobject_cast<VbTextBox*>(w))
            t->setCursorPosition(int(before.size()));
        else
            qobject_cast<VbMemo*>(w)->moveCursor(QTextCursor::End);
        PressKey(w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        Settle();
        QCOMPARE(BoxText(w), after);
        QCOMPARE(fx.ui.beeps, beeps);
        QCOMPARE(d.focused(), focus);
    }

    void enterNeverReachesAButton_data()
    {
        addCategoryRows();
    }

    // Enter in any box of any tab moves on to a box, or stays: never onto a button,
    // where the next Enter would close the window or drop the entry.
    void enterNeverReachesAButton()
    {
        QFETCH(int, category);
        AppFixture fx;
        openOne(fx, category);
        VbTab* tabs = d.tabs();
        for (int t = 0; t < frmjblr::TabBrowse; ++t) {
            if (!tabs->isTabVisible(t))
                continue;
            for (QWidget* w : tabs->widget(t)->findChildren<QWidget*>()) {
                if (!qobject_cast<VbTextBox*>(w) && !qobject_cast<VbMemo*>(w) && !qobject_cast<VbCheckBox*>(w))
                    continue;
                tabs->SetTab(t);
                Settle();
                if (!w->isVisible() || !w->isEnabled())
                    continue;
                d.focus(w->objectName());
                PressKey(w, Qt::Key_Return);
                Settle();
                QWidget* now = d.f->focusWidget();
                QVERIFY2(!qobject_cast<QAbstractButton*>(now) || qobject_cast<VbCheckBox*>(now),
                         qPrintable(w->objectName() + " -> " + (now ? now->objectName() : QString())));
            }
        }
    }

    void categoryHidesItsBoxes_data()
    {
        addCategoryRows();
    }

    // Category 3 has no research kind and no talent plan: their boxes and the kind's
    // caption are hidden; the other categories show them.
    void categoryHidesItsBoxes()
    {
        QFETCH(int, category);
        AppFixture fx;
        openOne(fx, category);
        QCOMPARE(d.f->findChild<QWidget*>("txtyjlb")->isHidden(), category == 3);
        QCOMPARE(d.f->findChild<QWidget*>("Chkbz")->isHidden(), category == 3);
        QCOMPARE(d.f->findChild<QWidget*>("Label23")->isHidden(), category == 3);
        QCOMPARE(d.f->findChild<QAbstractButton*>("Chkbz")->text(), QStringLiteral("中青年人才培养计划"));
    }

    void dates_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");      // else the box is left for txtyjjg / txtlxdh
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("focus");
        const QString dateWrong = "申请日期输入错误！！！请核查。";
        const QString startWrong = "起始时间输入错误！！！请核查。";
        const QString endWrong = "终止时间输入错误！！！请核查。";
        const QString endHint = "请输入格式为：XXXXXX,前四位是年，后两位是月，月只能输入6或12，输入结束按回车键。";
        QTest::newRow("date converted on Enter") << "txtsqrq" << "20261231" << true << "2026.12.31"
                                                 << "请双击鼠标，然后选择研究类别。" << "txtyjlb";
        QTest::newRow("date: month 13") << "txtsqrq" << "20261301" << true << "20261301" << dateWrong << "txtsqrq";
        QTest::newRow("date: day 32 on leaving") << "txtsqrq" << "20260132" << false << "20260132" << dateWrong << "txtsqrq";
        QTest::newRow("date: short on leaving") << "txtsqrq" << "2026" << false << "2026"
                                                << "输入的申请日期错误！！！请核查。" << "txtsqrq";
        QTest::newRow("date: ten digits are not a date") << "txtsqrq" << "2026010101" << false << "2026010101"
                                                          << dateWrong << "txtsqrq";
        QTest::newRow("start converted") << "txtqssj" << "20261" << true << "2026年1月" << endHint << "txtzzsj";
        QTest::newRow("start: month 3") << "txtqssj" << "20263" << true << "20263" << startWrong << "txtqssj";
        QTest::newRow("start converted on leaving") << "txtqssj" << "20266" << false << "2026年6月" << endHint << "txtzzsj";
        QTest::newRow("end: December") << "txtzzsj" << "202612" << true << "2026年12月"
                                       << "请双击鼠标，然后选择所属重点实验室。" << "txtsys";
        QTest::newRow("end: month 11") << "txtzzsj" << "202611" << true << "202611" << endWrong << "txtzzsj";
        QTest::newRow("end: June on leaving") << "txtzzsj" << "20266" << false << "2026年6月"
                                              << "请录入不多于16个汉字。" << "txtyjjg";
        QTest::newRow("birth zero-filled") << "txtcsny" << "1980.7" << true << "1980.07"
                                           << "请双击鼠标，然后选择博士、硕士或学士学位。" << "txtxw";
        QTest::newRow("birth after 1990") << "txtcsny" << "2001.07" << true << "2001.07"
                                          << "请双击鼠标，然后选择博士、硕士或学士学位。" << "txtxw";
        QTest::newRow("birth: year 1899") << "txtcsny" << "1899.07" << true << "1899.07"
                                          << "出生年月中年份输入错误！！！请核查。" << "txtcsny";
        QTest::newRow("birth: month 13 on leaving") << "txtcsny" << "1980.13" << false << "1980.13"
                                                    << "出生年月中月份输入错误！！！请核查。" << "txtcsny";
    }

    // Each date box typed into and then Enter or leaving: its text, the first panel
    // of the status bar and the box with the focus afterwards.
    void dates()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QString, text);
        QFETCH(QString, panel);
        QFETCH(QString, focus);
        AppFixture fx;
        openOne(fx);
        QWidget* w = d.widget(box);
        d.tabs()->SetTab(w->parentWidget()->objectName().mid(3).toInt());
        SetBoxText(w, QString());
        d.type(box, typed);
        if (enter) {
            d.enter(box);
        } else {
            d.focus(box == "txtcsny" ? "txtlxdh" : box == "txtsqrq" ? "txtxmfzr" : "txtyjjg");
            Settle();
        }
        QCOMPARE(d.box(box)->Text(), text);
        QCOMPARE(d.panel(), panel);
        QCOMPARE(d.focused(), focus);
    }

    // Hints by focus; the project number's stays when it is left; changes mark.
    void hintsAndChangeMark()
    {
        AppFixture fx;
        openOne(fx);
        d.focus("txtnbbh");
        QCOMPARE(d.panel(), QString("请输入项目编号，如果您不知道可以不输入。"));
        d.focus("txtxmmc");
        QCOMPARE(d.panel(), QString("请录入不多于25个汉字。"));
        QCOMPARE(d.box("txtxmmc")->Ime(), ImeMode::On);
        d.focus("txtnbbh");
        QCOMPARE(d.box("txtxmmc")->Ime(), ImeMode::Off);
        QCOMPARE(d.panel(), QString("请输入项目编号，如果您不知道可以不输入。"));

        d.f->ChangedFlag = "0";
        d.type("txtnbbh", "1");
        QCOMPARE(d.f->ChangedFlag, QString("1"));
        // Limits count characters: 25 Chinese characters fit the project name.
        QCOMPARE(d.box("txtxmmc")->MaxLength(), 25);
        QCOMPARE(d.box("txtxmmc")->MaxLengthUnit(), LengthUnit::Characters);
    }

    // A typed 0 in the amount applied for empties the box; 10 stays.
    void blankZero()
    {
        AppFixture fx;
        openOne(fx);
        d.tabs()->SetTab(frmjblr::TabProject);
        SetBoxText(d.box("txtsqje"), QString());
        d.f->ChangedFlag = "0";
        d.type("txtsqje", "0");
        QCOMPARE(d.box("txtsqje")->Text(), QString());
        QCOMPARE(d.f->ChangedFlag, QString("1"));
        d.type("txtsqje", "10");
        QCOMPARE(d.box("txtsqje")->Text(), QString("10"));
    }

    void tabChange_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("focus");
        QTest::newRow("project, category 1") << 1 << int(frmjblr::TabProject) << "txtyjlb";
        QTest::newRow("project, category 3") << 3 << int(frmjblr::TabProject) << "txtsqje";
        QTest::newRow("members") << 1 << int(frmjblr::TabMembers) << "txtxm1";
        QTest::newRow("investment") << 3 << int(frmjblr::TabInvestment) << "txthzdw";
    }

    // Any tab but the cover disables 录入 and puts the focus into its first box.
    void tabChange()
    {
        QFETCH(int, category);
        QFETCH(int, tab);
        QFETCH(QString, focus);
        AppFixture fx;
        openOne(fx, category);
        d.tabs()->SetTab(tab);
        Settle();
        QCOMPARE(d.focused(), focus);
        QVERIFY(!d.button("cmdinsert")->isEnabled());
        d.tabs()->SetTab(frmjblr::TabCover);
        QVERIFY(d.button("cmdinsert")->isEnabled());
    }
};

QTEST_MAIN(TestFrmjblrFields)
#include "tst_frmjblr_fields.moc"
