#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "TestSupport.h"
#include "Transaction.h"

#include <QSignalSpy>
#include <QTest>

// Positions of a record set as one text: "BOF", "EOF" or the current row's code.
static QString where(const Recordset& rs)
{
    if (rs.HasCurrentRow())
        return rs.Text(0);
    if (rs.Bof() && rs.Eof())
        return QStringLiteral("empty");
    return rs.Bof() ? QStringLiteral("BOF") : rs.Eof() ? QStringLiteral("EOF") : QStringLiteral("deleted");
}

// A record set on the fixture's database through a connection of its own, allowed
// to write `table`.
struct OpenSet {
    DbConnection conn{"t"};
    Recordset rs;
    OpenSet(AppFixture& fx, const QString& sql, const QString& table = {}, const QVariantList& values = {})
    {
        conn.Open(fx.dbPath());
        rs.Open(conn, sql, values, table);
    }
};

// Every row of a set as its fields in text, as fx.rows() gives a table's.
static QList<QStringList> rowsOf(Recordset& rs)
{
    QList<QStringList> rows;
    for (int r = 0; r < rs.RecordCount(); ++r) {
        QStringList row;
        for (int f = 0; f < rs.FieldCount(); ++f)
            row << (rs.ValueAt(r, f).isNull() ? QString("<null>") : rs.ValueAt(r, f).toString());
        rows << row;
    }
    return rows;
}

// A data control bound to a query of the fixture's database, and a grid over it
// that shows the units' codes.
struct CodeGrid {
    QWidget host;
    DataControl dc{&host, "data1"};
    DataGrid grid{&host, "DataGrid1"};
    CodeGrid(const QString& sql, bool allowAddNew)
    {
        grid.AddColumn("  单位代码", "DWDM");
        grid.SetAllowAddNew(allowAddNew);
        grid.SetDataSource(&dc);
        BindDataControl(dc, sql, "dwdm");
    }
    ~CodeGrid() { dc.Close(); }
};

// The first field of every row of a set, in the set's order.
static QStringList codesOf(const Recordset& rs)
{
    QStringList codes;
    for (int r = 0; r < rs.RecordCount(); ++r)
        codes << rs.ValueAt(r, 0).toString();
    return codes;
}

class TestRecordset : public QObject {
    Q_OBJECT

    void fill(AppFixture& fx, const QStringList& codes)
    {
        for (const QString& c : codes)
            fx.exec("insert into dwdm values (?, ?)", {c, "单位" + c});
    }

private slots:
    void movesAndEnds()
    {
        AppFixture fx;
        fill(fx, {"11", "22", "33"});
        OpenSet set(fx, "select * from dwdm  order by dwdm", "dwdm");
        Recordset& rs = set.rs;
        QCOMPARE(rs.RecordCount(), 3);
        QCOMPARE(where(rs), QString("11"));
        QCOMPARE(rs.AbsolutePosition(), 1);
        rs.MovePrevious();
        QCOMPARE(where(rs), QString("BOF"));
        QCOMPARE(rs.AbsolutePosition(), int(Recordset::adPosBOF));
        rs.MovePrevious();   // stays at BOF
        QVERIFY(rs.Bof());
        rs.MoveLast();
        QCOMPARE(rs.AbsolutePosition(), 3);
        rs.MoveNext();
        QCOMPARE(where(rs), QString("EOF"));
        rs.MoveNext();
        QVERIFY(rs.Eof());
        QCOMPARE(rs.Text("DWMC"), QString());   // no row: an empty value, no crash
    }

    // Opened again, a set has the new query's rows; a query that cannot run leaves it
    // as it was, rows, place and all.
    void openedAgain_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("runs");
        QTest::newRow("another query") << "select * from dwdm where dwdm > ? order by dwdm" << "dwdm" << true;
        QTest::newRow("a query that does not run") << "select nosuch from dwdm where dwdm > ?" << "dwdm" << false;
        QTest::newRow("a table the query lacks") << "select * from dwdm where dwdm > ?" << "login" << false;
    }
    void openedAgain()
    {
        QFETCH(QString, sql);
        QFETCH(QString, table);
        QFETCH(bool, runs);
        AppFixture fx;
        fill(fx, {"11", "22", "33"});
        OpenSet set(fx, "select * from dwdm order by dwdm", "dwdm");
        set.rs.MoveNext();
        const QList<QStringList> before = rowsOf(set.rs);
        bool failed = false;
        try {
            set.rs.Open(set.conn, sql, {QStringLiteral("11")}, table);
        } catch (const DbError&) {
            failed = true;
        }
        QCOMPARE(failed, !runs);
        if (runs) {
            QCOMPARE(rowsOf(set.rs), (QList<QStringList>{{"22", "单位22"}, {"33", "单位33"}}));
            QCOMPARE(where(set.rs), QString("22"));
        } else {
            QCOMPARE(rowsOf(set.rs), before);
            QCOMPARE(where(set.rs), QString("22"));
        }
    }

    void emptySetIsBofAndEof()
    {
        AppFixture fx;
        OpenSet set(fx, "select * from dwdm");
        Recordset& rs = set.rs;
        QVERIFY(rs.Bof() && rs.Eof());
        QCOMPARE(rs.RecordCount(), 0);
        rs.MoveFirst();
        rs.MoveNext();
        QVERIFY(rs.Bof() && rs.Eof());
    }

    void addNewIsWrittenWhenTheSetMovesOff()
    {
        AppFixture fx;
        fill(fx, {"11"});
        OpenSet set(fx, "select * from dwdm order by dwdm", "dwdm");
        Recordset& rs = set.rs;
        rs.AddNew();
        rs.SetField("dwdm", "99");
        rs.SetField(1, "新单位");
        QCOMPARE(fx.count("dwdm"), 1);   // held until the move
        rs.MoveLast();
        QCOMPARE(fx.rows("select * from dwdm order by dwdm"),
                 QList<QStringList>({{"11", "单位11"}, {"99", "新单位"}}));
        rs.MovePrevious();
        rs.MoveNext();
        QCOMPARE(where(rs), QString("99"));
        QCOMPARE(rs.RecordCount(), 2);

        // A new row never given a value is dropped, not written as an empty row.
        rs.AddNew();
        rs.MoveFirst();
        QCOMPARE(fx.count("dwdm"), 2);
        QCOMPARE(rs.RecordCount(), 2);
    }

    void editsAreHeldAndCanBeDropped()
    {
        AppFixture fx;
        fill(fx, {"11", "22"});
        OpenSet set(fx, "select * from dwdm order by dwdm", "dwdm");
        Recordset& rs = set.rs;
        rs.SetField("dwmc", "改");
        QVERIFY(rs.EditPending());
        rs.CancelUpdate();
        QCOMPARE(rs.Text("dwmc"), QString("单位11"));
        rs.SetField("dwmc", "改");
        rs.Requery();   // dropped as well
        QCOMPARE(fx.rows("select dwmc from dwdm where dwdm='11'").value(0).value(0), QString("单位11"));
        rs.SetField("dwmc", "改");
        rs.UpdateBatch();
        QCOMPARE(fx.rows("select dwmc from dwdm where dwdm='11'").value(0).value(0), QString("改"));
    }

    // Deleting, then moving on as the code-table windows do; with a bound grid, which
    // drops the deleted row from its view, that must not move the set.
    void deleteThenMove_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("deleteAt");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("withGrid");
        QTest::addColumn<QString>("after");
        const QStringList three{"11", "22", "33"};
        struct Case {
            const char* name;
            QStringList codes;
            int deleteAt;
            QString afterNext, afterPrevious;
        };
        const Case cases[] = {
            {"middle", three, 1, "33", "11"},
            {"last", three, 2, "EOF", "22"},
            {"first", three, 0, "22", "BOF"},
            {"only", {"11"}, 0, "empty", "empty"},
        };
        for (const Case& c : cases) {
            for (bool withGrid : {false, true}) {
                const QString grid = withGrid ? QStringLiteral(", grid") : QString();
                QTest::addRow("%s, next%s", c.name, qPrintable(grid)) << c.codes << c.deleteAt << true << withGrid << c.afterNext;
                QTest::addRow("%s, previous%s", c.name, qPrintable(grid))
                    << c.codes << c.deleteAt << false << withGrid << c.afterPrevious;
            }
        }
    }
    void deleteThenMove()
    {
        QFETCH(QStringList, codes);
        QFETCH(int, deleteAt);
        QFETCH(bool, forward);
        QFETCH(bool, withGrid);
        QFETCH(QString, after);
        AppFixture fx;
        fill(fx, codes);
        QWidget host;
        DataControl dc(&host, "data1");
        DataGrid grid(&host, "DataGrid1");
        if (withGrid) {
            grid.AddColumn("  单位代码", "DWDM");
            grid.SetDataSource(&dc);
        }
        BindDataControl(dc, "select * from dwdm order by dwdm", "dwdm");
        Recordset& rs = dc.Rs();
        rs.MoveTo(deleteAt);
        const QString gone = rs.Text(0);
        rs.Delete();
        QVERIFY(!rs.HasCurrentRow());
        QCOMPARE(fx.rows("select count(*) from dwdm where dwdm=?", {gone}).value(0).value(0), QString("0"));
        QCOMPARE(rs.RecordCount(), int(codes.size()) - 1);
        if (forward)
            rs.MoveNext();
        else
            rs.MovePrevious();
        QCOMPARE(where(rs), after);
        if (withGrid)
            QCOMPARE(grid.Row(), rs.CurrentIndex());
    }

    void writesTouchExactlyTheRowTheSetStandsOn()
    {
        AppFixture fx;
        fx.exec("insert into login values ('a', '1')");
        fx.exec("insert into login values ('a', '1')");
        OpenSet set(fx, "select USERNAME,PASSWORD from login", "login");
        Recordset& rs = set.rs;
        rs.MoveLast();
        rs.SetField("PASSWORD", "2");
        rs.MoveFirst();
        rs.Delete();
        QCOMPARE(fx.rows("select username, password from login"), QList<QStringList>({{"a", "2"}}));
    }

    void boundValues()
    {
        AppFixture fx;
        fill(fx, {"11", "22"});
        OpenSet set(fx, "select * from dwdm where dwdm = ?", "dwdm", {"x' or '1'='1"});
        Recordset& rs = set.rs;
        QCOMPARE(rs.RecordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(DbError, rs.Open(set.conn, "select * from nosuchtable"));
    }

    // A set writes only the table its opener names, whatever else the query reads.
    void writesOnlyTheNamedTable_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("writable");
        const QString sub = "select dwdm, dwmc, (select count(*) from zcdm) as n from dwdm order by dwdm";
        const QString join = "select dwdm.dwdm, dwdm.dwmc, zcdm.zcmc from dwdm left join zcdm on zcdm.zcdm = dwdm.dwdm"
                             " order by dwdm.dwdm";
        QTest::newRow("subquery, named") << sub << "dwdm" << true;
        QTest::newRow("subquery, not named") << sub << "" << false;
        QTest::newRow("join, named") << join << "dwdm" << true;
        QTest::newRow("join, not named") << join << "" << false;
        QTest::newRow("one table, not named") << "select * from dwdm order by dwdm" << "" << false;
    }
    void writesOnlyTheNamedTable()
    {
        QFETCH(QString, sql);
        QFETCH(QString, table);
        QFETCH(bool, writable);
        AppFixture fx;
        fill(fx, {"11", "22"});
        fx.exec("insert into zcdm values ('11', '职称11'), ('22', '职称22')");
        OpenSet set(fx, sql, table);
        Recordset& rs = set.rs;
        QCOMPARE(rs.Updatable(), writable);
        if (!writable) {
            for (const std::function<void()>& write : std::initializer_list<std::function<void()>>{
                     [&] { rs.Delete(); }, [&] { rs.SetField("dwmc", "改"); }, [&] { rs.AddNew(); }}) {
                try {
                    write();
                    QFAIL("a read-only set wrote");
                } catch (const DbError& e) {
                    QVERIFY2(e.description().contains("只读"), qPrintable(e.description()));
                }
            }
        } else {
            rs.SetField("dwmc", "改");
            rs.MoveNext();
            rs.Delete();
            // A field that is no column of the table is not written.
            rs.MoveFirst();
            QVERIFY_THROWS_EXCEPTION(DbError, rs.SetField(2, "x"));
        }
        const QString first = writable ? "改" : "单位11";
        QList<QStringList> dwdm{{"11", first}};
        if (!writable)
            dwdm << QStringList{"22", "单位22"};
        QCOMPARE(fx.rows("select * from dwdm order by dwdm"), dwdm);
        QCOMPARE(fx.rows("select * from zcdm order by zcdm"),
                 QList<QStringList>({{"11", "职称11"}, {"22", "职称22"}}));
    }

    void aNamedTableMustBeInTheQuery()
    {
        AppFixture fx;
        DbConnection conn("t");
        conn.Open(fx.dbPath());
        Recordset rs;
        for (const char* sql : {"select * from zcdm", "select * from dwdm a"}) {
            try {
                rs.Open(conn, sql, {}, "dwdm");
                QFAIL("opened a set that would write another table");
            } catch (const DbError& e) {
                QVERIFY2(e.description().contains("dwdm"), qPrintable(e.description()));
            }
        }
    }

    // Writes inside a transaction count only when it commits: after a rollback the
    // set shows what the table holds, and the next edit is written.
    void rollbackPutsTheSetBackInStep_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<bool>("commit");
        for (const char* w : {"edit", "insert", "delete", "all three"}) {
            QTest::addRow("%s, rolled back", w) << w << false;
            QTest::addRow("%s, committed", w) << w << true;
        }
    }
    void rollbackPutsTheSetBackInStep()
    {
        QFETCH(QString, write);
        QFETCH(bool, commit);
        AppFixture fx;
        fill(fx, {"11", "22", "33"});
        OpenSet set(fx, "select * from dwdm order by dwdm", "dwdm");
        Recordset& rs = set.rs;
        QSignalSpy resets(&rs, &Recordset::RowsReset);
        auto writes = [&] {
            if (write == "edit" || write == "all three") {
                rs.MoveTo(1);
                rs.SetField("dwmc", "改");
                rs.Update();
            }
            if (write == "insert" || write == "all three") {
                rs.AddNew();
                rs.SetField("dwdm", "44");
                rs.Update();
            }
            if (write == "delete" || write == "all three") {
                rs.MoveFirst();
                rs.Delete();
                rs.MoveNext();
            }
        };
        const QList<QStringList> before = fx.rows("select * from dwdm order by dwdm");
        if (commit) {
            set.conn.InTransaction(writes);
        } else {
            try {
                set.conn.InTransaction([&] {
                    writes();
                    throw DbError("中途失败");
                });
                QFAIL("the failure did not come through");
            } catch (const DbError& e) {
                QCOMPARE(e.description(), QString("中途失败"));
            }
            QCOMPARE(fx.rows("select * from dwdm order by dwdm"), before);
            QCOMPARE(resets.count(), 1);
        }
        QCOMPARE(rowsOf(rs), fx.rows("select * from dwdm order by dwdm"));
        QVERIFY(rs.HasCurrentRow());
        const QString code = rs.Text(0);
        rs.SetField("dwmc", "再改");
        rs.UpdateBatch();
        QCOMPARE(fx.rows("select dwmc from dwdm where dwdm = ?", {code}), QList<QStringList>({{"再改"}}));
        QCOMPARE(rowsOf(rs), fx.rows("select * from dwdm order by dwdm"));
    }

    // What was typed into the current row and not yet written survives a rollback.
    void rollbackKeepsWhatIsNotYetWritten()
    {
        AppFixture fx;
        fill(fx, {"11", "22"});
        OpenSet set(fx, "select * from dwdm order by dwdm", "dwdm");
        Recordset& rs = set.rs;
        {
            Transaction t(set.conn);
            rs.SetField("dwmc", "已写");
            rs.MoveNext();
            rs.SetField("dwmc", "未写");
        }   // left without a commit: rolled back
        QCOMPARE(fx.rows("select dwmc from dwdm order by dwdm"), QList<QStringList>({{"单位11"}, {"单位22"}}));
        QCOMPARE(rs.ValueAt(0, 1).toString(), QString("单位11"));
        QCOMPARE(rs.Text(0), QString("22"));
        QCOMPARE(rs.Text(1), QString("未写"));
        QVERIFY(rs.EditPending());
        rs.UpdateBatch();
        QCOMPARE(fx.rows("select dwmc from dwdm where dwdm='22'").value(0).value(0), QString("未写"));
    }

    // A new row shows what the table stored: its integer key and its defaults.
    void insertedRowIsReadBack()
    {
        AppFixture fx;
        fx.exec("create table t (id integer primary key, name text, kind text default '甲', n integer default 7)");
        fx.exec("insert into t (id, name) values (41, 'a')");
        OpenSet set(fx, "select id, name, kind, n, upper(name) as shout from t order by id", "t");
        Recordset& rs = set.rs;
        rs.AddNew();
        rs.SetField("name", "b");
        rs.Update();
        QCOMPARE(fx.rows("select id, name, kind, n from t where name='b'"), QList<QStringList>({{"42", "b", "甲", "7"}}));
        QCOMPARE(rs.Field("id").toLongLong(), 42);
        QCOMPARE(rs.Text("kind"), QString("甲"));
        QCOMPARE(rs.Field("n").toInt(), 7);
        QCOMPARE(rs.RowId(rs.CurrentIndex()), 42);
        rs.SetField("kind", "乙");   // the new row is an ordinary row now
        rs.MoveFirst();
        QCOMPARE(fx.rows("select kind from t where id=42").value(0).value(0), QString("乙"));
    }

    void navigationProcedures()
    {
        AppFixture fx;
        fill(fx, {"11", "22"});
        OpenSet set(fx, "select * from dwdm order by dwdm", "dwdm");
        Recordset& rs = set.rs;
        Cmdpre_Click(rs);
        QCOMPARE(where(rs), QString("11"));
        Cmdnxt_Click(rs);
        QCOMPARE(fx.ui.messages.size(), 1);
        QCOMPARE(fx.ui.messages[0].text, QString("已经是第一条记录！"));
        QCOMPARE(fx.ui.messages[0].title, QString("提示信息"));
        Cmdnxt_Click(rs);
        QCOMPARE(where(rs), QString("22"));
        QCOMPARE(fx.ui.texts().last(), QString("已经是最后一条记录！"));
        Cmdfst_Click(rs);
        QCOMPARE(where(rs), QString("11"));
        Cmdlst_Click(rs);
        QCOMPARE(where(rs), QString("22"));

        Recordset empty;
        empty.Open(set.conn, "select * from mzdm");
        fx.ui.clear();
        Cmdfst_Click(empty);
        Cmdpre_Click(empty);
        Cmdnxt_Click(empty);
        Cmdlst_Click(empty);
        QVERIFY(!StepRecord(empty, true));
        QVERIFY(!StepRecord(empty, false));
        QVERIFY(fx.ui.messages.isEmpty());
    }

    // Where a step from each position lands, whether it was put back on an end row,
    // and what the user was told.
    void stepRecordSaysWhetherItBounced_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("lands");
        QTest::addColumn<bool>("bounced");
        QTest::addColumn<QString>("message");
        const QString first = QStringLiteral("已经是第一条记录！");
        const QString last = QStringLiteral("已经是最后一条记录！");
        QTest::newRow("next from the first row") << "11" << true << "22" << false << "";
        QTest::newRow("previous from the last row") << "22" << false << "11" << false << "";
        QTest::newRow("next from the last row") << "22" << true << "22" << true << last;
        QTest::newRow("previous from the first row") << "11" << false << "11" << true << first;
        QTest::newRow("previous from past the last row") << "EOF" << false << "22" << false << "";
        QTest::newRow("next from past the last row") << "EOF" << true << "22" << true << last;
        QTest::newRow("next from before the first row") << "BOF" << true << "11" << false << "";
        QTest::newRow("previous from before the first row") << "BOF" << false << "11" << true << first;
    }

    void stepRecordSaysWhetherItBounced()
    {
        QFETCH(QString, from);
        QFETCH(bool, forward);
        QFETCH(QString, lands);
        QFETCH(bool, bounced);
        QFETCH(QString, message);
        AppFixture fx;
        fill(fx, {"11", "22"});
        OpenSet set(fx, "select * from dwdm order by dwdm", "dwdm");
        Recordset& rs = set.rs;
        if (from == "BOF") {
            rs.MoveFirst();
            rs.MovePrevious();
        } else if (from == "EOF") {
            rs.MoveLast();
            rs.MoveNext();
        } else {
            rs.MoveTo(from == "11" ? 0 : 1);
        }
        QCOMPARE(where(rs), from);

        QCOMPARE(StepRecord(rs, forward), bounced);
        QCOMPARE(where(rs), lands);
        QCOMPARE(fx.ui.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void dataControlAndBoundBoxes()
    {
        AppFixture fx;
        fx.exec("insert into sqdm values ('12345','甲单位','100000','张三','1','2','a@b')");
        QWidget host;
        DataControl dc(&host, "data1");
        VbTextBox name(&host, "dwmc");
        dc.Bind(&name, "DWMC");
        BindDataControl(dc, "select * from sqdm ", "sqdm");
        QCOMPARE(dc.ConnectionString(), "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + fx.folder()
                                            + "/data/qwdb.mdb;Persist Security Info=False");
        QCOMPARE(name.text(), QString("甲单位"));
        CommitText(&name, "乙");
        dc.Refresh();   // what was typed is written first
        QCOMPARE(name.text(), QString("甲单位乙"));
        QCOMPARE(fx.rows("select DWMC from sqdm").value(0).value(0), QString("甲单位乙"));
        name.SetText("丙单位");
        dc.Rs().UpdateBatch();
        QCOMPARE(fx.rows("select DWMC from sqdm").value(0).value(0), QString("丙单位"));
        dc.Close();
    }

    // Pending edits are written back by Close (the window's unload), through the hook
    // of whoever opened the set; a data control destroyed with its window writes
    // nothing and calls no hook, which may belong to the window already gone. A
    // closed set has dropped its hooks: opened again, it hands over the bound boxes.
    void dataControlWritesBackOnCloseOnly_data()
    {
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("closed") << false;
        QTest::newRow("destroyed") << true;
    }
    void dataControlWritesBackOnCloseOnly()
    {
        QFETCH(bool, destroyed);
        AppFixture fx;
        fx.exec("insert into sqdm values ('12345','甲单位','100000','张三','1','2','a@b')");
        QWidget host;
        auto* dc = new DataControl(&host, "data1");
        VbTextBox name(&host, "dwmc");
        dc->Bind(&name, "DWMC");
        BindDataControl(*dc, "select * from sqdm", "sqdm");
        int hookRuns = 0;
        dc->Rs().SetBeforeWrite([&hookRuns] { ++hookRuns; });
        dc->Rs().SetField("LXR", "李四");
        if (destroyed) {
            delete dc;
            QCOMPARE(hookRuns, 0);
            QCOMPARE(fx.rows("select LXR from sqdm").value(0).value(0), QString("张三"));
            QCOMPARE(fx.ui.texts(), QStringList());
            return;
        }
        dc->Close();
        QCOMPARE(hookRuns, 1);
        QCOMPARE(fx.rows("select LXR from sqdm").value(0).value(0), QString("李四"));
        dc->Refresh();
        CommitText(&name, "乙");
        dc->Rs().UpdateBatch();
        QCOMPARE(hookRuns, 1);
        QCOMPARE(fx.rows("select DWMC from sqdm").value(0).value(0), QString("甲单位乙"));
        delete dc;
        QCOMPARE(fx.ui.texts(), QStringList());
    }

    void missingDatabaseIsNotCreated()
    {
        AppFixture fx;
        QWidget host;
        DataControl dc(&host, "data1");
        dc.SetConnectionString("Provider=x;Data Source=" + fx.folder() + "/none.mdb;Persist Security Info=False");
        dc.SetRecordSource("select * from dwdm");
        QVERIFY_THROWS_EXCEPTION(DbError, dc.Refresh());
        QVERIFY(!QFile::exists(fx.folder() + "/none.mdb"));
    }

    void gridFollowsTheSetBothWays()
    {
        AppFixture fx;
        fill(fx, {"11", "22", "33"});
        QWidget host;
        DataControl dc(&host, "data1");
        DataGrid grid(&host, "DataGrid1");
        grid.AddColumn("  单位代码", "DWDM");
        grid.AddColumn("     单位名称", "DWMC");
        grid.SetDataSource(&dc);
        QStringList seen;
        grid.RowColChange = [&] { seen << dc.Rs().Text(0); };
        BindDataControl(dc, "select * from dwdm  order by dwdm", "dwdm");
        QCOMPARE(grid.VisibleRowCount(), 3);
        QCOMPARE(grid.CellText(2, 1), QString("单位33"));
        QCOMPARE(grid.Row(), 0);
        dc.Rs().MoveLast();
        QCOMPARE(grid.Row(), 2);
        grid.setCurrentIndex(grid.model()->index(1, 0));   // as a click does
        QCOMPARE(dc.Rs().Text(0), QString("22"));
        {
            RowChangeHold hold(&grid);
            dc.Rs().MoveFirst();
        }
        QCOMPARE(grid.Row(), 0);
        QCOMPARE(seen, QStringList({"11", "33", "22"}));

        dc.Rs().MoveTo(1);
        dc.Rs().Delete();
        QCOMPARE(grid.VisibleRowCount(), 2);
        dc.Rs().MoveNext();
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.CellText(1, 0), QString("33"));
    }

    // A row read again from its table row and moved: the set and the grid show what
    // a fresh query shows, and the current row stays the same row.
    void rereadRowAndMoveIt()
    {
        AppFixture fx;
        fill(fx, {"11", "22", "33", "44"});
        QWidget host;
        DataControl dc(&host, "data1");
        DataGrid grid(&host, "DataGrid1");
        grid.AddColumn("  单位代码", "DWDM");
        grid.AddColumn("     单位名称", "DWMC");
        grid.SetDataSource(&dc);
        const QString sql = "select * from dwdm order by dwdm";
        BindDataControl(dc, sql, "dwdm");
        Recordset& rs = dc.Rs();
        auto inStep = [&] {
            OpenSet fresh(fx, sql);
            QCOMPARE(rowsOf(rs), rowsOf(fresh.rs));
            QCOMPARE(grid.VisibleRowCount(), rs.RecordCount());
            for (int r = 0; r < rs.RecordCount(); ++r)
                QCOMPARE(grid.CellText(r, 1), rs.ValueAt(r, 1).toString());
            QCOMPARE(grid.Row(), rs.CurrentIndex());
        };
        rs.MoveTo(3);
        fx.exec("update dwdm set dwdm = '05', dwmc = '新' where dwdm = '44'");
        rs.RereadRow(3);
        QCOMPARE(rs.Text(1), QString("新"));
        QCOMPARE(grid.CellText(3, 1), QString("新"));
        rs.MoveRow(3, 0);
        QCOMPARE(rs.CurrentIndex(), 0);
        QCOMPARE(rs.Text(0), QString("05"));
        inStep();

        // Another row moving past the current one shifts it, both ways.
        rs.MoveTo(2);   // 22
        fx.exec("update dwdm set dwdm = '99' where dwdm = '05'");
        rs.RereadRow(0);
        rs.MoveRow(0, 3);
        QCOMPARE(rs.Text(0), QString("22"));
        QCOMPARE(rs.CurrentIndex(), 1);
        inStep();
        fx.exec("update dwdm set dwdm = '00' where dwdm = '99'");
        rs.RereadRow(3);
        rs.MoveRow(3, 0);
        QCOMPARE(rs.Text(0), QString("22"));
        QCOMPARE(rs.CurrentIndex(), 2);
        inStep();

        fx.exec("delete from dwdm where dwdm = '00'");
        QVERIFY_THROWS_EXCEPTION(DbError, rs.RereadRow(0));
        QVERIFY_THROWS_EXCEPTION(DbError, rs.MoveRow(0, 4));
        rs.SetField(1, "未写");
        QVERIFY_THROWS_EXCEPTION(DbError, rs.RereadRow(2));
    }

    // The view moves its current cell off a removed row by itself; with the new-row
    // line below, that must not begin a new row.
    void gridDeleteWithTheNewRowLine()
    {
        AppFixture fx;
        for (const char* u : {"a", "b", "c"})
            fx.exec("insert into login values (?, '1')", {u});
        QWidget host;
        DataControl dc(&host, "datPrimaryRS");
        DataGrid grid(&host, "grdDataGrid");
        grid.AddColumn("   用 户 名", "USERNAME");
        grid.SetAllowUpdate(true);
        grid.SetAllowAddNew(true);
        grid.SetDataSource(&dc);
        BindDataControl(dc, "select USERNAME,PASSWORD from login", "login");
        dc.Rs().MoveTo(1);
        dc.Rs().Delete();
        QVERIFY(!dc.Rs().NewRowPending());
        QCOMPARE(grid.Row(), -1);
        QCOMPARE(grid.VisibleRowCount(), 3);
        dc.Rs().MoveNext();
        QCOMPARE(dc.Rs().Text(0), QString("c"));
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(fx.count("login"), 2);
        dc.Close();
    }

    // A long set stays in step with its table and its grid through deletes anywhere,
    // a walk that deletes as it goes, rows moved far and many rows moved to one place:
    // its rows in order, its positions, the moves after a delete, the grid's rows.
    void longSetStaysInStep()
    {
        AppFixture fx;
        QStringList order;
        fx.exec("begin");
        for (int i = 0; i < 3000; ++i) {
            order << QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
            fx.exec("insert into dwdm values (?, ?)", {order.last(), "单位" + order.last()});
        }
        fx.exec("commit");
        const QString sql = "select * from dwdm order by dwdm";
        CodeGrid bound(sql, false);
        const DataGrid& grid = bound.grid;
        Recordset& rs = bound.dc.Rs();
        auto inStep = [&] {
            QCOMPARE(codesOf(rs), order);
            QCOMPARE(grid.VisibleRowCount(), rs.RecordCount());
            for (int r = 0; r < rs.RecordCount(); ++r)
                QCOMPARE(grid.CellText(r, 0), order[r]);
            QCOMPARE(grid.Row(), rs.CurrentIndex());
        };

        // Deletes at the ends and all over: the row after moves up into the place.
        for (int at : {2999, 0, 1500, 700, 701, 2200, 1}) {
            rs.MoveTo(at);
            const QString next = at + 1 < order.size() ? order[at + 1] : QString("EOF");
            rs.Delete();
            order.removeAt(at);
            QCOMPARE(rs.AbsolutePosition(), int(Recordset::adPosUnknown));
            rs.MoveNext();
            QCOMPARE(where(rs), next);
            if (rs.HasCurrentRow())
                QCOMPARE(rs.AbsolutePosition(), at + 1);
        }
        inStep();
        // Every third row deleted on a walk from the first to the last, in one
        // transaction.
        Transaction walk(*bound.dc.Connection());
        rs.MoveFirst();
        for (int i = 0, at = 0; !rs.Eof(); ++i) {
            if (i % 3 == 0) {
                rs.Delete();
                order.removeAt(at);
            } else {
                ++at;
            }
            rs.MoveNext();
        }
        walk.Commit();
        inStep();
        OpenSet fresh(fx, sql);
        QCOMPARE(rowsOf(rs), rowsOf(fresh.rs));

        // Rows moved far both ways, and many moved one by one to the front; the
        // current row stays the same row.
        rs.MoveTo(100);
        const QString current = rs.Text(0);
        const int last = rs.RecordCount() - 1;
        for (const auto& [from, to] : {std::pair{0, last}, {last, 0}, {10, 1500}, {1500, 10}}) {
            rs.MoveRow(from, to);
            order.move(from, to);
            QCOMPARE(rs.Text(0), current);
        }
        for (int k = 0; k < 800; ++k) {
            rs.MoveRow(last, 5);
            order.move(last, 5);
        }
        QCOMPARE(rs.Text(0), current);
        QCOMPARE(rs.CurrentIndex(), int(order.indexOf(current)));
        inStep();

        // A new row at the end, written when the set moves off it.
        rs.AddNew();
        rs.SetField(0, "9999");
        rs.SetField(1, "新单位");
        order << "9999";
        rs.MoveFirst();
        inStep();
        QCOMPARE(fx.count("dwdm"), rs.RecordCount());
    }

    // A delete in a long grid announces a header change only where a row's mark may
    // change (the row in the deleted one's place, the new-row line), not for every row
    // below it: Qt would go through each of them at every delete.
    void gridDeleteAnnouncesFewHeaderChanges()
    {
        AppFixture fx;
        QStringList codes;
        for (int i = 10; i < 60; ++i)
            codes << QString::number(i);
        fill(fx, codes);
        CodeGrid bound("select * from dwdm order by dwdm", true);
        const DataGrid& grid = bound.grid;
        Recordset& rs = bound.dc.Rs();
        rs.MoveTo(10);
        QSignalSpy header(grid.model(), &QAbstractItemModel::headerDataChanged);
        rs.Delete();
        for (const QList<QVariant>& change : header)
            QVERIFY(change.at(2).toInt() - change.at(1).toInt() <= 1);
        QCOMPARE(grid.VisibleRowCount(), 50);
        QCOMPARE(grid.model()->headerData(49, Qt::Vertical).toString(), QString("*"));
        rs.MoveNext();
        QCOMPARE(rs.Text(0), QString("21"));
        QCOMPARE(grid.Row(), 10);
        QCOMPARE(grid.model()->headerData(10, Qt::Vertical).toString(), QString("▶"));
    }

    void gridTakingTheFocusBeginsNoRow()
    {
        AppFixture fx;
        QWidget host;
        DataControl dc(&host, "datPrimaryRS");
        DataGrid grid(&host, "grdDataGrid");
        grid.AddColumn("   用 户 名", "USERNAME");
        grid.SetAllowAddNew(true);
        grid.SetDataSource(&dc);
        BindDataControl(dc, "select USERNAME,PASSWORD from login", "login");
        QVERIFY(ShowActive(&host));
        grid.setFocus();
        Settle();
        QVERIFY(grid.hasFocus());
        QVERIFY(!dc.Rs().NewRowPending());
        QTest::keyClick(&grid, Qt::Key_Down);   // entering the new-row line does
        QVERIFY(dc.Rs().NewRowPending());
        dc.Close();
    }

    void gridNewRowAndEditing()
    {
        AppFixture fx;
        fx.exec("insert into login values ('a', '1')");
        QWidget host;
        host.resize(400, 300);
        DataControl dc(&host, "datPrimaryRS");
        DataGrid grid(&host, "grdDataGrid");
        grid.resize(380, 250);
        grid.AddColumn("   用 户 名", "USERNAME");
        grid.AddColumn("    密   码", "PASSWORD");
        grid.SetAllowUpdate(true);
        grid.SetAllowAddNew(true);
        grid.SetDataSource(&dc);
        BindDataControl(dc, "select USERNAME,PASSWORD from login", "login");
        QCOMPARE(grid.VisibleRowCount(), 2);   // the row and the empty new row
        QTest::keyClick(&grid, Qt::Key_Down);
        QVERIFY(dc.Rs().NewRowPending());
        QVERIFY(grid.model()->setData(grid.model()->index(1, 0), "b"));
        QVERIFY(grid.model()->setData(grid.model()->index(1, 1), "2"));
        dc.Rs().UpdateBatch();
        QCOMPARE(fx.rows("select * from login"), QList<QStringList>({{"a", "1"}, {"b", "2"}}));
        QCOMPARE(grid.VisibleRowCount(), 3);

        // An edit reaches the table when the row changes.
        QVERIFY(grid.model()->setData(grid.model()->index(0, 1), "9"));
        QCOMPARE(fx.rows("select password from login where username='a'").value(0).value(0), QString("1"));
        grid.setCurrentIndex(grid.model()->index(1, 0));
        QCOMPARE(fx.rows("select password from login where username='a'").value(0).value(0), QString("9"));
        dc.Close();
    }
};

QTEST_MAIN(TestRecordset)
#include "tst_recordset.moc"
