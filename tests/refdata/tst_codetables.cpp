#include "CodeTableDriver.h"

#include "AppFolder.h"
#include "ModVar.h"
#include "Twips.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

using namespace platform;

// What a member of the family shows and does differently.
struct Member {
    QString form, caption, table, codeBox, nameBox;
    int n = 0;
    QString codeHint, nameHint, emptyMessage, existsMessage;
    bool beeps = true;        // a refused key in the code box beeps
    bool dropsBlanks = true;  // the name box drops blanks
    bool codeImeOff = true;   // else the user's own setting
    bool byTab = false;       // a complete code moves on by a queued Tab
};
Q_DECLARE_METATYPE(Member)

static QList<Member> Members()
{
    QList<Member> all;
    Member m;
    m = {"frmdwdm", "单位代码管理", "dwdm", "Txtdwdm", "Txtdwmc", 5,
         "提示信息：请输入五位数字字符。", "提示信息：请输入不多于15个汉字字符串。",
         "不能增加单位代码为空的记录！", "此单位代码在数据库中已经存在，不能再增加！！！"};
    all << m;
    m = {"frmmzdm", "民族代码管理", "mzdm", "Txtmzdm", "Txtmzmc", 2,
         "提示信息：请输入两位数字字符串。", "提示信息：请输入不多于5个汉字字符串。",
         "不能增加民族代码为空的记录！", "此民族代码在数据库中已经存在，不能再增加！！！"};
    m.beeps = false;
    m.dropsBlanks = false;
    m.codeImeOff = false;
    all << m;
    m = {"frmejdwdm", "二级申请单位代码管理", "ejdwdm", "Txtejdwdm", "Txtejdwmc", 3,
         "提示信息：请输入三个数字字符。", "提示信息：请输入不多于10个汉字字符串。",
         "不能增加二级申请单位代码为空的记录！", "此二级申请单位代码在数据库中已经存在，不能再增加！！！"};
    all << m;
    m = {"frmrwjd", "所属人文、社科研究基地代码管理", "rwjd", "txtsysdm", "Txtsysmc", 2,
         "提示信息：请输入两位数字字符。", "提示信息：请输入不多于20个汉字字符串。",
         "不能增加人文社科基地代码为空的记录！", "此人文社科基地代码在数据库中已经存在，不能再增加！！！"};
    all << m;
    m = {"frmzcdm", "职称代码管理", "zcdm", "txtzcdm", "Txtzcmc", 3,
         "提示信息：请输入三个数字字符。", "提示信息：请输入不多于6个汉字字符串。",
         "不能增加职称代码为空的记录！", "此职称代码在数据库中已经存在，不能再增加！！！"};
    m.byTab = true;
    all << m;
    m = {"frmsys", "实验室代码管理", "sysdm", "txtsysdm", "Txtsysmc", 2,
         "提示信息：请输入两位数字字符。", "提示信息：请输入不多于20个汉字字符串。",
         "不能增加实验室代码为空的记录！", "此实验室代码在数据库中已经存在，不能再增加！！！"};
    all << m;
    return all;
}

static void AddMemberRows()
{
    QTest::addColumn<Member>("m");
    for (const Member& m : Members())
        QTest::newRow(qPrintable(m.form)) << m;
}

// Codes of a member's length: "11111", "22222", ... in code order.
static QString Code(const Member& m, char digit) { return QString(m.n, QLatin1Char(digit)); }

static void Seed(AppFixture& fx, const QString& table, const QStringList& codes)
{
    for (const QString& c : codes)
        fx.exec(QStringLiteral("insert into %1 values (?, ?)").arg(table), {c, QStringLiteral("名称") + c});
}

static QList<QStringList> Stored(AppFixture& fx, const QString& table)
{
    return fx.rows(QStringLiteral("select * from %1 order by 1").arg(table));
}

static Driver Dwdm() { return Driver("frmdwdm", "Txtdwdm", "Txtdwmc"); }

class TestCodeTables : public QObject {
    Q_OBJECT
private slots:
    // ---------------------------------------------------------------------------
    // Every member: the two-step add, abandoning, messages, the two boxes.

    void addConfirmAndAbandon_data() { AddMemberRows(); }
    void addConfirmAndAbandon()
    {
        QFETCH(Member, m);
        AppFixture fx;
        const QString one = Code(m, '1'), two = Code(m, '2'), five = Code(m, '5');
        Seed(fx, m.table, {two, one});
        MainForm().Load();
        Driver d(m.form, m.codeBox, m.nameBox);
        QVERIFY(d.Open());
        QVERIFY(!MainForm().isEnabled());

        QCOMPARE(d.form.windowTitle(), m.caption);
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), one + "|名称" + one);
        QCOMPARE(d.focus(), d.button("cmdAdd"));

        d.click("cmdAdd");
        QCOMPARE(d.state(), QString("Add armed"));
        QCOMPARE(d.shown(), QString("|"));
        QCOMPARE(d.focus(), d.code());
        QCOMPARE(d.hint(), m.codeHint);
        QCOMPARE(d.code()->Ime(), m.codeImeOff ? ImeMode::Off : ImeMode::NoControl);

        d.type(d.code(), five.left(m.n - 1));
        QCOMPARE(d.focus(), d.code());
        TypeText(d.code(), "5");   // the N-th digit moves the focus on
        QCOMPARE(d.focus() == d.name(), !m.byTab);   // a Tab waits for the handler to end
        Settle();
        QCOMPARE(d.focus(), d.name());
        QCOMPARE(d.hint(), m.nameHint);
        QCOMPARE(d.name()->Ime(), ImeMode::On);

        CommitText(d.name(), "新名称");
        PressKey(d.name(), Qt::Key_Return);
        Settle();
        QCOMPARE(d.focus(), d.button("Cmdupd"));
        QCOMPARE(d.hint(), QString());
        QCOMPARE(d.name()->Ime(), ImeMode::NoControl);

        d.click("Cmdupd");
        QCOMPARE(Stored(fx, m.table),
                 QList<QStringList>({{one, "名称" + one}, {two, "名称" + two}, {five, "新名称"}}));
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), five + "|新名称");
        QCOMPARE(d.focus(), d.button("cmdAdd"));
        QCOMPARE(d.gridCodes(), QStringList({one, two, five}));   // at the end until reopened
        QCOMPARE(d.grid()->Row(), 2);

        // Abandoning an add and a delete: the current row again, nothing written.
        d.click("cmdAdd");
        d.type(d.code(), "7");
        d.click("Cmdref");
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), five + "|新名称");
        QCOMPARE(d.focus(), d.button("cmdAdd"));

        d.click("Cmddel");
        QCOMPARE(d.state(), QString("Delete armed"));
        QCOMPARE(d.shown(), QString("|"));
        QCOMPARE(d.focus(), d.button("Cmdupd"));
        d.click("Cmdref");
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), five + "|新名称");
        QCOMPARE(d.focus(), d.button("cmdAdd"));
        QCOMPARE(fx.count(m.table), 3);
        QVERIFY(fx.ui.messages.isEmpty());

        d.click("Cmdexit");
        QVERIFY(!d.form.IsLoaded());
        QVERIFY(MainForm().isEnabled());
    }

    void refusalsAndQuestions_data() { AddMemberRows(); }
    void refusalsAndQuestions()
    {
        QFETCH(Member, m);
        AppFixture fx;
        const QString one = Code(m, '1'), two = Code(m, '2');
        Seed(fx, m.table, {one, two});
        Driver d(m.form, m.codeBox, m.nameBox);
        QVERIFY(d.Open());

        d.click("cmdAdd");
        d.click("Cmdupd");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息：", m.emptyMessage)}));
        QCOMPARE(d.state(), QString("Add armed"));
        QCOMPARE(d.focus(), d.code());

        // A code the table holds: refused, still armed, the boxes on the last row;
        // confirming again without typing is refused again.
        fx.ui.clear();
        d.type(d.code(), one);
        CommitText(d.name(), "重复");
        d.click("Cmdupd");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("警告信息：", m.existsMessage)}));
        QCOMPARE(d.state(), QString("Add armed"));
        QCOMPARE(d.shown(), two + "|名称" + two);
        d.click("Cmdupd");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("警告信息：", m.existsMessage), Box("警告信息：", m.existsMessage)}));
        QCOMPARE(fx.count(m.table), 2);
        d.click("Cmdref");

        // The delete question; No keeps the row.
        fx.ui.clear();
        fx.ui.answers = {vbNo};
        d.click("Cmddel");
        d.click("Cmdupd");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息：", "确实要删除记录（" + two + ",名称" + two + "）？", vbYesNo)}));
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), two + "|名称" + two);
        QCOMPARE(d.focus(), d.button("Cmdfst"));
        QCOMPARE(fx.count(m.table), 2);
    }

    void codeBoxKeys_data() { AddMemberRows(); }
    void codeBoxKeys()
    {
        QFETCH(Member, m);
        AppFixture fx;
        Driver d(m.form, m.codeBox, m.nameBox);
        QVERIFY(d.Open());
        d.click("cmdAdd");

        QGuiApplication::clipboard()->setText("12");
        d.type(d.code(), "a -");
        PressKey(d.code(), Qt::Key_V, Qt::ControlModifier);
        CommitText(d.code(), "中");
        QCOMPARE(d.code()->Text(), QString());
        QCOMPARE(fx.ui.beeps, m.beeps ? 5 : 0);

        // Enter moves on only with exactly N characters; Backspace works.
        d.type(d.code(), QString(m.n - 1, '3'));
        PressKey(d.code(), Qt::Key_Return);
        Settle();
        QCOMPARE(d.focus(), d.code());
        PressKey(d.code(), Qt::Key_Backspace);
        QCOMPARE(d.code()->Text(), QString(m.n - 2, '3'));

        // N is the typing limit.
        d.type(d.code(), "4444444");
        QCOMPARE(d.code()->Text(), (QString(m.n - 2, '3') + "4444444").left(m.n));
        QCOMPARE(d.focus(), d.name());
        SetFocus(d.code());
        Settle();
        PressKey(d.code(), Qt::Key_Return);
        Settle();
        QCOMPARE(d.focus(), d.name());
        QCOMPARE(fx.ui.beeps, m.beeps ? 5 : 0);
    }

    void nameBoxBlanks_data() { AddMemberRows(); }
    void nameBoxBlanks()
    {
        QFETCH(Member, m);
        AppFixture fx;
        Driver d(m.form, m.codeBox, m.nameBox);
        QVERIFY(d.Open());
        d.click("cmdAdd");
        d.type(d.code(), Code(m, '5'));
        d.type(d.name(), "甲 乙");
        QCOMPARE(d.name()->Text(), m.dropsBlanks ? QString("甲乙") : QString("甲 乙"));
        QGuiApplication::clipboard()->setText(" 丙 ");
        PressKey(d.name(), Qt::Key_V, Qt::ControlModifier);   // a paste keeps its blanks
        d.click("Cmdupd");
        QCOMPARE(Stored(fx, m.table),
                 QList<QStringList>({{Code(m, '5'), m.dropsBlanks ? QString("甲乙 丙") : QString("甲 乙 丙")}}));
        QCOMPARE(fx.ui.beeps, 0);
    }

    // Pasting through a box's context menu meets the same rules as typing: the code
    // box refuses the paste key, the name box takes no more than its length.
    void contextMenuPasteKeepsTheBoxRules()
    {
        AppFixture fx;
        Driver d = Dwdm();
        QVERIFY(d.Open());
        d.click("cmdAdd");
        QGuiApplication::clipboard()->setText("ab9 8xyz77");
        QVERIFY(PasteByContextMenu(d.code()));
        QCOMPARE(d.code()->Text(), QString());
        QCOMPARE(fx.ui.beeps, 1);

        d.type(d.code(), "12345");
        QCOMPARE(d.focus(), d.name());
        const QString name = QString("名字示范工业技术大学").repeated(4).left(39);
        QGuiApplication::clipboard()->setText(name);
        QVERIFY(PasteByContextMenu(d.name()));
        d.click("Cmdupd");
        QCOMPARE(Stored(fx, "dwdm"), QList<QStringList>({{"12345", name.left(10)}}));   // 20 bytes
    }

    // The window design of each member: layout numbers, texts, lengths, tab order.
    void design_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<QRect>("frame1");
        QTest::addColumn<QRect>("codeLabel");   // inside Frame1
        QTest::addColumn<QRect>("codeBox");
        QTest::addColumn<int>("buttonLeft");
        QTest::addColumn<int>("frame2Left");
        QTest::addColumn<QRect>("grid");
        QTest::addColumn<QStringList>("names");   // code box, name box, code label, name label
        QTest::addColumn<QStringList>("texts");   // code label, name label, grid captions
        QTest::addColumn<QStringList>("fields");  // grid fields
        QTest::addColumn<QList<int>>("lengths");  // code box, name box

        const QRect frame1(480, 1080, 3375, 1215), label(240, 240, 975, 255), box(1680, 1320, 1935, 270),
            grid(4440, 240, 3615, 4800);
        QTest::newRow("frmdwdm") << "frmdwdm" << 8250 << frame1 << label << box << 240 << 120 << grid
                                 << QStringList{"Txtdwdm", "Txtdwmc", "Lbldwdm", "Lbldwmc"}
                                 << QStringList{"单位代码：", "单位名称：", "  单位代码", "     单位名称"}
                                 << QStringList{"DWDM", "DWMC"} << QList<int>{5, 20};
        QTest::newRow("frmmzdm") << "frmmzdm" << 8235 << frame1 << label << box << 240 << 120 << grid
                                 << QStringList{"Txtmzdm", "Txtmzmc", "Lblxkdm", "Lblxkmc"}
                                 << QStringList{"民族代码：", "民族名称：", "  民族代码", "     民族名称"}
                                 << QStringList{"MZDM", "MZMC"} << QList<int>{2, 10};
        QTest::newRow("frmejdwdm") << "frmejdwdm" << 8250 << QRect(240, 1080, 3855, 1215) << QRect(240, 240, 1335, 255)
                                   << QRect(1920, 1320, 1935, 270) << 240 << 120 << QRect(4320, 240, 3735, 4800)
                                   << QStringList{"Txtejdwdm", "Txtejdwmc", "Lblejdwdm", "Lblejdwmc"}
                                   << QStringList{"二级单位代码：", "二级单位名称：", "二级单位代码", "     二级单位名称"}
                                   << QStringList{"EJDWDM", "EJDWMC"} << QList<int>{3, 20};
        QTest::newRow("frmrwjd") << "frmrwjd" << 9825 << QRect(0, 1080, 4815, 1215) << QRect(120, 240, 1680, 255)
                                 << QRect(1800, 1320, 2895, 270) << 360 << 240 << QRect(4920, 240, 4815, 4800)
                                 << QStringList{"txtsysdm", "Txtsysmc", "Lblsysdm", "Lblsysmc"}
                                 << QStringList{"人文社科基地代码：", "人文社科基地名称：", "代码",
                                                "     所属人文、社科研究基地名称"}
                                 << QStringList{"rwjddm", "rwjdmc"} << QList<int>{2, 40};
        QTest::newRow("frmzcdm") << "frmzcdm" << 8250 << frame1 << label << box << 240 << 120 << grid
                                 << QStringList{"txtzcdm", "Txtzcmc", "Lblzcdm", "Lblzcmc"}
                                 << QStringList{"职称代码：", "职称名称：", "  职称代码", "     职称名称"}
                                 << QStringList{"ZCDM", "ZCMC"} << QList<int>{3, 20};
        QTest::newRow("frmsys") << "frmsys" << 9825 << QRect(0, 1080, 4815, 1215) << QRect(120, 240, 1080, 255)
                                << QRect(1200, 1320, 3495, 270) << 360 << 240 << QRect(4920, 240, 4815, 4800)
                                << QStringList{"txtsysdm", "Txtsysmc", "Lblsysdm", "Lblsysmc"}
                                << QStringList{"实验室代码：", "实验室名称：", "代码", "         实验室名称"}
                                << QStringList{"sysdm", "sysmc"} << QList<int>{2, 40};
        QTest::newRow("frmxkdm") << "frmxkdm" << 8250 << frame1 << label << box << 240 << 120 << grid
                                 << QStringList{"txtxkdm", "txtxkmc", "Lblxkdm", "Lblxkmc"}
                                 << QStringList{"学科代码：", "学科名称：", "  学科代码", "     学科名称"}
                                 << QStringList{"XKDM", "XKMC"} << QList<int>{2, 20};
    }
    void design()
    {
        QFETCH(QString, form);
        QFETCH(int, clientWidth);
        QFETCH(QRect, frame1);
        QFETCH(QRect, codeLabel);
        QFETCH(QRect, codeBox);
        QFETCH(int, buttonLeft);
        QFETCH(int, frame2Left);
        QFETCH(QRect, grid);
        QFETCH(QStringList, names);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, fields);
        QFETCH(QList<int>, lengths);
        AppFixture fx;
        gCategory = 1;
        Driver d(form, names[0], names[1]);
        QVERIFY(d.Open());
        auto tw = [](const QRect& r) { return TwipsRect(r.x(), r.y(), r.width(), r.height()); };

        QCOMPARE(d.form.size(), QSize(TwipsToPixels(clientWidth), TwipsToPixels(5610)));
        QCOMPARE(Child<QWidget>(&d.form, "Frame1")->geometry(), tw(frame1));
        auto* lblCode = Child<QLabel>(&d.form, names[2]);
        auto* lblName = Child<QLabel>(&d.form, names[3]);
        QCOMPARE(lblCode->parentWidget()->objectName(), QString("Frame1"));
        QCOMPARE(lblCode->geometry(), tw(codeLabel));
        QCOMPARE(lblName->geometry(), tw(codeLabel.translated(0, 480)));
        QCOMPARE(d.code()->geometry(), tw(codeBox));
        QCOMPARE(d.name()->geometry(), tw(codeBox.translated(0, 480)));
        QCOMPARE(Child<QWidget>(&d.form, "Frame2")->geometry(), tw(QRect(frame2Left, 2400, 4095, 1215)));
        const QStringList rows[] = {{"cmdAdd", "Cmddel", "Cmdref", "Cmdupd"}, {"Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst"}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(d.button(rows[r][c])->geometry(), tw(QRect(buttonLeft + 960 * c, 2640 + 480 * r, 975, 345)));
        QCOMPARE(d.button("Cmdprev")->geometry(), tw(QRect(buttonLeft + 1920, 3720, 975, 345)));
        QCOMPARE(d.button("Cmdexit")->geometry(), tw(QRect(buttonLeft + 2880, 3720, 975, 345)));
        QCOMPARE(d.grid()->geometry(), tw(grid));
        QVERIFY(!Child<QWidget>(&d.form, "data1")->isVisible());

        QCOMPARE(QStringList({lblCode->text(), lblName->text(), d.grid()->ColumnCaption(0), d.grid()->ColumnCaption(1)}),
                 texts);
        QCOMPARE(QStringList({d.grid()->ColumnField(0), d.grid()->ColumnField(1)}), fields);
        QCOMPARE(QList<int>({d.code()->MaxLength(), d.name()->MaxLength()}), lengths);
        QCOMPARE(d.name()->MaxLengthUnit(), LengthUnit::GbkBytes);

        const QStringList captions = {"增  加", "删  除", "取  消", "确  认", "第一条", "上一条",
                                      "下一条", "最后一条", "预  览", "退  出"};
        const QStringList buttons = {"cmdAdd", "Cmddel", "Cmdref", "Cmdupd", "Cmdfst",
                                     "Cmdpre", "Cmdnxt", "Cmdlst", "Cmdprev", "Cmdexit"};
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(d.button(buttons[i])->text(), captions[i]);

        // Tab order: the two boxes, the buttons in reading order, the grid.
        QStringList chain;
        QWidget* w = d.code();
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != d.code());
        QCOMPARE(chain, QStringList({names[0], names[1]}) + buttons + QStringList{"DataGrid1"});
    }

    // The report control runs the member's file in an 800 × 600 window at the top left.
    void preview_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("frmdwdm") << "frmdwdm" << "rptdw" << "rptdw.rpt" << QStringList{"Txtdwdm", "Txtdwmc"};
        QTest::newRow("frmmzdm") << "frmmzdm" << "rptmz" << "rptmz.rpt" << QStringList{"Txtmzdm", "Txtmzmc"};
        QTest::newRow("frmejdwdm") << "frmejdwdm" << "rptejdw" << "rptejdw.rpt" << QStringList{"Txtejdwdm", "Txtejdwmc"};
        QTest::newRow("frmrwjd") << "frmrwjd" << "rptsys" << "rptrwjd.rpt" << QStringList{"txtsysdm", "Txtsysmc"};
        QTest::newRow("frmzcdm") << "frmzcdm" << "rptzc" << "rptzc.rpt" << QStringList{"txtzcdm", "Txtzcmc"};
        QTest::newRow("frmsys") << "frmsys" << "rptsys" << "rptsys.rpt" << QStringList{"txtsysdm", "Txtsysmc"};
        QTest::newRow("frmxkdm") << "frmxkdm" << "rptxk" << "rptxk.rpt" << QStringList{"txtxkdm", "txtxkmc"};
    }
    void preview()
    {
        QFETCH(QString, form);
        QFETCH(QString, control);
        QFETCH(QString, file);
        QFETCH(QStringList, boxes);
        AppFixture fx;
        gCategory = 1;
        Driver d(form, boxes[0], boxes[1]);
        QVERIFY(d.Open());
        auto* rpt = d.form.findChild<ReportControl*>(control);
        QVERIFY(rpt);
        QCOMPARE(rpt->ReportFileName(), appFolder() + "/" + file);
        rpt->SetWindowWidth(1);
        rpt->SetWindowHeight(2);
        rpt->SetWindowLeft(3);
        rpt->SetWindowTop(4);
        d.click("Cmdprev");
        QCOMPARE(rpt->ReportFileName(), appFolder() + "/" + file);
        QCOMPARE(QList<int>({rpt->WindowWidth(), rpt->WindowHeight(), rpt->WindowLeft(), rpt->WindowTop()}),
                 QList<int>({800, 600, 0, 0}));
        QCOMPARE(d.state(), QString("Browse"));
    }

    // ---------------------------------------------------------------------------
    // Shared behaviour, shown on the unit window.

    void duplicateScan_data()
    {
        QTest::addColumn<QVariantList>("stored");   // codes; a null value is a NULL code
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("lastRow");       // shown after a refusal
        const QVariantList three = {"11111", "22222", "33333"};
        QTest::newRow("the only row") << QVariantList{"11111"} << "11111" << true << "11111";
        QTest::newRow("first row") << three << "11111" << true << "33333";
        QTest::newRow("middle row") << three << "22222" << true << "33333";
        QTest::newRow("last row") << three << "33333" << true << "33333";
        QTest::newRow("stored with blanks around") << QVariantList{" 22222 ", "33333"} << "22222" << true << "33333";
        QTest::newRow("shorter code is new") << QVariantList{"12345"} << "12" << false << "";
        QTest::newRow("NULL code is passed over") << QVariantList{QVariant(), "22222"} << "22222" << true << "22222";
        QTest::newRow("new after a NULL code") << QVariantList{QVariant(), "22222"} << "33333" << false << "";
    }
    void duplicateScan()
    {
        QFETCH(QVariantList, stored);
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(QString, lastRow);
        AppFixture fx;
        for (const QVariant& c : stored)
            fx.exec("insert into dwdm values (?, ?)", {c, "名称" + c.toString()});
        const auto before = Stored(fx, "dwdm");
        Driver d = Dwdm();
        QVERIFY(d.Open());
        d.click("cmdAdd");
        d.type(d.code(), typed);
        CommitText(d.name(), "新");
        d.click("Cmdupd");
        if (refused) {
            QCOMPARE(Boxes(fx.ui), QStringList({Box("警告信息：", "此单位代码在数据库中已经存在，不能再增加！！！")}));
            QCOMPARE(d.state(), QString("Add armed"));
            QCOMPARE(d.shown(), lastRow + "|名称" + lastRow);
            QCOMPARE(Stored(fx, "dwdm"), before);
        } else {
            QVERIFY(fx.ui.messages.isEmpty());
            QCOMPARE(d.state(), QString("Browse"));
            QCOMPARE(d.shown(), typed + "|新");
            QCOMPARE(fx.rows("select dwmc from dwdm where dwdm = ?", {typed}), QList<QStringList>({{"新"}}));
            QCOMPARE(fx.count("dwdm"), stored.size() + 1);
        }
    }

    void deleteRow_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("at");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("shown");
        const QStringList three = {"11111", "22222", "33333"};
        QTest::newRow("first") << three << 0 << QStringList{"22222", "33333"} << "22222";
        QTest::newRow("middle") << three << 1 << QStringList{"11111", "33333"} << "33333";
        QTest::newRow("last: the new last row") << three << 2 << QStringList{"11111", "22222"} << "22222";
        QTest::newRow("only row: empty boxes") << QStringList{"11111"} << 0 << QStringList{} << "";
    }
    void deleteRow()
    {
        QFETCH(QStringList, codes);
        QFETCH(int, at);
        QFETCH(QStringList, left);
        QFETCH(QString, shown);
        AppFixture fx;
        Seed(fx, "dwdm", codes);
        Driver d = Dwdm();
        QVERIFY(d.Open());
        for (int i = 0; i < at; ++i)
            d.click("Cmdnxt");
        d.click("Cmddel");
        d.click("Cmdupd");   // answered Yes
        QCOMPARE(Boxes(fx.ui),
                 QStringList({Box("提示信息：", "确实要删除记录（" + codes[at] + ",名称" + codes[at] + "）？", vbYesNo)}));
        QStringList stored;
        for (const QStringList& r : Stored(fx, "dwdm"))
            stored << r[0];
        QCOMPARE(stored, left);
        QCOMPARE(d.gridCodes(), left);
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.code()->Text(), shown);
        QCOMPARE(d.name()->Text(), shown.isEmpty() ? QString() : "名称" + shown);
        QCOMPARE(d.focus(), d.button("Cmdfst"));

        if (left.isEmpty()) {
            fx.ui.clear();
            d.click("Cmddel");
            QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息", "没有可以删除的记录！请核查。")}));
            QCOMPARE(d.state(), QString("Browse"));
        }
    }

    void navigation()
    {
        AppFixture fx;
        Seed(fx, "dwdm", {"11111", "22222", "33333"});
        Driver d = Dwdm();
        QVERIFY(d.Open());
        d.click("Cmdlst");
        QCOMPARE(d.shown(), QString("33333|名称33333"));
        d.click("Cmdnxt");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息", "已经是最后一条记录！")}));
        QCOMPARE(d.shown(), QString("33333|名称33333"));
        QCOMPARE(d.grid()->Row(), 2);
        d.click("Cmdfst");
        d.click("Cmdpre");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息", "已经是最后一条记录！"), Box("提示信息", "已经是第一条记录！")}));
        QCOMPARE(d.shown(), QString("11111|名称11111"));
        d.click("Cmdnxt");
        QCOMPARE(d.shown(), QString("22222|名称22222"));
        d.click("Cmdpre");
        QCOMPARE(d.shown(), QString("11111|名称11111"));

        // A click in the grid moves the row shown.
        DataGrid* g = d.grid();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(2, 1)).center());
        Settle();
        QCOMPARE(d.shown(), QString("33333|名称33333"));
        QCOMPARE(fx.ui.messages.size(), 2);
    }

    void emptyTable()
    {
        AppFixture fx;
        Driver d = Dwdm();
        QVERIFY(d.Open());
        QCOMPARE(d.shown(), QString("|"));
        QCOMPARE(d.state(), QString("Browse"));
        for (const char* b : {"Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst"})
            d.click(b);
        QVERIFY(fx.ui.messages.isEmpty());
        d.click("Cmddel");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息", "没有可以删除的记录！请核查。")}));
        QCOMPARE(d.state(), QString("Browse"));

        // An abandoned add leaves no typed code behind as if it were a row.
        fx.ui.clear();
        d.click("cmdAdd");
        d.type(d.code(), "123");
        d.click("Cmdref");
        QCOMPARE(d.shown(), QString("|"));
        d.click("Cmddel");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息", "没有可以删除的记录！请核查。")}));

        // A short code and an empty name are stored as they are.
        fx.ui.clear();
        d.click("cmdAdd");
        d.type(d.code(), "12");
        d.click("Cmdupd");
        QVERIFY(fx.ui.messages.isEmpty());
        QCOMPARE(Stored(fx, "dwdm"), QList<QStringList>({{"12", ""}}));
        QCOMPARE(d.shown(), QString("12|"));
        QCOMPARE(d.gridCodes(), QStringList({"12"}));
    }

    void nullCodesAndNames()
    {
        AppFixture fx;
        fx.exec("insert into dwdm values (NULL, '无代码')");
        fx.exec("insert into dwdm values ('22222', NULL)");
        Driver d = Dwdm();
        QVERIFY(d.Open());
        QCOMPARE(d.shown(), QString("|无代码"));
        QCOMPARE(d.gridCodes(), QStringList({"", "22222"}));
        d.click("Cmdnxt");
        QCOMPARE(d.shown(), QString("22222|"));
        fx.ui.answers = {vbNo};
        d.click("Cmddel");
        d.click("Cmdupd");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息：", "确实要删除记录（22222,）？", vbYesNo)}));
        QCOMPARE(d.shown(), QString("22222|"));
    }

    void exitWhileArmedWritesNothing_data()
    {
        QTest::addColumn<QString>("arm");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("add, 退出") << "cmdAdd" << false;
        QTest::newRow("add, close box") << "cmdAdd" << true;
        QTest::newRow("delete, 退出") << "Cmddel" << false;
        QTest::newRow("delete, close box") << "Cmddel" << true;
    }
    void exitWhileArmedWritesNothing()
    {
        QFETCH(QString, arm);
        QFETCH(bool, closeBox);
        AppFixture fx;
        Seed(fx, "dwdm", {"11111", "22222"});
        const auto before = Stored(fx, "dwdm");
        MainForm().Load();
        Driver d = Dwdm();
        QVERIFY(d.Open());
        d.click(arm);
        if (arm == "cmdAdd") {
            d.type(d.code(), "55555");
            CommitText(d.name(), "不存");
        }
        if (closeBox)
            d.form.close();
        else
            d.click("Cmdexit");
        Settle();
        QVERIFY(!d.form.IsLoaded());
        QVERIFY(MainForm().isEnabled());
        QCOMPARE(Stored(fx, "dwdm"), before);
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void loadRunsAgainAfterUnload()
    {
        AppFixture fx;
        Seed(fx, "dwdm", {"11111", "22222"});
        Driver d = Dwdm();
        QVERIFY(d.Open());
        d.click("cmdAdd");
        d.type(d.code(), "00001");
        d.click("Cmdupd");
        QCOMPARE(d.gridCodes(), QStringList({"11111", "22222", "00001"}));
        d.click("cmdAdd");
        QPointer<VbTextBox> oldBox = d.code();
        d.form.close();
        MainForm().Show();   // the menu is used again
        QVERIFY(ShowActive(&MainForm()));

        QVERIFY(d.Open());
        QVERIFY(oldBox.isNull());
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.gridCodes(), QStringList({"00001", "11111", "22222"}));
        QCOMPARE(d.shown(), QString("00001|"));
        QCOMPARE(d.grid()->Row(), 0);
        QCOMPARE(d.focus(), d.button("cmdAdd"));
        QCOMPARE(d.hint(), QString());
    }

    // ---------------------------------------------------------------------------
    // A failing database leaves the window usable, with a message saying why.

    void refusedInsertKeepsTheAddArmed()
    {
        AppFixture fx;
        Seed(fx, "dwdm", {"11111"});
        fx.exec("create trigger no_insert before insert on dwdm begin select raise(abort, '不许增加'); end");
        Driver d = Dwdm();
        QVERIFY(d.Open());
        d.click("cmdAdd");
        d.type(d.code(), "55555");
        CommitText(d.name(), "新");
        d.click("Cmdupd");
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY2(fx.ui.messages[0].text.contains("不许增加"), qPrintable(fx.ui.messages[0].text));
        QCOMPARE(d.state(), QString("Add armed"));
        QCOMPARE(d.shown(), QString("55555|新"));
        QCOMPARE(d.gridCodes(), QStringList({"11111"}));
        QCOMPARE(fx.count("dwdm"), 1);

        d.click("Cmdref");
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), QString("11111|名称11111"));
        d.click("Cmdnxt");   // no phantom row behind the last
        QCOMPARE(d.shown(), QString("11111|名称11111"));
        QCOMPARE(fx.count("dwdm"), 1);
    }

    void refusedDeleteShowsTheRowAgain()
    {
        AppFixture fx;
        Seed(fx, "dwdm", {"11111", "22222"});
        fx.exec("create trigger no_delete before delete on dwdm begin select raise(abort, '不许删除'); end");
        Driver d = Dwdm();
        QVERIFY(d.Open());
        d.click("Cmddel");
        d.click("Cmdupd");
        QCOMPARE(fx.ui.messages.size(), 2);
        QVERIFY2(fx.ui.messages[1].text.contains("不许删除"), qPrintable(fx.ui.messages[1].text));
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), QString("11111|名称11111"));
        QCOMPARE(d.gridCodes(), QStringList({"11111", "22222"}));
        QCOMPARE(fx.count("dwdm"), 2);
    }

    void missingDatabaseStillOpensTheWindow()
    {
        AppFixture fx;
        QVERIFY(QFile::rename(fx.dbPath(), fx.dbPath() + ".away"));
        Driver d = Dwdm();
        QVERIFY(d.Open());
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(d.form.IsLoaded());
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(d.shown(), QString("|"));
        d.click("Cmdexit");
        QVERIFY(!d.form.IsLoaded());
    }
};

QTEST_MAIN(TestCodeTables)
#include "tst_codetables.moc"
