// Saving, abandoning and moving through the applications of a category.
#include "JblrDriver.h"

#include "DataGrid.h"

namespace {
const QString kNewQuestion = "保存数据前必须确认数据准确无误，然后保存。数据正确吗？";
const QString kEditQuestion = "保存数据前必须确认修改数据准确无误，然后保存。数据正确吗？";
const QString kSaveFailed = "数据错误，请检查数据或与vero科技处联系！";

// Makes every insert of an application named 坏 fail, as a database that refuses a row.
void refuseBadRows(AppFixture& fx)
{
    fx.exec("create trigger refuse before insert on xmsb when new.xmmc = '坏' "
            "begin select raise(abort, 'refused'); end");
}
}  // namespace

class TestFrmjblrSave : public QObject {
    Q_OBJECT
    JblrDriver d;

    QString commands()
    {
        QString s;
        for (const char* n : {"Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst", "cmdinsert"})
            s += d.button(n)->isEnabled() ? '1' : '0';
        return s + (d.tabs()->isTabEnabled(frmjblr::TabBrowse) ? '1' : '0');
    }

private slots:
    void cleanup() { d.f = nullptr; }

    void newIntoAnEmptyCategory()
    {
        AppFixture fx;
        gAppUnitName = "示范大学";
        d.open(2);
        d.click("cmdinsert");
        QCOMPARE(commands(), QString("000000"));
        QCOMPARE(d.box("txtszdw")->Text(), QString("示范大学"));
        CommitText(d.box("txtxmmc"), "新项目");
        d.click("Cmdupd");
        QCOMPARE(fx.ui.texts(), QStringList{kNewQuestion});
        QCOMPARE(fx.rows("select xmlb, xmmc, szdw from xmsb"),
                 QList<QStringList>({{"B.自然科学专项", "新项目", "示范大学"}}));
        QCOMPARE(d.box("txtzjls")->Text(), QString("1"));
        QCOMPARE(commands(), QString("111111"));
        QCOMPARE(d.f->InsertFlag, QString("0"));
        QCOMPARE(d.f->ChangedFlag, QString("0"));
        QVERIFY(d.box("txtnbbh")->isEnabled());
        QCOMPARE(d.tabs()->Tab(), int(frmjblr::TabCover));
        QCOMPARE(d.focused(), QString("txtnbbh"));
    }

    void newCountsOnInPlainDigits_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("after");
        QTest::newRow("a million") << "999999" << "1000000";
        QTest::newRow("seven digits") << "1234567" << "1234568";
    }

    // The record count goes on by one in plain digits, however many rows there are
    // (a large count stands in the box as the window would have counted it).
    void newCountsOnInPlainDigits()
    {
        QFETCH(QString, count);
        AppFixture fx;
        d.open(1);
        d.box("txtzjls")->SetText(count);
        d.click("cmdinsert");
        CommitText(d.box("txtxmmc"), "新项目");
        d.click("Cmdupd");
        QTEST(d.box("txtzjls")->Text(), "after");
    }

    void newAnsweredNo()
    {
        AppFixture fx;
        d.open(1);
        d.click("cmdinsert");
        fx.ui.answers << platform::vbNo;
        d.click("Cmdupd");
        QCOMPARE(fx.count("xmsb"), 0);
        QCOMPARE(d.f->InsertFlag, QString("1"));
    }

    // An edit replaces exactly the row shown: a row of another category with the same
    // four key texts stays, a quote in the name is only a character, and the
    // suggested amount goes over into the new row.
    void editReplacesExactlyTheRowShown()
    {
        AppFixture fx;
        insertApplication(fx, 2, "O'Neil 项目", "张三", "数学", "示范大学", "2026.01.01");
        insertApplication(fx, 1, "O'Neil 项目", "张三", "数学", "示范大学", "2026.01.01", 7.5);
        d.open(1);
        QCOMPARE(d.box("txtxmmc")->Text(), QString("O'Neil 项目"));
        SetBoxText(d.box("txtnbbh"), "BH9");
        d.click("Cmdupd");
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select xmlb, xmbh, quote(jyje), yjjg from xmsb order by xmlb"),
                 QList<QStringList>({{"A.人文、社会科学专项", "BH9", "7.5", "旧机构"}, {"B.自然科学专项", "BH", "NULL", "旧机构"}}));
        QCOMPARE(d.box("txtzjls")->Text(), QString("1"));
        QVERIFY(d.f->AppRecordset().HasCurrentRow());
        QCOMPARE(d.f->AppRecordset().Text("xmbh"), QString("BH9"));
        QCOMPARE(d.focused(), QString("txtnbbh"));
    }

    // Showing a row changes the boxes, so 保存 asks at once; No, then 保存 again: nothing.
    void editAnsweredNoThenNothing()
    {
        AppFixture fx;
        insertApplication(fx, 1, "项目", "张三", "数学", "示范大学", "2026.01.01");
        d.open(1);
        fx.ui.answers << platform::vbNo;
        d.click("Cmdupd");
        d.click("Cmdupd");
        QCOMPARE(fx.ui.texts(), QStringList{kEditQuestion});
        QCOMPARE(fx.rows("select xmbh from xmsb"), QList<QStringList>{{"BH"}});
    }

    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::newRow("new") << false;
        QTest::newRow("edit") << true;
    }

    // A save the database refuses says so, with the database's reason, and leaves the
    // table, the flags, the count and the boxes as they were; corrected, the same
    // entry saves.
    void failedSaveChangesNothing()
    {
        QFETCH(bool, edit);
        AppFixture fx;
        refuseBadRows(fx);
        insertApplication(fx, 1, "项目", "张三", "数学", "示范大学", "2026.01.01", 3);
        d.open(1);
        if (!edit)
            d.click("cmdinsert");
        SetBoxText(d.box("txtxmmc"), "坏");
        SetBoxText(d.box("txtyjjg"), "新机构");
        const QString insertFlag = d.f->InsertFlag;
        d.click("Cmdupd");
        QCOMPARE(fx.ui.texts().value(1), kSaveFailed);
        // The database's reason stands behind the box's details button.
        QCOMPARE(fx.ui.messages.value(1).title, QString("提示信息"));
        QCOMPARE(fx.ui.messages.value(1).buttons, int(platform::vbOKOnly));
        QVERIFY2(fx.ui.messages.value(1).detail.contains("refused"), qPrintable(fx.ui.messages.value(1).detail));
        QCOMPARE(fx.rows("select xmmc, yjjg, jyje from xmsb"), QList<QStringList>({{"项目", "旧机构", "3"}}));
        QCOMPARE(d.f->InsertFlag, insertFlag);
        QCOMPARE(d.f->ChangedFlag, QString("1"));
        QCOMPARE(d.box("txtzjls")->Text(), QString("1"));
        QCOMPARE(d.box("txtxmmc")->Text(), QString("坏"));
        QCOMPARE(d.box("txtyjjg")->Text(), QString("新机构"));
        QCOMPARE(d.f->AppRecordset().RecordCount(), 1);
        QCOMPARE(d.f->AppRecordset().Text("xmmc"), QString("项目"));

        SetBoxText(d.box("txtxmmc"), "好");
        d.click("Cmdupd");
        QCOMPARE(fx.rows("select xmmc, yjjg from xmsb order by xmmc"),
                 edit ? QList<QStringList>({{"好", "新机构"}}) : QList<QStringList>({{"好", "新机构"}, {"项目", "旧机构"}}));
        QCOMPARE(d.box("txtzjls")->Text(), edit ? QString("1") : QString("2"));
    }

    // 放弃 after a new entry shows the current application without leftovers.
    void cancelShowsTheCurrentRowWhole()
    {
        AppFixture fx;
        insertApplication(fx, 1, "项目", "张三", "数学", "示范大学", "2026.01.01");
        d.open(1);
        d.click("cmdinsert");
        SetBoxText(d.widget("Chkbz"), "1");
        SetBoxText(d.box("txtxm3"), "残留");
        SetBoxText(d.box("txtcsny"), "1980.01");
        d.click("cmdcancel");
        QCOMPARE(d.box("txtxmmc")->Text(), QString("项目"));
        QCOMPARE(BoxText(d.widget("Chkbz")), QString("0"));
        QCOMPARE(d.box("txtxm3")->Text(), QString());
        QCOMPARE(d.box("txtcsny")->Text(), QString());
        QCOMPARE(d.f->InsertFlag, QString("0"));
        QCOMPARE(d.f->ChangedFlag, QString("0"));
        QCOMPARE(commands(), QString("111111"));
        QCOMPARE(d.focused(), QString("txtnbbh"));
        d.click("Cmdupd");   // nothing changed since
        QVERIFY(fx.ui.messages.isEmpty());
    }

    // Ticking the talent mark alone makes the application changed, so it can be saved.
    void tickingTheMarkIsAChange()
    {
        AppFixture fx;
        insertApplication(fx, 1, "项目", "张三", "数学", "示范大学", "2026.01.01");
        d.open(1);
        d.f->ChangedFlag = "0";
        QTest::mouseClick(Child<QWidget>(d.f, "Chkbz"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(d.f->ChangedFlag, QString("1"));
        d.click("Cmdupd");
        QCOMPARE(fx.rows("select bz from xmsb"), QList<QStringList>{{"中青年人才培养"}});
    }

    void editSaveShowsWhatReadingAgainShows_data()
    {
        QTest::addColumn<bool>("newFirst");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        // Rows: 甲 (2026.03, 单位B), 乙 and 丙 (2026.02, 单位A), 丁 (2026.01, 单位C).
        QTest::newRow("keys kept: after its equals") << false << 1 << "txtnbbh" << "X";
        QTest::newRow("newest date") << false << 3 << "txtsqrq" << "2026.04.01";
        QTest::newRow("oldest date") << false << 0 << "txtsqrq" << "2025.12.01";
        QTest::newRow("unit first") << false << 2 << "txtszdw" << "单位0";
        QTest::newRow("texts of an earlier row") << false << 2 << "txtxmmc" << "乙";
        QTest::newRow("after a new application") << true << 3 << "txtsqrq" << "2026.04.01";
    }

    // After an edit the set and the grid are what reading the category again gives,
    // and they stand on the saved row.
    void editSaveShowsWhatReadingAgainShows()
    {
        QFETCH(bool, newFirst);
        QFETCH(int, row);
        QFETCH(QString, box);
        QFETCH(QString, text);
        AppFixture fx;
        insertApplication(fx, 1, "甲", "张", "数学", "单位B", "2026.03.01");
        insertApplication(fx, 1, "乙", "张", "数学", "单位A", "2026.02.01");
        insertApplication(fx, 1, "丙", "张", "数学", "单位A", "2026.02.01");
        insertApplication(fx, 1, "丁", "张", "数学", "单位C", "2026.01.01");
        d.open(1);
        if (newFirst) {
            d.click("cmdinsert");
            SetBoxText(d.box("txtxmmc"), "戊");
            SetBoxText(d.box("txtsqrq"), "2025.01.01");
            d.click("Cmdupd");
        }
        d.click("Cmdfst");
        for (int i = 0; i < row; ++i)
            d.click("Cmdnxt");
        SetBoxText(d.box(box), text);
        d.click("Cmdupd");

        Recordset& rs = d.f->AppRecordset();
        auto* grid = Child<DataGrid>(d.f, "DataGrid1");
        auto snapshot = [&] {
            QList<QStringList> shown;
            for (int r = 0; r < rs.RecordCount(); ++r) {
                QStringList cells{QString::number(rs.RowId(r))};
                for (int f = 0; f < rs.FieldCount(); ++f)
                    cells << rs.ValueAt(r, f).toString() + "|" + rs.ValueAt(r, f).typeName();
                for (int c = 0; c < grid->ColumnCount(); ++c)
                    cells << grid->CellText(r, c);
                shown << cells;
            }
            return shown;
        };
        const QList<QStringList> saved = snapshot();
        const int at = rs.CurrentIndex();
        QVERIFY(at >= 0);
        QCOMPARE(grid->Row(), at);
        QCOMPARE(grid->VisibleRowCount(), rs.RecordCount());

        // The set stands on the saved row itself, also when an earlier row has its texts.
        QCOMPARE(rs.RowId(at), fx.rows("select max(rowid) from xmsb").value(0).value(0).toLongLong());
        rs.Requery();
        QCOMPARE(snapshot(), saved);
    }

    // An application turned down and submitted again the next year shares its name,
    // leader and subject with the first: saving one of them twice leaves the other.
    void savedAgainKeepsItsTwin()
    {
        AppFixture fx;
        insertApplication(fx, 1, "项目", "张", "数学", "单位", "2026.03.01");
        insertApplication(fx, 1, "项目", "张", "数学", "单位", "2025.03.01");
        d.open(1);
        d.click("Cmdnxt");
        QCOMPARE(d.box("txtsqrq")->Text(), QString("2025.03.01"));
        SetBoxText(d.box("txtnbbh"), "BH2");
        d.click("Cmdupd");
        Recordset& rs = d.f->AppRecordset();
        QVERIFY(rs.HasCurrentRow());
        QCOMPARE(rs.Text("sqrq"), QString("2025.03.01"));
        QCOMPARE(rs.Text("xmbh"), QString("BH2"));
        QCOMPARE(Child<DataGrid>(d.f, "DataGrid1")->Row(), rs.CurrentIndex());
        SetBoxText(d.box("txtyjjg"), "新机构");
        d.click("Cmdupd");
        QCOMPARE(fx.rows("select sqrq, xmbh, yjjg from xmsb order by sqrq"),
                 QList<QStringList>({{"2025.03.01", "BH2", "新机构"}, {"2026.03.01", "BH", "旧机构"}}));
        QCOMPARE(rs.Text("yjjg"), QString("新机构"));
    }

    void editSaveOrdersTextAsTheDatabase_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("unit");   // the edited unit; empty: kept
        // Rows on one date, as read: a大学, B大学, b大学 (the same unit without regard
        // to case, so in the order they were entered), c大学.
        QTest::newRow("B kept") << 1 << "";
        QTest::newRow("b kept") << 2 << "";
        QTest::newRow("a kept") << 0 << "";
        QTest::newRow("c to A") << 3 << "A大学";
        QTest::newRow("a to C") << 0 << "C大学";
        QTest::newRow("c to b") << 3 << "b大学";
    }

    // Units differing only in the case of a Latin letter sort as the database sorts
    // them, without regard to case, after a save as after reading the rows again;
    // the set stands on the saved row.
    void editSaveOrdersTextAsTheDatabase()
    {
        QFETCH(int, row);
        QFETCH(QString, unit);
        AppFixture fx;
        for (const char* u : {"a大学", "B大学", "c大学", "b大学"})
            insertApplication(fx, 1, QString::fromUtf8(u).left(1), "张", "数学", QString::fromUtf8(u), "2026.03.01");
        d.open(1);
        d.click("Cmdfst");
        for (int i = 0; i < row; ++i)
            d.click("Cmdnxt");
        SetBoxText(d.box("txtnbbh"), "X");
        if (!unit.isEmpty())
            SetBoxText(d.box("txtszdw"), unit);
        d.click("Cmdupd");

        Recordset& rs = d.f->AppRecordset();
        auto rowids = [&rs] {
            QList<qint64> ids;
            for (int r = 0; r < rs.RecordCount(); ++r)
                ids << rs.RowId(r);
            return ids;
        };
        const QList<qint64> saved = rowids();
        QVERIFY(rs.HasCurrentRow());
        QCOMPARE(rs.RowId(rs.CurrentIndex()), fx.rows("select max(rowid) from xmsb").value(0).value(0).toLongLong());
        QCOMPARE(Child<DataGrid>(d.f, "DataGrid1")->Row(), rs.CurrentIndex());
        rs.Requery();
        QCOMPARE(saved, rowids());
    }

    void navigation_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        // Rows newest first: 丙 (2026.03), 乙 (2026.02), 甲 (2026.01).
        QTest::newRow("next") << QStringList{"Cmdnxt"} << "乙" << QStringList{};
        QTest::newRow("past the last") << QStringList{"Cmdlst", "Cmdnxt"} << "甲" << QStringList{"已经是最后一条记录！"};
        QTest::newRow("before the first") << QStringList{"Cmdpre"} << "丙" << QStringList{"已经是第一条记录！"};
        QTest::newRow("last then first") << QStringList{"Cmdlst", "Cmdfst"} << "丙" << QStringList{};
        QTest::newRow("back from the last") << QStringList{"Cmdlst", "Cmdpre"} << "乙" << QStringList{};
    }

    void navigation()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        AppFixture fx;
        insertApplication(fx, 1, "甲", "张", "数学", "单位", "2026.01.01");
        insertApplication(fx, 1, "乙", "张", "数学", "单位", "2026.02.01");
        insertApplication(fx, 1, "丙", "张", "数学", "单位", "2026.03.01");
        d.open(1);
        for (const QString& b : buttons)
            d.click(b);
        QCOMPARE(d.box("txtxmmc")->Text(), shown);
        QCOMPARE(fx.ui.texts(), messages);
        for (const auto& m : fx.ui.messages)
            QCOMPARE(m.title, QString("提示信息"));
    }

    void stepPastAnEndKeepsTheTexts_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("step");
        QTest::newRow("past the last") << "Cmdlst" << "Cmdnxt";
        QTest::newRow("before the first") << "Cmdfst" << "Cmdpre";
    }

    // A step past either end goes back to the end row and leaves what was typed there.
    void stepPastAnEndKeepsTheTexts()
    {
        QFETCH(QString, end);
        QFETCH(QString, step);
        AppFixture fx;
        insertApplication(fx, 1, "甲", "张", "数学", "单位", "2026.01.01");
        insertApplication(fx, 1, "乙", "张", "数学", "单位", "2026.02.01");
        d.open(1);
        d.click(end);
        SetBoxText(d.box("txtxmmc"), "改");
        d.click(step);
        QCOMPARE(fx.ui.texts().size(), 1);
        QCOMPARE(d.box("txtxmmc")->Text(), QString("改"));
    }

    void navigationInAnEmptyCategory()
    {
        AppFixture fx;
        d.open(1);
        for (const char* b : {"Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst"})
            d.click(b);
        QVERIFY(fx.ui.messages.isEmpty());
    }
};

QTEST_MAIN(TestFrmjblrSave)
#include "tst_frmjblr_save.moc"
