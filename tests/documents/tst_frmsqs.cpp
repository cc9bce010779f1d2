// The application document window, and what it shares with the summary-list window:
// the category's rows in the grid, the move buttons with their end messages, exit;
// "预  览" writes the current row's document into doc and hands it to the desktop,
// or shows the failure and writes nothing.

#include "DataControl.h"
#include "DocTestSupport.h"
#include "ListWindowTestSupport.h"
#include "VbAnimation.h"
#include "WordDocument.h"
#include "frmsqs.h"
#include "frmylb.h"

#include <QScrollBar>

namespace {

VbForm* OpenWindow(const QString& name)
{
    return OpenListWindow(name == "frmsqs" ? static_cast<VbForm&>(*forms::frmsqs) : *forms::frmylb);
}

QVariantMap Application(int category, const QString& name, const QString& date)
{
    QVariantMap r = FullRecord(category);
    r["xmmc"] = name;
    r["sqrq"] = date;
    return r;
}

// A table of cases with one column, the window.
void BothWindows()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("frmsqs") << "frmsqs";
    QTest::newRow("frmylb") << "frmylb";
}

// Notes that a control was shown.
struct ShowWatch : QObject {
    bool shown = false;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            shown = true;
        return false;
    }
};

QStringList DocFiles(const AppFixture& fx)
{
    return QDir(fx.folder() + "/doc").entryList(QDir::Files);
}

}  // namespace

class TestFrmsqs : public QObject {
    Q_OBJECT
private slots:
    void loadsTheCategorysApplications_data();
    void loadsTheCategorysApplications();
    void outsideTheCategoriesKeepsEveryRowUnbound_data();
    void outsideTheCategoriesKeepsEveryRowUnbound();
    void gridColumns_data();
    void gridColumns();
    void everyColumnInsideTheWindow_data();
    void everyColumnInsideTheWindow();
    void navigationStopsAtTheEndsWithAMessage_data();
    void navigationStopsAtTheEndsWithAMessage();
    void exitClosesTheWindow();
    void previewBuildsTheCurrentApplication();
    void previewWithoutApplications_data();
    void previewWithoutApplications();
    void failedBuildWritesNothing_data();
    void failedBuildWritesNothing();
};

void TestFrmsqs::loadsTheCategorysApplications_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("count");
    for (const char* w : {"frmsqs", "frmylb"})
        for (int n : {0, 1, 3})
            QTest::addRow("%s %d", w, n) << QString(w) << n;
}

void TestFrmsqs::loadsTheCategorysApplications()
{
    QFETCH(QString, window);
    QFETCH(int, count);
    AppFixture fx;
    gCategory = 2;
    // Rows of the other categories stay out, also newer ones.
    InsertApplication(fx, 1, Application(1, "人文项目", "2005.01.01"));
    InsertApplication(fx, 3, Application(3, "产业项目", "2005.01.02"));
    QStringList expected;
    for (int i = 0; i < count; ++i) {
        InsertApplication(fx, 2, Application(2, QString("自然项目%1").arg(i), QString("2004.0%1.01").arg(i + 1)));
        expected.prepend(QString("自然项目%1").arg(i));   // latest application date first
    }
    VbForm* f = OpenWindow(window);
    QCOMPARE(f->windowTitle(), window == "frmsqs" ? QString("生成申请书") : QString("生成项目申报一览表"));
    QCOMPARE(GridColumnTexts(f, 0), expected);
    QCOMPARE(ListGrid(f)->Row(), count > 0 ? 0 : -1);
    QVERIFY(!Child<VbTextBox>(f, "Txtmsg")->isVisible());
    QVERIFY(!Child<VbAnimation>(f, "Animation1")->isVisible());
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestFrmsqs::outsideTheCategoriesKeepsEveryRowUnbound_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("category");
    for (const char* w : {"frmsqs", "frmylb"})
        for (int c : {0, 4})
            QTest::addRow("%s category %d", w, c) << QString(w) << c;
}

void TestFrmsqs::outsideTheCategoriesKeepsEveryRowUnbound()
{
    QFETCH(QString, window);
    QFETCH(int, category);
    AppFixture fx;
    gCategory = category;
    InsertApplication(fx, 1, Application(1, "人文项目", "2004.01.01"));
    InsertApplication(fx, 2, Application(2, "自然项目", "2004.02.01"));
    InsertApplication(fx, 3, Application(3, "产业项目", "2004.03.01"));
    VbForm* f = OpenWindow(window);
    // The hidden data control holds every application on its first row; the grid
    // is not bound to it and shows none.
    const Recordset& rs = Child<DataControl>(f, "data1")->Rs();
    QCOMPARE(rs.RecordCount(), 3);
    QCOMPARE(rs.AbsolutePosition(), 1);
    QCOMPARE(ListGrid(f)->VisibleRowCount(), 0);
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestFrmsqs::gridColumns_data() { BothWindows(); }

void TestFrmsqs::gridColumns()
{
    QFETCH(QString, window);
    AppFixture fx;
    gCategory = 1;
    QVariantMap r = Application(1, "城市社区治理研究", "2004.03.15");
    InsertApplication(fx, 1, r);
    VbForm* f = OpenWindow(window);
    DataGrid* g = ListGrid(f);
    const QStringList captions{"     项 目 名 称", "申 请 人", "  职 称", "      申 请 人 单 位", "申请金额(万元)"};
    const QList<int> widths{2400, 870, 975, 2535, 1350};
    QCOMPARE(GridColumnHeads(g), ColumnHeads(captions, widths));
    QCOMPARE((QStringList{g->CellText(0, 0), g->CellText(0, 1), g->CellText(0, 2), g->CellText(0, 3), g->CellText(0, 4)}),
             (QStringList{"城市社区治理研究", "张三", "教授", "Oskavelvero大学", "12.5"}));
}

void TestFrmsqs::everyColumnInsideTheWindow_data() { BothWindows(); }

void TestFrmsqs::everyColumnInsideTheWindow()
{
    QFETCH(QString, window);
    AppFixture fx;
    gCategory = 1;
    // More rows than the grid shows: its scroll bar takes its share of the width.
    for (int i = 0; i < 30; ++i)
        InsertApplication(fx, 1, Application(1, QString("项目%1").arg(i), "2004.03.15"));
    VbForm* f = OpenWindow(window);
    DataGrid* g = ListGrid(f);
    QVERIFY(g->verticalScrollBar()->isVisible());
    QVERIFY(f->rect().contains(g->geometry()));
    for (int i = 0; i < g->ColumnCount(); ++i) {
        const int right = g->horizontalHeader()->sectionViewportPosition(i) + g->horizontalHeader()->sectionSize(i);
        QVERIFY2(right <= g->viewport()->width(), qPrintable(QString("column %1 ends at %2 of %3")
                                                                  .arg(i).arg(right).arg(g->viewport()->width())));
    }
    QVERIFY(!g->horizontalScrollBar()->isVisible());
}

void TestFrmsqs::navigationStopsAtTheEndsWithAMessage_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("clicks");
    // Each step: the grid row after it, and the message it showed (or none).
    QTest::addColumn<QStringList>("steps");
    const QStringList walk{"Cmdnxt", "Cmdnxt", "Cmdnxt", "Cmdpre", "Cmdfst", "Cmdpre", "Cmdlst", "Cmdlst"};
    const QStringList seen{"1", "2", "2 已经是最后一条记录！", "1", "0", "0 已经是第一条记录！", "2", "2"};
    const QStringList quiet(4, "-1");
    for (const char* w : {"frmsqs", "frmylb"}) {
        QTest::addRow("%s three rows", w) << QString(w) << 3 << walk << seen;
        QTest::addRow("%s empty", w) << QString(w) << 0 << QStringList{"Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst"} << quiet;
    }
}

void TestFrmsqs::navigationStopsAtTheEndsWithAMessage()
{
    QFETCH(QString, window);
    QFETCH(int, count);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, steps);
    AppFixture fx;
    gCategory = 3;
    for (int i = 0; i < count; ++i)
        InsertApplication(fx, 3, Application(3, QString("项目%1").arg(i), QString("2004.0%1.01").arg(9 - i)));
    VbForm* f = OpenWindow(window);
    for (int i = 0; i < clicks.size(); ++i) {
        fx.ui.clear();
        ClickButton(f, clicks[i]);
        QString step = QString::number(ListGrid(f)->Row());
        for (const auto& m : fx.ui.messages) {
            step += " " + m.text;
            QCOMPARE(m.title, QString("提示信息"));
            QCOMPARE(m.buttons, platform::vbOKOnly);
        }
        QCOMPARE(step, steps[i]);
    }
}

void TestFrmsqs::exitClosesTheWindow()
{
    AppFixture fx;
    gCategory = 1;
    VbForm* f = OpenWindow("frmsqs");
    ClickButton(f, "Cmdexit");
    QVERIFY(!forms::frmsqs.loaded());
}

void TestFrmsqs::previewBuildsTheCurrentApplication()
{
    DocFixture fx(2);
    InsertApplication(fx, 2, Application(2, "第一个项目", "2004.05.01"));
    InsertApplication(fx, 2, Application(2, " 第二个/项目 ", "2004.04.01"));
    VbForm* f = OpenWindow("frmsqs");
    ClickButton(f, "Cmdnxt");

    // The progress shows while the document is built.
    ShowWatch progress;
    Child<VbTextBox>(f, "Txtmsg")->installEventFilter(&progress);
    auto* animation = Child<VbAnimation>(f, "Animation1");
    const QString expectedPath = fx.folder() + "/doc/第二个_项目.doc";

    ClickButton(f, "Cmdprint");
    QVERIFY2(fx.ui.messages.isEmpty(), qPrintable(fx.ui.texts().join(',')));
    QCOMPARE(fx.ui.openedDocuments, QStringList{expectedPath});
    QVERIFY(QFile::exists(expectedPath));
    QCOMPARE(DocFiles(fx), QStringList{"第二个_项目.doc"});
    const auto doc = docs::WordDocument::open(expectedPath);
    const QByteArray xml = doc->documentXml();
    QVERIFY(xml.contains(QString("第二个/项目").toUtf8()));
    QVERIFY(!xml.contains(QString("第一个项目").toUtf8()));
    QVERIFY(progress.shown);
    QVERIFY(!Child<VbTextBox>(f, "Txtmsg")->isVisible());
    QVERIFY(!animation->isVisible());
    QVERIFY(!animation->IsPlaying());
    QCOMPARE(ListGrid(f)->Row(), 1);

    // Built again, the same file is written anew. A desktop that cannot open it
    // leaves it in doc and says so.
    fx.ui.openSucceeds = false;
    ClickButton(f, "Cmdprint");
    QCOMPARE(fx.ui.openedDocuments, QStringList({expectedPath, expectedPath}));
    QCOMPARE(DocFiles(fx), QStringList{"第二个_项目.doc"});
    QCOMPARE(fx.ui.texts(), QStringList{"打印错误，请与vero科技处联系！"});
    // Behind the details button: where the file is, and why it is not open.
    const QString detail = fx.ui.messages.first().detail;
    QVERIFY2(detail.contains(QDir::toNativeSeparators(expectedPath)) && detail.contains(".doc 文件的程序"),
             qPrintable(detail));
}

void TestFrmsqs::previewWithoutApplications_data() { BothWindows(); }

void TestFrmsqs::previewWithoutApplications()
{
    QFETCH(QString, window);
    DocFixture fx(1);
    InsertApplication(fx, 2, Application(2, "别的类别", "2004.05.01"));
    VbForm* f = OpenWindow(window);
    ClickButton(f, "Cmdprint");
    QCOMPARE(fx.ui.texts(), QStringList{"没有可以预览的记录！"});
    QCOMPARE(fx.ui.messages.first().title, QString("提示信息"));
    QVERIFY(fx.ui.openedDocuments.isEmpty());
    QVERIFY(!QDir(fx.folder() + "/doc").exists());
}

void TestFrmsqs::failedBuildWritesNothing_data()
{
    QTest::addColumn<QStringList>("nullColumns");
    QTest::addColumn<bool>("withAnimation");
    QTest::addColumn<QString>("reason");   // what the details of the message name
    QTest::newRow("leader's name Null") << QStringList{"fzrxm"} << true << "fzrxm";
    QTest::newRow("end month Null") << QStringList{"zzny"} << true << "zzny";
    QTest::newRow("project name Null") << QStringList{"xmmc"} << true << "xmmc";
    QTest::newRow("no clock animation") << QStringList{} << false << "clock.avi";
}

void TestFrmsqs::failedBuildWritesNothing()
{
    QFETCH(QStringList, nullColumns);
    QFETCH(bool, withAnimation);
    QFETCH(QString, reason);
    DocFixture fx(1, withAnimation);
    QVariantMap r = Application(1, "失败的项目", "2004.05.01");
    for (const QString& c : nullColumns)
        r[c] = QVariant();
    InsertApplication(fx, 1, r);
    VbForm* f = OpenWindow("frmsqs");
    auto* text = Child<VbTextBox>(f, "Txtmsg");
    bool progressAtMessage = false;
    fx.ui.onMessage = [&](const platform::MessageRecord&) { progressAtMessage = text->isVisible(); };

    ClickButton(f, "Cmdprint");
    QCOMPARE(fx.ui.texts(), QStringList{"打印错误，请与vero科技处联系！"});
    QCOMPARE(fx.ui.messages.first().title, QString("提示信息"));
    QVERIFY2(fx.ui.messages.first().detail.contains(reason), qPrintable(fx.ui.messages.first().detail));
    QVERIFY(progressAtMessage);   // the message comes before the progress goes
    QVERIFY(!text->isVisible());
    QVERIFY(!Child<VbAnimation>(f, "Animation1")->isVisible());
    QVERIFY(fx.ui.openedDocuments.isEmpty());
    QCOMPARE(DocFiles(fx), QStringList{});
}

QTEST_MAIN(TestFrmsqs)
#include "tst_frmsqs.moc"
