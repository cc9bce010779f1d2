#include "Controls.h"
#include "DataGrid.h"
#include "ModVar.h"
#include "RecordLayouts.h"
#include "TestSupport.h"
#include "VbText.h"
#include "frmjtbg.h"
#include "frmmain.h"

#include <QTest>

namespace {

const QString kA = QStringLiteral("A.人文、社会科学专项");
const QString kB = QStringLiteral("B.自然科学专项");
const QString kC = QStringLiteral("C.产业化培育项目");
const QString kNewQuestion = QStringLiteral("保存数据前必须确认数据准确无误，然后保存。数据正确吗？");
const QString kEditQuestion = QStringLiteral("保存数据前必须确认修改数据准确无误，然后保存。数据正确吗？");
const QString kSaveFailed = QStringLiteral("数据错误，请检查数据或与vero科技处联系！");

const records::RecordLayout& reports() { return records::completionReports(); }

// A report with its identity texts and a few more columns; the rest stays Null.
void insertReport(AppFixture& fx, const QString& name, const QString& leader, const QString& number,
                  const QString& fa, const QString& extraColumns = {}, const QVariantList& extra = {})
{
    QString cols = QStringLiteral("xmlb, xmmc, xmfzr, xmbh, szdw, fa");
    QString marks = QStringLiteral("?, ?, ?, ?, ?, ?");
    if (!extraColumns.isEmpty()) {
        cols += QStringLiteral(", ") + extraColumns;
        for (int i = 0; i < extra.size(); ++i)
            marks += QStringLiteral(", ?");
    }
    QVariantList values{kB, name, leader, number, QStringLiteral("示范大学"), fa};
    values += extra;
    fx.exec(QStringLiteral("insert into xmjt (%1) values (%2)").arg(cols, marks), values);
}

// Every column of the reports, each as SQLite's quote() of its value (NULL, '...',
// a number), in rowid order.
QList<QStringList> quotedRows(AppFixture& fx, const QString& where = QString())
{
    QStringList quoted;
    for (const QString& c : reports().columnNames())
        quoted << QStringLiteral("quote(%1)").arg(records::quoteIdentifier(c));
    return fx.rows(QStringLiteral("select %1 from xmjt %2 order by rowid").arg(quoted.join(", "), where));
}

QString quotedColumn(AppFixture& fx, const QString& column, const QString& where = QString())
{
    const QList<QStringList> rows =
        fx.rows(QStringLiteral("select quote(%1) from xmjt %2 order by rowid desc limit 1")
                    .arg(records::quoteIdentifier(column), where));
    return rows.isEmpty() ? QStringLiteral("<no row>") : rows.first().first();
}

}  // namespace

class TestFrmjtbg : public QObject {
    Q_OBJECT

    frmjtbg* f = nullptr;

    frmjtbg& open()
    {
        f = &OpenActive(*forms::frmjtbg);
        return *f;
    }
    QWidget* w(const QString& name) { return f->findChild<QWidget*>(name); }
    VbTextBox* box(const QString& name) { return Child<VbTextBox>(f, name); }
    VbMemo* memo(const QString& name) { return Child<VbMemo>(f, name); }
    VbButton* button(const QString& name) { return Child<VbButton>(f, name); }
    VbCheckBox* chk() { return Child<VbCheckBox>(f, "Chkbz"); }
    VbTab* tabs() { return Child<VbTab>(f, "SSTabjblr"); }
    VbListBox* list(const QString& name) { return Child<VbListBox>(f, name); }
    QString text(const QString& name)
    {
        QWidget* b = w(name);
        return b ? BoxText(b) : QStringLiteral("<no box %1>").arg(name);
    }
    void set(const QString& name, const QString& value) { SetBoxText(w(name), value); }
    void click(const QString& name) { button(name)->click(); Settle(); }
    void focus(QWidget* to)
    {
        SetFocus(to);
        Settle();
    }
    QString focused()
    {
        QWidget* fw = QApplication::focusWidget();
        return fw ? fw->objectName() : QString();
    }
    QString hint() { return Child<QLabel>(f, "SBar_Panel1")->text(); }
    // Starts a new report and answers Yes to the save.
    void saveNew(AppFixture& fx, const std::function<void()>& fill)
    {
        click("cmdinsert");
        fill();
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
    }

private slots:
    void cleanup() { f = nullptr; }

    void opensEmptyAndLocked()
    {
        AppFixture fx;
        open();
        QCOMPARE(f->windowTitle(), QStringLiteral("Oskavelvero科研计划项目结题"));
        QCOMPARE(box("txtzjls")->Text(), QStringLiteral("0"));
        QCOMPARE(tabs()->Tab(), 0);
        QVERIFY(!box("txtxmmc")->isEnabled());
        QVERIFY(!w("Txtcjrs_0")->isEnabled());
        for (int t = 1; t <= 4; ++t)
            QVERIFY(!tabs()->isTabEnabled(t));
        click("cmdinsert");
        QVERIFY(box("txtxmmc")->isEnabled());
        QVERIFY(!w("Txtcjrs_0")->isEnabled());   // the total is never typed
        QVERIFY(tabs()->isTabEnabled(3));
        QVERIFY(!tabs()->isTabEnabled(4));
        QCOMPARE(focused(), QStringLiteral("Txtxmlb"));
        set("txtxmmc", "项目");
        click("cmdcancel");
        QVERIFY(!box("txtxmmc")->isEnabled());
        QCOMPARE(text("txtxmmc"), QString());
        QVERIFY(!tabs()->isTabEnabled(1));
    }

    // What a box stores and what it shows again, column by column.
    void storeAndShowColumn_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");   // quote() of the column
        QTest::addColumn<QString>("shown");
        QTest::newRow("identity text untrimmed") << "txtxmbh" << "  B01 " << "xmbh" << "'  B01 '" << "  B01 ";
        QTest::newRow("identity text blank") << "txtxmmc" << "   " << "xmmc" << "''" << "";
        QTest::newRow("text blank") << "txtxw" << "  " << "fzrxw" << "NULL" << "";
        QTest::newRow("months as text") << "Txtfzrcjsj" << "12" << "fzrcjsj" << "'12'" << "12";
        QTest::newRow("year-month as typed") << "txtpa" << "2006.12" << "pa" << "'2006.12'" << "2006.12";
        QTest::newRow("amount") << "Txtfh" << "12.5" << "fh" << "12.5" << "12.5";
        QTest::newRow("amount, two points") << "Txtff" << "1.2.3" << "ff" << "1.2" << "1.2";
        QTest::newRow("amount blank") << "Txtpsz" << " " << "psz" << "NULL" << "";
        QTest::newRow("count zero") << "Txtcjdw_0" << "0" << "au" << "0.0" << "0";
        QTest::newRow("count, last publication") << "Txtbook_13" << "7" << "pjistp" << "7.0" << "7";
        QTest::newRow("count, keyword column to") << "Txtxsjl_13" << "3" << "to" << "3.0" << "3";
        QTest::newRow("count, keyword column as") << "Txtcjrs_7" << "5" << "as" << "5.0" << "5";
        QTest::newRow("three digits") << "Txtpss" << "120" << "pss" << "120.0" << "120";
        QTest::newRow("summary untrimmed") << "txtabst" << " 摘要 " << "abst" << "' 摘要 '" << " 摘要 ";
        QTest::newRow("third subject word") << "Txtkey_2" << "词" << "key3" << "'词'" << "词";
        QTest::newRow("title without code") << "txtzc" << "教授" << "fzrzcdm" << "''" << "";
    }
    void storeAndShowColumn()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        AppFixture fx;
        open();
        saveNew(fx, [&] { set(boxName, typed); });
        QCOMPARE(fx.count("xmjt"), 1);
        QCOMPARE(quotedColumn(fx, column), stored);
        // Shown again from the table, after another report filled every box.
        set(boxName, QStringLiteral("99"));
        click("Cmdfst");
        QCOMPARE(text(reports().column(column)->objectName()), shown);
    }

    // A report saved blank: "" in the five identity texts, Null everywhere else.
    void blankReportStoresNullsButIdentity()
    {
        AppFixture fx;
        open();
        saveNew(fx, [] {});
        const QStringList identity = {"xmlb", "xmbh", "xmmc", "xmfzr", "szdw"};
        const QStringList row = quotedRows(fx).value(0);
        QCOMPARE(row.size(), 80);
        for (int i = 0; i < row.size(); ++i) {
            const QString name = reports().columns[i].name;
            QCOMPARE(name + '=' + row[i], name + '=' + (identity.contains(name) ? "''" : "NULL"));
        }
    }

    // Every column of a stored row reaches its box, and back unchanged on a save.
    void showsAndStoresEveryColumn()
    {
        AppFixture fx;
        QStringList names;
        QVariantList values;
        int n = 0;
        for (const records::Column& c : reports().columns) {
            names << records::quoteIdentifier(c.name);
            ++n;
            if (c.name == "zqnbz")
                values << QStringLiteral("中青年人才培养");
            else if (c.name == "xmlb")
                values << kA;
            else if (c.kind == records::Kind::Number)
                values << (c.name == "fh" ? 12.25 : double(n));
            else
                values << QStringLiteral(" %1 文").arg(c.name);
        }
        fx.exec(QStringLiteral("insert into xmjt (%1) values (%2)").arg(names.join(", "), records::placeholders(80)),
                values);
        open();
        QCOMPARE(chk()->Value(), 1);
        for (int i = 0; i < reports().columns.size(); ++i) {
            const records::Column& c = reports().columns[i];
            if (c.name == "zqnbz")
                continue;
            QString expected = c.kind == records::Kind::Number ? PlainNumber(values[i].toDouble()) : values[i].toString();
            if (c.name == "at") {   // the total follows its seven kinds
                double sum = 0;
                for (const char* k : {"aha", "ahb", "am", "al", "ah", "ab", "as"})
                    sum += values[reports().indexOf(k)].toDouble();
                expected = PlainNumber(sum);
            }
            QCOMPARE(c.name + '=' + text(c.objectName()), c.name + '=' + expected);
        }
        const QList<QStringList> before = quotedRows(fx);
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QList<QStringList> after = quotedRows(fx);
        QCOMPARE(after.size(), 1);
        const int at = reports().indexOf("at");
        QCOMPARE(after[0][at], QStringLiteral("%1.0").arg(text("Txtcjrs_0")));
        after[0][at] = before[0][at];
        QCOMPARE(after, before);
    }

    void talentMarkFollowsCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("stored");
        QTest::newRow("A") << kA << "'中青年人才培养'";
        QTest::newRow("B") << kB << "'中青年人才培养'";
        QTest::newRow("C hides and unticks") << kC << "NULL";
    }
    void talentMarkFollowsCategory()
    {
        QFETCH(QString, category);
        QFETCH(QString, stored);
        AppFixture fx;
        open();
        saveNew(fx, [&] {
            chk()->SetValue(1);
            DoubleClick(box("Txtxmlb"));
            list("Lstxmlb")->SetText(category);
            Settle();
            QCOMPARE(text("Txtxmlb"), category);
            QCOMPARE(chk()->isHidden(), category == kC);
            chk()->SetValue(1);   // a hidden box ticked still stores nothing
        });
        QCOMPARE(quotedColumn(fx, "zqnbz"), stored);
    }

    void newReportIsAddedLastAndCounted()
    {
        AppFixture fx;
        gAppUnitName = QStringLiteral("本单位");
        insertReport(fx, "乙", "李", "B2", "2007.01", "aha", {4});
        insertReport(fx, "甲", "张", "B1", "2008.01");
        open();
        QCOMPARE(box("txtzjls")->Text(), QStringLiteral("2"));
        QCOMPARE(text("txtxmmc"), QStringLiteral("甲"));   // fa descending
        click("Cmdlst");
        QCOMPARE(text("Txtcjrs_0"), QStringLiteral("4"));
        click("cmdinsert");
        QCOMPARE(text("txtszdw"), QStringLiteral("本单位"));
        QCOMPARE(text("Txtcjrs_0"), QString());
        QCOMPARE(f->InsertFlag, QStringLiteral("1"));
        set("txtxmmc", "丙");
        fx.ui.answers = {platform::vbNo};
        click("Cmdupd");
        QCOMPARE(fx.count("xmjt"), 2);
        QCOMPARE(f->InsertFlag, QStringLiteral("1"));
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(fx.ui.texts(), (QStringList{kNewQuestion, kNewQuestion}));
        QCOMPARE(fx.count("xmjt"), 3);
        QCOMPARE(box("txtzjls")->Text(), QStringLiteral("3"));
        QCOMPARE(f->InsertFlag, QStringLiteral("0"));
        QCOMPARE(f->ChangedFlag, QStringLiteral("0"));
        auto* grid = Child<DataGrid>(f, "DataGrid1");
        QCOMPARE(grid->CellText(2, 2), QStringLiteral("丙"));
        QCOMPARE(grid->Row(), 2);
        QVERIFY(button("Cmdfst")->isEnabled());
        QVERIFY(tabs()->isTabEnabled(4));
        QCOMPARE(fx.rows("select szdw from xmjt where xmmc = '丙'"), QList<QStringList>{{"本单位"}});
    }

    // The edited report is replaced, not every report with the same three texts.
    void editReplacesExactlyTheEditedRow()
    {
        AppFixture fx;
        insertReport(fx, "同名", "张", "B1", "2008.01", "fh", {1.0});
        insertReport(fx, "同名", "张", "B1", "2007.01", "fh", {2.0});
        insertReport(fx, "O'Neil的项目", "张", "B'2", "2006.01", "fh", {3.0});
        open();
        click("Cmdnxt");
        QCOMPARE(text("Txtfh"), QStringLiteral("2"));
        set("Txtfh", "5");
        set("txtxmmc", "改名");
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select xmmc, fh from xmjt order by xmmc, fh"),
                 (QList<QStringList>{{"O'Neil的项目", "3"}, {"同名", "1"}, {"改名", "5"}}));
        QCOMPARE(box("txtzjls")->Text(), QStringLiteral("3"));
        QCOMPARE(text("txtxmmc"), QStringLiteral("改名"));   // the saved report is current
        QCOMPARE(Child<DataGrid>(f, "DataGrid1")->CellText(Child<DataGrid>(f, "DataGrid1")->Row(), 2),
                 QStringLiteral("改名"));
        // A quote in the name and the number: only that report is replaced.
        click("Cmdlst");
        QCOMPARE(text("txtxmmc"), QStringLiteral("O'Neil的项目"));
        set("txtxmfzr", "O'Hara");
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(fx.rows("select xmmc, xmfzr, xmbh from xmjt order by xmmc"),
                 (QList<QStringList>{{"O'Neil的项目", "O'Hara", "B'2"}, {"同名", "张", "B1"}, {"改名", "张", "B1"}}));
    }

    void editSavesOnlyAChangedShownReport()
    {
        AppFixture fx;
        insertReport(fx, "甲", "张", "B1", "2008.01");
        open();
        fx.ui.answers = {platform::vbNo};
        click("Cmdupd");   // shown: marked changed
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        click("Cmdupd");   // the No cleared the mark
        QCOMPARE(fx.ui.texts().size(), 1);
    }

    // A save the table refuses changes nothing: the row, the count, the flags and
    // what was typed stay.
    void failingSaveChangesNothing()
    {
        AppFixture fx;
        insertReport(fx, "甲", "张", "B1", "2008.01", "fh", {1.0});
        fx.exec("create trigger refuse before insert on xmjt when new.xmmc = '坏' "
                "begin select raise(abort, 'refused'); end");
        open();
        const QList<QStringList> before = quotedRows(fx);
        set("txtxmmc", "坏");
        set("Txtfh", "8");
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(fx.ui.messages.last().text, kSaveFailed);
        QCOMPARE(fx.ui.messages.last().title, QStringLiteral("提示信息"));
        QVERIFY(fx.ui.messages.last().detail.contains("refused"));   // the database's reason
        QCOMPARE(quotedRows(fx), before);
        QCOMPARE(text("txtxmmc"), QStringLiteral("坏"));
        QCOMPARE(text("Txtfh"), QStringLiteral("8"));
        QCOMPARE(f->ChangedFlag, QStringLiteral("1"));   // the save can be tried again
        QCOMPARE(box("txtzjls")->Text(), QStringLiteral("1"));

        fx.ui.clear();
        click("cmdinsert");
        set("txtxmmc", "坏");
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(fx.ui.texts(), (QStringList{kNewQuestion, kSaveFailed}));
        QVERIFY(fx.ui.messages.last().detail.contains("refused"));
        QCOMPARE(quotedRows(fx), before);
        QCOMPARE(box("txtzjls")->Text(), QStringLiteral("1"));
        QCOMPARE(f->InsertFlag, QStringLiteral("1"));
        QCOMPARE(text("txtxmmc"), QStringLiteral("坏"));
        QVERIFY(!button("Cmdfst")->isEnabled());
        QCOMPARE(Child<DataGrid>(f, "DataGrid1")->VisibleRowCount(), 1);
        // Mended, the same entry is saved.
        set("txtxmmc", "好");
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(fx.count("xmjt"), 2);
        QCOMPARE(box("txtzjls")->Text(), QStringLiteral("2"));
    }

    // The total of the participants follows its seven kinds, up and down.
    void participantsTotal_data()
    {
        QTest::addColumn<QStringList>("steps");   // "index=text"
        QTest::addColumn<QStringList>("totals");  // after each step
        QTest::newRow("two kinds") << QStringList{"3=2", "5=1"} << QStringList{"2", "3"};
        QTest::newRow("up and down") << QStringList{"1=3", "2=4", "2=", "1="} << QStringList{"3", "7", "3", ""};
        QTest::newRow("zeros") << QStringList{"1=0", "7=0"} << QStringList{"", ""};
        QTest::newRow("all seven") << QStringList{"1=99", "2=99", "3=99", "4=99", "5=99", "6=99", "7=99"}
                                   << QStringList{"99", "198", "297", "396", "495", "594", "693"};
    }
    void participantsTotal()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, totals);
        AppFixture fx;
        open();
        click("cmdinsert");
        for (int i = 0; i < steps.size(); ++i) {
            const QStringList s = steps[i].split('=');
            set(QStringLiteral("Txtcjrs_") + s[0], s[1]);
            QCOMPARE(text("Txtcjrs_0"), totals[i]);
        }
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(quotedColumn(fx, "at"), totals.last().isEmpty() ? QStringLiteral("NULL") : totals.last() + ".0");
    }

    void storedTotalShownUnlessKindsSayOtherwise()
    {
        AppFixture fx;
        insertReport(fx, "有分项", "张", "B1", "2008.01", "at, aha, ab", {9, 2, 3});
        insertReport(fx, "无分项", "李", "B2", "2007.01", "at", {9});
        open();
        QCOMPARE(text("Txtcjrs_0"), QStringLiteral("5"));
        click("Cmdnxt");
        QCOMPARE(text("Txtcjrs_0"), QStringLiteral("9"));
    }

    void titleLookup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("code");
        QTest::newRow("code hit") << "002" << "副教授" << "002";
        QTest::newRow("code miss empties the code") << "999" << "999" << "";
        QTest::newRow("emptied") << "" << "" << "";
    }
    void titleLookup()
    {
        QFETCH(QString, typed);
        QFETCH(QString, title);
        QFETCH(QString, code);
        AppFixture fx;
        fx.exec("insert into zcdm values ('001', '教授'), ('002', '副教授')");
        insertReport(fx, "甲", "张", "B1", "2008.01", "fzrzc, fzrzcdm", {"教授", "001"});
        open();
        QCOMPARE(list("lstzc")->List(1), QStringLiteral("002、副教授"));
        focus(box("txtzc"));
        QCOMPARE(hint(), QStringLiteral("请直接输入职称代码(三位数字)，或者双击鼠标然后选择职称名称。"));
        box("txtzc")->SetText(QString());
        TypeText(box("txtzc"), typed + "x");   // the letter is refused
        QCOMPARE(box("txtzc")->Text(), typed);
        focus(box("txtxw"));
        QCOMPARE(text("txtzc"), title);
        QCOMPARE(text("txtzcdm"), code);
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(quotedColumn(fx, "fzrzcdm"), title.isEmpty() ? "NULL" : "'" + code + "'");
    }

    void picksFromTheLists()
    {
        AppFixture fx;
        fx.exec("insert into zcdm values ('001', '教授')");
        fx.exec("insert into dwdm values ('10001', '示范大学'), ('10002', '东方学院')");
        open();
        click("cmdinsert");
        focus(box("txtzc"));
        DoubleClick(box("txtzc"));
        QVERIFY(list("lstzc")->isVisible());
        list("lstzc")->SetListIndex(0);
        Settle();
        QCOMPARE(text("txtzc"), QStringLiteral("教授"));
        QCOMPARE(text("txtzcdm"), QStringLiteral("001"));
        QCOMPARE(focused(), QStringLiteral("txtxw"));
        QVERIFY(!list("lstzc")->isVisible());

        focus(box("txtszdw"));
        QCOMPARE(hint(), QStringLiteral("请双击鼠标然后选择单位名称。"));
        DoubleClick(box("txtszdw"));
        QCOMPARE(hint(), QStringLiteral("请用鼠标选择所在单位。"));
        list("lstszdw")->SetListIndex(1);
        Settle();
        QCOMPARE(text("txtszdw"), QStringLiteral("东方学院"));
        QCOMPARE(focused(), QStringLiteral("txtpa"));
        QVERIFY(!list("lstszdw")->isVisible());
        QCOMPARE(hint(), QStringLiteral("请输入格式为：XXXX.XX,前四位是年，后两位是月，月不够两位前面补零。"));

        // A unit code shown in the box becomes the unit's name when the box is left;
        // a code the table lacks stays.
        set("txtszdw", "10001");
        focus(box("txtszdw"));
        focus(box("txtpa"));
        QCOMPARE(text("txtszdw"), QStringLiteral("示范大学"));
        set("txtszdw", "10009");
        focus(box("txtszdw"));
        focus(box("txtpa"));
        QCOMPARE(text("txtszdw"), QStringLiteral("10009"));

        focus(box("txtxw"));
        DoubleClick(box("txtxw"));
        list("lstxw")->SetListIndex(2);
        Settle();
        QCOMPARE(text("txtxw"), QStringLiteral("学士"));
        QCOMPARE(focused(), QStringLiteral("Txtfzrcjsj"));
        QVERIFY(!list("lstxw")->isVisible());
    }

    // "放  弃" shows the current report with nothing of the abandoned entry.
    void abandonShowsNoLeftovers()
    {
        AppFixture fx;
        insertReport(fx, "甲", "张", "B1", "2008.01", "at", {6});
        open();
        click("cmdinsert");
        set("Txtfh", "99");
        chk()->SetValue(1);
        set("Txtcjrs_1", "5");
        set("txtabst", "放弃的摘要");
        set("Txtkey_0", "词");
        set("txtzc", "教授");
        set("txtzcdm", "001");
        click("cmdcancel");
        QCOMPARE(text("txtxmmc"), QStringLiteral("甲"));
        QCOMPARE(text("Txtfh"), QString());
        QCOMPARE(chk()->Value(), 0);
        QCOMPARE(text("Txtcjrs_1"), QString());
        QCOMPARE(text("Txtcjrs_0"), QStringLiteral("6"));
        QCOMPARE(text("txtabst"), QString());
        QCOMPARE(text("Txtkey_0"), QString());
        QCOMPARE(text("txtzc"), QString());
        QCOMPARE(text("txtzcdm"), QString());
        QCOMPARE(f->InsertFlag, QStringLiteral("0"));
        QCOMPARE(f->ChangedFlag, QStringLiteral("0"));
        QVERIFY(button("Cmdfst")->isEnabled());
        QVERIFY(tabs()->isTabEnabled(4));
        // Saved again, the shown report stays as it was stored.
        const QList<QStringList> before = quotedRows(fx);
        set("txtxmfzr", "张");   // marks it changed without changing it
        box("txtxmfzr")->SetText("张 ");
        box("txtxmfzr")->SetText("张");
        fx.ui.answers = {platform::vbYes};
        click("Cmdupd");
        QCOMPARE(quotedRows(fx), before);
    }

    void navigationStopsAtTheEnds()
    {
        AppFixture fx;
        insertReport(fx, "甲", "张", "B1", "2008.01");
        insertReport(fx, "乙", "李", "B2", "2007.01");
        open();
        click("Cmdpre");
        QCOMPARE(fx.ui.texts(), QStringList{QStringLiteral("已经是第一条记录！")});
        QCOMPARE(fx.ui.messages.last().title, QStringLiteral("提示信息"));
        QCOMPARE(text("txtxmmc"), QStringLiteral("甲"));
        click("Cmdnxt");
        QCOMPARE(text("txtxmmc"), QStringLiteral("乙"));
        click("Cmdnxt");
        QCOMPARE(fx.ui.texts().last(), QStringLiteral("已经是最后一条记录！"));
        QCOMPARE(text("txtxmmc"), QStringLiteral("乙"));
        click("Cmdfst");
        QCOMPARE(text("txtxmmc"), QStringLiteral("甲"));
        // The grid moves the shown report too.
        auto* grid = Child<DataGrid>(f, "DataGrid1");
        tabs()->SetTab(4);
        QVERIFY(!button("cmdinsert")->isEnabled());
        grid->setCurrentIndex(grid->model()->index(1, 0));
        Settle();
        QCOMPARE(text("txtxmmc"), QStringLiteral("乙"));
        tabs()->SetTab(0);
        QVERIFY(button("cmdinsert")->isEnabled());
    }

    void keysOfTheBoxes()
    {
        AppFixture fx;
        open();
        click("cmdinsert");
        focus(box("Txtcjrs_1"));
        TypeText(box("Txtcjrs_1"), "1a-");
        QCOMPARE(text("Txtcjrs_1"), QStringLiteral("1"));
        QCOMPARE(fx.ui.beeps, 2);
        TypeText(box("Txtxmlb"), "x");
        QCOMPARE(text("Txtxmlb"), QString());
        focus(box("Txtfh"));
        TypeText(box("Txtfh"), "12.5");
        QCOMPARE(text("Txtfh"), QStringLiteral("12.5"));
        // Enter in the last box of a page turns to the next page.
        const struct {
            const char* from;
            int page;
            const char* to;
        } turns[] = {{"Txtcjdw_3", 1, "Txtbook_0"}, {"Txtproduct_14", 2, "Txtxsjl_0"}, {"Txtpxy", 3, "txtabst"}};
        for (const auto& t : turns) {
            focus(w(t.from));
            PressKey(w(t.from), Qt::Key_Return);
            Settle();
            QCOMPARE(tabs()->Tab(), t.page);
            QCOMPARE(focused(), QString::fromLatin1(t.to));
        }
        focus(box("Txtkey_2"));
        PressKey(box("Txtkey_2"), Qt::Key_Return);
        Settle();
        QCOMPARE(focused(), QStringLiteral("Txtkey_2"));
        tabs()->SetTab(0);
        focus(box("txtxmbh"));
        PressKey(box("txtxmbh"), Qt::Key_Return);
        Settle();
        QCOMPARE(focused(), QStringLiteral("txtszdw"));
    }

    void openedFromTheMenu()
    {
        AppFixture fx;
        forms::frmmain->Show();
        Settle();
        forms::frmmain->findChild<QAction*>("mnujtbglr")->trigger();
        Settle();
        QVERIFY(forms::frmjtbg.loaded());
        QVERIFY(!forms::frmmain->isEnabled());
        forms::frmjtbg->findChild<VbButton*>("Cmdexit")->click();
        Settle();
        QVERIFY(!forms::frmjtbg.loaded());
        QVERIFY(forms::frmmain->isEnabled());
    }
};

QTEST_MAIN(TestFrmjtbg)
#include "tst_frmjtbg.moc"
