#include "Controls.h"
#include "ModVar.h"
#include "Report.h"
#include "TestSupport.h"
#include "frmmain.h"
#include "frmsqdw.h"

#include <QTest>

namespace {

const QStringList kBoxes = {"dwdm", "dwmc", "yzbm", "lxr", "dhhm", "czhm", "e_mail"};

void fillUnits(AppFixture& fx)
{
    fx.exec("insert into dwdm values ('11003', '西湖研究院')");
    fx.exec("insert into dwdm values ('11001', '东方大学')");
    fx.exec("insert into dwdm values ('11002', '南山学院')");
    fx.exec("insert into dwdm values ('11004', '南山学院')");   // a name two units bear
}

void storeUnit(AppFixture& fx)
{
    fx.exec("insert into sqdm values ('11001', '东方大学', '310000', '张三', '0571-1', '0571-2', 'a@b.cn')");
}

QList<QStringList> storedUnit(AppFixture& fx) { return fx.rows("select * from sqdm"); }

}  // namespace

class TestFrmsqdw : public QObject {
    Q_OBJECT

    frmsqdw* f = nullptr;

    frmsqdw& open()
    {
        f = &OpenActive(*forms::frmsqdw);
        return *f;
    }
    VbTextBox* box(const QString& name) { return Child<VbTextBox>(f, name); }
    VbButton* button(const QString& name) { return Child<VbButton>(f, name); }
    VbListBox* list() { return Child<VbListBox>(f, "Lstdwdm"); }
    QString hint() { return Child<VbLabel>(f, "Label1")->text(); }
    QString focused()
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // Enabled state of the four buttons, as "cmdAdd Cmdprev Cmdupd Cmdexit" with 1 or 0.
    QString buttons()
    {
        QString s;
        for (const char* n : {"cmdAdd", "Cmdprev", "Cmdupd", "Cmdexit"})
            s += button(n)->isEnabled() ? '1' : '0';
        return s;
    }
    void enter(QWidget* w) { PressKey(w, Qt::Key_Return); Settle(); }
    // Puts the focus into a box and empties it as a user does (select all, Backspace).
    void clearBox(VbTextBox* b)
    {
        SetFocus(b);
        Settle();
        b->selectAll();
        PressKey(b, Qt::Key_Backspace);
    }

private slots:
    void cleanup() { f = nullptr; }

    void addOnAnEmptyTableAndSave()
    {
        AppFixture fx;
        fillUnits(fx);
        gAppUnitName = "";
        open();
        for (const QString& n : kBoxes)
            QVERIFY2(!box(n)->isEnabled(), qPrintable(n));
        QCOMPARE(buttons(), QString("1101"));

        QTest::mouseClick(button("cmdAdd"), Qt::LeftButton);
        Settle();
        for (const QString& n : kBoxes)
            QVERIFY2(box(n)->isEnabled(), qPrintable(n));
        QCOMPARE(focused(), QString("dwdm"));
        QCOMPARE(buttons(), QString("0101"));

        TypeText(box("dwdm"), "1");
        QCOMPARE(buttons(), QString("0010"));   // the first keystroke begins the edit
        TypeText(box("dwdm"), "1002");
        enter(box("dwdm"));
        QCOMPARE(box("dwmc")->text(), QString("南山学院"));
        QCOMPARE(focused(), QString("yzbm"));
        QCOMPARE(gAppUnitName, QString());   // not before the row is stored

        TypeText(box("yzbm"), "31");
        enter(box("yzbm"));   // whatever the length
        QCOMPARE(focused(), QString("lxr"));
        CommitText(box("lxr"), "王五");
        enter(box("lxr"));
        TypeText(box("dhhm"), "0571-88");
        enter(box("dhhm"));
        TypeText(box("czhm"), "0571-99");
        enter(box("czhm"));
        TypeText(box("e_mail"), "ns@x.cn");
        enter(box("e_mail"));
        QCOMPARE(focused(), QString("Cmdupd"));
        enter(button("Cmdupd"));

        QCOMPARE(storedUnit(fx),
                 QList<QStringList>({{"11002", "南山学院", "31", "王五", "0571-88", "0571-99", "ns@x.cn"}}));
        QCOMPARE(gAppUnitName, QString("南山学院"));
        QCOMPARE(buttons(), QString("0101"));
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void editTheStoredRow()
    {
        AppFixture fx;
        storeUnit(fx);
        gAppUnitName = "东方大学";
        open();
        // Showing the row is no edit: the window opens browsing.
        QCOMPARE(buttons(), QString("0101"));
        QCOMPARE(focused(), QString("Cmdprev"));
        QCOMPARE(box("dwmc")->text(), QString("东方大学"));
        QCOMPARE(box("e_mail")->text(), QString("a@b.cn"));
        QCOMPARE(Child<ReportControl>(f, "rptsq")->ReportFileName(), fx.folder() + "/rptsq.rpt");

        clearBox(box("dwmc"));
        QCOMPARE(buttons(), QString("0010"));
        CommitText(box("dwmc"), "东方理工大学");
        QCOMPARE(gAppUnitName, QString("东方大学"));   // a half-typed name stays out
        QTest::mouseClick(button("Cmdupd"), Qt::LeftButton);
        Settle();
        QCOMPARE(storedUnit(fx).value(0).value(1), QString("东方理工大学"));
        QCOMPARE(gAppUnitName, QString("东方理工大学"));
        QCOMPARE(buttons(), QString("0101"));

        // A second edit in the same opening.
        clearBox(box("lxr"));
        QCOMPARE(buttons(), QString("0010"));
        CommitText(box("lxr"), "李四");
        QTest::mouseClick(button("Cmdupd"), Qt::LeftButton);
        QCOMPARE(storedUnit(fx).value(0).value(3), QString("李四"));
        QCOMPARE(fx.count("sqdm"), 1);
    }

    void tabOrder_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("empty table") << false << QStringList{"cmdAdd", "Cmdprev", "Cmdexit", "cmdAdd"};
        QTest::newRow("stored row")
            << true
            << QStringList{"Cmdprev", "Cmdexit", "dwdm", "dwmc", "yzbm", "lxr", "dhhm", "czhm", "e_mail", "Cmdprev"};
    }
    void tabOrder()
    {
        QFETCH(bool, stored);
        QFETCH(QStringList, order);
        AppFixture fx;
        if (stored)
            storeUnit(fx);
        open();
        QStringList seen{focused()};
        while (seen.size() < order.size()) {
            PressKey(QApplication::focusWidget(), Qt::Key_Tab);
            Settle();
            seen << focused();
        }
        QCOMPARE(seen, order);
    }

    void enterInTheCodeBox_data()
    {
        QTest::addColumn<bool>("withUnits");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("beeps");
        QTest::newRow("four digits") << true << "1100" << "dwdm" << "东方大学" << 1;
        QTest::newRow("known code") << true << "11003" << "yzbm" << "西湖研究院" << 0;
        QTest::newRow("unknown code") << true << "99999" << "dwmc" << "东方大学" << 0;
        QTest::newRow("empty code table") << false << "11003" << "dwmc" << "东方大学" << 0;
    }
    void enterInTheCodeBox()
    {
        QFETCH(bool, withUnits);
        QFETCH(QString, code);
        QFETCH(QString, focus);
        QFETCH(QString, name);
        QFETCH(int, beeps);
        AppFixture fx;
        if (withUnits)
            fillUnits(fx);
        storeUnit(fx);
        open();
        clearBox(box("dwdm"));
        TypeText(box("dwdm"), code);
        fx.ui.clear();
        enter(box("dwdm"));
        QCOMPARE(focused(), focus);
        QCOMPARE(box("dwdm")->text(), code);
        QCOMPARE(box("dwmc")->text(), name);
        QCOMPARE(fx.ui.beeps, beeps);
        QVERIFY(fx.ui.messages.isEmpty());
    }

    // The code box and the name box take the focus back when left incomplete.
    void leavingABox_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("hintAfter");
        const QString codeHint = "提示信息：请输入五位数字字符或双击鼠标再进行选择。";
        const QString nameHint = "提示信息：请输入请输入不多于15个汉字。";
        QTest::newRow("code of four digits") << "dwdm" << "1100" << "dwmc" << "dwdm" << codeHint;
        QTest::newRow("code of five digits") << "dwdm" << "11002" << "dwmc" << "dwmc" << nameHint;
        QTest::newRow("empty name") << "dwmc" << "" << "yzbm" << "dwmc" << nameHint;
        QTest::newRow("name given") << "dwmc" << "甲" << "yzbm" << "yzbm" << "提示信息：请输入六位数字字符。";
        // Only blanks count as empty; the full-width space an input method types is a character.
        QTest::newRow("name of a full-width space")
            << "dwmc" << "\u3000" << "yzbm" << "yzbm" << "提示信息：请输入六位数字字符。";
    }
    void leavingABox()
    {
        QFETCH(QString, from);
        QFETCH(QString, text);
        QFETCH(QString, to);
        QFETCH(QString, focus);
        QFETCH(QString, hintAfter);
        AppFixture fx;
        storeUnit(fx);
        open();
        clearBox(box(from));
        CommitText(box(from), text);
        QTest::mouseClick(box(to), Qt::LeftButton);
        Settle();
        QCOMPARE(focused(), focus);
        QCOMPARE(f->ActiveControl()->objectName(), focus);
        QCOMPARE(hint(), hintAfter);
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void unitListFilledOnce()
    {
        AppFixture fx;
        fillUnits(fx);
        storeUnit(fx);
        open();
        QVERIFY(!list()->isVisible());
        DoubleClick(box("dwdm"));
        QVERIFY(list()->isVisible());
        QCOMPARE(hint(), QString("提示信息：请用鼠标选择单位名称。"));
        // The whole list can be seen: inside the frame that holds it, over the boxes
        // below the code box.
        QVERIFY(list()->parentWidget()->rect().contains(list()->geometry()));
        QVERIFY(list()->geometry().intersects(box("e_mail")->geometry()));
        QTest::mouseClick(box("dwdm"), Qt::LeftButton);
        QVERIFY(!list()->isVisible());
        QCOMPARE(hint(), QString("提示信息：请输入五位数字字符或双击鼠标再进行选择。"));
        DoubleClick(box("dwdm"));
        QVERIFY(list()->isVisible());
        QStringList items;
        for (int i = 0; i < list()->ListCount(); ++i)
            items << list()->List(i);
        QCOMPARE(items, QStringList({"东方大学", "南山学院", "西湖研究院", "南山学院"}));
        QCOMPARE(buttons(), QString("0101"));   // showing the list is no edit
    }

    void choosingFromTheList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("code box empty") << "" << 2 << "11003" << "西湖研究院";
        QTest::newRow("code box complete") << "11001" << 0 << "11001" << "东方大学";
        QTest::newRow("name two units bear") << "" << 3 << "11002" << "南山学院";
    }
    void choosingFromTheList()
    {
        QFETCH(QString, typed);
        QFETCH(int, item);
        QFETCH(QString, code);
        QFETCH(QString, name);
        AppFixture fx;
        fillUnits(fx);
        fx.exec("insert into sqdm values ('', '', '', '', '', '', '')");
        open();
        SetFocus(box("dwdm"));
        Settle();
        TypeText(box("dwdm"), typed);
        DoubleClick(box("dwdm"));
        QVERIFY(list()->isVisible());
        const QRect r = list()->visualItemRect(list()->item(item));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        Settle();
        QCOMPARE(box("dwdm")->text(), code);
        QCOMPARE(box("dwmc")->text(), name);
        QVERIFY(!list()->isVisible());
        QCOMPARE(focused(), QString("yzbm"));
        QCOMPARE(hint(), QString("提示信息：请输入六位数字字符。"));
        QCOMPARE(buttons(), QString("0010"));
    }

    void typingLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("beeps");
        QTest::newRow("letters in the postcode") << "yzbm" << "31a0b0" << false << "3100" << 2;
        QTest::newRow("letter and blank in the code") << "dwdm" << "1a 2" << false << "12" << 2;
        QTest::newRow("sixteenth character of the name")
            << "dwmc" << "一二三四五六七八九十甲乙丙丁戊己" << true << "一二三四五六七八九十甲乙丙丁戊" << 0;
        QTest::newRow("sixth character of the contact") << "lxr" << "欧阳东方明" "月" << true << "欧阳东方明" << 0;
        QTest::newRow("any character in the telephone") << "dhhm" << "(0571)8888-12" << false << "(0571)8888-12" << 0;
        QTest::newRow("sixteenth character of the fax") << "czhm" << "1234567890123456" << false << "123456789012345" << 0;
    }
    void typingLimits()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, chinese);
        QFETCH(QString, result);
        QFETCH(int, beeps);
        AppFixture fx;
        storeUnit(fx);
        open();
        clearBox(box(name));
        fx.ui.clear();
        if (chinese)
            CommitText(box(name), text);
        else
            TypeText(box(name), text);
        QCOMPARE(box(name)->text(), result);
        QCOMPARE(fx.ui.beeps, beeps);
    }

    void hintsAndInputMethod_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hintText");
        QTest::addColumn<int>("imeIn");
        QTest::addColumn<int>("imeOut");
        const int on = int(ImeMode::On), off = int(ImeMode::Off);
        QTest::newRow("dwdm") << "dwdm" << "提示信息：请输入五位数字字符或双击鼠标再进行选择。" << off << off;
        QTest::newRow("dwmc") << "dwmc" << "提示信息：请输入请输入不多于15个汉字。" << on << off;
        QTest::newRow("yzbm") << "yzbm" << "提示信息：请输入六位数字字符。" << off << off;
        QTest::newRow("lxr") << "lxr" << "提示信息：请输入不多于5个汉字。" << on << off;
        QTest::newRow("dhhm") << "dhhm" << "提示信息：请输入不多于15个字符。" << off << off;
        QTest::newRow("czhm") << "czhm" << "提示信息：请输入不多于15个字符。" << off << off;
        QTest::newRow("e_mail") << "e_mail" << "提示信息：请输入不多于30个字符的字符串。" << off << off;
    }
    void hintsAndInputMethod()
    {
        QFETCH(QString, name);
        QFETCH(QString, hintText);
        QFETCH(int, imeIn);
        QFETCH(int, imeOut);
        AppFixture fx;
        storeUnit(fx);
        open();
        SetFocus(box(name));
        Settle();
        QCOMPARE(hint(), hintText);
        QCOMPARE(int(box(name)->Ime()), imeIn);
        SetFocus(button("Cmdprev"));
        Settle();
        QCOMPARE(hint(), QString());
        QCOMPARE(int(box(name)->Ime()), imeOut);
    }

    void closingWithAPendingEdit_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("edit pending, close box") << true;
        QTest::newRow("nothing changed, exit button") << false;
    }
    void closingWithAPendingEdit()
    {
        QFETCH(bool, edited);
        AppFixture fx;
        storeUnit(fx);
        forms::frmmain->Show();
        LockMainWindow(*forms::frmsqdw);
        f = &*forms::frmsqdw;
        QVERIFY(!forms::frmmain->isEnabled());
        QVERIFY(ShowActive(f));
        gAppUnitName = "东方大学";
        bool mainEnabledAtWarning = false;
        fx.ui.onMessage = [&](const platform::MessageRecord&) { mainEnabledAtWarning = forms::frmmain->isEnabled(); };
        if (edited) {
            clearBox(box("dwmc"));
            CommitText(box("dwmc"), "半截");
            QVERIFY(!button("Cmdexit")->isEnabled());
            f->close();
        } else {
            QTest::mouseClick(button("Cmdexit"), Qt::LeftButton);
        }
        QVERIFY(!forms::frmsqdw->IsLoaded());
        QVERIFY(forms::frmmain->isEnabled());
        if (edited) {
            QCOMPARE(fx.ui.messages.size(), 1);
            QCOMPARE(fx.ui.messages[0].text, QString("最后修改的数据将丢失！！！"));
            QCOMPARE(fx.ui.messages[0].title, QString("提示信息："));
            QCOMPARE(fx.ui.messages[0].buttons, platform::vbOKOnly);
            QCOMPARE(fx.ui.messages[0].icon, platform::vbNoIcon);
            QVERIFY(mainEnabledAtWarning);   // the main window is released first
        } else {
            QVERIFY(fx.ui.messages.isEmpty());
        }
        QCOMPARE(storedUnit(fx).value(0).value(1), QString("东方大学"));
        QCOMPARE(gAppUnitName, QString("东方大学"));
    }

    void savingWithoutACodeIsRefused()
    {
        AppFixture fx;
        fillUnits(fx);
        open();
        QTest::mouseClick(button("cmdAdd"), Qt::LeftButton);
        Settle();
        TypeText(box("dwdm"), "1");
        PressKey(box("dwdm"), Qt::Key_Backspace);
        CommitText(box("dwmc"), "未编码单位");
        QTest::mouseClick(button("Cmdupd"), Qt::LeftButton);
        Settle();
        QCOMPARE(fx.ui.texts(), QStringList({"单位代码不能为空，请输入五位数字的单位代码！"}));
        QCOMPARE(fx.ui.messages[0].title, QString("提示信息："));
        QCOMPARE(fx.ui.messages[0].buttons, platform::vbOKOnly);
        QCOMPARE(fx.count("sqdm"), 0);
        QCOMPARE(buttons(), QString("0010"));
        QCOMPARE(focused(), QString("dwdm"));
        QCOMPARE(box("dwmc")->text(), QString("未编码单位"));
        QCOMPARE(gAppUnitName, QString());

        // The input stays usable: with its code the row is stored.
        TypeText(box("dwdm"), "99999");
        QTest::mouseClick(button("Cmdupd"), Qt::LeftButton);
        QCOMPARE(storedUnit(fx).value(0).mid(0, 2), QStringList({"99999", "未编码单位"}));
        QCOMPARE(gAppUnitName, QString("未编码单位"));
    }

    void enterInTheMailBox_data()
    {
        QTest::addColumn<bool>("pending");
        QTest::addColumn<QString>("focus");
        QTest::newRow("browsing") << false << "Cmdexit";
        QTest::newRow("edit pending") << true << "Cmdupd";
    }
    void enterInTheMailBox()
    {
        QFETCH(bool, pending);
        QFETCH(QString, focus);
        AppFixture fx;
        storeUnit(fx);
        open();
        SetFocus(box("e_mail"));
        Settle();
        if (pending)
            TypeText(box("e_mail"), "x");
        enter(box("e_mail"));
        QCOMPARE(focused(), focus);
        QCOMPARE(f->ActiveControl()->objectName(), focus);
    }
};

QTEST_MAIN(TestFrmsqdw)
#include "tst_frmsqdw.moc"
