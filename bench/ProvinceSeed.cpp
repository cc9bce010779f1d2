#include "ProvinceSeed.h"

#include "ModVar.h"
#include "RecordLayouts.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>

namespace province {

namespace {

// ---------------------------------------------------------------- what people type

// The parts of a text between the separators.
QStringList words(const char* text, char separator = ' ')
{
    return QString::fromUtf8(text).split(QLatin1Char(separator));
}

const QStringList kSurnames = words(
    "王 李 张 刘 陈 杨 黄 赵 吴 周 徐 孙 马 朱 胡 郭 何 高 林 罗 郑 梁 谢 宋 唐 许 韩 冯 邓 曹 彭 曾 肖 田 董 袁 "
    "潘 于 蒋 蔡 余 杜 叶 程 苏 魏 吕 丁 任 沈 姚 卢 姜 崔 钟 谭 陆 汪 范 金 石 廖 贾 夏 韦 付 方 白 邹 孟 熊 秦 "
    "邱 江 尹 薛 闫 段 雷 侯 龙 史 陶 黎 贺 顾 毛 郝 龚 邵 万 钱 严 覃 武 戴 莫 孔 向 汤 欧阳 司马 上官 诸葛");
// One character each, so that surname, first and second give every leader a name of
// his own (104 * 59 * 59 of them).
const QString kGiven = QStringLiteral(
    "伟芳娜敏静丽强磊军洋勇艳杰娟涛明超霞平刚文华红玉志晓海国卫丹萍鹏辉宇浩晨琳婷雪博思远涵雨欣建新春秋德永立云峰凯亮俊斌燕");
const QStringList kCities =
    words("江城 南州 青山 临海 云岭 河西 东川 北宁 安平 长乐 永和 清源 西陵 南山 金沙 石门 桃源 龙泉 凤阳 白鹤");
const QStringList kUnitKinds =
    words("大学 师范大学 理工大学 医科大学 农业大学 师范学院 财经学院 职业技术学院 民族大学 工程学院");
const QStringList kDepartments = words(
    "计算机科学与技术学院 数学与统计学院 物理与电子工程学院 化学化工学院 生命科学学院 文学院 历史文化学院 "
    "马克思主义学院 经济与管理学院 法学院 教育科学学院 外国语学院 艺术学院 体育学院 医学院 农学院 机械工程学院 "
    "土木工程学院 材料科学与工程学院 环境科学与工程学院");
struct Code {
    const char* code;
    const char* name;
};
const Code kTitles[] = {{"011", "教授"},   {"012", "副教授"},     {"013", "讲师"},       {"014", "助教"},
                        {"061", "研究员"}, {"062", "副研究员"},   {"063", "助理研究员"}, {"081", "高级工程师"},
                        {"082", "工程师"}, {"083", "助理工程师"}, {"091", "主任医师"},   {"092", "副主任医师"}};
// The level of each title as the member tab counts them: 0 senior, 1 intermediate,
// 2 junior.
const int kTitleLevels[] = {0, 0, 1, 2, 0, 0, 1, 0, 1, 2, 0, 0};
int titleLevel(int t)
{
    return kTitleLevels[t];
}
const Code kEthnicGroups[] = {{"01", "汉族"},     {"02", "蒙古族"}, {"03", "回族"},   {"04", "藏族"},
                              {"05", "维吾尔族"}, {"06", "苗族"},   {"07", "彝族"},   {"08", "壮族"},
                              {"09", "布依族"},   {"10", "朝鲜族"}, {"11", "满族"},   {"12", "侗族"},
                              {"13", "瑶族"},     {"14", "白族"},   {"15", "土家族"}, {"16", "哈尼族"}};
// Category 1 takes the codes up to "P", category 2 those from "P" to "Z", category 3
// those after "Z".
const Code kSubjects1[] = {{"A", "马克思主义理论"}, {"B", "哲学"},         {"C", "理论经济学"},   {"D", "应用经济学"},
                           {"E", "法学"},           {"F", "政治学"},       {"G", "社会学"},       {"H", "教育学"},
                           {"I", "心理学"},         {"J", "中国语言文学"}, {"K", "外国语言文学"}, {"L", "历史学"},
                           {"M", "管理学"},         {"N", "艺术学"},       {"O", "新闻传播学"}};
const Code kSubjects2[] = {{"PA", "数学"},           {"PB", "物理学"},         {"PC", "化学"},
                           {"QA", "地理学"},         {"QB", "生物学"},         {"QC", "计算机科学与技术"},
                           {"RA", "电子科学与技术"}, {"RB", "控制科学与工程"}, {"RC", "材料科学与工程"},
                           {"SA", "化学工程与技术"}, {"SB", "土木工程"},       {"TA", "作物学"},
                           {"TB", "林学"},           {"UA", "基础医学"},       {"UB", "临床医学"},
                           {"VA", "药学"},           {"WA", "环境科学与工程"}};
const Code kSubjects3[] = {{"ZA", "电子信息"}, {"ZB", "生物医药"}, {"ZC", "新材料"}, {"ZD", "先进制造"},
                           {"ZE", "现代农业"}, {"ZF", "节能环保"}, {"ZG", "新能源"}, {"ZH", "文化创意"}};
const Code kBases[] = {{"R01", "区域经济发展研究中心"}, {"R02", "地方文化研究基地"}, {"R03", "教育发展研究中心"},
                       {"R04", "民族文化传承研究中心"}, {"R05", "法治建设研究基地"}, {"R06", "乡村振兴研究院"}};
const Code kLabs[] = {{"S01", "功能材料重点实验室"},         {"S02", "智能信息处理重点实验室"},
                      {"S03", "生物资源保护利用重点实验室"}, {"S04", "绿色化工过程重点实验室"},
                      {"S05", "高原农业重点实验室"},         {"S06", "精密测量与控制重点实验室"}};
const QStringList kInstitutes =
    words("高等教育研究所 应用数学研究所 新材料研究院 生物技术研究所 区域发展研究所 信息技术研究中心");
const QStringList kDirections[3] = {
    words("区域经济学 教育管理 思想政治教育 社会保障 民族文化 文艺理论 法律史 公共管理"),
    words("材料物理 机器学习 有机合成 植物病理 结构工程 分子生物学 应用数学 药物化学"),
    words("食品工程 电机控制 环境工程 精细化工 农产品加工 电力电子 生物制药 工业设计")};

// Project names: a setting, an object and a kind of work, at most 25 characters.
const QStringList kNameSettings[3] = {
    words("新时代 乡村振兴背景下 数字经济视域下 高质量发展中 区域协调发展中 城镇化进程中 双循环格局下 基层治理中 "
          "生态文明建设中 民族团结进步中"),
    words("基于深度学习的 面向智能制造的 高性能 新型 基于多源数据的 低温环境下 复杂地质条件下 高原地区 "
          "基于物联网的 绿色"),
    words("高效节能 智能 绿色 高纯 低成本 模块化 高原特色 全自动 便携式 新一代")};
const QStringList kNameObjects[3] = {
    words("地方高校思想政治教育 农村基础教育均衡发展 非物质文化遗产保护 城市社区治理 民营企业融资 "
          "公共文化服务体系 大学生就业质量 传统村落保护利用 边疆地区社会稳定 职业教育产教融合 "
          "少数民族语言文字 基层医疗保障 文化旅游融合发展 农民工市民化 家庭教育指导 红色文化资源 "
          "县域经济转型 网络舆情引导 青少年心理健康 古籍整理与保护"),
    words("锂离子电池正极材料 农作物病虫害识别 复杂网络链路预测 稀土发光材料 桥梁结构健康监测 中药活性成分 "
          "高原湖泊水质监测 铁路路基沉降 茶树抗寒基因 工业机器人轨迹规划 纳米催化剂 滑坡灾害预警 "
          "食用菌多糖 钢筋混凝土耐久性 图像超分辨率重建 乳腺癌早期诊断 土壤重金属污染 "
          "光伏组件缺陷检测 马铃薯晚疫病 无人机协同控制"),
    words("工业废水处理装置 果蔬冷链保鲜系统 特色农产品深加工 新能源汽车电机控制器 普洱茶精深加工 "
          "生物有机肥 中药饮片自动化生产 智能温室控制系统 花卉组培快繁 铝合金型材 天然橡胶制品 "
          "小粒咖啡加工 医用防护材料 三七总皂苷提取 节水灌溉设备 污泥资源化利用 电子级多晶硅 "
          "民族服饰数字化设计 核桃油精炼 竹纤维复合材料")};
const QStringList kNameWorks[3] = {
    words("研究 的实证研究 机制研究 路径研究 对策研究 评价体系研究 调查与研究 比较研究"),
    words("制备与性能研究 关键技术研究 机理研究 理论与方法 优化设计 模型与算法 监测技术研究 应用基础研究"),
    words("产业化 中试与产业化 研发及推广 示范生产线建设 产业化开发 技术集成与示范 关键设备研制 规模化生产")};

const QStringList kSummarySentences = words(
    "本项目在系统梳理国内外相关研究成果的基础上，|综合运用文献研究、实地调查和统计分析等方法，|"
    "构建适合本省实际的理论分析框架，|重点研究主要影响因素及其作用机理，|提出具有可操作性的政策建议。|"
    "通过实验设计与数值模拟相结合的方法，|揭示关键参数对系统性能的影响规律，|建立相应的数学模型并进行验证，|"
    "为相关产业的技术升级提供支撑。|项目组将开展为期两年的跟踪调查，|形成调研报告并提交有关部门参考。|"
    "研究成果可直接应用于生产实践。|项目依托单位具备良好的研究条件。",
    '|');
const QStringList kResultSentences = words(
    "在核心期刊发表学术论文3至5篇，|出版学术专著一部，|申请发明专利2项，|形成研究报告一份，|培养硕士研究生2名，|"
    "研制样机一台，|建成中试生产线一条，|制定企业标准一项，|研究报告提交政府部门决策参考。",
    '|');
// The plan of a project's first year, of a middle one and of its last, by the kind of
// project: research (categories 1 and 2) or industrialisation (category 3).
const QStringList kFirstPlans = words("完成文献调研和研究方案设计，组建研究团队|开展实地调研，收集并整理基础数据", '|');
const QString kMiddlePlans[] = {QStringLiteral("进行数据分析与模型构建，撰写阶段性论文"),
                                QStringLiteral("完成样品制备与性能测试，优化工艺参数")};
const QString kLastPlans[] = {QStringLiteral("完成研究报告，发表论文，准备结题验收"),
                              QStringLiteral("完成中试生产与市场推广，申请专利")};
const QStringList kTasks =
    words("负责理论研究 数据采集与分析 实验设计 问卷调查 模型构建 样品测试 文献整理 软件开发 田野调查 统计分析");
const QStringList kKeywords = words(
    "高质量发展 乡村振兴 深度学习 复合材料 生态保护 产教融合 数字化转型 公共服务 结构健康监测 基因表达 "
    "产业化 节能减排 文化传承 社会治理 精准扶贫");
const QStringList kCompanies =
    words("科技有限公司 生物科技股份有限公司 农业开发有限公司 新材料有限责任公司 机电设备有限公司");
const QStringList kDegrees = {QStringLiteral("博士"), QStringLiteral("硕士"), QStringLiteral("学士")};
const QStringList kSupervisors = {QStringLiteral("否"), QStringLiteral("硕导"), QStringLiteral("博导")};
const QStringList kKinds = {QStringLiteral("A.基础研究"), QStringLiteral("B.应用研究")};
const QString kTalent = QStringLiteral("中青年人才培养");
const QStringList kEvaluations = {QStringLiteral("进度与质量均优"), QStringLiteral("基本按计划进行"),
                                  QStringLiteral("完成计划不好"), QStringLiteral("未开展工作")};

// The units of the code table: every city with every kind.
QStringList units()
{
    QStringList u;
    for (const QString& city : kCities)
        for (const QString& kind : kUnitKinds)
            u << city + kind;
    return u;
}

// ---------------------------------------------------------------- the generator

class Rows {
public:
    explicit Rows(quint32 seed) : m_random(seed), m_units(units()) {}

    int below(int n) { return int(m_random() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }
    // An amount of 10,000 yuan with two decimals.
    double amount(double from, double to)
    {
        const double v = from + (to - from) * double(m_random() % 10000) / 10000.0;
        return std::round(v * 100.0) / 100.0;
    }
    template <class T, std::size_t N>
    const T& pick(const T (&list)[N])
    {
        return list[below(int(N))];
    }
    const QString& pick(const QStringList& list) { return list[below(int(list.size()))]; }

    QString unit() { return pick(m_units); }
    QString person()
    {
        return pick(kSurnames) + kGiven[below(int(kGiven.size()))] +
               (chance(70) ? QString(kGiven[below(int(kGiven.size()))]) : QString());
    }
    // A leader of his own for each serial number: the serials are scattered over all
    // the names (7919 is a prime that divides none of their number), so that
    // neighbours do not share a name but for its surname.
    static QString leader(int serial)
    {
        const int s = int(kSurnames.size()), g = int(kGiven.size());
        const qint64 name = (qint64(serial) * 7919 + 4001) % (qint64(s) * g * g);
        return kSurnames[int(name % s)] + kGiven[int(name / s % g)] + kGiven[int(name / s / g)];
    }
    QString yearMonth(int fromYear, int toYear)
    {
        return QStringLiteral("%1.%2")
            .arg(fromYear + below(toYear - fromYear + 1))
            .arg(1 + below(12), 2, 10, QLatin1Char('0'));
    }
    // Sentences of a pool one after another from one chosen at random, each at most
    // once, until the text would pass a length between half of `limit` and `limit`;
    // at least one.
    QString text(const QStringList& pool, int limit)
    {
        const int first = below(int(pool.size()));
        const int target = limit / 2 + below(limit / 2 + 1);
        QString t = pool[first];
        for (int k = 1; k < pool.size(); ++k) {
            const QString& next = pool[(first + k) % pool.size()];
            if (t.size() + next.size() > target)
                break;
            t += next;
        }
        return t.left(limit);
    }

private:
    std::mt19937 m_random;
    QStringList m_units;
};

QString fit(const QString& s, int limit)
{
    return s.left(limit);
}

// One row of a table by column name, in the table's column order.
class Row {
public:
    explicit Row(const records::RecordLayout& layout) : m_values(int(layout.columns.size()))
    {
        for (int i = 0; i < layout.columns.size(); ++i)
            m_index.insert(layout.columns[i].name.toLower(), i);
    }
    void set(const QString& column, const QVariant& value)
    {
        const auto it = m_index.constFind(column);
        if (it == m_index.constEnd())
            qFatal("seed: no column %s", qPrintable(column));
        m_values[*it] = value;
    }
    void clear() { m_values.fill(QVariant()); }
    const QVector<QVariant>& values() const { return m_values; }

private:
    QHash<QString, int> m_index;
    QVector<QVariant> m_values;
};

const Code& subjectOf(Rows& r, int category)
{
    switch (category) {
    case 1: return r.pick(kSubjects1);
    case 2: return r.pick(kSubjects2);
    default: return r.pick(kSubjects3);
    }
}

// A project number as the department gives them (and, once approved, the approval
// number): the start year, the category's letter and a number, nine characters.
QString projectNumber(int year, int category, int serial)
{
    return QStringLiteral("%1%2%3")
        .arg(year)
        .arg(QChar(u'A' + category - 1))
        .arg(serial % 10000, 4, 10, QLatin1Char('0'));
}

// An application of the category starting in `year`, as the application window
// stores it; `serial` gives its leader.
void fillApplication(Row& row, Rows& r, int serial, int category, int year)
{
    row.clear();
    const int c = category - 1;
    const Code& subject = subjectOf(r, category);
    const QString unit = r.unit();
    const int startMonth = r.chance(50) ? 1 : 6;
    const int years = 1 + r.below(3);
    const int endMonth = r.chance(50) ? 6 : 12;
    if (category != 3 && r.chance(20))
        row.set("bz", kTalent);
    row.set("xmlb", CategoryText(category));
    if (r.chance(60))
        row.set("xmbh", projectNumber(year, category, serial));
    row.set("ssxk", QString::fromUtf8(subject.code));
    row.set("xkmc", QString::fromUtf8(subject.name));
    row.set("xmmc", fit(r.pick(kNameSettings[c]) + r.pick(kNameObjects[c]) + r.pick(kNameWorks[c]), 25));
    const QString leader = Rows::leader(serial);
    row.set("xmfzr", r.chance(10) ? fit(leader + QStringLiteral("、") + r.person(), 10) : leader);
    row.set("szdw", unit);
    row.set("sqrq", QStringLiteral("%1.%2.%3")
                        .arg(year - 1)
                        .arg(9 + r.below(4), 2, 10, QLatin1Char('0'))
                        .arg(1 + r.below(28), 2, 10, QLatin1Char('0')));
    if (category != 3)
        row.set("yjlb", r.pick(kKinds));
    // At most five characters in the box: 99.99.
    const double asked = category == 1 ? r.amount(2, 10) : category == 2 ? r.amount(5, 30) : r.amount(10, 99.99);
    row.set("sqje", asked);
    row.set("qsny", QStringLiteral("%1年%2月").arg(year).arg(startMonth));
    row.set("zzny", QStringLiteral("%1年%2月").arg(year + years).arg(endMonth));
    if (category != 3 && r.chance(40)) {
        const Code& base = category == 1 ? r.pick(kBases) : r.pick(kLabs);
        row.set("sysmc", QString::fromUtf8(base.name));
        row.set("sysdm", QString::fromUtf8(base.code));
    } else {
        row.set("sysmc", QString());
        row.set("sysdm", QString());
    }
    row.set("yjjg", r.chance(30) ? r.pick(kInstitutes) : QString());

    const int title = r.below(int(std::size(kTitles)));
    const int birthYear = 1962 + r.below(30);
    row.set("fzrxm", fit(leader, 8));
    row.set("fzrxb", r.chance(60) ? QStringLiteral("男") : QStringLiteral("女"));
    row.set("fzrcsny", r.yearMonth(birthYear, birthYear));
    row.set("fzrxw", r.pick(kDegrees));
    row.set("fzrhdxwsj", r.yearMonth(birthYear + 24, birthYear + 32));
    row.set("fzrsbdbz", r.pick(kSupervisors));
    row.set("fzrzc", QString::fromUtf8(kTitles[title].name));
    row.set("fzrzcdm", QString::fromUtf8(kTitles[title].code));
    row.set("fzrdzsj", r.yearMonth(std::min(birthYear + 30, 2024), 2025));
    row.set("fzryjfx", r.pick(kDirections[c]));
    row.set("fzrlxdh", r.chance(50) ? QStringLiteral("0871-6%1").arg(5000000 + r.below(999999), 7, 10, QLatin1Char('0'))
                                    : QStringLiteral("13%1").arg(100000000 + r.below(899999999)));
    row.set("fzrszxs", r.pick(kDepartments));

    // Members 1..8, stored from row 1 without gaps, and the counts they give.
    const int members = 1 + r.below(8);
    int levels[3] = {titleLevel(title) == 0, titleLevel(title) == 1, titleLevel(title) == 2};
    int doctors = 0, masters = 0;
    QStringList memberUnits{unit};
    for (int k = 1; k <= members; ++k) {
        const QString n = QString::number(k);
        const bool student = r.chance(20);
        const int t = r.below(int(std::size(kTitles)));
        row.set("xm" + n, fit(r.person(), 8));
        row.set("nl" + n, student ? 22 + r.below(6) : 28 + r.below(30));
        if (student) {
            const bool doctoral = r.chance(30);
            row.set("zc" + n, doctoral ? QStringLiteral("博士研究生") : QStringLiteral("硕士研究生"));
            row.set("xw" + n, doctoral ? QStringLiteral("硕士") : QStringLiteral("学士"));
            ++(doctoral ? doctors : masters);
        } else {
            row.set("zc" + n, QString::fromUtf8(kTitles[t].name));
            row.set("zcdm" + n, QString::fromUtf8(kTitles[t].code));
            row.set("xw" + n, r.pick(kDegrees));
            ++levels[titleLevel(t)];
        }
        const QString memberUnit = r.chance(70) ? unit : r.unit();
        if (!memberUnits.contains(memberUnit))
            memberUnits << memberUnit;
        row.set("szdw" + n, memberUnit);
        row.set("xmfg" + n, r.pick(kTasks));
    }
    row.set("zrs", members + 1);
    row.set("gjrs", levels[0]);
    row.set("zjrs", levels[1]);
    row.set("cjrs", levels[2]);
    row.set("bshrs", r.chance(10) ? 1 : 0);
    row.set("bssrs", doctors);
    row.set("sssrs", masters);
    row.set("cjdws", int(memberUnits.size()));

    row.set("yjnrzy", r.text(kSummarySentences, 200));
    row.set("yqcg", r.text(kResultSentences, 148));
    const int plans = std::min(3, years + 1);
    for (int k = 1; k <= plans; ++k) {
        const int kind = category == 3 ? 1 : 0;
        const QString plan = k == 1 ? r.pick(kFirstPlans) : k == plans ? kLastPlans[kind] : kMiddlePlans[kind];
        row.set(QStringLiteral("nf%1").arg(k), QString::number(year + k - 1));
        row.set(QStringLiteral("jdap%1").arg(k), fit(plan, 60));
    }
    if (category == 3) {
        const double own = r.amount(20, 200), partner = r.amount(50, 500), loan = r.amount(0, 300);
        row.set("hzdw", fit(r.pick(kCities) + r.pick(kCompanies), 30));
        row.set("xxzc", own);
        row.set("hzdwtz", partner);
        row.set("yhdk", loan);
        row.set("jytbk", asked);
        row.set("ztz", std::round((own + partner + loan + asked) * 100.0) / 100.0);
    }
    if (r.chance(50))
        row.set("jyje", std::round(asked * 70.0) / 100.0);
}

void fillReport(Row& row, Rows& r, int serial, int category, int year)
{
    row.clear();
    const int c = category - 1;
    const int title = r.below(int(std::size(kTitles)));
    if (category != 3 && r.chance(20))
        row.set("zqnbz", kTalent);
    row.set("xmlb", CategoryText(category));
    row.set("xmbh", projectNumber(year, category, serial));
    row.set("xmmc", fit(r.pick(kNameSettings[c]) + r.pick(kNameObjects[c]) + r.pick(kNameWorks[c]), 25));
    row.set("xmfzr", Rows::leader(serial));
    row.set("szdw", r.unit());
    row.set("fzrzc", QString::fromUtf8(kTitles[title].name));
    row.set("fzrzcdm", QString::fromUtf8(kTitles[title].code));
    row.set("fzrxw", r.pick(kDegrees));
    row.set("fzrcjsj", QString::number(12 + r.below(25)));
    const int end = year + 2 + r.below(2);
    row.set("pa", QStringLiteral("%1.%2").arg(end).arg(r.chance(50) ? 6 : 12, 2, 10, QLatin1Char('0')));
    row.set("fa", r.yearMonth(end, std::min(end + 1, kThisYear)));
    const double granted = category == 1 ? r.amount(2, 8) : category == 2 ? r.amount(4, 20) : r.amount(8, 60);
    row.set("fh", granted);
    row.set("ff", std::round(granted * (80 + r.below(21))) / 100.0);
    // Units by kind, then people by title; the total is their sum.
    for (const char* name : {"au", "ats", "ae", "ao"})
        row.set(QString::fromLatin1(name), r.below(3));
    int people = 0;
    for (const char* name : {"aha", "ahb", "am", "al", "ah", "ab", "as"}) {
        const int v = r.below(5);
        row.set(QString::fromLatin1(name), v);
        people += v;
    }
    row.set("at", people);
    const char* const results[] = {
        "picr",   "pncr",   "pics",  "pncs",  "pibp",  "pnbp",  "pibf",  "pnbf",  "pjn",  "pji",  "pjei", "pjsci",
        "pjssci", "pjistp", "pappv", "paupv", "pappp", "paupp", "pappd", "paupd", "psa",  "psb",  "psc",  "psd",
        "pot",    "pop",    "pod",   "poa",   "pom",   "tnn1",  "tnn2",  "tnt1",  "tnt2", "tnv1", "tnv2", "tp1",
        "tp2",    "tp3",    "tb1",   "tb2",   "tb3",   "ti",    "to",    "ph",    "pb",   "ps"};
    for (const char* name : results)
        row.set(QString::fromLatin1(name), r.chance(30) ? 1 + r.below(6) : 0);
    row.set("pss", r.below(20));
    row.set("psz", r.amount(0, 150));
    row.set("ptg", r.below(4));
    row.set("pxy", category == 3 ? r.amount(10, 900) : 0.0);
    row.set("abst", r.text(kSummarySentences + kResultSentences, 300));
    for (int k = 1; k <= 3; ++k)
        row.set(QStringLiteral("key%1").arg(k), fit(r.pick(kKeywords), 15));
}

// ---------------------------------------------------------------- writing

void run(QSqlQuery& q)
{
    if (!q.exec())
        qFatal("seed: %s: %s", qPrintable(q.lastQuery()), qPrintable(q.lastError().text()));
}

void exec(QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        qFatal("seed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    run(q);
}

void insertRow(QSqlQuery& q, const QVector<QVariant>& values)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    run(q);
}

template <std::size_t N>
void codeTable(QSqlDatabase& db, const QString& table, const Code (&codes)[N])
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into %1 values (?, ?)").arg(table));
    for (const Code& c : codes)
        insertRow(q, {QString::fromUtf8(c.code), QString::fromUtf8(c.name)});
}

void referenceData(QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into dwdm values (?, ?)"));
    int code = 10001;
    for (const QString& u : units())
        insertRow(q, {QString::number(code++), u});
    q.prepare(QStringLiteral("insert into ejdwdm values (?, ?)"));
    code = 101;
    for (const QString& d : kDepartments)
        insertRow(q, {QString::number(code++), d});
    codeTable(db, QStringLiteral("mzdm"), kEthnicGroups);
    codeTable(db, QStringLiteral("zcdm"), kTitles);
    codeTable(db, QStringLiteral("rwjd"), kBases);
    codeTable(db, QStringLiteral("sysdm"), kLabs);
    codeTable(db, QStringLiteral("xkdm"), kSubjects1);
    codeTable(db, QStringLiteral("xkdm"), kSubjects2);
    codeTable(db, QStringLiteral("xkdm"), kSubjects3);
    exec(db, QStringLiteral("insert into sqdm values (?, ?, ?, ?, ?, ?, ?)"),
         {QStringLiteral("10001"), units().first(), QStringLiteral("650091"), QStringLiteral("李明"),
          QStringLiteral("0871-65033201"), QStringLiteral("0871-65033202"), QStringLiteral("kyc@jcdx.edu.cn")});
    for (const auto& [user, password] :
         {std::pair{"科研处", "kyc2026"}, std::pair{"admin", "admin"}, std::pair{"张老师", "123456"}})
        exec(db, QStringLiteral("insert into login values (?, ?)"),
             {QString::fromUtf8(user), QString::fromUtf8(password)});
}

// The start year of the i-th of `count` rows: the years from `first` on, each taking
// its share of `percents` in turn.
int yearOf(int i, int count, int first, std::initializer_list<int> percents)
{
    const double at = double(i) / double(std::max(count, 1)) * 100.0;
    double upTo = 0;
    int year = first;
    for (int share : percents) {
        upTo += share;
        if (at < upTo)
            return year;
        ++year;
    }
    return year - 1;
}

}  // namespace

Sizes SizesFor(int n)
{
    return {n, n / 2, n / 2, n / 4, n / 4};
}

int CategoryOfRow(int serial)
{
    const int d = serial % 10;
    return d == 0 ? 1 : d <= 6 ? 2 : 3;
}

void Seed(const QString& path, int n)
{
    const QString name = QStringLiteral("province-seed");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("seed: cannot open %s", qPrintable(path));
        // The file is thrown away when the run ends: no journal, no flush.
        exec(db, QStringLiteral("pragma journal_mode = off"));
        exec(db, QStringLiteral("pragma synchronous = off"));
        db.transaction();
        referenceData(db);

        const Sizes sizes = SizesFor(n);
        Rows r(20260101u);
        int serial = 0;
        Row application(records::applications());
        QSqlQuery insert(db);

        insert.prepare(records::insertStatement(records::applications()));
        for (int i = 0; i < sizes.applications; ++i, ++serial) {
            fillApplication(application, r, serial, CategoryOfRow(serial),
                            yearOf(i, sizes.applications, 2023, {10, 20, 30, 40}));
            insertRow(insert, application.values());
        }

        insert.prepare(records::insertStatement(records::archivedApplications()));
        for (int i = 0; i < sizes.archived; ++i, ++serial) {
            fillApplication(application, r, serial, CategoryOfRow(serial),
                            yearOf(i, sizes.archived, 2022, {25, 25, 25, 25}));
            insertRow(insert, application.values());
        }

        // Approved: the application's columns, its number, the approved amount and the year.
        insert.prepare(records::insertStatement(records::approvedApplications()));
        const int columns = int(records::applications().columns.size());
        const int xmbh = records::applications().indexOf(QStringLiteral("xmbh"));
        const int sqje = records::applications().indexOf(QStringLiteral("sqje"));
        for (int i = 0; i < sizes.approved; ++i, ++serial) {
            const int category = CategoryOfRow(serial);
            const int year = yearOf(i, sizes.approved, 2022, {20, 20, 20, 20, 20});
            fillApplication(application, r, serial, category, year);
            QVector<QVariant> values = application.values();
            values[xmbh] = projectNumber(year, category, serial);
            values.resize(columns + 2);
            values[columns] = std::round(values[sqje].toDouble() * (50 + r.below(31))) / 100.0;
            values[columns + 1] = QString::number(year);
            insertRow(insert, values);
        }

        // The mid-term choices of the projects that started 2022..2024, each in the
        // year after its start, with its evaluation.
        exec(db,
             QStringLiteral(
                 "insert into xmpz (xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, zqnbz, nd, jzpj) "
                 "select xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, bz, "
                 "cast(substr(qsny, 1, 4) + 1 as text), "
                 "case rowid % 4 when 0 then ? when 1 then ? when 2 then ? else ? end "
                 "from xmsbpz where substr(qsny, 1, 4) <= '2024' order by rowid limit ?"),
             {kEvaluations[0], kEvaluations[1], kEvaluations[2], kEvaluations[3], sizes.midTerm});

        Row report(records::completionReports());
        insert.prepare(records::insertStatement(records::completionReports()));
        for (int i = 0; i < sizes.reports; ++i, ++serial) {
            fillReport(report, r, serial, CategoryOfRow(serial), 2019 + i % 4);
            insertRow(insert, report.values());
        }
        insert.finish();
        if (!db.commit())
            qFatal("seed: commit: %s", qPrintable(db.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace province
