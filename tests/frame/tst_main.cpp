// The main window: caption, background, menu tree, toolbar, the lock and show rule
// of every menu item, exit and log-off.

#include "FrameTest.h"
#include "ModVar.h"
#include "Db.h"
#include "Twips.h"
#include "frmAbout.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

struct ExpectedItem {
    QString name;      // empty: a separator
    QString caption;
    QString state;     // "", "greyed", "hidden"
};

struct ExpectedMenu {
    QString name;
    QString caption;
    QList<ExpectedItem> items;
};

const ExpectedItem sep{QString(), QString(), QString()};

QList<ExpectedMenu> expectedTree()
{
    return {
        {"mnuxtwh", "系统维护", {
            {"mnusqdwmc", "申请单位信息", ""}, {"mnuejdwdmgl", "二级申请单位代码管理", ""}, sep,
            {"mnudwdmgl", "单位代码管理", ""}, sep, {"mnuxkdmgl", "学科代码管理", ""}, sep,
            {"mnuzdsysdmgl", "重点实验室代码管理", ""}, {"mnurwjd", "所属人文、社科研究基地", ""}, sep,
            {"mnuzyzcdmgl", "专业职称代码管理", ""}, sep, {"mnuuser", "操作员管理", ""}, sep,
            {"mnutc", "退出", ""}}},
        {"sqxm", "项目申请", {
            {"mnujblr", "简表录入", ""}, {"mnusqs", "生成申请书", ""}, sep, {"mnuxmsc", "项目删除", ""}, sep,
            {"mnujyje", "录入建议金额", ""}, {"mnuxmlbdy", "项目列表打印", "hidden"}, sep,
            {"mnuxmsbylb", "项目申报一览表", ""}, {"mnuxssc", "形式审查", "greyed"},
            {"mnusqcxjc", "申请超项检查", "greyed"}, {"mnushtj", "上会统计", "greyed"}, sep,
            {"mnuxkzhf", "学科组划分", "greyed"}, {"mnusqxmcx", "申请项目查询", "greyed"},
            {"mnusqxmtj", "申请项目统计", "greyed"}, sep, {"mnuzjdf", "专家打分", "greyed"}}},
        {"mnuzqxmgl", "中期项目管理", {
            {"mnuxmpzgl", "项目批准管理", ""}, sep, {"mnulrpzh", "录入批准号", ""}, sep,
            {"mnuqdzbxm", "确定中报项目", ""}, sep, {"mnundjzbglr", "项目进展评价", ""}, sep,
            {"mnuyqsqlr", "延期申请录入", "greyed"}, sep, {"mnuzyxmcx", "未批准项目浏览", ""},
            {"mnuzyxmtj", "已批准项目浏览", ""}}},
        {"mnuxmjt", "项目结题", {
            {"mnujtbglr", "结题报告录入", ""}, sep, {"mnujtxmcx", "结题项目查询", "greyed"},
            {"mnujtxmtj", "结题项目统计", "greyed"}, sep, {"mnujtxmgd", "结题项目归档", "greyed"}}},
        {"mnusjgl", "数据管理", {{"mnusjbf", "数据备份", ""}, sep, {"mnusjhf", "数据恢复", ""}}},
        {"mnusjsbyjs", "数据上报与接收", {
            {"mnusjsb", "申报数据上报", ""}, {"mnusjjs", "申报数据接收", ""}, sep,
            {"mnuzqjzsb", "中期进展上报", ""}, sep, {"mnujtsjsb", "结题数据上报", ""},
            {"mnujtsjjs", "结题数据接收", ""}}},
        {"mnuxtbz", "系统帮助", {
            {"mnugybxt", "关于本系统", ""}, sep, {"mnusyxtbz", "使用系统帮助", "greyed"},
            {"mnutcxt", "退出本系统", ""}}},
    };
}

struct Opener {
    const char* item;
    const char* window;
    bool locks;
};

// Every menu item that opens a window, with the window and whether it locks.
const Opener kOpeners[] = {
    {"mnusqdwmc", "frmsqdw", true},     {"mnuejdwdmgl", "frmejdwdm", true},
    {"mnudwdmgl", "frmdwdm", true},     {"mnuxkdmgl", "frmxkdm", true},
    {"mnuzdsysdmgl", "frmsys", true},   {"mnurwjd", "frmrwjd", true},
    {"mnuzyzcdmgl", "frmzcdm", true},   {"mnuuser", "frmuser", false},
    {"mnujblr", "frmjblr", true},       {"mnusqs", "frmsqs", false},
    {"mnuxmsc", "frmxmsc", false},      {"mnujyje", "frmjyje", true},
    {"mnuxmsbylb", "frmylb", false},    {"mnuxmpzgl", "frmxmpz", true},
    {"mnulrpzh", "frmlrpzh", true},     {"mnuqdzbxm", "frmqdzbxm", true},
    {"mnundjzbglr", "frmzqjzpj", true}, {"mnuzyxmcx", "frmwpzcx", true},
    {"mnuzyxmtj", "frmpzcx", true},     {"mnujtbglr", "frmjtbg", true},
    {"mnusjbf", "DiskBu", true},        {"mnusjhf", "DiskRcv", true},
    {"mnusjsb", "Beifen", true},        {"mnusjjs", "Beifene", true},
    {"mnuzqjzsb", "frmzqsjsb", true},   {"mnujtsjsb", "frmjtsjsb", true},
    {"mnujtsjjs", "frmjtsjjs", true},   {"mnugybxt", "frmAbout", false},
};

// Windows that hold a database connection while they are open.
const QStringList kWithConnection = {"frmjblr", "frmjtbg", "frmlrpzh", "frmzqjzpj", "frmwpzcx",
                                     "frmpzcx", "frmjyje", "frmxmsc", "frmqdzbxm", "frmxmpz",
                                     "Beifen",  "frmzqsjsb", "frmjtsjsb"};
// Windows whose connection is the workspace while they are open.
const QStringList kWithWorkspace = {"frmxmpz", "frmqdzbxm", "Beifen", "frmzqsjsb", "frmjtsjsb"};

}  // namespace

class TestMain : public QObject {
    Q_OBJECT
private slots:
    void captionByCategory_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("caption");
        QTest::newRow("1") << 1 << "Oskavelvero科研计划项目申报管理系统(人文社科专项)";
        QTest::newRow("2") << 2 << "Oskavelvero科研计划项目申报管理系统(自然科学专项)";
        QTest::newRow("3") << 3 << "Oskavelvero科研计划项目申报管理系统(产业化培育项目)";
    }
    void captionByCategory()
    {
        QFETCH(int, category);
        QFETCH(QString, caption);
        AppFixture fx;
        QVERIFY(LogIn(category));
        QCOMPARE(forms::frmmain->windowTitle(), caption);
    }

    void otherCategoryKeepsTheDesignCaption()
    {
        AppFixture fx;
        gCategory = 0;
        forms::frmmain->Show();
        QCOMPARE(forms::frmmain->windowTitle(), QString("Oskavelvero科研计划项目申报管理系统"));
    }

    void captionAfterLogOffAndNewLogin()
    {
        AppFixture fx;
        QVERIFY(LogIn(2));
        QVERIFY(forms::frmmain->windowTitle().endsWith("(自然科学专项)"));
        forms::frmmain->mnutcxt_Click();
        QVERIFY(!forms::frmmain.loaded());
        QCOMPARE(gCategory, std::int16_t(1));
        QVERIFY(LogIn(3));
        QVERIFY(forms::frmmain->windowTitle().endsWith("(产业化培育项目)"));
        QCOMPARE(gCategory, std::int16_t(3));
    }

    void loadSetsDatabasePathBackgroundIconAndSize()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        frmmain& m = forms::frmmain.get();
        QCOMPARE(gDbPath, fx.folder() + "/data/qwdb.mdb");
        QVERIFY(m.Imgback()->HasPicture());
        QVERIFY(!m.windowIcon().isNull());
        QCOMPARE(m.InnerWidthTw(), 7080.0);
        QCOMPARE(m.InnerHeightTw(), 6225.0);
        QCOMPARE(m.InnerHeightTw(), double(PixelsToTwips(m.height() - m.MenuBar()->height())));
        // Centred on the screen when it opens (the window's frame aside).
        const QRect area = m.screen()->availableGeometry();
        QVERIFY(qAbs(m.geometry().center().x() - area.center().x()) <= 4);
        QVERIFY(qAbs(m.geometry().center().y() - area.center().y()) <= 4);
    }

    void backgroundFillsTheWindowAfterAResize()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        frmmain& m = forms::frmmain.get();
        const int menuH = m.MenuBar()->height();
        QCOMPARE(m.Imgback()->geometry(), QRect(0, menuH, m.width(), m.height() - menuH));
        m.resize(700, 520);
        Settle();
        QCOMPARE(m.Imgback()->geometry(), QRect(0, menuH, 700, 520 - menuH));
        QCOMPARE(m.Toolbar1()->width(), 700);
        QCOMPARE(m.InnerWidthTw(), 700.0 * 15);
        QCOMPARE(m.InnerHeightTw(), (520.0 - menuH) * 15);
        QVERIFY(!m.Imgback()->pixmap().isNull());
        QCOMPARE(m.Imgback()->pixmap().size(), QSize(700, 520 - menuH));
    }

    void menuTreeInOrderWithSeparatorsGreyedAndHiddenItems()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        const QList<QAction*> menus = forms::frmmain->MenuBar()->actions();
        const QList<ExpectedMenu> tree = expectedTree();
        QCOMPARE(menus.size(), tree.size());
        for (int m = 0; m < tree.size(); ++m) {
            QMenu* menu = menus[m]->menu();
            QVERIFY(menu);
            QCOMPARE(menu->objectName(), tree[m].name);
            QCOMPARE(menu->title(), tree[m].caption);
            const QList<QAction*> items = menu->actions();
            QCOMPARE(items.size(), tree[m].items.size());
            for (int i = 0; i < items.size(); ++i) {
                const ExpectedItem& e = tree[m].items[i];
                QAction* a = items[i];
                if (e.name.isEmpty()) {
                    QVERIFY2(a->isSeparator(), qPrintable(tree[m].name + " #" + QString::number(i)));
                    continue;
                }
                QCOMPARE(a->objectName(), e.name);
                QCOMPARE(a->text(), e.caption);
                QCOMPARE(a->isEnabled(), e.state.isEmpty());
                QCOMPARE(a->isVisible(), e.state != "hidden");
            }
        }
    }

    void greyedItemsDoNothing()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        const QStringList greyed = {"mnuxmlbdy", "mnuxssc", "mnusqcxjc", "mnushtj", "mnuxkzhf", "mnusqxmcx",
                                    "mnusqxmtj", "mnuzjdf", "mnuyqsqlr", "mnujtxmcx", "mnujtxmtj",
                                    "mnujtxmgd", "mnusyxtbz"};
        for (const QString& g : greyed) {
            MenuItem(g)->trigger();
            Settle();
        }
        QCOMPARE(VbForm::LoadedCount(), 1);
        QVERIFY(forms::frmmain->isEnabled());
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void everyMenuItemLocksOrShowsItsWindow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("locks");
        for (const Opener& o : kOpeners)
            QTest::newRow(o.item) << QString(o.item) << QString(o.window) << o.locks;
    }
    void everyMenuItemLocksOrShowsItsWindow()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(bool, locks);
        AppFixture fx;
        QVERIFY(LogIn());
        frmmain& m = forms::frmmain.get();
        QAction* a = MenuItem(item);
        QVERIFY(a);
        a->trigger();
        Settle();
        VbForm* w = FormNamed(window);
        QVERIFY(w);
        QVERIFY(w->IsLoaded());
        QVERIFY(w->isVisible());
        QVERIFY(w->isEnabled());
        QVERIFY(!w->parentWidget());
        QCOMPARE(m.isEnabled(), !locks);
        QCOMPARE(m.MenuBar()->isEnabled(), !locks);
        QCOMPARE(m.Toolbar1()->isEnabled(), !locks);
        if (kWithConnection.contains(window))
            QCOMPARE(ConnectionsOf(window), 1);
        if (kWithWorkspace.contains(window))
            QVERIFY(gWorkspace && gWorkspace->IsOpen());
        if (!locks) {
            // Chosen again: the same window comes forward, no second one is made.
            a->trigger();
            Settle();
            QCOMPARE(FormsNamed(window), 1);
            QVERIFY(w->IsLoaded());
        }
        w->close();
        Settle();
        QVERIFY(!w->IsLoaded());
        QVERIFY(!w->isVisible());
        QVERIFY(m.isEnabled());
        QVERIFY(m.MenuBar()->isEnabled());
        QCOMPARE(ConnectionsOf(window), 0);
        if (kWithWorkspace.contains(window))
            QVERIFY(!gWorkspace);
        QCOMPARE(fx.ui.endProgramCalls, 0);
        QVERIFY(fx.ui.messages.isEmpty());

        // Opened again, it loads anew: placed again by CentreOnMain.
        const QPoint placed = w->pos();
        a->trigger();
        Settle();
        QVERIFY(w->IsLoaded());
        QCOMPARE(w->pos(), placed);
        w->move(placed + QPoint(40, 30));
        w->close();
        Settle();
        a->trigger();
        Settle();
        QCOMPARE(w->pos(), placed);
        QCOMPARE(m.isEnabled(), !locks);
    }

    void closeBoxOfADisabledMainWindowDoesNothing()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        MenuItem("mnujblr")->trigger();
        Settle();
        forms::frmmain->close();
        Settle();
        QVERIFY(forms::frmmain.loaded());
        QVERIFY(FormNamed("frmjblr")->IsLoaded());
        QCOMPARE(fx.ui.endProgramCalls, 0);
    }

    void centreOnMainFromTheTwoInnerSizesAlone()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        frmmain& m = forms::frmmain.get();
        // The main window moved away from the corner: the position stays the same.
        m.move(300, 200);
        Settle();
        forms::frmAbout->Show();
        Settle();
        // (7080 - 5730) / 2 = 675, (6225 - 3555) / 2 = 1335 twips.
        QCOMPARE(forms::frmAbout->LeftTw(), 675L);
        QCOMPARE(forms::frmAbout->TopTw(), 1335L);
        forms::frmAbout->Unload();

        // Halves go to the even neighbour: (7095 - 5730) / 2 = 682.5 -> 682 twips,
        // 45.47 pixels; (6240 - 3555) / 2 = 1342.5 -> 1342 twips, 89.47 pixels.
        m.resize(473, m.MenuBar()->height() + 416);
        Settle();
        QCOMPARE(m.InnerWidthTw(), 7095.0);
        QCOMPARE(m.InnerHeightTw(), 6240.0);
        forms::frmAbout->Show();
        Settle();
        QCOMPARE(forms::frmAbout->pos(), QPoint(45, 89));

        // A window wider than the main window would stand left of the screen:
        // (7095 - 11040) / 2 = -1972.5 twips. It is moved just enough to lie
        // on the screen; its top stays where the centring put it.
        MenuItem("mnujblr")->trigger();
        Settle();
        VbForm* jblr = FormNamed("frmjblr");
        const QRect area = jblr->screen()->availableGeometry();
        QCOMPARE(jblr->frameGeometry().left(), area.left());
        QCOMPARE(jblr->pos().y(), TwipsToPixels((6240 - jblr->InnerHeightTw()) / 2));
    }

    // The code-table windows are wider than the main window: centred on it they would
    // open past the screen's left edge, their labels and first buttons out of reach.
    // Every window the menu opens lies wholly on the screen, moved no further than
    // to its edge, and stands in the same place when it is opened again.
    void everyWindowOpensWhollyOnTheScreen()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        int wider = 0;
        for (const Opener& o : kOpeners) {
            ShowActive(&forms::frmmain.get());
            MenuItem(o.item)->trigger();
            Settle();
            VbForm* w = FormNamed(o.window);
            QVERIFY(w && w->IsLoaded());
            const QRect area = w->screen()->availableGeometry();
            const QString where = QStringLiteral("%1 at %2,%3").arg(o.window).arg(w->x()).arg(w->y());
            QVERIFY2(area.contains(w->frameGeometry()), qPrintable(where));
            if (w->InnerWidthTw() > forms::frmmain->InnerWidthTw()) {
                ++wider;
                QVERIFY2(w->frameGeometry().left() == area.left(), qPrintable(where));
            }
            const QPoint placed = w->pos();
            w->close();
            Settle();
            ShowActive(&forms::frmmain.get());
            MenuItem(o.item)->trigger();
            Settle();
            QCOMPARE(w->pos(), placed);
            w->close();
            Settle();
        }
        QVERIFY(wider >= 6);   // the six code tables at least
    }

    // A window chosen from the menu that cannot open its data says why and does not
    // open; the main window goes on, and the window opens once its data is there.
    void windowThatCannotLoadFromTheMenu()
    {
        const QString item = QStringLiteral("mnuuser");
        const QString window = QStringLiteral("frmuser");
        AppFixture fx;
        QVERIFY(LogIn());
        const QString db = fx.dbPath();
        QVERIFY(QFile::rename(db, db + ".away"));
        MenuItem(item)->trigger();
        Settle();
        VbForm* w = FormNamed(window);
        QVERIFY(w && !w->IsLoaded() && !w->isVisible());
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(forms::frmmain.loaded());
        QVERIFY(forms::frmmain->isEnabled());
        QCOMPARE(ConnectionsOf(window), 0);
        QCOMPARE(fx.ui.endProgramCalls, 0);

        QVERIFY(QFile::rename(db + ".away", db));
        MenuItem(item)->trigger();
        Settle();
        QVERIFY(w->IsLoaded() && w->isVisible());
        QCOMPARE(fx.ui.messages.size(), 1);
    }

    void lockedMainWindowLeavesTheWorkingWindowUsable()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        MenuItem("mnusqs")->trigger();
        MenuItem("mnujblr")->trigger();
        Settle();
        QVERIFY(!forms::frmmain->isEnabled());
        QVERIFY(FormNamed("frmsqs")->isEnabled());
        QVERIFY(FormNamed("frmjblr")->isEnabled());
    }

    void freeWindowsClosingBesideALockingWindowKeepTheMainWindowDisabled_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("frmsqs") << "mnusqs" << "frmsqs";
        QTest::newRow("frmylb") << "mnuxmsbylb" << "frmylb";
        QTest::newRow("frmxmsc") << "mnuxmsc" << "frmxmsc";
    }
    void freeWindowsClosingBesideALockingWindowKeepTheMainWindowDisabled()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        AppFixture fx;
        QVERIFY(LogIn());
        MenuItem(item)->trigger();
        Settle();
        QVERIFY(forms::frmmain->isEnabled());
        MenuItem("mnujtbglr")->trigger();
        Settle();
        QVERIFY(!forms::frmmain->isEnabled());
        FormNamed(window)->close();
        Settle();
        QVERIFY(!FormNamed(window)->IsLoaded());
        QVERIFY(!forms::frmmain->isEnabled());
        QCOMPARE(ConnectionsOf(window), 0);
        FormNamed("frmjtbg")->close();
        Settle();
        QVERIFY(forms::frmmain->isEnabled());
    }

    void toolbarButtonsKeysToolTipsAndImages()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        frmmain& m = forms::frmmain.get();
        const QStringList keys = {"exit", "cut", "copy", "paste", "preview", "print", "undo", "save", "new", "help", "open"};
        for (const QString& k : keys) {
            QVERIFY2(m.ImageList1()->Contains(k), qPrintable(k));
            QCOMPARE(m.ImageList1()->Picture(k).size(), QSize(16, 16));
        }
        QCOMPARE(m.ImageList1()->Keys().size(), keys.size());

        struct B { QString key, tip; bool image; };
        const QList<B> expected = {{"new", "新建", true}, {"", "", false}, {"cut", "剪切", true},
                                   {"copy", "拷贝", true}, {"paste", "粘贴", true}, {"", "", false},
                                   {"undo", "撤消", true}, {"select", "全选", false}, {"", "", false},
                                   {"exit", "退出本系统", true}};
        const QList<QAction*> actions = m.Toolbar1()->actions();
        QCOMPARE(actions.size(), expected.size());
        for (int i = 0; i < actions.size(); ++i) {
            QAction* a = actions[i];
            if (expected[i].key.isEmpty()) {
                QVERIFY(a->isSeparator());
                continue;
            }
            QCOMPARE(a->data().toString(), expected[i].key);
            QCOMPARE(a->toolTip(), expected[i].tip);
            QVERIFY(a->text().isEmpty());
            QCOMPARE(!a->icon().isNull(), expected[i].image);
            QWidget* b = m.Toolbar1()->widgetForAction(a);
            QVERIFY(b);
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        }
    }

    void toolbarButtonsOtherThanExitChangeNothing()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        frmmain& m = forms::frmmain.get();
        MenuItem("mnusqs")->trigger();
        Settle();
        const QString caption = m.windowTitle();
        for (const char* k : {"new", "cut", "copy", "paste", "undo", "select"}) {
            m.Toolbar1_ButtonClick(QString::fromLatin1(k));
            Settle();
        }
        for (QAction* a : m.Toolbar1()->actions())
            if (!a->isSeparator() && a->data().toString() != "exit")
                a->trigger();
        Settle();
        QVERIFY(forms::frmmain.loaded());
        QVERIFY(m.isEnabled());
        QCOMPARE(m.windowTitle(), caption);
        QCOMPARE(VbForm::LoadedCount(), 2);
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void toolbarExitLogsOff()
    {
        AppFixture fx;
        QVERIFY(LogIn(2));
        MenuItem("mnusqs")->trigger();
        Settle();
        for (QAction* a : forms::frmmain->Toolbar1()->actions())
            if (a->data().toString() == "exit")
                a->trigger();
        Settle();
        QVERIFY(!forms::frmmain.loaded());
        QVERIFY(!FormNamed("frmsqs")->IsLoaded());
        QVERIFY(forms::frmLogin.loaded());
        QVERIFY(forms::frmLogin->isVisible());
        QCOMPARE(gCategory, std::int16_t(1));
        QCOMPARE(fx.ui.endProgramCalls, 0);
    }

    void exitEndsTheProgram()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        MenuItem("mnutc")->trigger();
        Settle();
        QVERIFY(!forms::frmmain.loaded());
        QVERIFY(!forms::frmLogin.loaded());
        QCOMPARE(VbForm::LoadedCount(), 0);
        QCOMPARE(fx.ui.endProgramCalls, 1);
    }

    void exitUnloadsTheWindowsLeftOpen()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        MenuItem("mnusqs")->trigger();
        MenuItem("mnuxmsbylb")->trigger();
        MenuItem("mnuxmsc")->trigger();
        MenuItem("mnuuser")->trigger();
        MenuItem("mnugybxt")->trigger();
        Settle();
        QCOMPARE(VbForm::LoadedCount(), 6);
        MenuItem("mnutc")->trigger();
        Settle();
        QCOMPARE(VbForm::LoadedCount(), 0);
        for (VbForm* f : VbForm::AllForms())
            QVERIFY2(!f->isVisible(), qPrintable(f->objectName()));
        QCOMPARE(fx.ui.endProgramCalls, 1);
        QCOMPARE(ConnectionsOf("frmxmsc"), 0);
    }

    void logOffUnloadsTheWindowsLeftOpenAndShowsTheLoginAgain()
    {
        AppFixture fx;
        QVERIFY(LogIn(3));
        MenuItem("mnusqs")->trigger();
        MenuItem("mnugybxt")->trigger();
        Settle();
        MenuItem("mnutcxt")->trigger();
        Settle();
        QVERIFY(!FormNamed("frmsqs")->IsLoaded());
        QVERIFY(!FormNamed("frmAbout")->IsLoaded());
        QVERIFY(!forms::frmmain.loaded());
        QVERIFY(forms::frmLogin.loaded());
        QVERIFY(forms::frmLogin->isVisible());
        QCOMPARE(VbForm::LoadedCount(), 1);
        QCOMPARE(fx.ui.endProgramCalls, 0);
        // Cancel in the login window now ends the program.
        forms::frmLogin->cmdCancel()->click();
        Settle();
        QCOMPARE(fx.ui.endProgramCalls, 1);
    }

    void closeBoxIsTheExit()
    {
        AppFixture fx;
        QVERIFY(LogIn());
        MenuItem("mnusqs")->trigger();
        MenuItem("mnuuser")->trigger();
        Settle();
        forms::frmmain->close();
        Settle();
        QCOMPARE(VbForm::LoadedCount(), 0);
        QVERIFY(!FormNamed("frmsqs")->isVisible());
        QCOMPARE(fx.ui.endProgramCalls, 1);
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
