// Project deletion: the category's applications in the grid; "删  除" asks, then
// deletes exactly the application of the current row and lists the rest again.

#include "ReviewTestSupport.h"
#include "frmxmsc.h"

namespace {

VbForm* Open() { return OpenListWindow(*forms::frmxmsc); }

// Every application as "category name leader", in rowid order.
QStringList Stored(AppFixture& fx)
{
    QStringList s;
    for (const QStringList& r : fx.rows("select substr(xmlb, 1, 1), coalesce(xmmc, '(null)'), xmfzr from xmsb order by rowid"))
        s << r.join(' ');
    return s;
}

}  // namespace

class TestFrmxmsc : public QObject {
    Q_OBJECT
private slots:
    void loadsTheCategorysApplications();
    void deletesExactlyTheChosenApplication_data();
    void deletesExactlyTheChosenApplication();
    void deletingTheLastApplicationLeavesAnEmptyGrid();
    void enterOnTheDeleteButtonAsksOnce();
    void navigationStopsAtTheEnds();
};

void TestFrmxmsc::loadsTheCategorysApplications()
{
    AppFixture fx;
    gCategory = 1;
    AddApplication(fx, 1, "乙项目", "李四", "2004.03.01");
    AddApplication(fx, 2, "别类项目", "王五", "2005.01.01");
    AddApplication(fx, 1, "甲项目", "张三", "2004.05.01");
    VbForm* f = Open();
    QCOMPARE(f->windowTitle(), QString("项目删除"));
    DataGrid* g = ListGrid(f);
    const QStringList captions{"     项 目 名 称", "申 请 人", "  职 称", "      申 请 人 单 位", "申请金额（万元）"};
    const QList<int> widths{2280, 870, 855, 2700, 1440};
    QCOMPARE(GridColumnHeads(g), ColumnHeads(captions, widths));
    QCOMPARE(GridColumnTexts(f, 0), (QStringList{"甲项目", "乙项目"}));
    QCOMPARE(GridColumnTexts(f, 1), (QStringList{"张三", "李四"}));
    QCOMPARE(g->Row(), 0);
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestFrmxmsc::deletesExactlyTheChosenApplication_data()
{
    QTest::addColumn<int>("moves");        // presses of "下一条" before deleting
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("left");
    const QStringList all{"A 同名项目 张三", "B 同名项目 王五", "A 同名项目 李四", "A O'Brien's 项目 赵六", "A (null) 钱七"};
    // Grid order (latest first): 同名项目/张三, 同名项目/李四, O'Brien's, (null).
    QTest::newRow("same name in another category and by another leader stay")
        << 0 << int(platform::vbYes) << QStringList{all[1], all[2], all[3], all[4]};
    QTest::newRow("the second of two same-name rows") << 1 << int(platform::vbYes)
                                                      << QStringList{all[0], all[1], all[3], all[4]};
    QTest::newRow("a name with quotes") << 2 << int(platform::vbYes) << QStringList{all[0], all[1], all[2], all[4]};
    QTest::newRow("an application without a name") << 3 << int(platform::vbYes)
                                                    << QStringList{all[0], all[1], all[2], all[3]};
    QTest::newRow("No deletes nothing") << 0 << int(platform::vbNo) << all;
}

void TestFrmxmsc::deletesExactlyTheChosenApplication()
{
    QFETCH(int, moves);
    QFETCH(int, answer);
    QFETCH(QStringList, left);
    AppFixture fx;
    gCategory = 1;
    AddApplication(fx, 1, "同名项目", "张三", "2004.09.01");
    AddApplication(fx, 2, "同名项目", "王五", "2004.09.01");
    AddApplication(fx, 1, "同名项目", "李四", "2004.08.01");
    AddApplication(fx, 1, "O'Brien's 项目", "赵六", "2004.07.01");
    fx.exec("insert into xmsb (xmlb, xmfzr, sqrq) values (?, '钱七', '2004.06.01')", {CategoryText(1)});
    VbForm* f = Open();
    for (int i = 0; i < moves; ++i)
        ClickButton(f, "Cmdnxt");
    fx.ui.answers = {answer};
    ClickButton(f, "Cmdupd");
    QCOMPARE(fx.ui.texts(), QStringList{"删除当前项目，请您确认？"});
    QCOMPARE(fx.ui.messages.first().title, QString("提示信息"));
    QCOMPARE(fx.ui.messages.first().buttons, platform::vbYesNo);
    QCOMPARE(Stored(fx), left);
    // The grid lists the category's rows left, the first one current.
    QCOMPARE(ListGrid(f)->VisibleRowCount(), answer == platform::vbYes ? 3 : 4);
    QCOMPARE(ListGrid(f)->Row(), answer == platform::vbYes ? 0 : moves);
}

void TestFrmxmsc::deletingTheLastApplicationLeavesAnEmptyGrid()
{
    AppFixture fx;
    gCategory = 3;
    AddApplication(fx, 3, "唯一项目", "张三", "2004.09.01");
    VbForm* f = Open();
    fx.ui.answers = {platform::vbYes};
    ClickButton(f, "Cmdupd");
    QCOMPARE(fx.count("xmsb"), 0);
    QCOMPARE(ListGrid(f)->VisibleRowCount(), 0);
    fx.ui.clear();
    ClickButton(f, "Cmdupd");
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestFrmxmsc::enterOnTheDeleteButtonAsksOnce()
{
    AppFixture fx;
    gCategory = 2;
    AddApplication(fx, 2, "项目", "张三", "2004.09.01");
    VbForm* f = Open();
    auto* button = Child<VbButton>(f, "Cmdupd");
    button->setFocus();
    Settle();
    fx.ui.answers = {platform::vbNo};
    PressKey(button, Qt::Key_Return);
    Settle();
    QCOMPARE(fx.ui.texts(), QStringList{"删除当前项目，请您确认？"});
    QCOMPARE(fx.count("xmsb"), 1);
}

void TestFrmxmsc::navigationStopsAtTheEnds()
{
    AppFixture fx;
    gCategory = 1;
    AddApplication(fx, 1, "甲", "张三", "2004.09.01");
    AddApplication(fx, 1, "乙", "李四", "2004.08.01");
    VbForm* f = Open();
    ClickButton(f, "Cmdnxt");
    ClickButton(f, "Cmdnxt");
    QCOMPARE(ListGrid(f)->Row(), 1);
    ClickButton(f, "Cmdfst");
    ClickButton(f, "Cmdpre");
    QCOMPARE(ListGrid(f)->Row(), 0);
    QCOMPARE(fx.ui.texts(), (QStringList{"已经是最后一条记录！", "已经是第一条记录！"}));
    ClickButton(f, "Cmdexit");
    QVERIFY(!forms::frmxmsc.loaded());
}

QTEST_MAIN(TestFrmxmsc)
#include "tst_frmxmsc.moc"
