// The member rows of the application window: F2 and F3, an emptied name closing its
// row up, the age check, and titles and units looked up for the row being typed in.
#include "JblrDriver.h"

#include "Twips.h"

namespace {

// An application with members 甲 to 丁 in rows 1 to 4, titles by code.
void fourMembers(AppFixture& fx)
{
    fx.exec("insert into zcdm values ('231', '教授'), ('274', '博士生'), ('243', '讲师')");
    fx.exec("insert into dwdm values ('10001', '示范大学'), ('10002', '东方学院')");
    fx.exec("insert into xmsb (xmlb, xmmc, xm1, zc1, zcdm1, szdw1, xm2, zc2, zcdm2, szdw2, xm3, zcdm3, xm4, nl4) values "
            "('A.人文、社会科学专项', '项目', '甲', '教授', '231', '示范大学', '乙', '博士生', '274', '东方学院', "
            "'丙', '243', '丁', 35)");
}

}  // namespace

class TestFrmjblrMembers : public QObject {
    Q_OBJECT
    JblrDriver d;

    QStringList memberNames()
    {
        QStringList n;
        for (int k = 1; k <= 8; ++k)
            n << d.box(QStringLiteral("txtxm%1").arg(k))->Text();
        return n;
    }
    void openMembers(AppFixture& fx)
    {
        fourMembers(fx);
        d.open(1);
        d.tabs()->SetTab(frmjblr::TabMembers);
        Settle();
    }

private slots:
    void cleanup() { d.f = nullptr; }

    void insertAndRemove_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("total");
        QTest::newRow("F2 opens row 2") << "txtxm2" << int(Qt::Key_F2) << 0
                                        << QStringList{"甲", "", "乙", "丙", "丁", "", "", ""} << " 3";
        QTest::newRow("F3, Yes") << "txtxm2" << int(Qt::Key_F3) << int(platform::vbYes)
                                 << QStringList{"甲", "丙", "丁", "", "", "", "", ""} << " 2";
        QTest::newRow("F3, No") << "txtxm2" << int(Qt::Key_F3) << int(platform::vbNo)
                                << QStringList{"甲", "乙", "丙", "丁", "", "", "", ""} << "";   // as stored
    }

    void insertAndRemove()
    {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(QStringList, names);
        QFETCH(QString, total);
        AppFixture fx;
        openMembers(fx);
        if (answer)
            fx.ui.answers << answer;
        d.focus(box);
        PressKey(d.widget(box), Qt::Key(key));
        Settle();
        QCOMPARE(memberNames(), names);
        QCOMPARE(d.focused(), box);
        QCOMPARE(d.box("txtzrs")->Text(), total);
        if (key == Qt::Key_F3)
            QCOMPARE(fx.ui.texts(), QStringList{"确实要删除码？"});
        // The title codes travel with their rows.
        const int row = names.indexOf("丙") + 1;
        QCOMPARE(d.box(QStringLiteral("txtzcdm%1").arg(row))->Text(), QString("243"));
        QCOMPARE(d.box(QStringLiteral("txtnl%1").arg(names.indexOf("丁") + 1))->Text(), QString("35"));
    }

    // An emptied name closes its row up when it is left, and the counts follow.
    void emptiedNameClosesUp()
    {
        AppFixture fx;
        openMembers(fx);
        SetBoxText(d.box("txtxm1"), " ");
        d.focus("txtxm1");
        d.focus("txtxmfg3");
        QCOMPARE(memberNames(), QStringList({"乙", "丙", "丁", "", "", "", "", ""}));
        QCOMPARE(d.box("txtgj")->Text(), QString());   // the professor left
        QCOMPARE(d.box("txtbss")->Text(), QString(" 1"));
        QCOMPARE(d.box("txtcjdws")->Text(), QString(" 2"));   // the leader's unit and 东方学院
    }

    void ageCheck_data()
    {
        QTest::addColumn<QString>("age");
        QTest::addColumn<bool>("refused");
        QTest::newRow("20") << "20" << false;
        QTest::newRow("80") << "80" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("19") << "19" << true;
        QTest::newRow("81") << "81" << true;
        QTest::newRow("one digit") << "5" << true;
    }

    void ageCheck()
    {
        QFETCH(QString, age);
        QFETCH(bool, refused);
        AppFixture fx;
        openMembers(fx);
        SetBoxText(d.box("txtnl1"), age);
        d.focus("txtnl1");
        d.focus("txtxmfg1");
        QCOMPARE(fx.ui.texts(), refused ? QStringList{"年龄输入错误，请重新输入！"} : QStringList{});
        QCOMPARE(d.focused(), refused ? QString("txtnl1") : QString("txtxmfg1"));
        QCOMPARE(d.box("txtnl1")->Text(), age);
    }

    void memberTitle_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("code") << "231" << "教授" << "231" << QStringList{};
        QTest::newRow("name") << "讲师" << "讲师" << "243" << QStringList{};
        QTest::newRow("unknown name") << "院士" << "院士" << "274" << QStringList{"职称或职称代码输入错误，请重新输入！"};
        QTest::newRow("unknown code") << "999" << "999" << "274" << QStringList{};
        QTest::newRow("emptied") << "" << "" << "" << QStringList{};
    }

    // A member's title box left: resolved against zcdm; an unknown name stays with
    // the message, an unknown code silently, and either keeps the code the row had;
    // only an emptied box leaves no code behind.
    void memberTitle()
    {
        QFETCH(QString, typed);
        QFETCH(QString, title);
        QFETCH(QString, code);
        QFETCH(QStringList, messages);
        AppFixture fx;
        openMembers(fx);
        d.focus("txtzw2");
        SetBoxText(d.box("txtzw2"), typed);
        d.focus("txtxmfg2");
        QCOMPARE(d.box("txtzw2")->Text(), title);
        QCOMPARE(d.box("txtzcdm2")->Text(), code);
        QCOMPARE(fx.ui.texts(), messages);
    }

    // Tabbing past the title of a received or older application, a name the title
    // table does not hold, keeps its code and the counts: saving writes them again.
    void passingAnUnknownTitleKeepsItsCode()
    {
        AppFixture fx;
        fx.exec("insert into zcdm values ('231', '教授')");
        fx.exec("insert into xmsb (xmlb, xmmc, xm1, zc1, zcdm1, gjrs, zrs) values "
                "('A.人文、社会科学专项', '项目', '甲', '研究员', '231', 1, 1)");
        d.open(1);
        d.tabs()->SetTab(frmjblr::TabMembers);
        Settle();
        d.focus("txtzw1");
        d.focus("txtxw1");
        QCOMPARE(fx.ui.texts(), QStringList{"职称或职称代码输入错误，请重新输入！"});
        d.click("Cmdupd");
        QCOMPARE(fx.rows("select zc1, zcdm1, gjrs, zrs from xmsb"), QList<QStringList>({{"研究员", "231", "1", "1"}}));
    }

    void sharedListsOpenBesideTheRow_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("topTw");
        QTest::newRow("unit, row 3") << "txtszdw3" << "lstszdw1" << 1320;
        QTest::newRow("title, row 6") << "txtzw6" << "lstzc1" << 1200;
        QTest::newRow("degree, row 8") << "txtxw8" << "lstxw1" << 1920;
    }

    // A shared member list opens at its row's Top; a pick writes that row and moves on.
    void sharedListsOpenBesideTheRow()
    {
        QFETCH(QString, box);
        QFETCH(QString, list);
        QFETCH(int, topTw);
        AppFixture fx;
        openMembers(fx);
        d.focus(box);
        DoubleClick(d.widget(box));
        Settle();
        auto* l = Child<VbListBox>(d.f, list);
        QVERIFY(l->isVisible());
        QCOMPARE(l->y(), TwipsToPixels(topTw));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
        Settle();
        const QString row = box.right(1);
        const QString written = d.box(box)->Text();
        QVERIFY(!written.isEmpty());
        QVERIFY(!written.contains("、"));
        QVERIFY(d.focused() != box);
        QVERIFY(!l->isVisible());
        if (list == "lstzc1")
            QCOMPARE(d.box("txtzcdm" + row)->Text(), QString("243"));
    }
};

QTEST_MAIN(TestFrmjblrMembers)
#include "tst_frmjblr_members.moc"
