#include "CodeTableDriver.h"

#include "ModVar.h"

// The discipline window: the category's range of codes, the code length by category,
// letters only, and codes of full length kept in upper case.
class TestXkdm : public QObject {
    Q_OBJECT

    static Driver Xkdm() { return Driver("frmxkdm", "txtxkdm", "txtxkmc"); }

    static void Seed(AppFixture& fx, const QStringList& codes)
    {
        for (const QString& c : codes)
            fx.exec("insert into xkdm values (?, ?)", {c, "学科" + c});
    }

private slots:
    void categoryRanges_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("1: up to P") << 1 << QStringList{"A", "AB", "O", "P"};
        QTest::newRow("2: P to Z") << 2 << QStringList{"P", "PA", "Q", "Z"};
        QTest::newRow("3: after Z") << 3 << QStringList{"ZA", "ZZ"};
    }
    void categoryRanges()
    {
        QFETCH(int, category);
        QFETCH(QStringList, shown);
        AppFixture fx;
        Seed(fx, {"ZZ", "Q", "A", "PA", "P", "ZA", "O", "Z", "AB"});
        gCategory = static_cast<std::int16_t>(category);
        Driver d = Xkdm();
        QVERIFY(d.Open());
        QCOMPARE(d.form.windowTitle(), QString("学科代码管理"));
        QCOMPARE(d.gridCodes(), shown);
        QCOMPARE(d.shown(), shown.first() + "|学科" + shown.first());
        QCOMPARE(d.state(), QString("Browse"));
    }

    // Typing into the armed code box: which keys pass, when the text turns upper
    // case, and when the focus moves on (by the text, then by Enter).
    void typing_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("movedOn");
        QTest::addColumn<int>("beeps");
        QTest::newRow("1: a at once") << 1 << "a" << "A" << true << 0;
        QTest::newRow("1: a then b") << 1 << "ab" << "AB" << true << 0;
        QTest::newRow("2: p waits") << 2 << "p" << "p" << false << 0;
        QTest::newRow("2: p then b") << 2 << "pb" << "PB" << true << 0;
        QTest::newRow("3: z then q") << 3 << "zq" << "ZQ" << true << 0;
        QTest::newRow("2: digit, blank, bracket refused") << 2 << "1 [" << "" << false << 3;
        QTest::newRow("2: refused between letters") << 2 << "p1b" << "PB" << true << 1;
    }
    void typing()
    {
        QFETCH(int, category);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(bool, movedOn);
        QFETCH(int, beeps);
        AppFixture fx;
        gCategory = static_cast<std::int16_t>(category);
        Driver d = Xkdm();
        QVERIFY(d.Open());
        d.click("cmdAdd");
        QCOMPARE(d.hint(), QString("提示信息：请输入a-z或A-Z的字母。"));
        QCOMPARE(d.code()->Ime(), ImeMode::Off);
        d.type(d.code(), keys);
        QCOMPARE(d.code()->Text(), text);
        QCOMPARE(d.focus(), movedOn ? static_cast<QWidget*>(d.name()) : d.code());
        QCOMPARE(fx.ui.beeps, beeps);

        // Enter moves on only when the box holds exactly N letters.
        SetFocus(d.code());
        Settle();
        PressKey(d.code(), Qt::Key_Return);
        Settle();
        const int n = category == 1 ? 1 : 2;
        QCOMPARE(d.focus(), text.size() == n ? static_cast<QWidget*>(d.name()) : d.code());

        PressKey(d.code(), Qt::Key_Backspace);
        QCOMPARE(d.code()->Text(), text.chopped(text.isEmpty() ? 0 : 1));
        QCOMPARE(fx.ui.beeps, beeps);
    }

    // What a confirmed add stores, and what it refuses, in each category.
    void storedCodes_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("stored");    // empty: refused as existing
        QTest::addColumn<bool>("inRangeAtReopen");
        QTest::newRow("2: one letter keeps its case") << 2 << "q" << "q" << true;
        QTest::newRow("3: one letter keeps its case") << 3 << "y" << "y" << false;
        QTest::newRow("2: one letter that exists") << 2 << "P" << "" << false;
        QTest::newRow("2: one letter beside its upper case") << 2 << "p" << "p" << true;
        QTest::newRow("2: two letters") << 2 << "pb" << "PB" << true;
        QTest::newRow("3: two letters") << 3 << "za" << "ZA" << true;
        QTest::newRow("1: another category's code") << 1 << "z" << "Z" << false;
    }
    void storedCodes()
    {
        QFETCH(int, category);
        QFETCH(QString, keys);
        QFETCH(QString, stored);
        QFETCH(bool, inRangeAtReopen);
        AppFixture fx;
        Seed(fx, {"A", "P", "Z"});
        gCategory = static_cast<std::int16_t>(category);
        Driver d = Xkdm();
        QVERIFY(d.Open());
        const QStringList before = d.gridCodes();
        d.click("cmdAdd");
        d.type(d.code(), keys);
        CommitText(d.name(), "新学科");
        d.click("Cmdupd");
        if (stored.isEmpty()) {
            QCOMPARE(Boxes(fx.ui), QStringList({Box("警告信息：", "此学科代码在数据库中已经存在，不能再增加！！！")}));
            QCOMPARE(d.state(), QString("Add armed"));
            QCOMPARE(fx.count("xkdm"), 3);
            return;
        }
        QVERIFY(fx.ui.messages.isEmpty());
        QCOMPARE(fx.rows("select xkdm from xkdm where xkmc = '新学科'"), QList<QStringList>({{stored}}));
        QCOMPARE(d.gridCodes(), before + QStringList{stored});   // at the end until reopened
        QCOMPARE(d.shown(), stored + "|新学科");

        d.click("Cmdexit");
        MainForm().Show();
        QVERIFY(ShowActive(&MainForm()));
        QVERIFY(d.Open());
        QCOMPARE(d.gridCodes().contains(stored), inRangeAtReopen);
    }

    // A category without codes shows empty boxes, as an empty table does, and has
    // nothing to delete.
    void categoryWithoutCodes()
    {
        AppFixture fx;
        Seed(fx, {"A", "P", "Z"});
        gCategory = 3;
        Driver d = Xkdm();
        QVERIFY(d.Open());
        QCOMPARE(d.gridCodes(), QStringList());
        QCOMPARE(d.shown(), QString("|"));
        QCOMPARE(d.state(), QString("Browse"));
        d.click("Cmddel");
        QCOMPARE(Boxes(fx.ui), QStringList({Box("提示信息", "没有可以删除的记录！请核查。")}));
        QCOMPARE(d.state(), QString("Browse"));
        QCOMPARE(fx.count("xkdm"), 3);
    }

    void nameTakesBlanks()
    {
        AppFixture fx;
        gCategory = 1;
        Driver d = Xkdm();
        QVERIFY(d.Open());
        d.click("cmdAdd");
        d.type(d.code(), "m");
        d.type(d.name(), " 数 学 ");
        QCOMPARE(d.name()->Text(), QString(" 数 学 "));
        d.click("Cmdupd");
        QCOMPARE(fx.rows("select * from xkdm"), QList<QStringList>({{"M", "数 学"}}));
    }
};

QTEST_MAIN(TestXkdm)
#include "tst_xkdm.moc"
