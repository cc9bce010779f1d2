#include "DataGrid.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class TestDataGrid : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support).*")); }

    void displayFormats_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("shown");
        const QString yuan = "\"￥\"#,##0.00";
        QTest::newRow("amount") << QVariant(1234.5) << yuan << "￥1,234.50";
        QTest::newRow("small amount") << QVariant(0.456) << yuan << "￥0.46";
        QTest::newRow("null") << QVariant() << yuan << "";
        QTest::newRow("number as text") << QVariant("12") << "0.0" << "12.0";
        QTest::newRow("word") << QVariant("待定") << yuan << "待定";
        QTest::newRow("no format") << QVariant(12.5) << "" << "12.5";
        QTest::newRow("whole number, no format") << QVariant(35.0) << "" << "35";
        QTest::newRow("suffix") << QVariant(3) << "0\"万元\"" << "3万元";
    }
    void displayFormats()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, shown);
        QCOMPARE(FormatValue(value, format), shown);
    }

    void columnsAsDeclared()
    {
        AppFixture fx;
        fx.exec("create table t (xmmc text, sqje real, jyje real)");
        fx.exec("insert into t values ('名字示范工业技术大学的一个很长很长的项目名称', 1234.5, null)");
        QWidget host;
        host.resize(600, 300);
        DataControl dc(&host, "data1");
        DataGrid grid(&host, "DataGrid1");
        grid.setGeometry(0, 0, 600, 280);
        grid.AddColumn({.caption = "     项 目 名 称", .field = "XMMC", .widthTw = 1500, .readOnly = true});
        grid.AddColumn({.caption = "申请金额（万元）", .field = "SQJE", .alignment = Qt::AlignRight,
                        .format = "\"￥\"#,##0.00"});
        grid.AddColumn({.caption = "建议金额（万元）", .field = "JYJE", .format = "\"￥\"#,##0.00"});
        grid.SetAllowUpdate(true);
        grid.SetDataSource(&dc);
        BindDataControl(dc, "select * from t", "t");
        host.show();

        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QString("     项 目 名 称"));
        QCOMPARE(grid.columnWidth(0), TwipsToPixels(1500));
        QCOMPARE(grid.CellText(0, 1), QString("￥1,234.50"));
        QCOMPARE(grid.CellText(0, 2), QString());
        const QModelIndex name = grid.model()->index(0, 0);
        const QModelIndex amount = grid.model()->index(0, 1);
        QCOMPARE(grid.model()->data(amount, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        // A long name shows its start: left-aligned, cut at the right.
        QCOMPARE(grid.model()->data(name, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(grid.textElideMode(), Qt::ElideRight);
        QVERIFY(!(grid.model()->flags(name) & Qt::ItemIsEditable));
        QVERIFY(grid.model()->flags(amount) & Qt::ItemIsEditable);
        grid.SetColumnReadOnly(1, true);
        QVERIFY(!(grid.model()->flags(amount) & Qt::ItemIsEditable));
        // The editor gets the value, not its display form.
        QCOMPARE(grid.model()->data(amount, Qt::EditRole).toString(), QString("1234.5"));
        dc.Close();
    }

    // A failure of the window's code reached from the grid (its row-change handler,
    // the hook of the row being left, an edited cell's move) is shown, whatever it
    // throws; the grid stays on the set's row and goes on working.
    void failuresOfWindowCodeAreShown_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("database");
        QTest::addColumn<int>("row");   // where the set stands after the failure
        QTest::newRow("row change handler") << "handler" << false << 1;
        QTest::newRow("row change handler, database") << "handler" << true << 1;
        QTest::newRow("row left") << "hook" << false << 0;
        QTest::newRow("cell edited on another row") << "edit" << false << 0;
    }
    void failuresOfWindowCodeAreShown()
    {
        QFETCH(QString, where);
        QFETCH(bool, database);
        QFETCH(int, row);
        AppFixture fx;
        fx.exec("create table t (n integer)");
        for (int i = 0; i < 3; ++i)
            fx.exec("insert into t values (?)", {i});
        QWidget host;
        host.resize(300, 200);
        DataControl dc(&host, "data1");
        DataGrid grid(&host, "DataGrid1");
        grid.setGeometry(0, 0, 300, 200);
        grid.AddColumn("n", "N");
        grid.SetAllowUpdate(true);
        grid.SetDataSource(&dc);
        BindDataControl(dc, "select * from t order by n", "t");
        host.show();
        Settle();
        bool fail = true;
        auto failure = [&] {
            if (!fail)
                return;
            if (database)
                throw DbError("窗口的代码出错");
            throw std::logic_error("窗口的代码出错");
        };
        if (where == "handler")
            grid.RowColChange = failure;
        else
            dc.Rs().SetBeforeWrite(failure);
        if (where == "edit") {
            QVERIFY(!grid.model()->setData(grid.model()->index(1, 0), 7, Qt::EditRole));
        } else {
            const QRect cell = grid.visualRect(grid.model()->index(1, 0));
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        }
        QCOMPARE(fx.ui.texts(), QStringList{"窗口的代码出错"});
        QCOMPARE(dc.Rs().CurrentIndex(), row);
        QCOMPARE(grid.Row(), row);
        fail = false;
        const QRect last = grid.visualRect(grid.model()->index(2, 0));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, last.center());
        QCOMPARE(dc.Rs().CurrentIndex(), 2);
        QCOMPARE(fx.ui.texts().size(), 1);
        dc.Close();
    }

    // Moving the set repaints the row mark; it announces no header change, which
    // would make Qt measure the header of every row again at each move.
    void movesAnnounceNoHeaderChange()
    {
        AppFixture fx;
        fx.exec("create table t (n integer)");
        for (int i = 0; i < 50; ++i)
            fx.exec("insert into t values (?)", {i});
        QWidget host;
        DataControl dc(&host, "data1");
        DataGrid grid(&host, "DataGrid1");
        grid.AddColumn("n", "N");
        grid.SetDataSource(&dc);
        BindDataControl(dc, "select * from t", "t");
        host.show();
        Settle();
        int changes = 0;
        grid.RowColChange = [&] { ++changes; };
        QSignalSpy header(grid.model(), &QAbstractItemModel::headerDataChanged);
        Recordset& rs = dc.Rs();
        while (!rs.Eof())
            rs.MoveNext();
        rs.MoveLast();
        QCOMPARE(header.count(), 0);
        QCOMPARE(changes, 50);   // each of the 49 steps and the return from EOF, at once
        QCOMPARE(grid.Row(), 49);
        QCOMPARE(grid.model()->headerData(49, Qt::Vertical).toString(), QString("▶"));
        dc.Close();
    }
};

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
