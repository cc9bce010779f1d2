// A real word processor reads what we write: LibreOffice turns a generated
// application document and summary list into plain text that holds the typed values.
// It runs with a profile and home of its own, so parallel runs do not meet.

#include "DocTestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QRegularExpression>
#include <QUrl>

class TestLibreOffice : public QObject {
    Q_OBJECT
private slots:
    void readsOurDocuments();
};

void TestLibreOffice::readsOurDocuments()
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    QVERIFY2(!soffice.isEmpty(), "soffice is missing (scripts/setup installs libreoffice-writer-nogui)");
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
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", own.filePath("home"));
    p.setProcessEnvironment(env);
    p.start(soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(own.filePath("profile")).toString(), "--headless",
                      "--convert-to", "txt:Text", "--outdir", own.filePath("out"), document, list});
    QVERIFY(p.waitForFinished(300000));
    QCOMPARE(p.exitCode(), 0);
    auto text = [&](const QString& path) {
        QFile f(own.filePath("out/" + QFileInfo(path).completeBaseName() + ".txt"));
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

QTEST_MAIN(TestLibreOffice)
#include "tst_libreoffice.moc"
