#include "ModVar.h"
#include "TestSupport.h"
#include "TickGrid.h"
#include "Twips.h"

#include <QScrollBar>
#include <QHeaderView>
#include <QTest>
#include <memory>

namespace {

// A window holding a tick grid over table t (n, name) of the test's database.
struct Host {
    AppFixture& fx;
    QWidget window;
    DbConnection db{QStringLiteral("tickgrid-test")};
    TickGrid* grid = nullptr;

    Host(AppFixture& f, int rows, const TickGrid::Options& options = {}) : fx(f)
    {
        fx.exec("create table t (n integer, name text)");
        fx.exec("begin");
        for (int i = 1; i <= rows; ++i)
            fx.exec("insert into t values (?, ?)", {i, QStringLiteral("行%1").arg(i)});
        fx.exec("commit");
        window.resize(700, 400);
        grid = new TickGrid(&window, 600, 720, options);
        grid->SetHiddenColumns({QStringLiteral("rowid")});
        grid->FitToWindowWidth(PixelsToTwips(window.width()));
        db.Open(fx.dbPath());
        grid->Load(db, QStringLiteral("select n as 序号, name as 名称, rowid from t order by n"));
        grid->LayoutAtLoad();
        ShowActive(&window);
        Settle();
    }
    VbCheckBox* box(int i) const { return grid->chk[i]; }
    QList<int> visibleBoxes() const
    {
        QList<int> v;
        for (int i = 0; i < grid->chk.size(); ++i)
            if (grid->chk[i]->isVisible())
                v << i;
        return v;
    }
    QList<int> tickedBoxes() const
    {
        QList<int> v;
        for (int i = 0; i < grid->chk.size(); ++i)
            if (grid->chk[i]->Value() == 1)
                v << i;
        return v;
    }
    void scrollTo(int topRow)
    {
        grid->flex->verticalScrollBar()->setValue(topRow - 1);
        Settle();
    }
    // The grid row whose band holds the middle of box i (0 when none).
    int rowBeside(int i) const
    {
        const QPoint mid = grid->flex->viewport()->mapFrom(grid, grid->chk[i]->geometry().center());
        return grid->flex->rowAt(mid.y()) + 1;
    }
};

QList<int> range(int from, int to)
{
    QList<int> v;
    for (int i = from; i <= to; ++i)
        v << i;
    return v;
}

}  // namespace

class TestTickGrid : public QObject {
    Q_OBJECT

private slots:
    void boxesLieBesideTheRowsOnScreen_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("boxes");
        QTest::newRow("no rows") << 0 << QList<int>{};
        QTest::newRow("three rows") << 3 << range(0, 2);
        QTest::newRow("twenty rows") << 20 << range(0, 6);
    }
    void boxesLieBesideTheRowsOnScreen()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, boxes);
        AppFixture fx;
        Host h(fx, rows);
        QCOMPARE(h.grid->RecordCount(), rows);
        QCOMPARE(h.grid->Flags().size(), rows + 1);
        QCOMPARE(h.grid->CountVisibleRows(), int(boxes.size()));
        QCOMPARE(h.visibleBoxes(), boxes);
        for (int i : boxes) {
            QCOMPARE(h.rowBeside(i), i + 1);
            QVERIFY(h.grid->flex->RowIsVisible(i + 1));
        }
        QCOMPARE(h.tickedBoxes(), QList<int>{});
        // The select-all label lies 10 twips under the grid.
        QCOMPARE(h.grid->Label1->y(), h.grid->flex->height() + TwipsToPixels(10));
        QCOMPARE(h.grid->flex->TextMatrix(0, 1), QStringLiteral("序号"));
        QCOMPARE(h.grid->flex->TextMatrix(0, 2), QStringLiteral("名称"));
        QCOMPARE(h.grid->flex->QTableView::model()->columnCount(), 2);   // the rowid is kept, not shown
    }

    void ticksFollowTheirRowsWhileScrolling()
    {
        AppFixture fx;
        Host h(fx, 20);
        QTest::mouseClick(h.box(2), Qt::LeftButton);
        QCOMPARE(h.grid->TickedRows(), QList<int>{3});

        h.scrollTo(5);
        QCOMPARE(h.grid->flex->TopRow(), 5);
        QCOMPARE(h.tickedBoxes(), QList<int>{});   // rows 5..12: none ticked
        QCOMPARE(h.rowBeside(0), 5);
        h.box(0)->click();
        h.box(2)->click();
        QCOMPARE(h.grid->TickedRows(), (QList<int>{3, 5, 7}));
        QCOMPARE(gRowIndex, 5);

        h.scrollTo(1);
        QCOMPARE(h.tickedBoxes(), (QList<int>{2, 4, 6}));
        h.box(2)->click();   // untick row 3
        QCOMPARE(h.grid->TickedRows(), (QList<int>{5, 7}));
        // The row's values are read from the row that carries the flag.
        QCOMPARE(h.grid->Value(7, "名称").toString(), QStringLiteral("行7"));
        QCOMPARE(h.grid->Value(7, "ROWID").toInt(), 7);
        QCOMPARE(h.grid->Value(21, "名称"), QVariant());
    }

    void selectAllTicksRowsNeverShown()
    {
        AppFixture fx;
        Host h(fx, 20);
        QTest::mouseClick(h.grid->Label1, Qt::LeftButton);
        QCOMPARE(h.grid->TickedRows(), range(1, 20));
        h.scrollTo(14);
        QCOMPARE(h.grid->flex->TopRow(), 14);
        QCOMPARE(h.tickedBoxes(), range(0, 7));
    }

    void selectAllOnFewRowsTicksOnlyTheirFlags()
    {
        AppFixture fx;
        Host h(fx, 3);
        h.grid->SelectAll();
        QCOMPARE(h.tickedBoxes(), range(0, 7));
        QCOMPARE(h.grid->Flags(), (QVector<std::int16_t>{0, 1, 1, 1}));
        // A box past the last row changes no flag.
        h.box(5)->click();
        QCOMPARE(h.grid->Flags(), (QVector<std::int16_t>{0, 1, 1, 1}));
    }

    void reloadingMakesNewClearFlags()
    {
        AppFixture fx;
        Host h(fx, 20);
        h.grid->SelectAll();
        h.scrollTo(6);
        h.grid->Load(h.db, "select n, name from t where n <= ? order by n", {10});
        QCOMPARE(h.grid->Flags(), QVector<std::int16_t>(11, 0));
        QCOMPARE(h.grid->flex->TopRow(), 1);
        QCOMPARE(h.tickedBoxes(), QList<int>{});
        QCOMPARE(h.visibleBoxes(), range(0, 6));

        // A failing query leaves an empty grid with new flags.
        h.grid->SelectAll();
        QVERIFY_THROWS_EXCEPTION(DbError, h.grid->Load(h.db, "select * from nosuchtable"));
        QCOMPARE(h.grid->RecordCount(), 0);
        QCOMPARE(h.grid->Flags(), QVector<std::int16_t>(1, 0));
        QCOMPARE(h.visibleBoxes(), QList<int>{});
    }

    void reachesRowsBeyondSixteenBits()
    {
        AppFixture fx;
        Host h(fx, 33000);
        h.scrollTo(32995);
        QCOMPARE(h.grid->flex->TopRow(), 32994);   // the last rows fill the screen
        h.box(6)->click();
        QCOMPARE(h.grid->TickedRows(), QList<int>{33000});
        QCOMPARE(h.grid->Value(33000, "序号").toInt(), 33000);
        h.grid->SelectAll();
        QCOMPARE(h.grid->TickedCount(), 33000);
    }

    void receptionGridHasItsOwnFlags()
    {
        AppFixture fx;
        TickGrid::Options o;
        o.boxName = "chks";
        o.boxCount = 6;
        o.selectAllCaption = "全选";
        o.flags = &gImportFlags;
        gExportFlags = {0, 1};
        Host h(fx, 20, o);
        QCOMPARE(h.visibleBoxes(), range(0, 5));   // six boxes for seven rows on screen
        QVERIFY(Child<VbCheckBox>(&h.window, "chks_5"));
        QCOMPARE(h.grid->Label1->Caption(), QStringLiteral("全选"));
        h.box(1)->click();
        QCOMPARE(gImportFlags.size(), 21);
        QCOMPARE(gImportFlags[2], std::int16_t(1));
        QCOMPARE(gExportFlags, (QVector<std::int16_t>{0, 1}));
    }

    void yearSpinnerTakesNoKeysAndSpins()
    {
        AppFixture fx;
        QWidget w;
        YearSpinner y(&w, 1920, 240, 1215, 455, 3240);
        int changes = 0;
        y.Changed = [&] { ++changes; };
        y.SetStartYear(2003);
        QCOMPARE(y.txtCondiYear->Text(), QStringLiteral(" 2003"));
        QCOMPARE(y.Year(), QStringLiteral("2003"));
        ShowActive(&w);
        SetFocus(y.txtCondiYear);
        TypeText(y.txtCondiYear, "19x");
        PressKey(y.txtCondiYear, Qt::Key_Backspace);
        PressKey(y.txtCondiYear, Qt::Key_Delete);
        QCOMPARE(y.txtCondiYear->Text(), QStringLiteral(" 2003"));
        QCOMPARE(changes, 0);

        QTest::mouseClick(y.cmdSpin[0], Qt::LeftButton);
        QCOMPARE(y.txtCondiYear->Text(), QStringLiteral("2002"));
        QTest::mouseClick(y.cmdSpin[1], Qt::LeftButton);
        QTest::mouseClick(y.cmdSpin[1], Qt::LeftButton);
        QCOMPARE(y.txtCondiYear->Text(), QStringLiteral("2004"));
        QCOMPARE(changes, 3);
        QCOMPARE(y.cmdSpin[0]->text(), QStringLiteral("^"));
        QCOMPARE(y.cmdSpin[1]->text(), QStringLiteral("v"));
        QVERIFY(y.cmdSpin[0]->y() < y.cmdSpin[1]->y());
    }
};

QTEST_MAIN(TestTickGrid)
#include "tst_tickgrid.moc"
