// The summary-list window: its rows in the list's order, "预  览" writing all of the
// category's applications into the year's list in doc and handing it to the desktop,
// the set left past its last row, and a failed list that writes nothing.

#include "DocTestSupport.h"
#include "ListWindowTestSupport.h"
#include "VbAnimation.h"
#include "WordDocument.h"
#include "frmylb.h"

namespace {

VbForm* Open() { return OpenListWindow(*forms::frmylb); }

DataGrid* Grid() { return ListGrid(&*forms::frmylb); }

void Click(const QString& button) { ClickButton(&*forms::frmylb, button); }

void Store(AppFixture& fx, int category, const QString& name, const QString& date, const QString& unit,
           const QString& subject)
{
    InsertApplication(fx, category,
                      {{"xmmc", name}, {"sqrq", date}, {"szdw", unit}, {"ssxk", subject}, {"xkmc", "学科" + subject},
                       {"xmfzr", "负责人"}, {"qsny", "2004年6月"}, {"zzny", "2006年12月"}, {"sqje", 3.5}});
}

}  // namespace

class TestFrmylb : public QObject {
    Q_OBJECT
private slots:
    void rowsInTheListsOrder();
    void previewWritesTheCategorysList();
    void failedListWritesNothing();
};

void TestFrmylb::rowsInTheListsOrder()
{
    AppFixture fx;
    gCategory = 1;
    Store(fx, 1, "单位2 B", "2004.03.01", "单位2", "B");
    Store(fx, 1, "单位1 B", "2004.03.01", "单位1", "B");
    Store(fx, 1, "较早", "2004.01.01", "单位1", "A");
    Store(fx, 1, "单位1 A", "2004.03.01", "单位1", "A");
    Store(fx, 2, "别的类别", "2005.01.01", "单位1", "P");
    VbForm* f = Open();
    // Latest application date first, then unit, then subject code.
    QCOMPARE(GridColumnTexts(f, 0), (QStringList{"单位1 A", "单位1 B", "单位2 B", "较早"}));
}

void TestFrmylb::previewWritesTheCategorysList()
{
    DocFixture fx(2);
    for (int i = 0; i < 13; ++i)
        Store(fx, 2, QString("项目%1").arg(i, 2, 10, QChar('0')), QString("2004.%1.01").arg(20 - i, 2, 10, QChar('0')),
              i < 12 ? "甲单位" : "乙单位", "P");
    Store(fx, 3, "别的类别", "2005.01.01", "甲单位", "Z");
    Open();
    Click("Cmdnxt");   // the list starts at the first row wherever the grid stands

    Click("Cmdprint");
    QVERIFY2(fx.ui.messages.isEmpty(), qPrintable(fx.ui.texts().join(',')));
    const QString path = fx.folder() + "/doc/2026年自然科学专项项目申报一览表.doc";   // the year of today
    QCOMPARE(fx.ui.openedDocuments, QStringList{path});
    QVERIFY(QFile::exists(path));
    const auto doc = docs::WordDocument::open(path);
    QCOMPARE(doc->pageCount(), 2);
    const auto text = doc->textModel();
    QCOMPARE(text[2], (QStringList{"甲单位", "自然科学专项"}));
    QCOMPARE(text[4].mid(0, 3), (QStringList{"1", "学科P", "项目00"}));
    QCOMPARE(text[15].mid(0, 3), (QStringList{"12", "学科P", "项目11"}));
    QCOMPARE(text[18], (QStringList{"乙单位", "自然科学专项"}));   // the unit of the page's first application
    QCOMPARE(text[20].mid(0, 3), (QStringList{"13", "学科P", "项目12"}));
    QVERIFY(!doc->documentXml().contains(QString("别的类别").toUtf8()));
    QVERIFY(!Child<VbTextBox>(&*forms::frmylb, "Txtmsg")->isVisible());
    QVERIFY(!Child<VbAnimation>(&*forms::frmylb, "Animation1")->IsPlaying());

    // The list walked the set past its last row: next brings it back to the last.
    QCOMPARE(Grid()->Row(), -1);
    Click("Cmdnxt");
    QCOMPARE(fx.ui.texts(), QStringList{"已经是最后一条记录！"});
    QCOMPARE(Grid()->Row(), 12);
}

void TestFrmylb::failedListWritesNothing()
{
    DocFixture fx(1);
    Store(fx, 1, "有单位", "2004.03.01", "甲单位", "A");
    InsertApplication(fx, 1, {{"xmmc", "无单位"}, {"sqrq", "2004.05.01"}});   // at the head of the page
    Open();
    Click("Cmdprint");
    QCOMPARE(fx.ui.texts(), QStringList{"生成项目申报一览表出错，没有写出文件，请与vero科技处联系！"});
    QVERIFY2(fx.ui.messages.first().detail.contains("szdw"), qPrintable(fx.ui.messages.first().detail));
    QVERIFY(fx.ui.openedDocuments.isEmpty());
    QCOMPARE(QDir(fx.folder() + "/doc").entryList(QDir::Files), QStringList{});
    QVERIFY(!Child<VbTextBox>(&*forms::frmylb, "Txtmsg")->isVisible());
}

QTEST_MAIN(TestFrmylb)
#include "tst_frmylb.moc"
