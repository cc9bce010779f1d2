#include "RecordLayouts.h"

#include <stdexcept>

namespace records {

int categoryBit(int category)
{
    return category >= 1 && category <= 3 ? 1 << (category - 1) : 0;
}

QString Column::objectName() const
{
    return boxIndex < 0 ? box : box + QLatin1Char('_') + QString::number(boxIndex);
}

int RecordLayout::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const Column* RecordLayout::column(const QString& name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : &columns[i];
}

QStringList RecordLayout::columnNames() const
{
    QStringList names;
    for (const Column& c : columns)
        names << c.name;
    return names;
}

namespace {

const QString kTalentMark = QStringLiteral("中青年人才培养");

// A column without a box (a table no window keeps, or a column the window leaves).
Column plain(const QString& name, Kind kind)
{
    Column c;
    c.name = name;
    c.kind = kind;
    return c;
}

Column plain(const char* name, Kind kind)
{
    return plain(QString::fromLatin1(name), kind);
}

Column boxed(const QString& name, Kind kind, const QString& box, Box boxKind, Store store,
             int limit, int tab)
{
    Column c;
    c.name = name;
    c.kind = kind;
    c.box = box;
    c.boxKind = boxKind;
    c.store = store;
    c.limit = limit;
    c.tab = tab;
    return c;
}

Column boxed(const char* name, Kind kind, const char* box, Box boxKind, Store store, int limit,
             int tab)
{
    return boxed(QString::fromLatin1(name), kind, QString::fromLatin1(box), boxKind, store, limit, tab);
}

Column locked(Column c, Lock lock = Lock::Both)
{
    c.lock = lock;
    return c;
}

Column ticked(Column c)
{
    c.mark = kTalentMark;
    return c;
}

// ---- xmsb: the application record, as the application window frmjblr keeps it.

QList<Column> applicationColumns()
{
    QList<Column> cols;

    // Tab 0 "封面": the key boxes are the ones LockFields disables.
    Column bz = ticked(boxed("bz", Kind::Text, "Chkbz", Box::CheckBox, Store::Ticked, 0, 0));
    bz.hiddenIn = Category3;
    Column xmmc = locked(boxed("xmmc", Kind::Text, "txtxmmc", Box::Text, Store::Always, 25, 0));
    xmmc.alsoShownIn = QStringLiteral("lblxmmc");
    cols << bz
         << boxed("xmlb", Kind::Text, "lblxmlb", Box::Label, Store::Always, 0, 0)
         << locked(boxed("xmbh", Kind::Text, "txtnbbh", Box::Text, Store::Always, 9, 0))
         << locked(boxed("ssxk", Kind::Text, "txtxkdm", Box::Text, Store::Always, 2, 0))
         << boxed("xkmc", Kind::Text, "txtxkmc", Box::Display, Store::Always, 0, 0)
         << xmmc
         << locked(boxed("xmfzr", Kind::Text, "txtxmfzr", Box::Text, Store::Always, 10, 0))
         << locked(boxed("szdw", Kind::Text, "txtszdw", Box::Text, Store::Always, 12, 0))
         << locked(boxed("sqrq", Kind::DateText, "txtsqrq", Box::Text, Store::Always, 10, 0));

    // Tab 1 "研究项目".
    Column yjlb = boxed("yjlb", Kind::Text, "txtyjlb", Box::Text, Store::Always, 10, 1);
    yjlb.hiddenIn = Category3;
    cols << yjlb
         << boxed("sqje", Kind::Number, "txtsqje", Box::Text, Store::Number, 5, 1)
         << boxed("qsny", Kind::DateText, "txtqssj", Box::Text, Store::IfFilled, 10, 1)
         << boxed("zzny", Kind::DateText, "txtzzsj", Box::Text, Store::IfFilled, 10, 1)
         << boxed("sysmc", Kind::Text, "txtsys", Box::Text, Store::Always, 20, 1)
         << boxed("yjjg", Kind::Text, "txtyjjg", Box::Text, Store::Always, 16, 1)
         << boxed("sysdm", Kind::Text, "txtsysdm", Box::Hidden, Store::Always, 40, 1);

    // Tab 2 "项目负责人".
    cols << boxed("fzrxm", Kind::Text, "txtfzrxm", Box::Text, Store::IfFilled, 8, 2)
         << boxed("fzrxb", Kind::Text, "txtxb", Box::Text, Store::IfFilled, 2, 2)
         << boxed("fzrcsny", Kind::DateText, "txtcsny", Box::Text, Store::IfFilled, 10, 2)
         << boxed("fzrxw", Kind::Text, "txtxw", Box::Text, Store::Always, 6, 2)
         << boxed("fzrhdxwsj", Kind::DateText, "txtxwsj", Box::Text, Store::Always, 10, 2)
         << boxed("fzrsbdbz", Kind::Text, "txtsbd", Box::Text, Store::Always, 0, 2)
         << boxed("fzrzc", Kind::Text, "txtzc", Box::Text, Store::IfFilled, 12, 2)
         << boxed("fzrzcdm", Kind::Text, "txtzcdm", Box::Hidden, Store::IfFilled, 0, 2)
         << boxed("fzrdzsj", Kind::DateText, "txtdzsj", Box::Text, Store::IfFilled, 10, 2)
         << boxed("fzryjfx", Kind::Text, "txtyjfx", Box::Text, Store::Always, 10, 2)
         << boxed("fzrlxdh", Kind::Text, "txtlxdh", Box::Text, Store::Always, 15, 2)
         << boxed("fzrszxs", Kind::Text, "txtszxs", Box::Text, Store::Always, 18, 2);

    // Tab 3 "项目组成员": eight member rows, stem and row number ("txtzw" 3 gives
    // "txtzw3"); a blank name ends the members.
    struct Member {
        const char* column;
        Kind kind;
        const char* box;
        Box boxKind;
        Store store;
        int limit;
    };
    static const Member member[] = {
        {"xm", Kind::Text, "txtxm", Box::Text, Store::IfFilled, 8},
        {"nl", Kind::Number, "txtnl", Box::Text, Store::Number, 2},
        {"zc", Kind::Text, "txtzw", Box::Text, Store::IfFilled, 12},
        {"xw", Kind::Text, "txtxw", Box::Text, Store::IfFilled, 4},
        {"szdw", Kind::Text, "txtszdw", Box::Text, Store::IfFilled, 12},
        {"xmfg", Kind::Text, "txtxmfg", Box::Text, Store::IfFilled, 10},
        {"zcdm", Kind::Text, "txtzcdm", Box::Hidden, Store::IfFilled, 0},
    };
    for (int k = 1; k <= 8; ++k) {
        for (const Member& m : member) {
            const QString n = QString::number(k);
            Column c = boxed(QLatin1String(m.column) + n, m.kind, QLatin1String(m.box) + n,
                             m.boxKind, m.store, m.limit, 3);
            c.row = k;
            c.endsRows = &m == &member[0];
            cols << c;
        }
    }
    // The counts the window computes from the member rows.
    static const char* const counts[][2] = {
        {"zrs", "txtzrs"}, {"gjrs", "txtgj"}, {"zjrs", "txtzj"}, {"cjrs", "txtcj"},
        {"bshrs", "txtbsh"}, {"bssrs", "txtbss"}, {"sssrs", "txtsss"}, {"cjdws", "txtcjdws"},
    };
    for (const auto& c : counts)
        cols << boxed(c[0], Kind::Number, c[1], Box::Display, Store::Number, 0, 3);

    // Tab 4 "摘要与预期成果".
    cols << boxed("yjnrzy", Kind::Memo, "txtyjnrzy", Box::MultiLine, Store::IfFilled, 200, 4)
         << boxed("yqcg", Kind::Memo, "txtyqyjcg", Box::MultiLine, Store::IfFilled, 148, 4);

    // Tab 5 "年度进展安排": three plan rows; a blank year ends them.
    for (int k = 1; k <= 3; ++k) {
        const QString n = QString::number(k);
        Column year = boxed(QStringLiteral("nf") + n, Kind::DateText, QStringLiteral("txtnd") + n,
                            Box::Text, Store::IfFilled, 4, 5);
        year.row = k;
        year.endsRows = true;
        Column plan = boxed(QStringLiteral("jdap") + n, Kind::Memo, QStringLiteral("txtndjz") + n,
                            Box::MultiLine, Store::IfFilled, 60, 5);
        plan.row = k;
        cols << year << plan;
    }

    // Tab 6 "投资情况": category 3 only; in the others these columns stay without a
    // value and the window leaves their boxes alone.
    QList<Column> investment;
    investment << boxed("hzdw", Kind::Text, "txthzdw", Box::Text, Store::IfFilled, 30, 6)
               << boxed("ztz", Kind::Number, "txtztz", Box::Total, Store::Number, 0, 6)
               << boxed("xxzc", Kind::Number, "txtxxzc", Box::Text, Store::Number, 0, 6)
               << boxed("hzdwtz", Kind::Number, "txthzdwtz", Box::Text, Store::Number, 0, 6)
               << boxed("yhdk", Kind::Number, "txtyhdk", Box::Text, Store::Number, 0, 6)
               << boxed("jytbk", Kind::Number, "txtjytbk", Box::Text, Store::Number, 0, 6);
    for (Column& c : investment)
        c.categories = Category3;
    cols << investment;

    // The suggested amount: set in place by the suggested-amount window only.
    cols << plain("jyje", Kind::Number);
    return cols;
}

// The layout of a record window's table whose LockFields disables tabs 1 to lastTab.
RecordLayout windowLayout(const char* table, const char* window, const QList<Column>& columns, int lastTab)
{
    RecordLayout l;
    l.table = QString::fromLatin1(table);
    l.window = QString::fromLatin1(window);
    l.columns = columns;
    for (int tab = 1; tab <= lastTab; ++tab)
        l.lockedTabs << TabLock{tab, AllCategories};
    return l;
}

RecordLayout makeApplications()
{
    // Tabs 0 "封面" and 7 "浏览" stay enabled; tab 6 is shown in category 3 only.
    RecordLayout l = windowLayout("xmsb", "frmjblr", applicationColumns(), 5);
    l.lockedTabs << TabLock{6, Category3};
    return l;
}

// The approved tables add the approved amount and the year, which no box shows.
QList<Column> approvalColumns()
{
    return {plain("pzje", Kind::Number), plain("nd", Kind::DateText)};
}

// A copy of the application layout under another table name. The browsing windows
// show it in boxes of the application window's names and lock only the six key
// boxes, no tab; a table no window shows keeps the columns alone.
RecordLayout applicationCopy(const char* table, const char* window, bool approved)
{
    RecordLayout l = makeApplications();
    l.table = QString::fromLatin1(table);
    l.window = QString::fromLatin1(window);
    l.lockedTabs.clear();
    if (approved)
        l.columns << approvalColumns();
    if (l.window.isEmpty())
        for (Column& c : l.columns)
            c = plain(c.name, c.kind);
    return l;
}

// ---- xmpz: an approved project chosen for the mid-term report of a year.

RecordLayout makeMidTerm()
{
    RecordLayout l;
    l.table = QStringLiteral("xmpz");
    l.columns = {plain("xmbh", Kind::Text),     plain("pzje", Kind::Number), plain("xmmc", Kind::Text),
                 plain("xmfzr", Kind::Text),    plain("szdw", Kind::Text),   plain("ssxk", Kind::Text),
                 plain("xkmc", Kind::Text),     plain("qsny", Kind::DateText),
                 plain("zzny", Kind::DateText), plain("xmlb", Kind::Text),   plain("zqnbz", Kind::Text),
                 plain("nd", Kind::DateText),   plain("jzpj", Kind::Text)};
    return l;
}

// ---- Expert scoring: read-only source tables and the two score tables.

RecordLayout textTable(const char* table, const QStringList& names)
{
    RecordLayout l;
    l.table = QString::fromLatin1(table);
    for (const QString& n : names)
        l.columns << plain(n, Kind::Text);
    return l;
}

RecordLayout makeGroups()
{
    RecordLayout l = textTable("xkhf", {QStringLiteral("ND"), QStringLiteral("ZM"), QStringLiteral("XKZDM")});
    l.columns[0].kind = Kind::DateText;
    return l;
}

QStringList scoreColumns()
{
    QStringList names{QStringLiteral("XMBH"), QStringLiteral("XMMC"), QStringLiteral("XMFZR")};
    for (int k = 1; k <= 6; ++k)
        names << QStringLiteral("FS%1").arg(k) << QStringLiteral("YJ%1").arg(k);
    // SSXK and ND travel with a row; the scoring window does not fill them.
    names << QStringLiteral("SZDW") << QStringLiteral("SSXK") << QStringLiteral("ND");
    return names;
}

// ---- xmjt: the completion report, as the completion-report window frmjtbg keeps it.

// The boxes of a control array on one tab, indexes from 0; by default count boxes
// that take two digits.
void boxArray(QList<Column>& cols, const char* box, std::initializer_list<const char*> names, int tab,
              Lock lock = Lock::None, Kind kind = Kind::Number, Store store = Store::Number, int limit = 2)
{
    int i = 0;
    for (const char* n : names) {
        Column c = locked(boxed(n, kind, box, Box::Text, store, limit, tab), lock);
        c.boxIndex = i++;
        cols << c;
    }
}

QList<Column> completionColumns()
{
    QList<Column> cols;
    // Tab 0 "基本信息": the boxes LockFields disables one by one.
    Column title = boxed("fzrzcdm", Kind::Text, "txtzcdm", Box::Hidden, Store::IfFilled, 10, 0);
    title.filledBy = QStringLiteral("txtzc");   // stored with the title name, even when empty
    cols << locked(ticked(boxed("zqnbz", Kind::Text, "Chkbz", Box::CheckBox, Store::Ticked, 0, 0)))
         << locked(boxed("xmlb", Kind::Text, "Txtxmlb", Box::Text, Store::Always, 0, 0))
         << locked(boxed("xmbh", Kind::Text, "txtxmbh", Box::Text, Store::Always, 9, 0))
         << locked(boxed("xmmc", Kind::Text, "txtxmmc", Box::Text, Store::Always, 25, 0))
         << locked(boxed("xmfzr", Kind::Text, "txtxmfzr", Box::Text, Store::Always, 10, 0))
         << locked(boxed("szdw", Kind::Text, "txtszdw", Box::Text, Store::Always, 12, 0))
         << locked(boxed("fzrzc", Kind::Text, "txtzc", Box::Text, Store::IfFilled, 10, 0))
         << title
         << locked(boxed("fzrxw", Kind::Text, "txtxw", Box::Text, Store::IfFilled, 10, 0))
         << locked(boxed("fzrcjsj", Kind::Text, "Txtfzrcjsj", Box::Text, Store::IfFilled, 2, 0))
         << locked(boxed("pa", Kind::DateText, "txtpa", Box::Text, Store::IfFilled, 10, 0))
         << locked(boxed("fa", Kind::DateText, "txtfa", Box::Text, Store::IfFilled, 10, 0))
         << locked(boxed("fh", Kind::Number, "Txtfh", Box::Text, Store::Number, 0, 0))
         << locked(boxed("ff", Kind::Number, "Txtff", Box::Text, Store::Number, 0, 0));
    boxArray(cols, "Txtcjdw", {"au", "ats", "ae", "ao"}, 0, Lock::Both);
    boxArray(cols, "Txtcjrs", {"at", "aha", "ahb", "am", "al", "ah", "ab", "as"}, 0, Lock::Both);
    Column& total = cols[cols.size() - 8];   // "at": the sum of the seven kinds after it
    total.boxKind = Box::Total;
    total.lock = Lock::LockOnly;

    // Tab 1 "论著与研究成果".
    boxArray(cols, "Txtbook",
               {"picr", "pncr", "pics", "pncs", "pibp", "pnbp", "pibf", "pnbf", "pjn", "pji", "pjei",
                "pjsci", "pjssci", "pjistp"},
               1);
    boxArray(cols, "Txtproduct",
               {"pappv", "paupv", "pappp", "paupp", "pappd", "paupd", "psa", "psb", "psc", "psd", "pot",
                "pop", "pod", "poa", "pom"},
               1);

    // Tab 2 "学术奖励与人才培养".
    boxArray(cols, "Txtxsjl",
               {"tnn1", "tnn2", "tnt1", "tnt2", "tnv1", "tnv2", "tp1", "tp2", "tp3", "tb1", "tb2", "tb3",
                "ti", "to"},
               2);
    boxArray(cols, "Txtrcpy", {"ph", "pb", "ps"}, 2);
    cols << boxed("pss", Kind::Number, "Txtpss", Box::Text, Store::Number, 3, 2)
         << boxed("psz", Kind::Number, "Txtpsz", Box::Text, Store::Number, 0, 2)
         << boxed("ptg", Kind::Number, "Txtptg", Box::Text, Store::Number, 2, 2)
         << boxed("pxy", Kind::Number, "Txtpxy", Box::Text, Store::Number, 0, 2);

    // Tab 3 "研究工作总结摘要".
    cols << boxed("abst", Kind::Memo, "txtabst", Box::MultiLine, Store::IfFilled, 300, 3);
    boxArray(cols, "Txtkey", {"key1", "key2", "key3"}, 3, Lock::None, Kind::Text, Store::IfFilled, 15);
    return cols;
}

RecordLayout makeCompletion()
{
    // The boxes of tabs 1 to 3 are out of reach with their tabs; tab 4 "浏览" too.
    return windowLayout("xmjt", "frmjtbg", completionColumns(), 4);
}

}  // namespace

const RecordLayout& applications()
{
    static const RecordLayout l = makeApplications();
    return l;
}

const RecordLayout& archivedApplications()
{
    static const RecordLayout l = applicationCopy("xmsbwpz", "frmwpzcx", false);
    return l;
}

const RecordLayout& approvedApplications()
{
    static const RecordLayout l = applicationCopy("xmsbpz", "frmpzcx", true);
    return l;
}

const RecordLayout& archivedApproved()
{
    static const RecordLayout l = applicationCopy("xmsbpzwpz", "", true);
    return l;
}

const RecordLayout& midTermProjects()
{
    static const RecordLayout l = makeMidTerm();
    return l;
}

const RecordLayout& completionReports()
{
    static const RecordLayout l = makeCompletion();
    return l;
}

const QList<const RecordLayout*>& allLayouts()
{
    static const RecordLayout sh = textTable(
        "sh", {QStringLiteral("SSXK"), QStringLiteral("XMBH"), QStringLiteral("XMFZR"),
               QStringLiteral("XMMC"), QStringLiteral("SZDW")});
    static const RecordLayout xkhf = makeGroups();
    static const RecordLayout zjdfcopy = textTable("zjdfcopy", scoreColumns());
    static const RecordLayout zjdf = textTable("zjdf", scoreColumns());
    static const QList<const RecordLayout*> all{
        &applications(),    &archivedApplications(), &approvedApplications(), &archivedApproved(),
        &midTermProjects(), &sh,                     &xkhf,                   &zjdfcopy,
        &zjdf,              &completionReports()};
    return all;
}

const RecordLayout* findLayout(const QString& table)
{
    for (const RecordLayout* l : allLayouts())
        if (l->table.compare(table, Qt::CaseInsensitive) == 0)
            return l;
    return nullptr;
}

QString quoteIdentifier(const QString& name)
{
    QString s = name;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString columnList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& n : names)
        quoted << quoteIdentifier(n);
    return quoted.join(QLatin1String(", "));
}

QString columnList(const RecordLayout& layout)
{
    return columnList(layout.columnNames());
}

QString placeholders(int n)
{
    QStringList marks;
    for (int i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1String(", "));
}

QString insertStatement(const RecordLayout& layout)
{
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(quoteIdentifier(layout.table), columnList(layout), placeholders(int(layout.columns.size())));
}

QString selectStatement(const RecordLayout& layout)
{
    return QStringLiteral("select %1 from %2").arg(columnList(layout), quoteIdentifier(layout.table));
}

QString copyStatement(const RecordLayout& target, const RecordLayout& source)
{
    QStringList names;
    for (const Column& c : source.columns) {
        const Column* t = target.column(c.name);
        if (!t)
            throw std::invalid_argument(
                QStringLiteral("%1 has no column %2 of %3").arg(target.table, c.name, source.table).toStdString());
        names << t->name;
    }
    const QString cols = columnList(names);
    return QStringLiteral("insert into %1 (%2) select %2 from %3")
        .arg(quoteIdentifier(target.table), cols, quoteIdentifier(source.table));
}

}  // namespace records
