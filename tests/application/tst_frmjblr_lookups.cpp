// The pick lists of the application window: a double click opens a box's list, a
// click on an item writes the box (and the code box beside it) and moves on.
#include "JblrDriver.h"
#include "Twips.h"

class TestFrmjblrLookups : public QObject {
    Q_OBJECT
    JblrDriver d;

    void codeTables(AppFixture& fx)
    {
        fx.exec("insert into xkdm values ('A', '哲学'), ('PA', '数学')");
        fx.exec("insert into dwdm values ('10001', '示范大学'), ('10002', '东方学院')");
        fx.exec("insert into sysdm values ('01', '省重点实验室')");
        fx.exec("insert into rwjd values ('1', '研究基地')");   // a code shorter than its column
        fx.exec("insert into zcdm values ('231', '教授'), ('274', '博士生')");
        fx.exec("insert into ejdwdm values ('01', '数学系')");
    }

    // Shows the box's tab and double-clicks the box.
    VbListBox* openList(const QString& box, const QString& list)
    {
        QWidget* w = d.widget(box);
        d.tabs()->SetTab(w->parentWidget()->objectName().mid(3).toInt());
        d.focus(box);
        DoubleClick(w);
        Settle();
        return Child<VbListBox>(d.f, list);
    }

private slots:
    void cleanup() { d.f = nullptr; }

    void pick_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("written");   // box=text, ...
        QTest::addColumn<QString>("focus");
        QTest::newRow("discipline, category 2") << 2 << "txtxkdm" << "lstxkdm" << 0
                                                << QStringList{"txtxkdm=PA", "txtxkmc=数学"} << "txtxmmc";
        QTest::newRow("discipline, category 1") << 1 << "txtxkdm" << "lstxkdm" << 0
                                                << QStringList{"txtxkdm=A", "txtxkmc=哲学"} << "txtxmmc";
        QTest::newRow("unit") << 1 << "txtszdw" << "lstszdw" << 1 << QStringList{"txtszdw=东方学院"} << "txtsqrq";
        QTest::newRow("research type") << 1 << "txtyjlb" << "lstyjlb" << 1 << QStringList{"txtyjlb=B.应用研究"} << "txtsqje";
        QTest::newRow("research base") << 1 << "txtsys" << "lstsys" << 0
                                       << QStringList{"txtsys=研究基地", "txtsysdm=1"} << "txtyjjg";
        QTest::newRow("laboratory") << 2 << "txtsys" << "lstsys" << 0
                                    << QStringList{"txtsys=省重点实验室", "txtsysdm=01"} << "txtyjjg";
        QTest::newRow("sex") << 1 << "txtxb" << "lstxb" << 1 << QStringList{"txtxb=女"} << "txtcsny";
        QTest::newRow("supervisor") << 1 << "txtsbd" << "lstsbd" << 1 << QStringList{"txtsbd=硕导"} << "txtzc";
        QTest::newRow("title, counted") << 1 << "txtzc" << "lstzc" << 0
                                        << QStringList{"txtzc=教授", "txtzcdm=231", "txtgj= 1", "txtzrs= 1"} << "txtdzsj";
        QTest::newRow("department: on to the members") << 1 << "txtszxs" << "lstszxs" << 0 << QStringList{"txtszxs=数学系"}
                                                        << "txtxm1";
        QTest::newRow("member title, row 8") << 1 << "txtzw8" << "lstzc1" << 0
                                             << QStringList{"txtzw8=教授", "txtzcdm8=231", "txtgj= 1"} << "txtxw8";
        QTest::newRow("member unit, row 8") << 1 << "txtszdw8" << "lstszdw1" << 1 << QStringList{"txtszdw8=东方学院"}
                                            << "txtxmfg8";
        QTest::newRow("member degree, row 6") << 1 << "txtxw6" << "lstxw1" << 0
                                              << QStringList{"txtxw6=博士", "txtxw5="} << "txtszdw6";
    }

    void pick()
    {
        QFETCH(int, category);
        QFETCH(QString, box);
        QFETCH(QString, list);
        QFETCH(int, item);
        QFETCH(QStringList, written);
        QFETCH(QString, focus);
        AppFixture fx;
        codeTables(fx);
        insertApplication(fx, category, "项目", "张三", "数学", "示范大学", "2026.01.01");
        d.open(category);
        auto* l = openList(box, list);
        QVERIFY(l->isVisible());
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(item)).center());
        Settle();
        for (const QString& pair : written) {
            const QStringList kv = pair.split('=');
            QCOMPARE(d.box(kv[0])->Text(), kv[1]);
        }
        QCOMPARE(d.focused(), focus);
        QVERIFY(!l->isVisible());
    }

    // Each list opens at its own place on its tab: below its box, or above it where the
    // space below is taken (laboratory, department).
    void listPlace_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QRect>("boxTw");    // left, top, width, height
        QTest::addColumn<QRect>("listTw");
        QTest::newRow("discipline") << "txtxkdm" << "lstxkdm" << QRect(6360, 1200, 855, 405) << QRect(6360, 1560, 4095, 1485);
        QTest::newRow("unit") << "txtszdw" << "lstszdw" << QRect(1800, 3240, 4455, 405) << QRect(1800, 3600, 4455, 915);
        QTest::newRow("research type") << "txtyjlb" << "lstyjlb" << QRect(1560, 1080, 3015, 375) << QRect(1560, 1440, 3015, 630);
        QTest::newRow("laboratory") << "txtsys" << "lstsys" << QRect(1560, 2880, 6735, 375) << QRect(1560, 1680, 6735, 1200);
        QTest::newRow("sex") << "txtxb" << "lstxb" << QRect(5520, 360, 855, 375) << QRect(5520, 720, 855, 630);
        QTest::newRow("degree") << "txtxw" << "lstxw" << QRect(1920, 1200, 1575, 375) << QRect(1920, 1560, 1575, 915);
        QTest::newRow("supervisor") << "txtsbd" << "lstsbd" << QRect(8880, 1200, 1095, 375) << QRect(8880, 1560, 1095, 915);
        QTest::newRow("title") << "txtzc" << "lstzc" << QRect(1920, 2160, 2655, 405) << QRect(1920, 2520, 2655, 1200);
        QTest::newRow("department") << "txtszxs" << "lstszxs" << QRect(1920, 3840, 4695, 375) << QRect(1920, 2640, 4695, 1200);
    }

    void listPlace()
    {
        QFETCH(QString, box);
        QFETCH(QString, list);
        QFETCH(QRect, boxTw);
        QFETCH(QRect, listTw);
        auto px = [](const QRect& r) { return TwipsRect(r.x(), r.y(), r.width(), r.height()); };
        AppFixture fx;
        codeTables(fx);
        insertApplication(fx, 2, "项目", "张三", "数学", "示范大学", "2026.01.01");
        d.open(2);
        QWidget* w = d.widget(box);
        auto* l = openList(box, list);
        QVERIFY(l->isVisible());
        QCOMPARE(w->geometry(), px(boxTw));
        // The list stands at its place on the box's page, whichever widget holds it
        // (a list reaching below the page belongs to the window).
        QWidget* page = w->parentWidget();
        QWidget* holder = l->parentWidget();
        QCOMPARE(QRect(page->mapTo(holder, px(listTw).topLeft()), px(listTw).size()), l->geometry());
        // The whole list can be seen: inside its holder, and drawn over anything else there.
        QVERIFY(holder->rect().contains(l->geometry()));
        for (QWidget* sibling : holder->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (sibling != l && sibling->isVisible() && sibling->geometry().intersects(l->geometry()))
                QVERIFY2(holder->children().indexOf(sibling) < holder->children().indexOf(l), qPrintable(sibling->objectName()));
    }

    // A unit code in the unit box becomes the unit's name when the box is left; the
    // first of several leaders goes into the empty leader's name.
    void typedCodeAndLeader()
    {
        AppFixture fx;
        codeTables(fx);
        d.open(1);
        d.click("cmdinsert");
        SetBoxText(d.box("txtszdw"), "10002");
        d.focus("txtszdw");
        d.focus("txtsqrq");
        QCOMPARE(d.box("txtszdw")->Text(), QString("东方学院"));
        d.focus("txtxmfzr");
        CommitText(d.box("txtxmfzr"), "张三、李四");
        d.focus("txtnbbh");
        QCOMPARE(d.box("txtfzrxm")->Text(), QString("张三"));
        QCOMPARE(Child<VbLabel>(d.f, "lblxmmc")->Caption(), QString());
        CommitText(d.box("txtnbbh"), "x");
        SetBoxText(d.box("txtxmmc"), "新名");
        QCOMPARE(Child<VbLabel>(d.f, "lblxmmc")->Caption(), QString("新名"));
    }
};

QTEST_MAIN(TestFrmjblrLookups)
#include "tst_frmjblr_lookups.moc"
