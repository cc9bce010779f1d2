// Document builds: one application document (template, typing, atomic write), and a
// summary list of 1,000 applications. Printed, never asserted.
//
//     build/bench/bench_documents

#include "AppFolder.h"
#include "BenchSupport.h"
#include "TestSupport.h"
#include "DocScripts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    AppFixture fx;
    const QDir rpt(QStringLiteral(KYJH_APP_DIR "/rpt"));
    if (!rpt.exists()) {
        std::fprintf(stderr, "bench_documents: build the program first (no %s)\n", qPrintable(rpt.path()));
        return 1;
    }
    QDir().mkpath(fx.folder() + QStringLiteral("/rpt"));
    for (const QString& name : rpt.entryList(QDir::Files))
        QFile::copy(rpt.filePath(name), fx.folder() + QStringLiteral("/rpt/") + name);

    QVariantMap application{
        {"ssxk", "C"}, {"xkmc", "社会学"}, {"xmmc", "城市社区治理研究"}, {"xmfzr", "张三"}, {"szdw", "Oskavelvero大学"},
        {"sqrq", "2004.03.15"}, {"yjlb", "A.基础研究"}, {"sqje", 12.5}, {"qsny", "2004年6月"}, {"zzny", "2006年12月"},
        {"fzrxm", "张三"}, {"fzrxb", "男"}, {"fzrcsny", "1960.05"}, {"fzrzcdm", "011"}, {"fzrzc", "教授"},
        {"fzryjfx", "社会治理"}, {"yqcg", "专著一部"}, {"nf1", "2004"}, {"jdap1", "调查"}};
    application["yjnrzy"] = QString(200, QChar(0x7814));
    for (int k = 1; k <= 8; ++k) {
        application["xm" + QString::number(k)] = "成员";
        application["nl" + QString::number(k)] = 30;
    }
    const docs::Record record = [&](const QString& c) { return application.value(c); };

    const int runs = 20;
    bool built = true;
    const std::vector<double> times = bench::Times(runs, [&] {
        if (docs::BuildApplicationDocument(1, record).isEmpty())
            built = false;
    });
    if (!built) {
        std::fprintf(stderr, "bench_documents: the application document failed\n");
        return 1;
    }
    std::printf("application document (category 1):   best %.2f ms, mean %.2f ms over %d runs\n", bench::Best(times),
                bench::Mean(times), runs);

    QList<QVariantMap> values;
    for (int i = 0; i < 1000; ++i)
        values << QVariantMap{{"szdw", QString("单位%1").arg(i / 40)}, {"xkmc", "社会学"},
                              {"xmmc", QString("项目%1").arg(i)}, {"xmfzr", "张三"}, {"qsny", "2004年6月"},
                              {"zzny", "2006年12月"}, {"sqje", 5}, {"jyje", 3}};
    QList<docs::Record> rows;
    for (const QVariantMap& v : values)
        rows << [&v](const QString& c) { return v.value(c); };
    QString list;
    const double ms = bench::Time([&] { list = docs::BuildSummaryList(1, rows, QDate(2026, 12, 10)); });
    if (list.isEmpty()) {
        std::fprintf(stderr, "bench_documents: the summary list failed\n");
        return 1;
    }
    std::printf("summary list of 1,000 applications:  %.0f ms (84 pages, %lld KB)\n", ms,
                static_cast<long long>(QFileInfo(list).size() / 1024));
    return 0;
}
