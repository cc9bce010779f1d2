// The key rules of the boxes, one key class at a time.
#include "KeyFilters.h"
#include "TestSupport.h"

#include <QTest>

namespace {
// The rules by the names the rows use.
constexpr KeyRule EnterTab = KeyRule::EnterToTab, Digits = KeyRule::DigitsOnly, Amount = KeyRule::DigitsAndPoint,
                  YearMonth = KeyRule::YearMonth, NoBlank = KeyRule::NoBlanks, Choose = KeyRule::ChooseOnly,
                  Stay = KeyRule::StayOnEnter, Free = KeyRule::None;
constexpr int kEnter = 13, kBack = 8, kBlank = 32, kPoint = '.';
constexpr int kChinese = 0x4E2D;  // 中, as an input method delivers it
}  // namespace
Q_DECLARE_METATYPE(KeyRule)

class TestKeyFilters : public QObject {
    Q_OBJECT
    TestUi ui;

private slots:
    void init()
    {
        ui.clear();
        platform::setBackend(&ui);
    }
    void cleanup() { platform::setBackend(nullptr); }

    void filters_data()
    {
        QTest::addColumn<KeyRule>("filter");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");      // the box's text before the key
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<int>("keyAfter");
        QTest::addColumn<bool>("tab");
        QTest::addColumn<bool>("beep");

        const auto row = [](const char* name, KeyRule f, int key, int after, bool tab, bool beep,
                            const QString& text = QString(), int selStart = -1, int selLength = 0) {
            QTest::newRow(name) << f << key << text << selStart << selLength << after << tab << beep;
        };
        // Enter alone.
        row("tab: enter", EnterTab, kEnter, 0, true, false);
        row("tab: letter", EnterTab, 'a', 'a', false, false);
        row("tab: blank", EnterTab, kBlank, kBlank, false, false);
        row("tab: ctrl+v", EnterTab, 22, 22, false, false);

        // Digits and Backspace only.
        row("digits: enter", Digits, kEnter, 0, true, false);
        row("digits: 0", Digits, '0', '0', false, false);
        row("digits: 9", Digits, '9', '9', false, false);
        row("digits: backspace", Digits, kBack, kBack, false, false);
        row("digits: point", Digits, kPoint, 0, false, true);
        row("digits: slash below 0", Digits, '/', 0, false, true);
        row("digits: colon above 9", Digits, ':', 0, false, true);
        row("digits: blank", Digits, kBlank, 0, false, true);
        row("digits: letter", Digits, 'a', 0, false, true);
        row("digits: chinese", Digits, kChinese, 0, false, true);
        row("digits: ctrl+c", Digits, 3, 0, false, true);
        row("digits: ctrl+v", Digits, 22, 0, false, true);
        row("digits: ctrl+x", Digits, 24, 0, false, true);
        row("digits: ctrl+z", Digits, 26, 0, false, true);

        // Amounts: digits, Backspace and one point.
        row("amount: enter", Amount, kEnter, 0, true, false, "12");
        row("amount: digit", Amount, '7', '7', false, false, "1.2");
        row("amount: backspace", Amount, kBack, kBack, false, false, "1.2");
        row("amount: first point", Amount, kPoint, kPoint, false, false, "12");
        row("amount: point in empty box", Amount, kPoint, kPoint, false, false, "");
        row("amount: second point", Amount, kPoint, 0, false, true, "1.2");
        row("amount: point replacing the selected point", Amount, kPoint, kPoint, false, false,
            "1.2", 1, 1);
        row("amount: point replacing all", Amount, kPoint, kPoint, false, false, "1.25", 0, 4);
        row("amount: point beside a selection", Amount, kPoint, 0, false, true, "1.25", 2, 2);
        row("amount: letter", Amount, 'e', 0, false, true, "12");
        row("amount: ctrl+v", Amount, 22, 0, false, true, "12");

        // yyyy.mm dates.
        row("year-month: enter passes", YearMonth, kEnter, kEnter, true, false, "1991.07");
        row("year-month: digit", YearMonth, '0', '0', false, false, "1991.");
        row("year-month: backspace", YearMonth, kBack, kBack, false, false, "1991.0");
        row("year-month: point after the year", YearMonth, kPoint, kPoint, false, false, "1991");
        row("year-month: point, blanks around the year", YearMonth, kPoint, kPoint, false, false,
            " 1991 ");
        row("year-month: point after two digits", YearMonth, kPoint, 0, false, false, "19");
        row("year-month: second point", YearMonth, kPoint, 0, false, false, "1991.");
        row("year-month: letter", YearMonth, 'a', 0, false, true, "1991");
        row("year-month: blank", YearMonth, kBlank, 0, false, true, "1991");
        row("year-month: ctrl+v", YearMonth, 22, 0, false, true, "1991");

        // Names: no blanks.
        row("no blanks: enter", NoBlank, kEnter, 0, true, false);
        row("no blanks: blank", NoBlank, kBlank, 0, false, false);
        row("no blanks: letter", NoBlank, 'a', 'a', false, false);
        row("no blanks: chinese", NoBlank, kChinese, kChinese, false, false);
        row("no blanks: backspace", NoBlank, kBack, kBack, false, false);
        row("no blanks: ctrl+v", NoBlank, 22, 22, false, false);

        // Pick-list boxes take no typing.
        row("choose: enter", Choose, kEnter, 0, true, false);
        row("choose: digit", Choose, '1', 0, false, false);
        row("choose: letter", Choose, 'a', 0, false, false);
        row("choose: backspace", Choose, kBack, 0, false, false);
        row("choose: ctrl+v", Choose, 22, 0, false, false);

        // The last box of a window: Enter stays, the rest as typed.
        row("stay: enter", Stay, kEnter, 0, false, false);
        row("stay: blank", Stay, kBlank, kBlank, false, false);
        row("stay: ctrl+v", Stay, 22, 22, false, false);

        // A box without a rule leaves every key alone, Enter too.
        row("no rule: enter", Free, kEnter, kEnter, false, false);
        row("no rule: letter", Free, 'a', 'a', false, false);
    }

    void filters()
    {
        QFETCH(KeyRule, filter);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);

        const bool tab = FilterKey(filter, key, text, selStart, selLength);
        QTEST(key, "keyAfter");
        QTEST(tab, "tab");
        QTEST(ui.beeps > 0, "beep");
        QVERIFY(ui.beeps <= 1);
    }

    void blankZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::newRow("zero") << "0" << "";
        QTest::newRow("two zeros") << "00" << "00";
        QTest::newRow("zero and blank") << "0 " << "0 ";
        QTest::newRow("blank and zero") << " 0" << " 0";
        QTest::newRow("ten") << "10" << "10";
        QTest::newRow("empty") << "" << "";
    }

    void blankZero()
    {
        QFETCH(QString, text);
        QFETCH(QString, after);
        const QString before = text;
        QCOMPARE(BlankZero(text), before != after);
        QCOMPARE(text, after);
    }
};

QTEST_GUILESS_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
