// The date and month boxes of the application window: each check as a table of
// texts, with the stored text, the status-bar message and the focus that follow.
#include "DateFields.h"
#include "TestSupport.h"

#include <QTest>

namespace {
enum Parser { AppDate, AppDateNoResearchType, Start, End, Birth };

const QString kUnchanged = QStringLiteral("<unchanged>");
const QString kUntouched = QStringLiteral("<untouched>");

const QString kAppDate = QStringLiteral("申请日期输入错误！！！请核查。");
const QString kAppDateLength = QStringLiteral("输入的申请日期错误！！！请核查。");
const QString kStart = QStringLiteral("起始时间输入错误！！！请核查。");
const QString kEnd = QStringLiteral("终止时间输入错误！！！请核查。");
const QString kYear = QStringLiteral("出生年月中年份输入错误！！！请核查。");
const QString kMonth = QStringLiteral("出生年月中月份输入错误！！！请核查。");
const QString kBirth = QStringLiteral("出生年月输入错误！！！请核查。");
}  // namespace
Q_DECLARE_METATYPE(Parser)
Q_DECLARE_METATYPE(DateStep)

class TestDateFields : public QObject {
    Q_OBJECT
    TestUi ui;

    struct Case {
        const char* name;
        Parser parser;
        DateStep step;
        QString text;
        QString stored = kUnchanged;
        QString panel = kUntouched;
        QString focus = QString();
        int tab = -1;
        bool sendTab = false;
    };

    static void add(const Case& c, int thisYear = 2026)
    {
        QTest::newRow(c.name) << c.parser << c.step << c.text << c.stored << c.panel << c.focus
                              << c.tab << c.sendTab << thisYear;
    }

private slots:
    void init() { platform::setBackend(&ui); }
    void cleanup() { platform::setBackend(nullptr); }

    void parse_data()
    {
        QTest::addColumn<Parser>("parser");
        QTest::addColumn<DateStep>("step");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("sendTab");
        QTest::addColumn<int>("thisYear");

        const DateStep E = DateStep::Enter, L = DateStep::Leave;
        const QString sqrq = "txtsqrq", yjlb = "txtyjlb", sqje = "txtsqje";
        const QString qssj = "txtqssj", zzsj = "txtzzsj", sys = "txtsys", csny = "txtcsny";

        // Application date, Enter: convert and move on to the tab 研究项目.
        add({"date enter: typed", AppDate, E, "20031231", "2003.12.31", kUntouched, yjlb, 1});
        add({"date enter: typed, no research type", AppDateNoResearchType, E, "20031231",
             "2003.12.31", kUntouched, sqje, 1});
        add({"date enter: blanks around", AppDate, E, " 20031231 ", "2003.12.31", kUntouched,
             yjlb, 1});
        add({"date enter: month and day 00 pass", AppDate, E, "20030000", "2003.00.00",
             kUntouched, yjlb, 1});
        add({"date enter: month 13", AppDate, E, "20031301", kUnchanged, kAppDate, sqrq});
        add({"date enter: day 32", AppDate, E, "20031232", kUnchanged, kAppDate, sqrq});
        add({"date enter: converted", AppDate, E, "2003.12.31", kUnchanged, kUntouched, yjlb, 1});
        add({"date enter: converted, month 13", AppDate, E, "2003.13.01", kUnchanged, kAppDate,
             sqrq});
        add({"date enter: ten digits are no date", AppDate, E, "2003123101", kUnchanged,
             kAppDate, sqrq});
        add({"date enter: points misplaced", AppDate, E, "200.312.31", kUnchanged, kAppDate,
             sqrq});
        add({"date enter: empty", AppDate, E, "", kUnchanged, kUntouched, yjlb, 1});
        add({"date enter: blanks only", AppDate, E, "   ", kUnchanged, kUntouched, yjlb, 1});
        add({"date enter: seven digits do nothing", AppDate, E, "2003123"});
        // Application date, leaving: the panel is cleared first.
        add({"date leave: typed", AppDate, L, "20031231", "2003.12.31", ""});
        add({"date leave: day 32", AppDate, L, "20031232", kUnchanged, kAppDate, sqrq});
        add({"date leave: converted", AppDate, L, "2003.12.31", kUnchanged, ""});
        add({"date leave: converted, day 32", AppDate, L, "2003.12.32", kUnchanged, kAppDate,
             sqrq});
        add({"date leave: ten digits are no date", AppDate, L, "2003123101", kUnchanged,
             kAppDate, sqrq});
        add({"date leave: empty", AppDate, L, "", kUnchanged, ""});
        add({"date leave: wrong length", AppDate, L, "2003123", kUnchanged, kAppDateLength,
             sqrq});

        // Start month: the year and 1 or 6.
        add({"start enter: june", Start, E, "20036", "2003年6月", kUntouched, zzsj});
        add({"start enter: january", Start, E, "20031", "2003年1月", kUntouched, zzsj});
        add({"start enter: march", Start, E, "20033", kUnchanged, kStart, qssj});
        add({"start enter: empty", Start, E, "", kUnchanged, kUntouched, zzsj});
        add({"start enter: converted", Start, E, "2003年6月", kUnchanged, kUntouched, zzsj});
        add({"start enter: converted, march", Start, E, "2003年3月", kUnchanged, kStart, qssj});
        add({"start enter: seven digits are no month", Start, E, "2003161", kUnchanged, kStart,
             qssj});
        add({"start enter: wrong length keeps the focus", Start, E, "2003", kUnchanged, kStart});
        add({"start leave: june, focus on to the end month", Start, L, "20036", "2003年6月", "",
             zzsj});
        add({"start leave: march", Start, L, "20033", kUnchanged, kStart, qssj});
        add({"start leave: empty", Start, L, "", kUnchanged, ""});
        add({"start leave: converted", Start, L, "2003年1月", kUnchanged, ""});
        add({"start leave: seven digits", Start, L, "2003161", kUnchanged, kStart, qssj});
        add({"start leave: wrong length", Start, L, "200361", kUnchanged, kStart, qssj});

        // End month: the year and 6 or 12.
        add({"end enter: june", End, E, "20066", "2006年6月", kUntouched, sys});
        add({"end enter: december", End, E, "200612", "2006年12月", kUntouched, sys});
        add({"end enter: march", End, E, "20063", kUnchanged, kEnd, zzsj});
        add({"end enter: november", End, E, "200611", kUnchanged, kEnd, zzsj});
        add({"end enter: year only does nothing", End, E, "2006"});
        add({"end enter: empty", End, E, "", kUnchanged, kUntouched, sys});
        add({"end enter: converted june", End, E, "2006年6月", kUnchanged, kUntouched, sys});
        add({"end enter: converted december", End, E, "2006年12月", kUnchanged, kUntouched, sys});
        add({"end enter: seven digits", End, E, "2006061", kUnchanged, kEnd, zzsj});
        add({"end enter: eight digits", End, E, "20061212", kUnchanged, kEnd, zzsj});
        add({"end enter: converted july", End, E, "2006年7月", kUnchanged, kEnd, zzsj});
        add({"end enter: ten characters do nothing", End, E, "2006123456"});
        add({"end leave: june, focus stays", End, L, "20066", "2006年6月", ""});
        add({"end leave: december", End, L, "200612", "2006年12月", ""});
        add({"end leave: march", End, L, "20063", kUnchanged, kEnd, zzsj});
        add({"end leave: empty", End, L, "", kUnchanged, "", sys});
        add({"end leave: stored june", End, L, "2006年6月", kUnchanged, "", sys});
        add({"end leave: stored december", End, L, "2006年12月", kUnchanged, ""});
        add({"end leave: year only stays", End, L, "2006", kUnchanged, ""});
        add({"end leave: stored january", End, L, "2006年1月", kUnchanged, kEnd, zzsj});

        // Birth month: yyyy.mm, years 1900 to this year.
        add({"birth enter: one-digit month zero-filled", Birth, E, "1980.7", "1980.07",
             kUntouched, {}, -1, true});
        add({"birth enter: yyyy.mm", Birth, E, "1980.07", kUnchanged, kUntouched, {}, -1, true});
        add({"birth enter: empty", Birth, E, "", kUnchanged, kUntouched, {}, -1, true});
        add({"birth enter: 1900", Birth, E, "1900.01", kUnchanged, kUntouched, {}, -1, true});
        add({"birth enter: after 1990", Birth, E, "1995.05", kUnchanged, kUntouched, {}, -1,
             true});
        add({"birth enter: this year", Birth, E, "2026.01", kUnchanged, kUntouched, {}, -1, true});
        add({"birth enter: next year", Birth, E, "2027.01", kUnchanged, kYear});
        add({"birth enter: 1899", Birth, E, "1899.12", kUnchanged, kYear});
        add({"birth enter: 1899, short month", Birth, E, "1899.7", kUnchanged, kYear});
        add({"birth enter: month 12", Birth, E, "1980.12", kUnchanged, kUntouched, {}, -1, true});
        add({"birth enter: month 13", Birth, E, "1980.13", kUnchanged, kMonth, csny});
        add({"birth enter: month 00", Birth, E, "1980.00", kUnchanged, kMonth, csny});
        add({"birth enter: month 0", Birth, E, "1980.0", kUnchanged, kMonth, csny});
        add({"birth enter: month before year", Birth, E, "1899.13", kUnchanged, kMonth, csny});
        add({"birth enter: six digits zero-filled", Birth, E, "198007", "1980007", kUntouched, {},
             -1, true});
        add({"birth enter: year only does nothing", Birth, E, "1980"});
        add({"birth leave: one-digit month", Birth, L, "1980.7", "1980.07", ""});
        add({"birth leave: yyyy.mm", Birth, L, "1980.07", kUnchanged, ""});
        add({"birth leave: empty", Birth, L, "", kUnchanged, ""});
        add({"birth leave: six digits", Birth, L, "198007", kUnchanged, kBirth, csny});
        add({"birth leave: year only", Birth, L, "1980", kUnchanged, kBirth, csny});
        add({"birth leave: too long", Birth, L, "1980.071", kUnchanged, kBirth, csny});
        add({"birth leave: next year", Birth, L, "2027.01", kUnchanged, kYear, csny});
        add({"birth leave: 1899, short month", Birth, L, "1899.7", kUnchanged, kYear, csny});
        add({"birth leave: month 13", Birth, L, "1980.13", kUnchanged, kMonth, csny});
        add({"birth leave: month 0", Birth, L, "1980.0", kUnchanged, kMonth, csny});
        // The year bound follows the calendar.
        add({"birth enter: 2031 in 2031", Birth, E, "2031.05", kUnchanged, kUntouched, {}, -1,
             true},
            2031);
        add({"birth enter: 2031 in 2030", Birth, E, "2031.05", kUnchanged, kYear}, 2030);
    }

    void parse()
    {
        QFETCH(Parser, parser);
        QFETCH(DateStep, step);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, panel);
        QFETCH(int, thisYear);
        ui.todayDate = QDate(thisYear, 6, 1);

        FieldOutcome o;
        switch (parser) {
        case AppDate: o = ParseApplicationDate(text, step, true); break;
        case AppDateNoResearchType: o = ParseApplicationDate(text, step, false); break;
        case Start: o = ParseStartMonth(text, step); break;
        case End: o = ParseEndMonth(text, step); break;
        case Birth: o = ParseBirthMonth(text, step); break;
        }
        QCOMPARE(o.text.value_or(kUnchanged), stored);
        QCOMPARE(o.panel.value_or(kUntouched), panel);
        QTEST(o.focus, "focus");
        QTEST(o.tab, "tab");
        QTEST(o.sendTab, "sendTab");
    }

    void monthRule_data()
    {
        QTest::addColumn<Parser>("parser");
        QTest::addColumn<QString>("month");
        QTest::addColumn<bool>("accepted");
        // A project starts in January or June and ends in June or December; the
        // months beside them are refused.
        for (const char* m : {"0", "1", "2", "5", "6", "7", "12"})
            QTest::addRow("start %s", m) << Start << QString(m) << (QString(m) == "1" || QString(m) == "6");
        for (const char* m : {"1", "5", "6", "7", "11", "12", "13"})
            QTest::addRow("end %s", m) << End << QString(m) << (QString(m) == "6" || QString(m) == "12");
    }

    // The month typed after the year, and the month of a converted text, on Enter and
    // on leaving: an accepted month converts (or passes), any other shows the message.
    void monthRule()
    {
        QFETCH(Parser, parser);
        QFETCH(QString, month);
        QFETCH(bool, accepted);
        const QString wrong = parser == Start ? kStart : kEnd;
        const QString converted = "2006年" + month + "月";
        for (const DateStep step : {DateStep::Enter, DateStep::Leave}) {
            for (const QString& text : {"2006" + month, converted}) {
                const FieldOutcome o = parser == Start ? ParseStartMonth(text, step) : ParseEndMonth(text, step);
                const QString where = text + (step == DateStep::Enter ? " on Enter" : " on leaving");
                QVERIFY2((o.panel == wrong) == !accepted, qPrintable(where));
                QVERIFY2(o.text.value_or(text) == (accepted ? converted : text), qPrintable(where));
            }
        }
    }

    // A converted text passes its own check again, as it does when the Enter step
    // moves the focus away and the leaving step follows.
    void convertedPassesOnLeaving_data()
    {
        QTest::addColumn<Parser>("parser");
        QTest::addColumn<QString>("typed");
        QTest::newRow("application date") << AppDate << "20030101";
        QTest::newRow("start month") << Start << "20031";
        QTest::newRow("end month, june") << End << "20036";
        QTest::newRow("end month, december") << End << "200312";
        QTest::newRow("birth month") << Birth << "1980.7";
    }

    void convertedPassesOnLeaving()
    {
        QFETCH(Parser, parser);
        QFETCH(QString, typed);
        const auto parse = [parser](const QString& t, DateStep s) {
            switch (parser) {
            case Start: return ParseStartMonth(t, s);
            case End: return ParseEndMonth(t, s);
            case Birth: return ParseBirthMonth(t, s);
            default: return ParseApplicationDate(t, s, true);
            }
        };
        const FieldOutcome entered = parse(typed, DateStep::Enter);
        QVERIFY(entered.text);
        const FieldOutcome left = parse(*entered.text, DateStep::Leave);
        QVERIFY(!left.text);
        QCOMPARE(left.panel.value_or(kUntouched), QString());
    }
};

QTEST_GUILESS_MAIN(TestDateFields)
#include "tst_datefields.moc"
