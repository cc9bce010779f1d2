// The summary list: twelve applications to a page, each page with the unit of its
// first application, running numbers across pages, empty rows on the last page.

#include "DocTestSupport.h"
#include "WordDocument.h"

#include <QTest>

using docs::WordDocument;

namespace {

QVariantMap Application(int i)
{
    QVariantMap r{{"szdw", QString("单位%1").arg(i / 5)}, {"xkmc", QString("学科%1").arg(i)},
                  {"xmmc", QString("项目%1").arg(i)}, {"xmfzr", QString("负责人%1").arg(i)}, {"sqje", i + 0.5}};
    if (i % 3 != 1)
        r["zzny"] = "2005年12月";   // with i % 3 == 1 both dates are Null
    if (i % 3 == 2)
        r["qsny"] = "2004年6月";
    if (i % 2 == 0)
        r["jyje"] = double(i);
    return r;
}

QString Period(const QVariantMap& r)
{
    if (!r.contains("qsny") && !r.contains("zzny"))
        return QString();
    return r.value("qsny").toString() + "至" + r.value("zzny").toString();
}

}  // namespace

class TestSummaryList : public QObject {
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
    void nothingWrittenWithoutApplicationsOrUnit();
    void aTextThatCannotBeWrittenKeepsTheEarlierList();
};

void TestSummaryList::pages_data()
{
    QTest::addColumn<int>("count");
    for (int n : {1, 12, 13, 24, 25})
        QTest::addRow("%d applications", n) << n;
}

void TestSummaryList::pages()
{
    QFETCH(int, count);
    AppFixture fx;
    CopyTemplates(fx);
    QList<docs::Record> rows;
    for (int i = 0; i < count; ++i)
        rows << RecordOf(Application(i));

    const QString path = docs::BuildSummaryList(1, rows, QDate(2026, 12, 10));
    QVERIFY2(fx.ui.messages.isEmpty(), qPrintable(fx.ui.texts().join(',')));
    QCOMPARE(path, docs::DocFolder() + "/2026年人文、社会科学专项项目申报一览表.doc");

    const auto tpl = WordDocument::open(docs::SummaryTemplate(false))->textModel();
    QCOMPARE(tpl.size(), 17);   // title, unit labels, unit row, header, twelve rows, closing line
    const int pages = qMax(1, (count + 11) / 12);
    QList<QStringList> expected;
    for (int page = 0; page < pages; ++page) {
        QList<QStringList> block = tpl.mid(0, 16);
        const QVariantMap first = Application(page * 12);
        block[2] = QStringList{first.value("szdw").toString(), "人文、社会科学专项"};
        for (int j = 0; j < 12; ++j) {
            const int i = page * 12 + j;
            if (i >= count)
                continue;
            const QVariantMap r = Application(i);
            block[4 + j] = QStringList{QString::number(i + 1), r.value("xkmc").toString(), r.value("xmmc").toString(),
                                       r.value("xmfzr").toString(), Period(r), r.value("sqje").toString(),
                                       r.value("jyje").toString(), ""};
        }
        expected += block;
    }
    expected << tpl.last();

    const auto doc = WordDocument::open(path);
    const auto out = doc->textModel();
    QCOMPARE(out.size(), expected.size());
    for (int l = 0; l < out.size(); ++l)
        QCOMPARE(out[l].join(" | "), expected[l].join(" | "));
    QCOMPARE(doc->pageCount(), pages);
    for (int page = 0; page < pages; ++page)
        QCOMPARE(doc->pageOfLine(page * 16), page + 1);
}

void TestSummaryList::nothingWrittenWithoutApplicationsOrUnit()
{
    AppFixture fx;
    CopyTemplates(fx);
    QList<docs::Record> rows;
    for (int i = 0; i < 13; ++i) {
        QVariantMap r = Application(i);
        if (i == 12)
            r.remove("szdw");   // the head of page 2
        rows << RecordOf(r);
    }
    QVERIFY(docs::BuildSummaryList(2, rows, QDate(2026, 12, 10)).isEmpty());
    QCOMPARE(fx.ui.texts(), QStringList{"生成项目申报一览表出错，没有写出文件，请与vero科技处联系！"});
    QVERIFY2(fx.ui.messages.first().detail.contains("szdw"), qPrintable(fx.ui.messages.first().detail));
    QVERIFY(QDir(docs::DocFolder()).entryList(QDir::Files).isEmpty());

    fx.ui.clear();
    QVERIFY(docs::BuildSummaryList(2, {}, QDate(2026, 12, 10)).isEmpty());
    QCOMPARE(fx.ui.texts(), QStringList{"没有可以预览的记录！"});
    QCOMPARE(fx.ui.messages.first().title, QStringLiteral("提示信息"));
}

void TestSummaryList::aTextThatCannotBeWrittenKeepsTheEarlierList()
{
    AppFixture fx;
    CopyTemplates(fx);
    const QString path = docs::BuildSummaryList(1, {RecordOf(Application(0))}, QDate(2026, 12, 10));
    QVERIFY(!path.isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    // Half of a surrogate pair has no form in the file.
    QVariantMap r = Application(1);
    r["xmmc"] = QString("项目") + QChar(0xDFB7);
    QVERIFY(docs::BuildSummaryList(1, {RecordOf(r)}, QDate(2026, 12, 10)).isEmpty());
    QCOMPARE(fx.ui.texts(), QStringList{"生成项目申报一览表出错，没有写出文件，请与vero科技处联系！"});
    QVERIFY2(fx.ui.messages.first().detail.contains("不能写入"), qPrintable(fx.ui.messages.first().detail));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

QTEST_MAIN(TestSummaryList)
#include "tst_summarylist.moc"
