// The application record through the window's boxes: what a save stores by each
// column's rule, what showing a row puts into the boxes, and the locking by category.
#include "JblrDriver.h"

#include "RecordLayouts.h"

// Boxes and the texts set into them.
using BoxTexts = QList<QPair<QString, QString>>;

class TestFrmjblrRecord : public QObject {
    Q_OBJECT
    JblrDriver d;

    // Sets boxes by code, as a lookup or a pick list does ("Chkbz": "1" ticks it).
    void fill(const BoxTexts& values)
    {
        for (const auto& [box, text] : values)
            SetBoxText(d.widget(box), text);
    }

private slots:
    void cleanup() { d.f = nullptr; }

    void storeByRule_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<BoxTexts>("boxes");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        using V = BoxTexts;
        QTest::newRow("always, blank: empty text") << 1 << V{{"txtnbbh", "  "}} << "xmbh" << "''";
        QTest::newRow("always, untrimmed") << 1 << V{{"txtnbbh", " A1 "}} << "xmbh" << "' A1 '";
        QTest::newRow("if filled, blank: no value") << 1 << V{{"txtqssj", " "}} << "qsny" << "NULL";
        QTest::newRow("if filled, filled") << 1 << V{{"txtqssj", "2026年6月"}} << "qsny" << "'2026年6月'";
        QTest::newRow("number") << 1 << V{{"txtsqje", "12.5"}} << "sqje" << "12.5";
        QTest::newRow("number, blank") << 1 << V{{"txtsqje", ""}} << "sqje" << "NULL";
        QTest::newRow("leader blank: no value") << 1 << V{} << "fzrxm" << "NULL";
        QTest::newRow("laboratory blank: empty text") << 1 << V{} << "sysmc" << "''";
        QTest::newRow("category text from the label") << 2 << V{} << "xmlb" << "'B.自然科学专项'";
        QTest::newRow("talent mark ticked") << 1 << V{{"Chkbz", "1"}} << "bz" << "'中青年人才培养'";
        QTest::newRow("talent mark unticked") << 1 << V{} << "bz" << "NULL";
        QTest::newRow("member age as number") << 1 << V{{"txtxm1", "张三"}, {"txtnl1", "35"}} << "nl1" << "35.0";
        QTest::newRow("member without age") << 1 << V{{"txtxm1", "张三"}} << "nl1" << "NULL";
        QTest::newRow("member after an empty row closes up")
            << 1 << V{{"txtxm2", "李四"}, {"txtnl2", "40"}} << "xm1 || '/' || nl1 || '/' || quote(xm2)" << "'李四/40.0/NULL'";
        QTest::newRow("members 1, 2 and 4") << 1 << V{{"txtxm1", "甲"}, {"txtxm2", "乙"}, {"txtxm4", "丁"}, {"txtxmfg4", "测试"}}
                                            << "xm3 || xmfg3" << "'丁测试'";
        QTest::newRow("plan after an empty year closes up") << 1 << V{{"txtnd2", "2027"}, {"txtndjz2", "调研"}}
                                                            << "nf1 || jdap1 || quote(nf2)" << "'2027调研NULL'";
        QTest::newRow("investment in category 3") << 3 << V{{"txtxxzc", "3"}, {"txtyhdk", "1.5"}} << "ztz" << "4.5";
        QTest::newRow("partner in category 3") << 3 << V{{"txthzdw", "合作方"}} << "hzdw" << "'合作方'";
        QTest::newRow("no investment in category 1") << 1 << V{{"txtxxzc", "3"}} << "xxzc" << "NULL";
        QTest::newRow("research type hidden in category 3") << 3 << V{} << "yjlb" << "''";
        QTest::newRow("never a suggested amount") << 1 << V{} << "jyje" << "NULL";
    }

    // A new application saved from boxes set by code stores each column by its rule.
    void storeByRule()
    {
        QFETCH(int, category);
        QFETCH(BoxTexts, boxes);
        QFETCH(QString, column);
        QFETCH(QString, stored);
        AppFixture fx;
        d.open(category);
        d.click("cmdinsert");
        fill(boxes);
        d.click("Cmdupd");
        QCOMPARE(fx.ui.texts(), QStringList{"保存数据前必须确认数据准确无误，然后保存。数据正确吗？"});
        QCOMPARE(JblrDriver::quoted(fx, column), QStringList{stored});
    }

    void showEveryBoxFromTheRow_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text") << 1 << "xmfzr" << QVariant("张三") << "txtxmfzr" << "张三";
        QTest::newRow("null empties a kept box") << 1 << "xmfzr" << QVariant() << "txtxmfzr" << "";
        QTest::newRow("null start date") << 1 << "qsny" << QVariant() << "txtqssj" << "";
        QTest::newRow("number plain") << 1 << "sqje" << QVariant(12.5) << "txtsqje" << "12.5";
        QTest::newRow("member age") << 1 << "nl3" << QVariant(35) << "txtnl3" << "35";
        QTest::newRow("null member") << 1 << "xm8" << QVariant() << "txtxm8" << "";
        QTest::newRow("count 0 shows empty") << 1 << "gjrs" << QVariant(0) << "txtgj" << "";
        QTest::newRow("count") << 1 << "gjrs" << QVariant(2) << "txtgj" << "2";
        QTest::newRow("investment, category 3") << 3 << "xxzc" << QVariant(3) << "txtxxzc" << "3";
        QTest::newRow("investment left alone, category 1") << 1 << "xxzc" << QVariant(3) << "txtxxzc" << "old";
        QTest::newRow("mark other text") << 1 << "bz" << QVariant("别的") << "Chkbz" << "0";
        QTest::newRow("mark null unticks") << 1 << "bz" << QVariant() << "Chkbz" << "0";
        QTest::newRow("mark ticks") << 1 << "bz" << QVariant("中青年人才培养") << "Chkbz" << "1";
    }

    // ShowRecord over boxes that hold an earlier record's texts: every box of the
    // category takes its column, a Null empties it; the label repeats the name.
    void showEveryBoxFromTheRow()
    {
        QFETCH(int, category);
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, box);
        QFETCH(QString, shown);
        AppFixture fx;
        fx.exec(QStringLiteral("insert into xmsb (xmlb, xmmc, %1) values (?, '项目', ?)").arg(column),
                {CategoryText(category), value});
        d.open(category);
        SetBoxText(d.widget(box), box == "Chkbz" ? "1" : "old");
        ShowRecord(d.f->Fields(), d.f->AppRecordset(), category);
        QCOMPARE(BoxText(d.widget(box)), shown);
        QCOMPARE(Child<VbLabel>(d.f, "lblxmmc")->Caption(), QString("项目"));
        QCOMPARE(Child<VbLabel>(d.f, "lblxmlb")->Caption(), CategoryText(category));
    }

    // Clearing a category-3 application leaves the investment total empty.
    void clearEndsWithAnEmptyTotal()
    {
        AppFixture fx;
        d.open(3);
        d.click("cmdinsert");
        fill({{"txtxxzc", "2"}, {"txthzdwtz", "3"}});
        QCOMPARE(d.box("txtztz")->Text(), QString("5"));
        ClearFields(d.f->Fields(), 3);
        QCOMPARE(d.box("txtztz")->Text(), QString());
        QCOMPARE(d.box("txtxxzc")->Text(), QString());
    }

    void lockByCategory_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("tabsLocked");   // enabled state of tabs 0..7, 1 or 0
        QTest::newRow("1") << 1 << "10000011";
        QTest::newRow("2") << 2 << "10000011";
        QTest::newRow("3") << 3 << "10000001";
    }

    // An empty category opens locked: the six key boxes and the data tabs; 录入
    // unlocks them, 放弃 locks them again.
    void lockByCategory()
    {
        QFETCH(int, category);
        QFETCH(QString, tabsLocked);
        AppFixture fx;
        d.open(category);
        const QStringList keys = {"txtnbbh", "txtxkdm", "txtxmmc", "txtxmfzr", "txtszdw", "txtsqrq"};
        auto tabs = [this] {
            QString s;
            for (int i = 0; i < 8; ++i)
                s += d.tabs()->isTabEnabled(i) ? '1' : '0';
            return s;
        };
        auto keysEnabled = [&] {
            QString s;
            for (const QString& k : keys)
                s += d.box(k)->isEnabled() ? '1' : '0';
            return s;
        };
        QCOMPARE(d.box("txtzjls")->Text(), QString());   // a count of 0 shows blank
        QCOMPARE(keysEnabled(), QString("000000"));
        QCOMPARE(tabs(), tabsLocked);
        QCOMPARE(d.tabs()->isTabVisible(frmjblr::TabInvestment), category == 3);
        QVERIFY(d.button("cmdinsert")->isEnabled());

        d.click("cmdinsert");
        QCOMPARE(keysEnabled(), QString("111111"));
        QCOMPARE(tabs(), QString("11111110"));   // the grid waits for the entry's end
        QCOMPARE(d.focused(), QString("txtnbbh"));

        d.click("cmdcancel");
        QCOMPARE(keysEnabled(), QString("000000"));
        QCOMPARE(tabs(), tabsLocked);
    }
};

QTEST_MAIN(TestFrmjblrRecord)
#include "tst_frmjblr_record.moc"
