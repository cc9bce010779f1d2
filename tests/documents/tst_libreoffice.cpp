// A real word processor reads what we write: LibreOffice turns a generated
// application document and summary list into plain text that holds the typed values,
// and lays out twelve applications to a page of the summary list, the longest texts
// included. It runs with a profile and home of its own, so parallel runs do not meet.

#include "DocTestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QRegularExpression>
#include <QUrl>

namespace {

// Converts documents with LibreOffice into a folder of the temporary one; false when
// it fails.
bool Convert(const QTemporaryDir& own, const QString& filter, const QStringList& documents)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) {
        qWarning("soffice is missing (scripts/setup installs libreoffice-writer-nogui)");
        return false;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", own.filePath("home"));
    p.setProcessEnvironment(env);
    p.start(soffice, QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(own.filePath("profile")).toString(),
                                 "--headless", "--convert-to", filter, "--outdir", own.filePath("out")}
                         + documents);
    return p.waitForFinished(300000) && p.exitCode() == 0;
}

QString Converted(const QTemporaryDir& own, const QString& document, const QString& extension)
{
    return own.filePath("out/" + QFileInfo(document).completeBaseName() + "." + extension);
}

// The pages of a PDF file: its page objects.
int PdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page(?![a-zA-Z])")));
}

// An application with the longest texts that its boxes take: 25 characters of name,
// ten of subject and of leader, twelve of unit, the longest start and end, amounts
// with two decimals.
docs::Record LongestApplication(int i)
{
    return RecordOf({{"szdw", "鸡西市第十二职业技术学院"}, {"xkmc", "马克思主义理论与思想"},
                     {"xmmc", QString("新时代高等职业教育产教融合协同育人机制创新研究第") + QString("一二三四五六七八九十").at(i % 10)},
                     {"xmfzr", "欧阳司马诸葛上官慕容"}, {"qsny", "2026年6月"}, {"zzny", "2028年12月"},
                     {"sqje", 123.45}, {"jyje", 123.45}});
}

}  // namespace

class TestLibreOffice : public QObject {
    Q_OBJECT
private slots:
    void readsOurDocuments();
    void summaryListHoldsTwelveToAPage();
};

void TestLibreOffice::readsOurDocuments()
{
    AppFixture fx;
    CopyTemplates(fx);
    const QVariantMap application{
        {"ssxk", "N"}, {"xkmc", "材料学"}, {"xmmc", "新型合金焊接工艺"}, {"xmfzr", "李四"}, {"szdw", "Oskavelvero工业大学"},
        {"sqrq", "2004.04.01"}, {"yjlb", "B.应用研究"}, {"sqje", 8.5}, {"qsny", "2004年6月"}, {"zzny", "2005年12月"},
        {"fzrxm", "李四"}, {"fzrxb", "女"}, {"fzrcsny", "1970.02"}, {"fzrzcdm", "011"}, {"fzrzc", "教授"},
        {"fzryjfx", "焊接"}, {"xm1", "王五"}, {"yjnrzy", "研究一种低温焊接合金"}, {"nf1", "2004"}, {"jdap1", "试制样品"}};
    const QString document = docs::BuildApplicationDocument(2, RecordOf(application));
    QVERIFY(!document.isEmpty());
    QList<docs::Record> rows;
    for (int i = 1; i <= 13; ++i)
        rows << RecordOf({{"szdw", QString("申报单位%1").arg(i > 12 ? 2 : 1)}, {"xkmc", "材料学"},
                          {"xmmc", QString("课题%1号").arg(i)}, {"xmfzr", "赵六"}, {"sqje", 3}});
    const QString list = docs::BuildSummaryList(2, rows, QDate(2026, 12, 10));
    QVERIFY(!list.isEmpty());

    QTemporaryDir own;
    QVERIFY(Convert(own, "txt:Text", {document, list}));
    auto text = [&](const QString& path) {
        QFile f(Converted(own, path, "txt"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QString doc = text(document);
    for (const char* value : {"项 目 名 称：新型合金焊接工艺", "负  责  人：李四", "2004年6月 至 2005年12月", "王五",
                              "第一年度：2004", "试制样品", "Oskavelvero工业大学"})
        QVERIFY2(doc.contains(QString::fromUtf8(value)), value);
    const QString summary = text(list);
    for (const char* value : {"申报单位1", "申报单位2", "自然科学专项", "课题1号", "课题12号", "课题13号", "赵六"})
        QVERIFY2(summary.contains(QString::fromUtf8(value)), value);
    QVERIFY(summary.contains(QRegularExpression("\\n13\\n")));
}

void TestLibreOffice::summaryListHoldsTwelveToAPage()
{
    AppFixture fx;
    CopyTemplates(fx);
    // Applications and the pages they take; each list of its own year, so that one
    // run of LibreOffice lays out all of them.
    const QList<QPair<int, int>> cases{{12, 1}, {13, 2}, {24, 2}, {25, 3}};
    QStringList lists;
    for (int c = 0; c < cases.size(); ++c) {
        QList<docs::Record> rows;
        for (int i = 0; i < cases[c].first; ++i)
            rows << LongestApplication(i);
        lists << docs::BuildSummaryList(1, rows, QDate(2026 + c, 12, 10));
        QVERIFY(!lists.last().isEmpty());
    }
    QTemporaryDir own;
    QVERIFY(Convert(own, "pdf", lists));
    for (int c = 0; c < cases.size(); ++c)
        QVERIFY2(PdfPages(Converted(own, lists[c], "pdf")) == cases[c].second,
                 qPrintable(QString("%1 applications: %2 pages, not %3")
                                .arg(cases[c].first)
                                .arg(PdfPages(Converted(own, lists[c], "pdf")))
                                .arg(cases[c].second)));
}

QTEST_MAIN(TestLibreOffice)
#include "tst_libreoffice.moc"
