// Expert scoring: the year and group lists, the group's projects copied into the
// scratch table, the score keys, scores handed over to the row they were typed for,
// and the merge into zjdf that neither adds a row twice nor empties a stored score.

#include "Controls.h"
#include "DataGrid.h"
#include "TestSupport.h"
#include "frmzjdf.h"

#include <QComboBox>
#include <QTest>

namespace {

struct Window {
    frmzjdf* f = nullptr;

    explicit Window()
    {
        forms::frmzjdf->Show();
        f = &*forms::frmzjdf;
        ShowActive(f);
        Settle();
    }
    QComboBox* groups() const { return Child<QComboBox>(f, "Combo1"); }
    QComboBox* years() const { return Child<QComboBox>(f, "Combo2"); }
    DataGrid* grid() const { return Child<DataGrid>(f, "DataGrid1"); }
    VbTextBox* score(int i) const { return Child<VbTextBox>(f, QString("Text1_%1").arg(i)); }
    VbCheckBox* tick(int i) const { return Child<VbCheckBox>(f, QString("Check1_%1").arg(i)); }
    QStringList items(QComboBox* c) const
    {
        QStringList s;
        for (int i = 0; i < c->count(); ++i)
            s << c->itemText(i);
        return s;
    }
    void pick(QComboBox* c, int index) const
    {
        c->setCurrentIndex(index);
        emit c->activated(index);
        Settle();
    }
    void selectRow(int row) const
    {
        grid()->setCurrentIndex(grid()->model()->index(row, 0));
        Settle();
    }
    void press(const QString& name) const
    {
        QTest::mouseClick(Child<VbButton>(f, name), Qt::LeftButton);
        Settle();
    }
    // Ticks expert i and types a score.
    void give(int i, const QString& text) const
    {
        QTest::mouseClick(tick(i), Qt::LeftButton, {}, QPoint(4, 4));
        score(i)->setFocus();
        score(i)->selectAll();
        QTest::keyClick(score(i), Qt::Key_Delete);
        QTest::keyClicks(score(i), text);
        Settle();
    }
};

// Projects to score and the groups of two years.
void Fill(AppFixture& fx)
{
    fx.exec("insert into xkhf values ('2026', '理科组', 'PAPB'), ('2025', '旧组', 'PA'), ('2026', '工科组', 'TC'), "
            "('2027', '新组', 'PA')");
    fx.exec("insert into sh values ('PA', 'BH1', '张三', '数学项目', '单位一'), ('TC', 'BH2', '李四', '工程项目', '单位二'), "
            "('PB', 'BH3', '王五', '物理项目', '单位三'), ('', 'BH4', '赵六', '无学科项目', '单位四'), "
            "(null, 'BH5', '钱七', '空学科项目', '单位五'), ('pa', 'BH6', '孙八', '小写项目', '单位六')");
}

QStringList Rows(AppFixture& fx, const QString& table)
{
    QStringList s;
    QStringList columns;
    for (const char* c : {"XMMC", "FS1", "YJ1", "FS2", "YJ2", "XMBH"})
        columns << QString("ifnull(%1, '')").arg(c);
    for (const QStringList& r : fx.rows(QString("select %1 from %2 order by rowid").arg(columns.join(','), table)))
        s << r.join('|');
    return s;
}

}  // namespace

class TestFrmzjdf : public QObject {
    Q_OBJECT
private slots:
    void loadListsTheYearsAndTheCurrentYearsGroups();
    void pickingAYearAndAGroup();
    void scoreKeys_data();
    void scoreKeys();
    void scoresGoIntoTheirRow();
    void scoreOutOfRangeKeepsTheRow();
    void mergeAddsNothingTwiceAndKeepsStoredScores();
    void mergeFindsARowByLeaderAndNameTogether();
    void mergeIsAllOrNothing();
    void exitWithNoDiscardsTheScratchRows();
};

void TestFrmzjdf::loadListsTheYearsAndTheCurrentYearsGroups()
{
    AppFixture fx;
    Fill(fx);
    fx.exec("insert into zjdfcopy (XMMC) values ('上次留下的')");
    Window w;
    QCOMPARE(w.f->windowTitle(), QString("专家打分"));
    // Its data source is the installation's own database file.
    QCOMPARE(DataSourceOf("DSN=qwdb"), DefaultDbPath());
    QCOMPARE(DataSourceOf("DSN=other"), QString());
    QCOMPARE(w.items(w.years()), (QStringList{" 2023", " 2024", " 2025", " 2026", " 2027", " 2028", " 2029"}));
    QCOMPARE(w.years()->currentText(), QString("2026"));
    QCOMPARE(w.items(w.groups()), (QStringList{"理科组", "工科组"}));
    QCOMPARE(fx.count("zjdfcopy"), 0);
    for (int i = 0; i < frmzjdf::kExperts; ++i) {
        QVERIFY(!w.tick(i)->isEnabled());
        QVERIFY(!w.score(i)->isEnabled());
    }
    QCOMPARE(w.score(5)->MaxLength(), 5);
    QCOMPARE(w.score(0)->MaxLength(), 0);
}

void TestFrmzjdf::pickingAYearAndAGroup()
{
    AppFixture fx;
    Fill(fx);
    Window w;
    w.pick(w.groups(), 0);
    // The group's projects in sh order: codes found in the code string (an empty
    // code in every group, no code in none, case counts).
    QCOMPARE(Rows(fx, "zjdfcopy"), (QStringList{"数学项目|||||BH1", "物理项目|||||BH3", "无学科项目|||||BH4"}));
    QCOMPARE(w.grid()->VisibleRowCount(), 3);
    QCOMPARE(w.grid()->CellText(0, 2), QString("张三"));
    QCOMPARE(w.grid()->CellText(0, 15), QString("单位一"));
    QVERIFY(w.tick(0)->isEnabled());
    QVERIFY(!w.score(0)->isEnabled());

    // A year picked: its groups, once each; the grid keeps its rows.
    w.pick(w.years(), 4);
    QCOMPARE(w.items(w.groups()), QStringList{"新组"});
    QCOMPARE(w.grid()->VisibleRowCount(), 3);
    // Another group replaces the rows.
    w.pick(w.groups(), 0);
    QCOMPARE(Rows(fx, "zjdfcopy"), (QStringList{"数学项目|||||BH1", "无学科项目|||||BH4"}));
}

void TestFrmzjdf::scoreKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit") << "8" << int('5') << true;
    QTest::newRow("point") << "85" << int('.') << true;
    QTest::newRow("second point") << "8.x" << int('.') << false;
    QTest::newRow("letter") << "" << int('a') << false;
    QTest::newRow("blank") << "8" << int(' ') << false;
    QTest::newRow("backspace") << "85" << int(vbkey::Back) << true;
    QTest::newRow("after one decimal") << "85.5" << int('1') << false;
    QTest::newRow("backspace after one decimal") << "85.5" << int(vbkey::Back) << false;
    QTest::newRow("a point at the end") << "85." << int('5') << true;
}

void TestFrmzjdf::scoreKeys()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(bool, accepted);
    int k = key;
    frmzjdf::ScoreKey(text, k);
    QCOMPARE(k != 0, accepted);
}

void TestFrmzjdf::scoresGoIntoTheirRow()
{
    AppFixture fx;
    Fill(fx);
    Window w;
    w.pick(w.groups(), 0);
    w.give(0, "85.5");
    w.give(1, "90");
    w.selectRow(1);
    // Typed for the first row, there it is; the inputs show the row on show.
    QCOMPARE(Rows(fx, "zjdfcopy").value(0), QString("数学项目|85.5|1|90|1|BH1"));
    QVERIFY(!w.tick(0)->isChecked());
    QCOMPARE(w.score(0)->Text(), QString());
    // Back on the first row its scores show; unticking an expert keeps the score.
    w.selectRow(0);
    QCOMPARE(w.score(0)->Text(), QString("85.5"));
    QVERIFY(w.tick(1)->isChecked());
    QTest::mouseClick(w.tick(1), Qt::LeftButton, {}, QPoint(4, 4));
    // A ticked expert without a score: the message, and the rest is written all the same.
    QTest::mouseClick(w.tick(2), Qt::LeftButton, {}, QPoint(4, 4));
    w.selectRow(2);
    QCOMPARE(fx.ui.texts(), QStringList{"请将信息填写完整。"});
    QCOMPARE(fx.ui.messages.first().title, QString("提示信息"));
    QCOMPARE(Rows(fx, "zjdfcopy").value(0), QString("数学项目|85.5|1|90|0|BH1"));
    QCOMPARE(fx.rows("select FS3, YJ3 from zjdfcopy where XMBH = 'BH1'").value(0), (QStringList{"", "1"}));
    // Moving without typing writes nothing.
    fx.ui.clear();
    w.selectRow(0);
    w.selectRow(1);
    QVERIFY(fx.ui.messages.isEmpty());
    QCOMPARE(Rows(fx, "zjdfcopy").value(0), QString("数学项目|85.5|1|90|0|BH1"));
}

void TestFrmzjdf::scoreOutOfRangeKeepsTheRow()
{
    AppFixture fx;
    Fill(fx);
    Window w;
    w.pick(w.groups(), 0);
    w.give(0, "100.5");
    w.selectRow(1);
    QCOMPARE(fx.ui.texts(), QStringList{"请确认所打的每一个分数均在0--100内。"});
    QCOMPARE(w.grid()->Row(), 0);
    QCOMPARE(w.score(0)->Text(), QString("100.5"));
    QCOMPARE(Rows(fx, "zjdfcopy").value(0), QString("数学项目|||||BH1"));
    // Confirm does not go on either; with the score mended everything goes.
    fx.ui.clear();
    w.press("Command1");
    QCOMPARE(fx.ui.texts(), QStringList{"请确认所打的每一个分数均在0--100内。"});
    w.score(0)->SetText("100");
    fx.ui.clear();
    fx.ui.answers = {platform::vbYes};
    w.press("Command1");
    QCOMPARE(fx.ui.texts(), QStringList{"打分完毕，如果要保存所有分数，请按“是”，否则，请按“否”。"});
    QCOMPARE(fx.ui.messages.first().title, QString("提示信息 "));
    QCOMPARE(Rows(fx, "zjdf").value(0), QString("数学项目|100|1||0|BH1"));
}

void TestFrmzjdf::mergeAddsNothingTwiceAndKeepsStoredScores()
{
    AppFixture fx;
    Fill(fx);
    // A stored score of the second project from an earlier session.
    fx.exec("insert into zjdf (XMBH, XMMC, XMFZR, FS1, YJ1) values ('BH3', '物理项目', '王五', '77', '1')");
    Window w;
    w.pick(w.groups(), 0);
    w.give(0, "60");
    fx.ui.answers = {platform::vbYes};
    w.press("Command1");
    const QStringList merged{"物理项目|77|1|||BH3", "数学项目|60|1||0|BH1", "无学科项目|||||BH4"};
    QCOMPARE(Rows(fx, "zjdf"), merged);
    // Confirmed again, and left with Yes: the same rows, none added.
    fx.ui.answers = {platform::vbYes};
    w.press("Command1");
    fx.ui.answers = {platform::vbYes};
    w.press("Command2");
    QVERIFY(!forms::frmzjdf.loaded());
    QCOMPARE(Rows(fx, "zjdf"), merged);
    // A changed score overwrites the stored one.
    Window again;
    again.pick(again.groups(), 0);
    again.give(0, "65");
    fx.ui.answers = {platform::vbNo, platform::vbYes};
    again.press("Command1");
    QCOMPARE(Rows(fx, "zjdf"), merged);
    again.press("Command2");
    QCOMPARE(Rows(fx, "zjdf").value(1), QString("数学项目|65|1||0|BH1"));
}

void TestFrmzjdf::mergeFindsARowByLeaderAndNameTogether()
{
    AppFixture fx;
    Fill(fx);
    // 张三 leads two projects of the group; 王五 leads one with the name of another.
    fx.exec("insert into sh values ('PA', 'BH7', '张三', '代数项目', '单位一'), ('PB', 'BH8', '王五', '数学项目', '单位三')");
    fx.exec("insert into zjdf (XMBH, XMMC, XMFZR, FS1, YJ1) values ('BH7', '代数项目', '张三', '70', '1')");
    Window w;
    w.pick(w.groups(), 0);
    QCOMPARE(w.grid()->VisibleRowCount(), 5);
    w.give(0, "60");
    w.selectRow(3);
    w.give(0, "80");
    w.selectRow(4);
    w.give(0, "90");
    fx.ui.answers = {platform::vbYes};
    w.press("Command1");
    QVERIFY2(fx.ui.texts() == QStringList{"打分完毕，如果要保存所有分数，请按“是”，否则，请按“否”。"},
             qPrintable(fx.ui.texts().join(',')));
    QCOMPARE(Rows(fx, "zjdf"), (QStringList{"代数项目|80|1||0|BH7", "数学项目|60|1||0|BH1", "物理项目|||||BH3",
                                            "无学科项目|||||BH4", "数学项目|90|1||0|BH8"}));
}

void TestFrmzjdf::mergeIsAllOrNothing()
{
    AppFixture fx;
    Fill(fx);
    fx.exec("insert into zjdf (XMBH, XMMC, XMFZR, FS1, YJ1) values ('BH3', '物理项目', '王五', '77', '1')");
    // The table refuses the group's last project.
    fx.exec("create trigger refuse before insert on zjdf when new.XMMC = '无学科项目' "
            "begin select raise(abort, 'refused'); end");
    Window w;
    w.pick(w.groups(), 0);
    w.give(0, "60");
    w.selectRow(1);
    w.give(0, "88");
    fx.ui.answers = {platform::vbYes};
    w.press("Command1");
    QCOMPARE(fx.ui.messages.size(), 2);
    QVERIFY2(fx.ui.messages.last().text.contains("refused") || fx.ui.messages.last().detail.contains("refused"),
             qPrintable(fx.ui.texts().join(',')));
    // Nothing of the merge stays: no row added, the stored score as it was.
    QCOMPARE(Rows(fx, "zjdf"), QStringList{"物理项目|77|1|||BH3"});
    QCOMPARE(fx.count("zjdfcopy"), 3);
    // With the table willing, the same scores go in whole.
    fx.exec("drop trigger refuse");
    fx.ui.clear();
    fx.ui.answers = {platform::vbYes};
    w.press("Command1");
    QCOMPARE(fx.ui.messages.size(), 1);
    QCOMPARE(Rows(fx, "zjdf"), (QStringList{"物理项目|88|1||0|BH3", "数学项目|60|1||0|BH1", "无学科项目|||||BH4"}));
}

void TestFrmzjdf::exitWithNoDiscardsTheScratchRows()
{
    AppFixture fx;
    Fill(fx);
    Window w;
    w.pick(w.groups(), 1);
    w.give(0, "50");
    fx.ui.answers = {platform::vbNo};
    w.press("Command2");
    QCOMPARE(fx.ui.texts(), QStringList{"您还没有保存分数，如果要保存所有分数，请按“是”，否则，请按“否”。"});
    QVERIFY(!forms::frmzjdf.loaded());
    QCOMPARE(fx.count("zjdfcopy"), 0);
    QCOMPARE(fx.count("zjdf"), 0);
}

QTEST_MAIN(TestFrmzjdf)
#include "tst_frmzjdf.moc"
