// The application document of each category: the real script on the real template.
// Every value must land in the cell or line whose label the template gives it, and
// nothing else may change; a Null where the script needs a value fails the build with
// the message and writes nothing.

#include "DocTestSupport.h"
#include "WordDocument.h"

#include <QTest>

using docs::WordDocument;

namespace {

QVariantMap WithNull(QVariantMap r, const QStringList& columns)
{
    for (const QString& c : columns)
        r.remove(c);
    return r;
}

const QStringList kOptional{"xmbh", "sysdm", "sysmc", "yjjg", "fzrxw", "fzrhdxwsj", "fzrsbdbz", "fzrdzsj",
                            "fzrlxdh", "fzrszxs", "zrs", "gjrs", "zjrs", "cjrs", "bshrs", "bssrs", "sssrs",
                            "cjdws", "yqcg", "nf1", "jdap1", "nf2", "jdap2", "nf3", "jdap3", "hzdw", "ztz",
                            "xxzc", "hzdwtz", "yhdk", "jytbk"};

QStringList MemberColumns(int k)
{
    QStringList c;
    for (const char* stem : {"xm", "nl", "zc", "xw", "szdw", "xmfg", "zcdm"})
        c << QLatin1String(stem) + QString::number(k);
    return c;
}

using Edits = QMap<QPair<int, int>, QString>;

// Where each value belongs, found by the labels of the template.
Edits ExpectedEdits(int category, const QVariantMap& r, const QList<QStringList>& tpl)
{
    Edits edits;
    auto text = [&](const QString& c) -> std::optional<QString> {
        if (!r.contains(c) || r.value(c).isNull())
            return std::nullopt;
        return docs::typeableText(r.value(c).toString().trimmed());
    };
    auto put = [&](const QString& anchor, int steps, const std::optional<QString>& value, int occurrence = 0) {
        const Place p = FindPlace(tpl, anchor, steps, occurrence);
        if (p.line < 0)
            qFatal("template has no %s", qPrintable(anchor));
        if (value && !value->isEmpty())
            edits[{p.line, p.cell}] += *value;
    };
    const bool c3 = category == 3;
    put(c3 ? "项目编号：" : "项目编号(选填)：", 0, text("xmbh"));
    put(c3 ? "所属学科" : "学科代码及名称：", 1, text("ssxk"));
    put(c3 ? "所属学科" : "学科代码及名称：", 2, text("xkmc"));
    put("项 目 名 称：", 0, text("xmmc"));
    put("负  责  人：", 0, text("xmfzr"));
    put("所 在 单 位：", 0, text("szdw"));
    put("申 请 日 期：", 0, text("sqrq"));
    put(c3 ? "名 称" : "项目名称", 1, text("xmmc"));
    if (!c3)
        put("研究类别", 1, text("yjlb"));
    put(c3 ? "学 科" : "学科分类", 1, text("ssxk"));
    put(c3 ? "学 科" : "学科分类", 2, text("xkmc"));
    put("申请金额(万元)", 1, text("sqje"));
    put("起止年月", 1, *text("qsny") + " 至 " + *text("zzny"));
    put("代码及名称", 1, text("sysdm"));
    put("代码及名称", 2, text("sysmc"));
    const QList<QPair<const char*, const char*>> labelled{
        {"专职研究机构", "yjjg"}, {"姓名", "fzrxm"}, {"性别", "fzrxb"}, {"出生年月", "fzrcsny"},
        {"学位", "fzrxw"}, {"学位时间", "fzrhdxwsj"}, {"硕博导", "fzrsbdbz"}, {"职称", "fzrzcdm"},
        {"定职时间", "fzrdzsj"}, {"研究方向", "fzryjfx"}, {"电话", "fzrlxdh"}, {"系所", "fzrszxs"},
        {"预期研究成果", "yqcg"}};
    for (const auto& [label, column] : labelled)
        put(label, 1, text(column));
    put("职称", 2, text("fzrzc"));
    const QList<QPair<const char*, const char*>> counts{
        {"总人数", "zrs"}, {"高级", "gjrs"}, {"中级", "zjrs"}, {"初级", "cjrs"},
        {"博士后", "bshrs"}, {"博士生", "bssrs"}, {"硕士生", "sssrs"}, {"参加单位数", "cjdws"}};
    for (const auto& [label, column] : counts)
        put(label, 8, text(column));
    for (int k = 1; k <= 8; ++k) {
        const QString n = QString::number(k);
        if (!text("xm" + n))
            continue;
        put(n, 1, text("xm" + n));
        if (r.value("nl" + n).toDouble() > 0)
            put(n, 2, text("nl" + n));
        put(n, 3, text("zc" + n));
        put(n, 4, text("xw" + n));
        put(n, 5, text("szdw" + n));
        put(n, 6, text("xmfg" + n));
    }
    if (c3) {
        put("研究内容摘要", 1, text("yjnrzy"));
    } else {
        const QList<uint> summary = text("yjnrzy").value_or(QString()).toUcs4();
        for (int p = 0; p < qMin(200, int(summary.size())); ++p) {
            const char32_t ch = summary[p];
            put("内容摘要", (p / 20) * 21 + p % 20 + 1, QString::fromUcs4(&ch, 1));
        }
    }
    const char* years[] = {"第一年度：", "第二年度：", "第三年度："};
    for (int k = 1; k <= 3; ++k) {
        put(years[k - 1], 0, text("nf" + QString::number(k)));
        put(years[k - 1], 1, text("jdap" + QString::number(k)));
    }
    if (c3) {
        const QList<QPair<const char*, const char*>> investment{
            {"合作单位", "hzdw"}, {"总投资", "ztz"}, {"学校自筹", "xxzc"},
            {"合作单位投资", "hzdwtz"}, {"银行贷款", "yhdk"}, {"申请vuz拨款", "jytbk"}};
        for (const auto& [label, column] : investment)
            put(label, 1, text(column));
    }
    return edits;
}

}  // namespace

class TestApplicationDocument : public QObject {
    Q_OBJECT
private slots:
    void script_data();
    void script();
    void fileNames_data();
    void fileNames();
    void failureKeepsTheEarlierDocument_data();
    void failureKeepsTheEarlierDocument();
};

void TestApplicationDocument::script_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QVariantMap>("record");
    QTest::addColumn<bool>("builds");

    for (int c = 1; c <= 3; ++c) {
        auto row = [c](const char* name) -> QTestData& { return QTest::addRow("category %d: %s", c, name); };
        const QVariantMap full = FullRecord(c);
        row("every column") << c << full << true;
        row("optional columns Null") << c << WithNull(full, kOptional) << true;
        QVariantMap noMembers = full;
        for (int k = 1; k <= 8; ++k)
            noMembers.remove("xm" + QString::number(k));   // the rest of each member is there but not read
        row("no members") << c << noMembers << true;
        QVariantMap gap = WithNull(full, MemberColumns(2));
        gap["nl3"] = 0.0;
        gap.remove("nl4");
        for (int k = 5; k <= 8; ++k)
            gap = WithNull(gap, MemberColumns(k));
        row("member 2 missing, ages 0 and Null") << c << gap << true;
        for (int n : {0, 200, 250}) {
            QVariantMap s = full;
            s["yjnrzy"] = Chars(n);
            QTest::addRow("category %d: summary of %d characters", c, n) << c << s << true;
        }
        // 𠮷 (U+20BB7), common in names, is one character: a cell of the grid, one step back.
        QVariantMap outside = full;
        outside["yjnrzy"] = "𠮷" + Chars(198) + "𠮷" + Chars(5);
        outside["xmbh"] = "𠮷0042";
        outside["xmfzr"] = "吉𠮷";
        row("characters outside the basic plane") << c << outside << true;
        QVariantMap number = full;
        number["xmbh"] = "XM0042";
        row("project number of 6 characters") << c << number << true;
        QVariantMap breaks = full;
        breaks["yqcg"] = "专著一部\r\n论文五篇";
        breaks["jdap1"] = "调查\n访谈";
        row("line breaks in typed values") << c << breaks << true;
        for (const char* needed : {"ssxk", "xkmc", "xmfzr", "szdw", "sqrq", "sqje", "qsny", "zzny", "fzrxm",
                                   "fzrxb", "fzrcsny", "fzrzcdm", "fzrzc", "fzryjfx"})
            QTest::addRow("category %d: %s Null fails", c, needed) << c << WithNull(full, {needed}) << false;
        QTest::addRow("category %d: yjlb Null", c) << c << WithNull(full, {"yjlb"}) << (c == 3);
        QTest::addRow("category %d: yjnrzy Null", c) << c << WithNull(full, {"yjnrzy"}) << (c == 3);
    }
}

void TestApplicationDocument::script()
{
    QFETCH(int, category);
    QFETCH(QVariantMap, record);
    QFETCH(bool, builds);
    AppFixture fx;
    CopyTemplates(fx);

    const QString path = docs::BuildApplicationDocument(category, RecordOf(record));
    const QStringList written = QDir(docs::DocFolder()).entryList(QDir::Files);
    if (!builds) {
        QVERIFY(path.isEmpty());
        QCOMPARE(fx.ui.texts(), QStringList{"打印错误，请与vero科技处联系！"});
        QCOMPARE(fx.ui.messages.first().title, QStringLiteral("提示信息"));
        // The details name the empty column.
        const QString detail = fx.ui.messages.first().detail;
        const QStringList all = FullRecord(category).keys();
        QVERIFY2(std::any_of(all.begin(), all.end(), [&](const QString& c) { return !record.contains(c) && detail.contains(c); }),
                 qPrintable(detail));
        QVERIFY2(written.isEmpty(), qPrintable(written.join(',')));
        return;
    }
    QVERIFY2(fx.ui.messages.isEmpty(), qPrintable(fx.ui.texts().join(',')));
    QCOMPARE(path, docs::DocFolder() + "/城市社区治理研究.doc");
    QCOMPARE(written, QStringList{"城市社区治理研究.doc"});

    const auto tpl = WordDocument::open(docs::ApplicationTemplate(category))->textModel();
    const auto out = WordDocument::open(path)->textModel();
    QList<QStringList> expected = tpl;
    const Edits edits = ExpectedEdits(category, record, tpl);
    for (auto it = edits.begin(); it != edits.end(); ++it)
        expected[it.key().first][it.key().second] += it.value();
    QCOMPARE(out.size(), expected.size());
    for (int l = 0; l < out.size(); ++l)
        QCOMPARE(out[l].join(" | "), expected[l].join(" | "));
}

void TestApplicationDocument::fileNames_data()
{
    QTest::addColumn<QVariant>("projectName");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("blanks trimmed") << QVariant("  新材料  ") << "新材料.doc" << "";
    QTest::newRow("separators replaced") << QVariant("../a/b\\c") << ".._a_b_c.doc" << "";
    QTest::newRow("control characters replaced") << QVariant("甲\t乙\r\n丙") << "甲_乙__丙.doc" << "";
    QTest::newRow("empty name refused") << QVariant("   ") << "" << "项目名称为空，不能生成申请书！";
    QTest::newRow("Null name fails") << QVariant() << "" << "打印错误，请与vero科技处联系！";
}

void TestApplicationDocument::fileNames()
{
    QFETCH(QVariant, projectName);
    QFETCH(QString, file);
    QFETCH(QString, message);
    AppFixture fx;
    CopyTemplates(fx);
    QVariantMap r = FullRecord(2);
    r["xmmc"] = projectName;
    const QString path = docs::BuildApplicationDocument(2, RecordOf(r));
    QCOMPARE(fx.ui.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(QDir(docs::DocFolder()).entryList(QDir::Files | QDir::Hidden), file.isEmpty() ? QStringList() : QStringList{file});
    QCOMPARE(path, file.isEmpty() ? QString() : docs::DocFolder() + "/" + file);
}

void TestApplicationDocument::failureKeepsTheEarlierDocument_data()
{
    QTest::addColumn<QVariantMap>("record");
    QTest::addColumn<QString>("reason");   // what the details of the message name
    QTest::newRow("leader's name Null") << WithNull(FullRecord(1), {"fzrxm"}) << "fzrxm";
    // Half of a surrogate pair has no form in the file.
    QVariantMap unwritable = FullRecord(1);
    unwritable["fzryjfx"] = QString("社会") + QChar(0xD842);
    QTest::newRow("a text that cannot be written") << unwritable << "不能写入";
}

void TestApplicationDocument::failureKeepsTheEarlierDocument()
{
    QFETCH(QVariantMap, record);
    QFETCH(QString, reason);
    AppFixture fx;
    CopyTemplates(fx);
    const QString path = docs::BuildApplicationDocument(1, RecordOf(FullRecord(1)));
    QVERIFY(!path.isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    QVERIFY(docs::BuildApplicationDocument(1, RecordOf(record)).isEmpty());
    QCOMPARE(fx.ui.texts(), QStringList{"打印错误，请与vero科技处联系！"});
    QVERIFY2(fx.ui.messages.first().detail.contains(reason), qPrintable(fx.ui.messages.first().detail));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(QDir(docs::DocFolder()).entryList(QDir::Files), QStringList{"城市社区治理研究.doc"});
}

QTEST_MAIN(TestApplicationDocument)
#include "tst_applicationdocument.moc"
