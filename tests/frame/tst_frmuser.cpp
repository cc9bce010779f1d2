#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "TestSupport.h"
#include "frmmain.h"
#include "frmuser.h"

#include <QTest>

class TestFrmuser : public QObject {
    Q_OBJECT

    frmuser* f = nullptr;

    frmuser& open(AppFixture& fx, const QStringList& users)
    {
        for (const QString& u : users)
            fx.exec("insert into login values (?, ?)", {u.section(':', 0, 0), u.section(':', 1)});
        f = &OpenActive(*forms::frmuser);
        return *f;
    }
    DataGrid* grid() { return Child<DataGrid>(f, "grdDataGrid"); }
    DataControl* dc() { return Child<DataControl>(f, "datPrimaryRS"); }
    void click(const char* name)
    {
        QTest::mouseClick(Child<VbButton>(f, name), Qt::LeftButton);
        Settle();
    }
    void clickCell(int row, int column)
    {
        const QRect r = grid()->visualRect(grid()->model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        Settle();
    }
    // Opens a cell's editor and types into it; the edit is left open.
    void startEdit(int row, int column, const QString& text)
    {
        const QModelIndex at = grid()->model()->index(row, column);
        grid()->setCurrentIndex(at);
        grid()->edit(at);
        Settle();
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid());
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->selectAll();
        TypeText(editor, text);
    }
    // Types into a cell of the current row as a user does: open the cell, type, Enter.
    void typeCell(int column, const QString& text)
    {
        startEdit(grid()->Row(), column, text);
        pressKey(Qt::Key_Return);
    }
    QList<QStringList> logins(AppFixture& fx) { return fx.rows("select username, password from login"); }
    // Keys as a user types them: each goes to whatever has the focus then (the grid,
    // or the cell editor that the first key opened).
    void typeKeys(const QString& text)
    {
        for (QChar c : text) {
            TypeText(QApplication::focusWidget(), QString(c));
            Settle();
        }
    }
    void pressKey(Qt::Key key)
    {
        PressKey(QApplication::focusWidget(), key);
        Settle();
    }

private slots:
    void cleanup() { f = nullptr; }

    void addAndSave()
    {
        AppFixture fx;
        open(fx, {"admin:1", "zhang:2"});
        QCOMPARE(dc()->Caption(), QString("记录号： 1"));
        // The button queues the keystroke that opens the grid's new row.
        QTest::mouseClick(Child<VbButton>(f, "cmdAdd"), Qt::LeftButton);
        QTRY_VERIFY(dc()->Rs().NewRowPending());
        QTRY_COMPARE(grid()->Row(), 2);
        QCOMPARE(dc()->Caption(), QString("记录号： 3"));
        typeCell(0, "wang");
        typeCell(1, "w0");
        QCOMPARE(fx.count("login"), 2);   // held until saved or left
        click("cmdUpdate");
        QCOMPARE(logins(fx), QList<QStringList>({{"admin", "1"}, {"zhang", "2"}, {"wang", "w0"}}));
        QVERIFY(fx.ui.messages.isEmpty());

        // An edit is written when the row is left.
        clickCell(0, 1);
        QCOMPARE(dc()->Caption(), QString("记录号： 1"));
        typeCell(1, "a9");
        clickCell(1, 1);
        QCOMPARE(logins(fx).value(0), QStringList({"admin", "a9"}));
    }

    void addOnAnEmptyTable()
    {
        AppFixture fx;
        open(fx, {});
        QTest::mouseClick(Child<VbButton>(f, "cmdAdd"), Qt::LeftButton);
        QTRY_VERIFY(dc()->Rs().NewRowPending());
        typeCell(0, "first");
        click("cmdUpdate");
        QCOMPARE(logins(fx), QList<QStringList>({{"first", "<null>"}}));
        QVERIFY(fx.ui.messages.isEmpty());
    }

    // What is typed into the new row stays in it: Tab and Enter go along the new row
    // and round it, never into a stored operator's cells.
    void typingStaysInTheNewRow_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("presses");   // of the key, after the password
        QTest::addColumn<QString>("more");  // typed then
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Tab round to the name") << Qt::Key_Tab << 1 << "li" << QStringList{"li", "w0"};
        QTest::newRow("Backtab round to the password") << Qt::Key_Backtab << 2 << "w9" << QStringList{"wang", "w9"};
        QTest::newRow("Enter stays on the password") << Qt::Key_Return << 1 << "w1" << QStringList{"wang", "w1"};
    }
    void typingStaysInTheNewRow()
    {
        QFETCH(Qt::Key, key);
        QFETCH(int, presses);
        QFETCH(QString, more);
        QFETCH(QStringList, stored);
        AppFixture fx;
        open(fx, {"admin:1", "zhang:2"});
        for (int round = 0; round < 2; ++round) {
            // The new row starts in its name cell, wherever the last one ended.
            click("cmdAdd");
            QTRY_VERIFY(dc()->Rs().NewRowPending());
            QCOMPARE(grid()->currentIndex(), grid()->model()->index(2 + round, 0));
            typeKeys("wang");
            pressKey(Qt::Key_Tab);
            typeKeys("w0");
            for (int i = 0; i < presses; ++i)
                pressKey(key);
            QCOMPARE(grid()->Row(), 2 + round);
            typeKeys(more);
            click("cmdUpdate");
            QVERIFY(fx.ui.messages.isEmpty());
            QCOMPARE(logins(fx).mid(0, 2), QList<QStringList>({{"admin", "1"}, {"zhang", "2"}}));
            QCOMPARE(logins(fx).value(2 + round), stored);
        }
        QCOMPARE(fx.count("login"), 4);
    }

    // However the window closes, an edit still open in a cell is written as "关闭"
    // writes it, and a write that fails is told.
    void closingWritesTheEditInHand_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("rowGone");
        for (const char* how : {"关闭", "close box", "main window closes"}) {
            QTest::addRow("%s", how) << QString::fromUtf8(how) << false;
            QTest::addRow("%s, row gone", how) << QString::fromUtf8(how) << true;
        }
    }
    void closingWritesTheEditInHand()
    {
        QFETCH(QString, how);
        QFETCH(bool, rowGone);
        AppFixture fx;
        forms::frmmain->Show();
        open(fx, {"a:1", "b:2"});
        startEdit(0, 1, "new");
        if (rowGone)
            fx.exec("delete from login where username = 'a'");
        if (how == "关闭")
            click("cmdClose");
        else if (how == "close box")
            f->close();
        else
            forms::frmmain->close();
        Settle();
        QVERIFY(!forms::frmuser->IsLoaded());
        if (rowGone) {
            QCOMPARE(logins(fx), QList<QStringList>({{"b", "2"}}));
            QCOMPARE(fx.ui.texts().size(), 1);
            QVERIFY2(fx.ui.texts().value(0).contains("要更新的记录已不在数据库中。"), qPrintable(fx.ui.texts().join('|')));
        } else {
            QCOMPARE(logins(fx), QList<QStringList>({{"a", "new"}, {"b", "2"}}));
            QVERIFY(fx.ui.messages.isEmpty());
        }
    }

    void captionOverAnEmptyTable()
    {
        AppFixture fx;
        open(fx, {});
        QCOMPARE(dc()->Caption(), QString("记录号： "));
        click("cmdAdd");
        QTRY_VERIFY(dc()->Rs().NewRowPending());
        QCOMPARE(dc()->Caption(), QString("记录号： 1"));
        click("cmdRefresh");
        QCOMPARE(dc()->Caption(), QString("记录号： "));
    }

    void deleteMovesOn_data()
    {
        QTest::addColumn<QStringList>("users");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("current");
        QTest::newRow("middle row") << QStringList{"a:1", "b:2", "c:3"} << 1 << QStringList{"a", "c"} << "c";
        QTest::newRow("last row") << QStringList{"a:1", "b:2", "c:3"} << 2 << QStringList{"a", "b"} << "b";
        QTest::newRow("only row") << QStringList{"a:1"} << 0 << QStringList{} << "";
    }
    void deleteMovesOn()
    {
        QFETCH(QStringList, users);
        QFETCH(int, row);
        QFETCH(QStringList, left);
        QFETCH(QString, current);
        AppFixture fx;
        open(fx, users);
        clickCell(row, 0);
        click("cmdDelete");
        QStringList names;
        for (const QStringList& r : logins(fx))
            names << r.value(0);
        QCOMPARE(names, left);
        QCOMPARE(dc()->Rs().Text("USERNAME"), current);
        if (!current.isEmpty()) {
            QCOMPARE(grid()->CellText(grid()->Row(), 0), current);
            QCOMPARE(dc()->Caption(), QString("记录号： %1").arg(left.indexOf(current) + 1));
        }
        QVERIFY(fx.ui.messages.isEmpty());   // a delete that worked reports nothing
    }

    void discardRestoresTheStoredValues()
    {
        AppFixture fx;
        open(fx, {"a:1", "b:2"});
        typeCell(1, "changed");
        QCOMPARE(grid()->CellText(0, 1), QString("changed"));
        click("cmdRefresh");
        QCOMPARE(grid()->CellText(0, 1), QString("1"));
        QCOMPARE(logins(fx), QList<QStringList>({{"a", "1"}, {"b", "2"}}));

        click("cmdAdd");
        typeCell(0, "c");
        click("cmdRefresh");
        QCOMPARE(grid()->VisibleRowCount(), 3);   // two rows and the empty new row
        QCOMPARE(fx.count("login"), 2);
    }

    void dataButtonErrorsAreShown()
    {
        AppFixture fx;
        open(fx, {});
        click("cmdDelete");   // nothing to delete
        QCOMPARE(fx.ui.texts(), QStringList({"当前没有记录，不能删除。"}));
        QCOMPARE(fx.ui.messages[0].buttons, platform::vbOKOnly);
        QCOMPARE(fx.ui.messages[0].icon, platform::vbNoIcon);
        QCOMPARE(fx.ui.messages[0].title, platform::applicationTitle());
        QVERIFY(f->IsLoaded());

        // The row under an edit went away meanwhile: the save says so and the grid keeps
        // what was typed.
        fx.exec("insert into login values ('a', '1')");
        click("cmdRefresh");
        typeCell(1, "new");
        fx.exec("delete from login");
        fx.ui.clear();
        click("cmdUpdate");
        QCOMPARE(fx.ui.texts(), QStringList({"要更新的记录已不在数据库中。"}));
        QCOMPARE(grid()->CellText(0, 1), QString("new"));
        QCOMPARE(dc()->Caption(), QString("记录号： 1"));
        QCOMPARE(fx.count("login"), 0);
    }

    void layoutFollowsTheWindow()
    {
        AppFixture fx;
        open(fx, {"a:1"});
        QCOMPARE(grid()->ColumnCaption(0), QString("   用 户 名"));
        QCOMPARE(grid()->ColumnCaption(1), QString("    密   码"));
        const QStringList captions = {"添加(&A)", "保存(&S)", "删除(&D)", "放弃(&R)", "关闭(&C)"};
        const QStringList names = {"cmdAdd", "cmdUpdate", "cmdDelete", "cmdRefresh", "cmdClose"};
        int lastLeft = -1;
        for (int i = 0; i < names.size(); ++i) {
            auto* b = Child<VbButton>(f, names[i]);
            QCOMPARE(b->text(), captions[i]);
            QCOMPARE(b->size(), QSize(73, 20));
            QCOMPARE(b->parentWidget()->objectName(), QString("picButtons"));
            QVERIFY(b->x() > lastLeft);
            lastLeft = b->x();
        }
        QWidget* strip = Child<QWidget>(f, "picButtons");
        f->resize(600, 400);
        Settle();
        QCOMPARE(grid()->geometry(), QRect(0, 0, 600, 400 - dc()->height() - 2 - strip->height()));
        QCOMPARE(dc()->geometry().bottom(), 399);
        QCOMPARE(strip->geometry().bottom(), dc()->y() - 1);
        f->resize(600, 30);   // too small for the grid: its height stays
        Settle();
        QCOMPARE(grid()->height(), 400 - dc()->height() - 2 - strip->height());
    }

    void closingLeavesTheMainWindowAlone()
    {
        AppFixture fx;
        forms::frmmain->Show();
        forms::frmmain->setEnabled(false);   // as a working window holds it
        open(fx, {"a:1"});
        fx.ui.setBusy(true);
        click("cmdClose");
        QVERIFY(!forms::frmuser->IsLoaded());
        QCOMPARE(fx.ui.busyDepth, 0);
        QVERIFY(!forms::frmmain->isEnabled());
    }
};

QTEST_MAIN(TestFrmuser)
#include "tst_frmuser.moc"
