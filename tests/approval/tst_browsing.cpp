// The browsing windows of not approved (xmsbwpz) and approved (xmsbpz) applications:
// only the login category's rows, in the boxes and the grid; the six key boxes
// locked when there is none; the move buttons with their end messages; nothing
// typed reaches the table.

#include "Controls.h"
#include "DataGrid.h"
#include "FieldTable.h"
#include "ModVar.h"
#include "TestSupport.h"
#include "frmpzcx.h"
#include "frmwpzcx.h"
#include "frmmain.h"

#include <QTest>

namespace {

const QStringList kKeyBoxes{"txtnbbh", "txtxkdm", "txtxmmc", "txtxmfzr", "txtszdw", "txtsqrq"};

BrowseWindow* Window(const QString& name)
{
    return name == "frmpzcx" ? static_cast<BrowseWindow*>(&*forms::frmpzcx) : &*forms::frmwpzcx;
}

BrowseWindow* Open(const QString& name)
{
    forms::frmmain->Show();
    BrowseWindow* f = Window(name);
    LockMainWindow(*f);
    ShowActive(f);
    Settle();
    return f;
}

QString Table(const QString& window) { return window == "frmpzcx" ? "xmsbpz" : "xmsbwpz"; }

QString Text(BrowseWindow* f, const QString& box) { return Child<VbTextBox>(f, box)->Text(); }

void Press(BrowseWindow* f, const QString& button)
{
    QTest::mouseClick(Child<VbButton>(f, button), Qt::LeftButton);
    Settle();
}

// A row of the table: category, name, start, number, and eight or four members.
void AddRow(AppFixture& fx, const QString& table, int category, const QString& name, const QString& start,
            int members = 8, const QString& bz = QString())
{
    QStringList cols{"xmlb", "xmmc", "qsny", "xmbh", "xmfzr", "szdw", "ssxk", "xkmc", "sqrq", "yjjg", "bz", "hzdw"};
    QVariantList values{CategoryText(category), name, start, "BH-" + name, "张三", "单位", "PA", "数学",
                        "2004.03.01", "研究所", bz.isNull() ? QVariant() : QVariant(bz), "合作厂"};
    for (int k = 1; k <= members; ++k) {
        cols << QString("xm%1").arg(k) << QString("nl%1").arg(k);
        values << QString("成员%1").arg(k) << 30 + k;
    }
    if (table == "xmsbpz") {
        cols << "pzje" << "nd";
        values << 88.5 << "2026";
    }
    fx.exec(QString("insert into %1 (%2) values (%3)").arg(table, cols.join(','), QStringList(cols.size(), "?").join(',')),
            values);
}

void BothWindows()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("not approved") << "frmwpzcx";
    QTest::newRow("approved") << "frmpzcx";
}

}  // namespace

class TestBrowsing : public QObject {
    Q_OBJECT
private slots:
    void showsTheCategorysRows_data();
    void showsTheCategorysRows();
    void emptyTableLocksTheKeyBoxes_data() { BothWindows(); }
    void emptyTableLocksTheKeyBoxes();
    void navigation_data();
    void navigation();
    void gridAndTabs_data() { BothWindows(); }
    void gridAndTabs();
    void nothingReachesTheTable_data() { BothWindows(); }
    void nothingReachesTheTable();
};

void TestBrowsing::showsTheCategorysRows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("category");
    for (const char* w : {"frmwpzcx", "frmpzcx"})
        for (int c : {1, 2, 3})
            QTest::addRow("%s category %d", w, c) << QString(w) << c;
}

void TestBrowsing::showsTheCategorysRows()
{
    QFETCH(QString, window);
    QFETCH(int, category);
    AppFixture fx;
    gCategory = std::int16_t(category);
    const QString table = Table(window);
    for (int c = 1; c <= 3; ++c) {
        AddRow(fx, table, c, QString("早%1").arg(c), "2003年6月");
        AddRow(fx, table, c, QString("晚%1").arg(c), "2004年1月");
        AddRow(fx, table, c, QString("中%1").arg(c), "2003年12月");
    }
    // The application table's rows are not this window's.
    AddRow(fx, "xmsb", category, "申请中", "2009年1月");
    BrowseWindow* f = Open(window);
    QCOMPARE(f->windowTitle(), window == "frmpzcx" ? QString("已批准项目浏览") : QString("未批准项目浏览"));
    QVERIFY(!forms::frmmain->isEnabled());
    DataGrid* g = Child<DataGrid>(f, "DataGrid1");
    QCOMPARE((QStringList{g->ColumnCaption(0), g->ColumnCaption(1), g->ColumnCaption(2), g->ColumnCaption(3),
                          g->ColumnCaption(4)}),
             (QStringList{"              项目名称", "   项目负责人", "所属学科", "           所在单位", "   申请时间"}));
    // Start descending as text: 2004年1月, then 2003年6月 before 2003年12月.
    const QString n = QString::number(category);
    QStringList names;
    for (int r = 0; r < g->VisibleRowCount(); ++r)
        names << g->CellText(r, 0);
    QCOMPARE(names, (QStringList{"晚" + n, "早" + n, "中" + n}));
    QCOMPARE(Text(f, "txtzjls"), QString("3"));
    QCOMPARE(Text(f, "txtxmmc"), "晚" + n);
    QCOMPARE(Text(f, "txtnbbh"), "BH-晚" + n);
    QCOMPARE(Child<VbLabel>(f, "lblxmlb")->Caption(), CategoryText(category));
    QCOMPARE(Child<VbLabel>(f, "lblxmmc")->Caption(), "晚" + n);
    QCOMPARE(Text(f, "txtxm8"), QString("成员8"));
    QCOMPARE(Text(f, "txtnl1"), QString("31"));
    // Neither the approved amount nor the year shows anywhere.
    for (VbTextBox* box : f->findChildren<VbTextBox*>())
        QVERIFY2(box->Text() != "88.5" && box->Text() != "2026", qPrintable(box->objectName()));
    auto* tabs = Child<VbTab>(f, "SSTabjblr");
    QCOMPARE(tabs->Tab(), 0);
    QCOMPARE(tabs->isTabVisible(6), category == 3);
    QCOMPARE(Text(f, "txthzdw"), category == 3 ? QString("合作厂") : QString());
    QCOMPARE(Child<VbLabel>(f, "Label29")->Caption(),
             category == 1 ? QString("所属人文、社科研究基地名称：") : QString("所属省级重点实验室："));
    QCOMPARE(Child<VbTextBox>(f, "txtyjlb")->isHidden(), category == 3);
    QCOMPARE(Child<VbLabel>(f, "Label23")->isHidden(), category == 3);
    QCOMPARE(Child<VbCheckBox>(f, "Chkbz")->isHidden(), category == 3);
    for (const QString& box : kKeyBoxes)
        QVERIFY(Child<QWidget>(f, box)->isEnabled());

    Press(f, "Cmdexit");
    QVERIFY(!Window(window)->IsLoaded());
    QVERIFY(forms::frmmain->isEnabled());
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestBrowsing::emptyTableLocksTheKeyBoxes()
{
    QFETCH(QString, window);
    AppFixture fx;
    gCategory = 2;
    AddRow(fx, Table(window), 1, "别类", "2004年1月");
    BrowseWindow* f = Open(window);
    QCOMPARE(Text(f, "txtzjls"), QString("0"));
    QCOMPARE(Child<VbTab>(f, "SSTabjblr")->Tab(), 0);
    for (const QString& box : kKeyBoxes)
        QVERIFY2(!Child<QWidget>(f, box)->isEnabled(), qPrintable(box));
    for (const char* box : {"txtyjjg", "txtfzrxm", "txtxm1", "txtnd1"}) {
        QVERIFY(Child<QWidget>(f, box)->isEnabled());
        QCOMPARE(BoxText(Child<QWidget>(f, box)), QString());
    }
    auto* tabs = Child<VbTab>(f, "SSTabjblr");
    for (int i = 0; i < tabs->count(); ++i)
        QVERIFY(tabs->isTabEnabled(i));
    QCOMPARE(Child<DataGrid>(f, "DataGrid1")->VisibleRowCount(), 0);
    for (const char* b : {"Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst"})
        Press(f, b);
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestBrowsing::navigation_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("steps");   // the name shown after each click, then any message
    for (const char* w : {"frmwpzcx", "frmpzcx"}) {
        QTest::addRow("%s one row", w) << QString(w) << 1 << QStringList{"Cmdnxt", "Cmdpre", "Cmdfst", "Cmdlst"}
                                       << QStringList{"项目0 已经是最后一条记录！", "项目0 已经是第一条记录！", "项目0", "项目0"};
        QTest::addRow("%s three rows", w)
            << QString(w) << 3 << QStringList{"Cmdpre", "Cmdnxt", "Cmdnxt", "Cmdnxt", "Cmdfst", "Cmdlst"}
            << QStringList{"项目0 已经是第一条记录！", "项目1", "项目2", "项目2 已经是最后一条记录！", "项目0", "项目2"};
    }
}

void TestBrowsing::navigation()
{
    QFETCH(QString, window);
    QFETCH(int, rows);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, steps);
    AppFixture fx;
    gCategory = 1;
    for (int i = 0; i < rows; ++i)
        AddRow(fx, Table(window), 1, QString("项目%1").arg(i), QString("200%1年1月").arg(9 - i), i == 1 ? 4 : 8,
               i == 2 ? "人才" : "中青年人才培养");
    BrowseWindow* f = Open(window);
    QVERIFY(Child<VbCheckBox>(f, "Chkbz")->isChecked());
    for (int i = 0; i < clicks.size(); ++i) {
        fx.ui.clear();
        Press(f, clicks[i]);
        QString step = Text(f, "txtxmmc");
        for (const auto& m : fx.ui.messages) {
            step += " " + m.text;
            QCOMPARE(m.title, QString("提示信息"));
            QCOMPARE(m.buttons, platform::vbOKOnly);
        }
        QCOMPARE(step, steps[i]);
        // A row with four members empties member rows 5 to 8; a mark other than the
        // talent plan's leaves the box unticked.
        const QString shown = Text(f, "txtxmmc");
        QCOMPARE(Text(f, "txtxm5"), shown == "项目1" ? QString() : QString("成员5"));
        QCOMPARE(Child<VbCheckBox>(f, "Chkbz")->isChecked(), shown != "项目2");
    }
}

void TestBrowsing::gridAndTabs()
{
    QFETCH(QString, window);
    for (int category : {1, 3}) {
        AppFixture fx;
        gCategory = std::int16_t(category);
        AddRow(fx, Table(window), category, "甲", "2004年1月");
        AddRow(fx, Table(window), category, "乙", "2003年1月");
        BrowseWindow* f = Open(window);
        auto* tabs = Child<VbTab>(f, "SSTabjblr");
        tabs->SetTab(7);
        Settle();
        DataGrid* g = Child<DataGrid>(f, "DataGrid1");
        g->setCurrentIndex(g->model()->index(1, 0));
        Settle();
        QCOMPARE(Text(f, "txtxmmc"), QString("乙"));
        tabs->SetTab(1);
        Settle();
        QCOMPARE(f->focusWidget(), Child<QWidget>(f, category == 3 ? "txtsqje" : "txtyjlb"));
        tabs->SetTab(3);
        Settle();
        QCOMPARE(f->focusWidget(), Child<QWidget>(f, "txtxm1"));
        f->Unload();
    }
}

void TestBrowsing::nothingReachesTheTable()
{
    QFETCH(QString, window);
    AppFixture fx;
    gCategory = 1;
    AddRow(fx, Table(window), 1, "甲", "2004年1月");
    AddRow(fx, Table(window), 1, "乙", "2003年1月");
    const auto before = fx.rows("select * from " + Table(window) + " order by rowid");
    BrowseWindow* f = Open(window);
    auto* name = Child<VbTextBox>(f, "txtxmmc");
    name->setFocus();
    TypeText(name, "改过的");
    QVERIFY(Text(f, "txtxmmc").endsWith("改过的"));
    Press(f, "Cmdnxt");
    QCOMPARE(Text(f, "txtxmmc"), QString("乙"));
    Press(f, "Cmdexit");
    QCOMPARE(fx.rows("select * from " + Table(window) + " order by rowid"), before);
}

QTEST_MAIN(TestBrowsing)
#include "tst_browsing.moc"
