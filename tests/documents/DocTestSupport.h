#pragma once
// What the document tests share: the templates of the build copied into a test's
// application folder, records as maps of xmsb columns, and the search for a cell by
// its label in a document's text model.

#include "TestSupport.h"
#include "ModVar.h"
#include "DocScripts.h"

#include <QDir>
#include <QFile>
#include <QVariantMap>

inline void CopyTemplates(const AppFixture& fx)
{
    const QDir from(QStringLiteral(KYJH_APP_DIR "/rpt"));
    QDir().mkpath(fx.folder() + QStringLiteral("/rpt"));
    for (const QString& name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), fx.folder() + QStringLiteral("/rpt/") + name);
}

// The progress animation of the build beside the test's application folder.
inline void CopyAnimation(const AppFixture& fx)
{
    QFile::copy(QStringLiteral(KYJH_APP_DIR "/clock.avi"), fx.folder() + QStringLiteral("/clock.avi"));
}

// An application folder ready for document builds: templates, the animation (unless
// left out to test its absence) and the login's category.
class DocFixture : public AppFixture {
public:
    explicit DocFixture(int category, bool withAnimation = true)
    {
        CopyTemplates(*this);
        if (withAnimation)
            CopyAnimation(*this);
        gCategory = static_cast<std::int16_t>(category);
    }
};

// n characters of Chinese text.
inline QString Chars(int n)
{
    const QString pool = QStringLiteral("一二三四五六七八九十甲乙丙丁戊己庚辛壬癸");
    QString s;
    for (int i = 0; i < n; ++i)
        s += pool.at(i % pool.size());
    return s;
}

// An application of the category with every column that its document shows.
inline QVariantMap FullRecord(int category)
{
    QVariantMap r{
        {"xmbh", "XM2004-17"}, {"ssxk", "C"}, {"xkmc", "社会学"}, {"xmmc", " 城市社区治理研究 "},
        {"xmfzr", "张三"}, {"szdw", "Oskavelvero大学"}, {"sqrq", "2004.03.15"}, {"sqje", 12.5},
        {"qsny", "2004年6月"}, {"zzny", "2006年12月"}, {"sysdm", "101"}, {"sysmc", "社会发展研究基地"},
        {"yjjg", "社会学研究所"}, {"fzrxm", "张三"}, {"fzrxb", "男"}, {"fzrcsny", "1960.05"},
        {"fzrxw", "博士"}, {"fzrhdxwsj", "1990.07"}, {"fzrsbdbz", "博导"}, {"fzrzcdm", "011"},
        {"fzrzc", "教授"}, {"fzrdzsj", "1995.09"}, {"fzryjfx", "社会治理"}, {"fzrlxdh", "0451-8666123"},
        {"fzrszxs", "社会学系"}, {"zrs", 9.0}, {"gjrs", 3.0}, {"zjrs", 4.0}, {"cjrs", 2.0}, {"bshrs", 1.0},
        {"bssrs", 2.0}, {"sssrs", 3.0}, {"cjdws", 2.0}, {"yjnrzy", Chars(45)}, {"yqcg", "专著一部，论文五篇"},
        {"nf1", "2004"}, {"jdap1", "调查"}, {"nf2", "2005"}, {"jdap2", "分析"}, {"nf3", "2006"}, {"jdap3", "成书"},
    };
    if (category != 3)
        r["yjlb"] = "A.基础研究";
    else
        r["yjlb"] = "";
    for (int k = 1; k <= 8; ++k) {
        const QString n = QString::number(k);
        r["xm" + n] = "成员" + n;
        r["nl" + n] = 30.0 + k;
        r["zc" + n] = "讲师";
        r["xw" + n] = "硕士";
        r["szdw" + n] = "单位" + n;
        r["xmfg" + n] = "分工" + n;
        r["zcdm" + n] = "012";
    }
    if (category == 3) {
        r["hzdw"] = "Oskavelvero制药厂";
        r["ztz"] = 100.0;
        r["xxzc"] = 20.0;
        r["hzdwtz"] = 50.0;
        r["yhdk"] = 25.5;
        r["jytbk"] = 4.5;
    }
    return r;
}

// Stores an application of the category (xmlb from the category) with these columns.
inline void InsertApplication(AppFixture& fx, int category, QVariantMap columns)
{
    columns[QStringLiteral("xmlb")] = CategoryText(category);
    QStringList marks(columns.size(), QStringLiteral("?"));
    fx.exec(QStringLiteral("insert into xmsb (%1) values (%2)").arg(columns.keys().join(','), marks.join(',')),
            columns.values());
}

inline docs::Record RecordOf(const QVariantMap& values)
{
    return [values](const QString& column) { return values.value(column); };
}

// A place in a text model: line and cell (0 for a paragraph).
struct Place {
    int line = -1;
    int cell = 0;
};

// The occurrence-th (from 0) cell or paragraph whose text is anchor, then steps cells
// on in reading order (rows one after another).
inline Place FindPlace(const QList<QStringList>& model, const QString& anchor, int steps = 0, int occurrence = 0)
{
    for (int l = 0; l < model.size(); ++l)
        for (int c = 0; c < model[l].size(); ++c)
            if (model[l][c] == anchor && occurrence-- == 0) {
                Place p{l, c};
                for (int s = 0; s < steps; ++s) {
                    if (++p.cell >= model[p.line].size()) {
                        ++p.line;
                        p.cell = 0;
                    }
                }
                return p;
            }
    return Place{};
}
