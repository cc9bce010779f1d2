#include "Controls.h"
#include "Db.h"
#include "Twips.h"
#include "VbText.h"

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QGuiApplication>
#include "TestSupport.h"

#include <QTest>

class ProbeForm : public VbForm {
public:
    ProbeForm() : VbForm(QStringLiteral("ProbeForm")) {}
    VbTextBox* a = nullptr;
    VbTextBox* b = nullptr;
    VbButton* ok = nullptr;
    QStringList events;
    int loads = 0;

protected:
    void SetupUi() override
    {
        SetInnerSizeTw(4000, 3000);
        a = new VbTextBox(this, "a");
        b = new VbTextBox(this, "b");
        ok = new VbButton(this, "ok", "OK");
        PlaceTw(a, 100, 100, 1500, 300);
        PlaceTw(b, 100, 600, 1500, 300);
        PlaceTw(ok, 100, 1100, 1000, 345);
        a->GotFocus = [this] { events << "a+"; };
        a->LostFocus = [this] { events << "a-"; };
        b->GotFocus = [this] { events << "b+"; };
        b->LostFocus = [this] { events << "b-"; };
    }
    void Form_Load() override { ++loads; }
};

// A window whose load fails while the database cannot be opened.
class FailingForm : public ProbeForm {
public:
    bool fail = true;
    int unloads = 0;

protected:
    void Form_Load() override
    {
        ProbeForm::Form_Load();
        if (fail)
            throw DbError(QStringLiteral("找不到数据库文件：x"));
    }
    void Form_Unload() override { ++unloads; }
};

// Boxes in one frame, buttons in another; the tab order runs across them.
class FramedForm : public VbForm {
public:
    FramedForm() : VbForm(QStringLiteral("FramedForm")) {}
    VbTextBox* p = nullptr;
    VbTextBox* q = nullptr;
    VbButton* r = nullptr;
    VbButton* s = nullptr;

protected:
    void SetupUi() override
    {
        SetInnerSizeTw(4000, 3000);
        auto* boxes = new VbFrame(this, "boxes");
        PlaceTw(boxes, 0, 0, 4000, 1500);
        p = new VbTextBox(boxes, "p");
        q = new VbTextBox(boxes, "q");
        PlaceTw(p, 100, 200, 1500, 300);
        PlaceTw(q, 100, 700, 1500, 300);
        auto* buttons = new VbFrame(this, "buttons");
        PlaceTw(buttons, 0, 1500, 4000, 1500);
        r = new VbButton(buttons, "r", "R");
        s = new VbButton(buttons, "s", "S");
        PlaceTw(r, 100, 200, 1000, 345);
        PlaceTw(s, 1200, 200, 1000, 345);
        SetTabOrder({s, q, r, p});
    }
};

// A kind of box, with the text it holds and the text that reaches it, and what it
// holds afterwards: after a paste or a drop (the text as a whole meets the key rule
// as the paste key does), and after an input-method commit (character by character,
// as typed).
struct BoxKind {
    bool multiLine = false;
    QString rule{};   // "digits", "choose only", "no blanks" or none
    int limit = 0;
    LengthUnit unit = LengthUnit::GbkBytes;
    bool locked = false;
    QString start{}, arriving{};
    QString afterPaste{}, afterCommit{};
    int pasteBeeps = 0, commitBeeps = 0;
};
Q_DECLARE_METATYPE(BoxKind)

template <class Box>
static Box* SetUpBox(Box* box, const BoxKind& k)
{
    if (k.rule == QLatin1String("digits"))
        box->KeyPress = DigitKeysOnly;
    else if (k.rule == QLatin1String("choose only"))
        box->KeyPress = [](int& key) { key = 0; };
    else if (k.rule == QLatin1String("no blanks"))
        box->KeyPress = [](int& key) {
            if (key == vbkey::Space)
                key = 0;
        };
    if (k.limit)
        box->SetMaxLength(k.limit, k.unit);
    box->SetLocked(k.locked);
    SetFocus(box);
    Settle();
    box->SetText(k.start);
    return box;
}

// A drag of text that may be copied or moved, ending at the end of the box: enter,
// move and drop go to the widget under the mouse that takes drops, as Qt delivers
// them (Shift asks for a move). The action the drop was taken with, if any.
static Qt::DropAction DropTextAtEnd(QWidget* box, const QString& text, Qt::KeyboardModifiers mods = {})
{
    QWidget* window = box->window();
    const QPoint inWindow = box->mapTo(window, QPoint(box->width() - 4, box->height() - 4));
    QWidget* target = window->childAt(inWindow);
    while (target && !target->acceptDrops())
        target = target->parentWidget();
    if (!target)
        return Qt::IgnoreAction;
    const QPoint at = target->mapFrom(window, inWindow);
    QMimeData data;
    data.setText(text);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, actions, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void keyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("ascii");
        QTest::newRow("digit") << int(Qt::Key_5) << 0 << "5" << int('5');
        QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a" << int('a');
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "\r" << 13;
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << int(Qt::ControlModifier) << "" << 3;
        QTest::newRow("ctrl+v") << int(Qt::Key_V) << int(Qt::ControlModifier) << "" << 22;
        QTest::newRow("ctrl+x") << int(Qt::Key_X) << int(Qt::ControlModifier) << "" << 24;
        QTest::newRow("ctrl+z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << "" << 26;
        QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << "" << 0;
        QTest::newRow("chinese") << int(Qt::Key_unknown) << 0 << "中" << 0x4E2D;
    }
    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, text);
        QFETCH(int, ascii);
        QKeyEvent e(QEvent::KeyPress, key, Qt::KeyboardModifiers(mods), text);
        QCOMPARE(KeyAsciiOf(&e), ascii);
    }

    void digitsOnlyFilterAndPaste()
    {
        AppFixture fx;
        VbTextBox box(nullptr, "box");
        box.KeyPress = DigitKeysOnly;
        QGuiApplication::clipboard()->setText("99");
        TypeText(&box, "1a2");
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box.text(), QString("12"));
        QCOMPARE(fx.ui.beeps, 2);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QString("1"));
    }

    void keyPressCanChangeTheCharacter()
    {
        VbTextBox box(nullptr, "box");
        box.KeyPress = [](int& k) {
            if (k >= 'a' && k <= 'z')
                k -= 32;
        };
        TypeText(&box, "ab");
        QCOMPARE(box.text(), QString("AB"));
    }

    void maxLengthCountsGbkBytesAndLimitsTypingOnly()
    {
        VbTextBox box(nullptr, "box");
        box.SetMaxLength(5);
        CommitText(&box, "中文字");   // 6 bytes: the third does not fit
        QCOMPARE(box.text(), QString("中文"));
        TypeText(&box, "ab");
        QCOMPARE(box.text(), QString("中文a"));
        box.SetText("longer than five");   // code may put longer texts in
        QCOMPARE(box.text(), QString("longer than five"));

        VbTextBox chars(nullptr, "chars");
        chars.SetMaxLength(3, LengthUnit::Characters);
        CommitText(&chars, "中文字段");
        QCOMPARE(chars.text(), QString("中文字"));
    }

    void memoTakesNoLineBreakAndCountsCharacters()
    {
        VbMemo memo(nullptr, "memo");
        memo.SetMaxLength(4);
        int changes = 0;
        memo.Change = [&] { ++changes; };
        memo.KeyPress = [](int& k) {
            if (k == ' ')
                k = 0;
        };
        TypeText(&memo, "a b");
        QTest::keyClick(&memo, Qt::Key_Return);
        CommitText(&memo, "中文字");
        QCOMPARE(memo.Text(), QString("ab中文"));
        memo.SetText("ab中文");   // the same text: no change
        QCOMPARE(changes, 3);   // "a", "b", then the commit at once
    }

    // Whichever way text enters a box, it meets the box's key rule and its limit.
    void everyWayInKeepsTheBoxRules_data()
    {
        QTest::addColumn<BoxKind>("kind");
        QTest::addColumn<QString>("way");
        const QString project = QStringLiteral("C.产业化培育项目");
        const QList<QPair<QString, BoxKind>> kinds = {
            {"digits, 5", {.rule = "digits", .limit = 5, .start = "1", .arriving = "ab9 8xyz77",
                           .afterPaste = "1", .afterCommit = "19877", .pasteBeeps = 1, .commitBeeps = 6}},
            {"choose only", {.rule = "choose only", .start = project, .arriving = "失败报告",
                             .afterPaste = project, .afterCommit = project}},
            {"locked", {.locked = true, .start = project, .arriving = "失败报告", .afterPaste = project,
                        .afterCommit = project}},
            // A paste keeps its blanks, as Ctrl+V always did.
            {"name, 20 bytes", {.rule = "no blanks", .limit = 20, .start = "甲", .arriving = "名字 示范工业技术大学",
                                .afterPaste = "甲名字 示范工业技术", .afterCommit = "甲名字示范工业技术大"}},
            {"multi-line, digits", {.multiLine = true, .rule = "digits", .start = "1", .arriving = "ab9",
                                    .afterPaste = "1", .afterCommit = "19", .pasteBeeps = 1, .commitBeeps = 2}},
            {"multi-line, 10 characters",
             {.multiLine = true, .rule = "no blanks", .limit = 10, .unit = LengthUnit::Characters, .start = "甲",
              .arriving = "名字 示范\n工业技术大学", .afterPaste = "甲名字 示范\n工业技",
              .afterCommit = "甲名字示范工业技术大"}},
        };
        for (const auto& [name, kind] : kinds)
            for (const char* way : {"context menu", "drop", "Ctrl+V", "Shift+Insert", "input method"})
                QTest::newRow(qPrintable(name + " / " + way)) << kind << QString(way);
    }
    void everyWayInKeepsTheBoxRules()
    {
        QFETCH(BoxKind, kind);
        QFETCH(QString, way);
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        QWidget* box = nullptr;
        std::function<QString()> text;
        if (kind.multiLine) {
            auto* memo = new VbMemo(&f, "memo");
            PlaceTw(memo, 1800, 100, 2000, 1200);
            memo->show();
            box = SetUpBox(memo, kind);
            text = [memo] { return memo->Text(); };
        } else {
            box = SetUpBox(f.a, kind);
            text = [&f] { return f.a->Text(); };
        }
        QCOMPARE(text(), kind.start);

        QGuiApplication::clipboard()->setText(kind.arriving);
        if (way == "context menu")
            QCOMPARE(PasteByContextMenu(box), !kind.locked);
        else if (way == "drop")
            DropTextAtEnd(box, kind.arriving);
        else if (way == "Ctrl+V")
            PressKey(box, Qt::Key_V, Qt::ControlModifier);
        else if (way == "Shift+Insert")
            PressKey(box, Qt::Key_Insert, Qt::ShiftModifier);
        else
            CommitText(box, kind.arriving);
        Settle();
        const bool commit = way == "input method";
        QCOMPARE(text(), commit ? kind.afterCommit : kind.afterPaste);
        QCOMPARE(fx.ui.beeps, commit ? kind.commitBeeps : kind.pasteBeeps);
        f.Unload();
    }

    // A drop cut short by the limit is taken as a copy, so that what did not fit stays
    // where it was dragged from; a drop refused by the key rule is not taken at all.
    void dropCutShortLeavesTheRestWhereItWas()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        f.a->SetMaxLength(4);
        QCOMPARE(DropTextAtEnd(f.a, "甲", Qt::ShiftModifier), Qt::MoveAction);
        QCOMPARE(DropTextAtEnd(f.a, "乙丙", Qt::ShiftModifier), Qt::CopyAction);
        QCOMPARE(f.a->Text(), QString("甲乙"));
        f.b->KeyPress = DigitKeysOnly;
        QCOMPARE(DropTextAtEnd(f.b, "12", Qt::ShiftModifier), Qt::IgnoreAction);
        QCOMPARE(f.b->Text(), QString());
        f.Unload();
    }

    // A long text put in by code shows its first characters; in the box being typed
    // in, a handler that rewrites the text leaves the caret at the end.
    void textSetByCodeShowsItsStart()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        SetFocus(f.b);
        Settle();
        const QString longName = QString("名字示范工业技术大学").repeated(4);
        f.a->SetText(longName);
        QCOMPARE(f.a->cursorPosition(), 0);

        f.b->Change = [&] { f.b->SetText(f.b->Text().toUpper()); };
        TypeText(f.b, "ab");
        QCOMPARE(f.b->Text(), QString("AB"));
        QCOMPARE(f.b->cursorPosition(), 2);

        VbMemo memo(&f, "memo");
        memo.SetText(longName + "\n" + longName);
        QCOMPARE(memo.textCursor().position(), 0);
        f.Unload();
    }

    // A failure escaping a handler is shown; the program and the box go on.
    void failingHandlerIsShown()
    {
        AppFixture fx;
        VbTextBox box(nullptr, "box");
        box.KeyPress = [](int&) { throw DbError(QStringLiteral("磁盘已满")); };
        TypeText(&box, "x");
        QCOMPARE(fx.ui.texts(), QStringList({"磁盘已满"}));
        QCOMPARE(box.Text(), QString("x"));
    }

    void trimTakesBlanksOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("blanks") << "  甲 乙 " << "甲 乙";
        QTest::newRow("tab and line break stay") << " \t甲\n " << "\t甲\n";
        QTest::newRow("full-width space stays") << "\u3000甲\u3000" << "\u3000甲\u3000";
        QTest::newRow("only blanks") << "   " << "";
    }
    void trimTakesBlanksOnly()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(Trim(text), trimmed);
    }

    void changeFiresOnCodeAndTyping()
    {
        VbTextBox box(nullptr, "box");
        int changes = 0;
        box.Change = [&] { ++changes; };
        box.SetText("x");
        box.SetText("x");
        TypeText(&box, "y");
        QCOMPARE(changes, 2);
    }

    void loadRunsAgainAfterUnloadWithFreshControls()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QPointer<VbTextBox> first = f.a;
        f.a->setText("typed");
        f.Unload();
        QVERIFY(!f.IsLoaded());
        QCOMPARE(fx.ui.endProgramCalls, 1);   // no window left
        f.Show();
        Settle();
        QVERIFY(first.isNull());
        QCOMPARE(f.loads, 2);
        QCOMPARE(f.a->text(), QString());
        QCOMPARE(f.findChildren<VbTextBox*>("a").size(), 1);
        f.Unload();
    }

    void focusEventsAndRefocusFromLostFocus()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        SetFocus(f.a);
        Settle();
        f.events.clear();
        SetFocus(f.b);
        Settle();
        QCOMPARE(f.events, QStringList({"a-", "b+"}));

        // A LostFocus that takes the focus back: the other box sees nothing.
        f.events.clear();
        f.b->LostFocus = nullptr;   // replaced on purpose
        f.b->LostFocus = [&] { f.events << "b-"; SetFocus(f.b); };
        QTest::mouseClick(f.a, Qt::LeftButton);
        Settle();
        QCOMPARE(f.events, QStringList({"b-", "b+"}));
        QVERIFY(f.b->hasFocus());
        f.Unload();
    }

    void queuedTabMovesFromTheFocusAtRunTime()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        SetFocus(f.a);
        Settle();
        SendTab(f.a);
        QVERIFY(f.a->hasFocus());   // not before the handler returns
        Settle();
        QVERIFY(f.b->hasFocus());
        f.Unload();
    }

    void doubleClickIsOneClickThenDblClick()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        QStringList seen;
        f.a->Click = [&] { seen << "click"; };
        f.a->DblClick = [&] { seen << "dbl"; };
        DoubleClick(f.a);
        QTest::mouseClick(f.a, Qt::LeftButton);
        QCOMPARE(seen, QStringList({"click", "dbl", "click"}));
        f.Unload();
    }

    void takeBackYieldsToALaterMoveByTheProgram()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        f.b->LostFocus = nullptr;   // replaced on purpose
        f.b->LostFocus = [&] {
            if (f.b->text().isEmpty())
                SetFocus(f.b);
        };
        SetFocus(f.b);
        Settle();
        QTest::mouseClick(f.a, Qt::LeftButton);   // refused: b is empty
        // A handler of that same click fills b and sends the focus on.
        f.b->setText("x");
        SetFocus(f.ok);
        Settle();
        QVERIFY(f.ok->hasFocus());
        QCOMPARE(f.ActiveControl(), f.ok);
        f.Unload();
    }

    void queuedKeyGoesToTheFocusAtRunTime()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        QStringList got;
        f.a->KeyDown = [&](int& k, int) { got << QString("a%1").arg(k); };
        f.b->KeyDown = [&](int& k, int) { got << QString("b%1").arg(k); };
        SetFocus(f.a);
        Settle();
        SendKey(f.a, Qt::Key_Down);
        SetFocus(f.b);
        QVERIFY(got.isEmpty());
        Settle();
        QCOMPARE(got, QStringList({"b40"}));
        f.Unload();
    }

    void listTakingTheFocusChoosesNothing()
    {
        AppFixture fx;
        ProbeForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        auto* list = new VbListBox(&f, "list");
        PlaceTw(list, 2000, 100, 1500, 1200);
        list->AddItem("一");
        list->AddItem("二");
        list->show();
        int clicks = 0;
        list->Click = [&] { ++clicks; };
        SetFocus(list);
        Settle();
        QVERIFY(list->hasFocus());
        QCOMPARE(clicks, 0);
        QCOMPARE(list->ListIndex(), -1);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(clicks, 1);
        QCOMPARE(list->Text(), QString("一"));
        f.Unload();
    }

    // A pick list hangs under its box inside the box's frame, over the box below, and
    // a click on an item chooses it while the focus stays in the box.
    void pickListDropsUnderItsBoxAndLeavesItTheFocus()
    {
        AppFixture fx;
        FramedForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        VbListBox* list = PickListUnder(f.p, "list", 2000, 900);
        QCOMPARE(list->parentWidget(), f.p->parentWidget());
        QCOMPARE(list->geometry(), QRect(f.p->x(), f.p->geometry().bottom() + 1, TwipsToPixels(2000), TwipsToPixels(900)));
        QVERIFY(list->isHidden());
        list->AddItem("一");
        list->AddItem("二");
        int clicks = 0;
        list->Click = [&] { ++clicks; };
        SetFocus(f.p);
        Settle();
        list->show();
        QWidget* over = f.p->parentWidget()->childAt(f.q->geometry().center());
        QVERIFY(over == list || list->isAncestorOf(over));

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        Settle();
        QCOMPARE(clicks, 1);
        QCOMPARE(list->Text(), QString("二"));
        QCOMPARE(f.focusWidget(), f.p);
        f.Unload();
    }

    void tabOrderRunsAcrossFrames()
    {
        AppFixture fx;
        FramedForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        Settle();
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 4; ++i) {
            SendTab(&f);
            Settle();
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, QStringList({"s", "q", "r", "p", "s"}));
        f.Unload();
    }

    void failedLoadIsShownAndTheWindowCanOpenLater()
    {
        AppFixture fx;
        FailingForm f;
        f.Show();
        QVERIFY(!f.IsLoaded());
        QVERIFY(!f.isVisible());
        QCOMPARE(fx.ui.texts(), QStringList({"找不到数据库文件：x"}));
        QCOMPARE(f.unloads, 1);
        f.fail = false;
        f.Show();
        QVERIFY(f.IsLoaded());
        QCOMPARE(f.loads, 2);
        f.Unload();
    }

    void roundingHalvesToEven()
    {
        QCOMPARE(RoundHalfEven(2.5), 2L);
        QCOMPARE(RoundHalfEven(3.5), 4L);
        QCOMPARE(RoundHalfEven(-2.5), -2L);
        QCOMPARE(TwipsToPixels(1440), 96);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
