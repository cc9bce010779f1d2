// Suggested amounts: only the amount column can be typed into; "保  存" writes each
// row's amount, as a number, into its own application, in one transaction; an
// empty cell clears the amount; closing without saving writes nothing.

#include "ReviewTestSupport.h"
#include "frmjyje.h"

#include <QLineEdit>

namespace {

VbForm* Open() { return OpenListWindow(*forms::frmjyje); }

// Types into the amount cell of a grid row as a user does: the cell's editor opened,
// its text replaced (nothing typed: emptied), Enter.
void TypeAmount(VbForm* f, int row, const QString& text)
{
    DataGrid* g = ListGrid(f);
    const QModelIndex cell = g->model()->index(row, 5);
    g->setCurrentIndex(cell);
    g->edit(cell);
    Settle();
    auto* editor = g->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    if (!text.isEmpty())
        QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
}

// Every application's amount as "name type value", in rowid order.
QStringList Amounts(AppFixture& fx)
{
    QStringList s;
    for (const QStringList& r : fx.rows("select xmmc, typeof(jyje), ifnull(jyje, '') from xmsb order by rowid"))
        s << r.join(' ').trimmed();
    return s;
}

}  // namespace

class TestFrmjyje : public QObject {
    Q_OBJECT
private slots:
    void gridShowsTheCategoryWithTheAmountFormatted();
    void save_data();
    void save();
    void saveKeepsTheCurrentRow();
    void closingWithoutSavingWritesNothing();
    void emptyGridSavesNothing();
    void failedSaveWritesNothing();
    void amountCellTakesOnlyANumber();
};

void TestFrmjyje::gridShowsTheCategoryWithTheAmountFormatted()
{
    AppFixture fx;
    gCategory = 2;
    AddApplication(fx, 2, "乙", "李四", "2004.03.01");
    AddApplication(fx, 1, "别类", "王五", "2005.01.01", 3.0);
    AddApplication(fx, 2, "甲", "张三", "2004.05.01", 1234.5);
    VbForm* f = Open();
    QCOMPARE(f->windowTitle(), QString("录入建议金额"));
    DataGrid* g = ListGrid(f);
    const QStringList captions{"     项 目 名 称", "申 请 人", "  职 称", "      申 请 人 单 位", "申请金额（万元）",
                               "建议金额（万元）"};
    const QList<int> widths{2280, 870, 855, 2700, 1515, 1440};
    QCOMPARE(GridColumnHeads(g), ColumnHeads(captions, widths));
    for (int i = 0; i < captions.size(); ++i)
        QCOMPARE(bool(g->model()->flags(g->model()->index(0, i)) & Qt::ItemIsEditable), i == 5);
    QCOMPARE(GridColumnTexts(f, 0), (QStringList{"甲", "乙"}));
    QCOMPARE(GridColumnTexts(f, 5), (QStringList{"￥1,234.50", ""}));
    QCOMPARE(g->Row(), 0);
}

void TestFrmjyje::save_data()
{
    // Three applications of the category 甲, 乙, 丙 (grid order) with stored amounts;
    // typed: row and text; then the amounts stored after the save.
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QStringList>("typed");   // "row=text"
    QTest::addColumn<QStringList>("expected");
    const QVariant none;
    QTest::newRow("every cell empty") << QVariantList{none, none, none} << QStringList{}
                                      << QStringList{"甲 null", "乙 null", "丙 null", "别类 real 7"};
    QTest::newRow("typed amounts are numbers") << QVariantList{none, 5.0, none} << QStringList{"0=12.5", "2=3"}
                                               << QStringList{"甲 real 12.5", "乙 real 5", "丙 real 3", "别类 real 7"};
    QTest::newRow("a formatted amount is stored as its number")
        << QVariantList{1234.5, none, none} << QStringList{"1=1000"}
        << QStringList{"甲 real 1234.5", "乙 real 1000", "丙 null", "别类 real 7"};
    QTest::newRow("a cleared cell clears the amount") << QVariantList{8.0, 9.0, none} << QStringList{"1="}
                                                      << QStringList{"甲 real 8", "乙 null", "丙 null", "别类 real 7"};
}

void TestFrmjyje::save()
{
    QFETCH(QVariantList, stored);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    AppFixture fx;
    gCategory = 1;
    AddApplication(fx, 1, "甲", "张三", "2004.09.01", stored[0]);
    AddApplication(fx, 1, "乙", "张三", "2004.08.01", stored[1]);
    AddApplication(fx, 1, "丙", "张三", "2004.07.01", stored[2]);
    AddApplication(fx, 2, "别类", "张三", "2004.10.01", 7.0);
    VbForm* f = Open();
    for (const QString& t : typed)
        TypeAmount(f, t.section('=', 0, 0).toInt(), t.section('=', 1));
    ClickButton(f, "Cmdupd");
    QVERIFY2(fx.ui.messages.isEmpty(), qPrintable(fx.ui.texts().join(',')));
    QCOMPARE(Amounts(fx), expected);
}

void TestFrmjyje::saveKeepsTheCurrentRow()
{
    AppFixture fx;
    gCategory = 3;
    // Two rows with one name and leader: each keeps its own amount.
    AddApplication(fx, 3, "同名", "张三", "2004.09.01");
    AddApplication(fx, 3, "同名", "张三", "2004.08.01");
    AddApplication(fx, 3, "丙", "李四", "2004.07.01");
    VbForm* f = Open();
    TypeAmount(f, 0, "1");
    TypeAmount(f, 1, "2");
    ClickButton(f, "Cmdnxt");
    QCOMPARE(ListGrid(f)->Row(), 2);
    ClickButton(f, "Cmdupd");
    QCOMPARE(ListGrid(f)->Row(), 2);
    QCOMPARE(Amounts(fx), (QStringList{"同名 real 1", "同名 real 2", "丙 null"}));
    // Saved again, nothing changes.
    ClickButton(f, "Cmdupd");
    QCOMPARE(Amounts(fx), (QStringList{"同名 real 1", "同名 real 2", "丙 null"}));
}

void TestFrmjyje::closingWithoutSavingWritesNothing()
{
    AppFixture fx;
    gCategory = 1;
    AddApplication(fx, 1, "甲", "张三", "2004.09.01", 4.0);
    VbForm* f = Open();
    TypeAmount(f, 0, "99");
    QCOMPARE(GridColumnTexts(f, 5), QStringList{"￥99.00"});
    ClickButton(f, "Cmdexit");
    QVERIFY(!forms::frmjyje.loaded());
    QCOMPARE(Amounts(fx), QStringList{"甲 real 4"});
    // Opened again, the stored amount shows.
    f = Open();
    QCOMPARE(GridColumnTexts(f, 5), QStringList{"￥4.00"});
}

void TestFrmjyje::emptyGridSavesNothing()
{
    AppFixture fx;
    gCategory = 2;
    AddApplication(fx, 1, "别类", "张三", "2004.09.01", 4.0);
    VbForm* f = Open();
    for (const char* b : {"Cmdupd", "Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst"})
        ClickButton(f, b);
    QVERIFY(fx.ui.messages.isEmpty());
    QCOMPARE(Amounts(fx), QStringList{"别类 real 4"});
}

void TestFrmjyje::failedSaveWritesNothing()
{
    AppFixture fx;
    gCategory = 1;
    AddApplication(fx, 1, "甲", "张三", "2004.09.01");
    AddApplication(fx, 1, "坏", "张三", "2004.08.01");
    fx.exec("create trigger refuse before update on xmsb when new.xmmc = '坏' begin select raise(abort, 'refused'); end");
    VbForm* f = Open();
    TypeAmount(f, 0, "5");
    TypeAmount(f, 1, "6");
    ClickButton(f, "Cmdupd");
    QCOMPARE(fx.ui.messages.size(), 1);
    QCOMPARE(Amounts(fx), (QStringList{"甲 null", "坏 null"}));
    // What was typed is still there to save again.
    QCOMPARE(GridColumnTexts(f, 5), (QStringList{"￥5.00", "￥6.00"}));
}

void TestFrmjyje::amountCellTakesOnlyANumber()
{
    AppFixture fx;
    gCategory = 1;
    AddApplication(fx, 1, "甲", "张三", "2004.09.01");
    VbForm* f = Open();
    TypeAmount(f, 0, "1a2.5.6 ");
    ClickButton(f, "Cmdupd");
    QCOMPARE(Amounts(fx), QStringList{"甲 real 12.56"});
}

QTEST_MAIN(TestFrmjyje)
#include "tst_frmjyje.moc"
