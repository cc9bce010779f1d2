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
const QString kTalentCaption = QStringLiteral("中青年人才培养计划");

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

// ---- xmsb: the application record, as the application window frmjblr keeps it.

const QString kTitleHint = QStringLiteral("请直接输入职称代码(三位数字)，或者双击鼠标然后选择职称名称。");
const QString kDegreeHint = QStringLiteral("请双击鼠标，然后选择博士、硕士或学士学位。");

// The columns of one page of the window's tab control.
QList<Column> onPage(int tab, QList<Column> cols)
{
    for (Column& c : cols)
        c.tab = tab;
    return cols;
}

// The pages of frmjblr's tab control that Enter opens from the last box of the page
// before. The grid's page has no box: Enter in the last box of the last page leaves
// the focus where it is.
enum ApplicationPage { Leader = 2, Members = 3, Abstract = 4, Plan = 5, Investment = 6, Browse = 7 };

QList<Column> applicationColumns()
{
    constexpr Qt::Alignment centred = Qt::AlignCenter;
    QList<Column> cols;

    // Tab 0 "封面": the key boxes are the ones LockFields disables. The check box
    // follows the boxes of its page in the tab order.
    cols << onPage(0, {
        {.name = "bz", .box = "Chkbz", .boxKind = BoxKind::Check, .store = Store::Ticked, .mark = kTalentMark,
         .caption = kTalentCaption, .hiddenIn = Category3},
        {.name = "xmlb", .box = "lblxmlb", .boxKind = BoxKind::Label, .store = Store::Always},
        {.name = "xmbh", .box = "txtnbbh", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 9,
         .lock = Lock::Both, .keys = KeyRule::EnterToTab, .hint = "请输入项目编号，如果您不知道可以不输入。",
         .keepsHint = true, .ime = FieldIme::Off},
        {.name = "ssxk", .box = "txtxkdm", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 2,
         .lock = Lock::Both, .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标然后选择学科名称。", .keepsHint = true,
         .ime = FieldIme::Off, .align = centred, .pickList = true},
        {.name = "xkmc", .box = "txtxkmc", .boxKind = BoxKind::Display, .store = Store::Always,
         .keys = KeyRule::EnterToTab},
        {.name = "xmmc", .box = "txtxmmc", .boxKind = BoxKind::Text, .alsoShownIn = "lblxmmc",
         .store = Store::Always, .limit = 25, .lock = Lock::Both, .keys = KeyRule::NoBlanks,
         .hint = "请录入不多于25个汉字。", .ime = FieldIme::OnWhileFocused},
        {.name = "xmfzr", .box = "txtxmfzr", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 10,
         .lock = Lock::Both, .keys = KeyRule::NoBlanks, .hint = "请录入不多于10个汉字。",
         .ime = FieldIme::OnWhileFocused},
        {.name = "szdw", .box = "txtszdw", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 12,
         .lock = Lock::Both, .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标然后选择单位名称。",
         .ime = FieldIme::Off, .pickList = true},
        // Enter and leaving check the date (frmjblr); the other keys are the rule's.
        {.name = "sqrq", .kind = Kind::DateText, .box = "txtsqrq", .boxKind = BoxKind::Text,
         .store = Store::Always, .limit = 10, .lock = Lock::Both, .keys = KeyRule::DigitsOnly,
         .hint = "请输入格式为：XXXXXXXX,前四位是年，再两位是月，后两位是日，月日为十以下时前面补零。",
         .ime = FieldIme::Off},
    });

    // Tab 1 "研究项目".
    cols << onPage(1, {
        {.name = "yjlb", .box = "txtyjlb", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 10,
         .hiddenIn = Category3, .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标，然后选择研究类别。",
         .align = centred, .pickList = true},
        {.name = "sqje", .kind = Kind::Number, .box = "txtsqje", .boxKind = BoxKind::Text, .store = Store::Number,
         .limit = 5, .keys = KeyRule::EnterToTab, .align = Qt::AlignRight, .blankZero = true},
        {.name = "qsny", .kind = Kind::DateText, .box = "txtqssj", .boxKind = BoxKind::Text,
         .store = Store::IfFilled, .limit = 10, .keys = KeyRule::DigitsOnly,
         .hint = "请输入格式为：XXXXX,前四位是年，后一位是月，月只能输入1和6，输入结束按回车键。"},
        {.name = "zzny", .kind = Kind::DateText, .box = "txtzzsj", .boxKind = BoxKind::Text,
         .store = Store::IfFilled, .limit = 10, .keys = KeyRule::DigitsOnly,
         .hint = "请输入格式为：XXXXXX,前四位是年，后两位是月，月只能输入6或12，输入结束按回车键。"},
        {.name = "sysmc", .box = "txtsys", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 20,
         .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标，然后选择所属重点实验室。", .pickList = true},
        {.name = "yjjg", .box = "txtyjjg", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 16,
         .keys = KeyRule::NoBlanks, .nextPage = Leader, .hint = "请录入不多于16个汉字。"},
        {.name = "sysdm", .box = "txtsysdm", .boxKind = BoxKind::Hidden, .store = Store::Always, .limit = 40},
    });

    // Tab 2 "项目负责人".
    cols << onPage(2, {
        {.name = "fzrxm", .box = "txtfzrxm", .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 8,
         .keys = KeyRule::NoBlanks, .hint = "请录入不多于8个汉字。", .ime = FieldIme::On, .align = centred},
        {.name = "fzrxb", .box = "txtxb", .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 2,
         .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标，然后选择性别。", .pickList = true},
        {.name = "fzrcsny", .kind = Kind::DateText, .box = "txtcsny", .boxKind = BoxKind::Text,
         .store = Store::IfFilled, .limit = 10, .keys = KeyRule::YearMonth,
         .hint = "请输入格式：四位年份+点号+两位月份，例如1980.07。",
         .ime = FieldIme::Off},
        {.name = "fzrxw", .box = "txtxw", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 6,
         .keys = KeyRule::ChooseOnly, .hint = kDegreeHint, .align = centred, .pickList = true},
        {.name = "fzrhdxwsj", .kind = Kind::DateText, .box = "txtxwsj", .boxKind = BoxKind::Text,
         .store = Store::Always, .limit = 10, .keys = KeyRule::YearMonth,
         .hint = "请输入格式：四位年份+点号+两位月份，例如1991.07。",
         .ime = FieldIme::Off},
        {.name = "fzrsbdbz", .box = "txtsbd", .boxKind = BoxKind::Text, .store = Store::Always,
         .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标，然后选择硕博导。", .pickList = true},
        {.name = "fzrzc", .box = "txtzc", .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 12,
         .keys = KeyRule::DigitsOnly, .hint = kTitleHint, .align = centred, .pickList = true},
        {.name = "fzrzcdm", .box = "txtzcdm", .boxKind = BoxKind::Hidden, .store = Store::IfFilled},
        {.name = "fzrdzsj", .kind = Kind::DateText, .box = "txtdzsj", .boxKind = BoxKind::Text,
         .store = Store::IfFilled, .limit = 10, .keys = KeyRule::YearMonth,
         .hint = "请输入格式：四位年份+点号+两位月份，例如2001.07。",
         .ime = FieldIme::Off},
        {.name = "fzryjfx", .box = "txtyjfx", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 10,
         .keys = KeyRule::NoBlanks, .hint = "请录入不多于10个汉字。"},
        {.name = "fzrlxdh", .box = "txtlxdh", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 15,
         .keys = KeyRule::EnterToTab, .hint = "请录入不多于15位电话号码。"},
        {.name = "fzrszxs", .box = "txtszxs", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 18,
         .keys = KeyRule::NoBlanks, .nextPage = Members,
         .hint = "请直接输入（不多于18个汉字），或者双击鼠标，然后选择所在系所。", .pickList = true},
    });

    // Tab 3 "项目组成员": eight member rows, the boxes named by their stem and the row
    // number ("txtzw" 3 gives "txtzw3"); a blank name ends the members.
    for (int k = 1; k <= 8; ++k) {
        const QString n = QString::number(k);
        cols << onPage(3, {
            {.name = "xm" + n, .box = "txtxm" + n, .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 8,
             .row = k, .endsRows = true, .keys = KeyRule::NoBlanks,
             .hint = "请录入不多于8个汉字，或按F2插入一个成员，按F3删除当前成员。"},
            {.name = "nl" + n, .kind = Kind::Number, .box = "txtnl" + n, .boxKind = BoxKind::Text,
             .store = Store::Number, .limit = 2, .row = k, .keys = KeyRule::DigitsOnly, .hint = "请输入2位数字字符。",
             .align = centred},
            {.name = "zc" + n, .box = "txtzw" + n, .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 12,
             .row = k, .keys = KeyRule::DigitsOnly, .hint = kTitleHint, .pickList = true},
            {.name = "xw" + n, .box = "txtxw" + n, .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 4,
             .row = k, .keys = KeyRule::ChooseOnly, .hint = kDegreeHint, .align = centred, .pickList = true},
            {.name = "szdw" + n, .box = "txtszdw" + n, .boxKind = BoxKind::Text, .store = Store::IfFilled,
             .limit = 12, .row = k, .keys = KeyRule::NoBlanks,
             .hint = "请直接输入单位代码，或者双击鼠标然后选择单位名称，或者直接输入单位名称。", .pickList = true},
            {.name = "xmfg" + n, .box = "txtxmfg" + n, .boxKind = BoxKind::Text, .store = Store::IfFilled,
             .limit = 10, .row = k, .keys = KeyRule::NoBlanks, .nextPage = k == 8 ? Abstract : -1,
             .hint = "请录入不多于10个汉字。"},
            {.name = "zcdm" + n, .box = "txtzcdm" + n, .boxKind = BoxKind::Hidden, .store = Store::IfFilled,
             .row = k},
        });
    }
    // The counts the window computes from the member rows.
    static const char* const counts[][2] = {
        {"zrs", "txtzrs"}, {"gjrs", "txtgj"}, {"zjrs", "txtzj"}, {"cjrs", "txtcj"},
        {"bshrs", "txtbsh"}, {"bssrs", "txtbss"}, {"sssrs", "txtsss"}, {"cjdws", "txtcjdws"},
    };
    for (const auto& c : counts)
        cols << Column{.name = c[0], .kind = Kind::Number, .box = c[1], .boxKind = BoxKind::Display,
                       .store = Store::Number, .tab = 3, .blankZero = true};

    // Tab 4 "摘要与预期成果".
    cols << onPage(4, {
        {.name = "yjnrzy", .kind = Kind::Memo, .box = "txtyjnrzy", .boxKind = BoxKind::Memo,
         .store = Store::IfFilled, .limit = 200, .keys = KeyRule::EnterToTab},
        {.name = "yqcg", .kind = Kind::Memo, .box = "txtyqyjcg", .boxKind = BoxKind::Memo,
         .store = Store::IfFilled, .limit = 148, .keys = KeyRule::EnterToTab, .nextPage = Plan},
    });

    // Tab 5 "年度进展安排": three plan rows; a blank year ends them. The last plan
    // opens the investment page, in the category that has one.
    for (int k = 1; k <= 3; ++k) {
        const QString n = QString::number(k);
        cols << onPage(5, {
            {.name = "nf" + n, .kind = Kind::DateText, .box = "txtnd" + n, .boxKind = BoxKind::Text,
             .store = Store::IfFilled, .limit = 4, .row = k, .endsRows = true, .keys = KeyRule::DigitsOnly},
            {.name = "jdap" + n, .kind = Kind::Memo, .box = "txtndjz" + n, .boxKind = BoxKind::Memo,
             .store = Store::IfFilled, .limit = 60, .row = k, .keys = KeyRule::EnterToTab,
             .nextPage = k == 3 ? Investment : -1},
        });
    }

    // Tab 6 "投资情况": category 3 only; in the others these columns stay without a
    // value and the window leaves their boxes alone. The four amounts add up to the
    // total investment.
    QList<Column> investment = onPage(6, {
        {.name = "hzdw", .box = "txthzdw", .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 30,
         .keys = KeyRule::EnterToTab},
        {.name = "ztz", .kind = Kind::Number, .box = "txtztz", .boxKind = BoxKind::Total, .store = Store::Number,
         .keys = KeyRule::EnterToTab},
        {.name = "xxzc", .kind = Kind::Number, .box = "txtxxzc", .boxKind = BoxKind::Text, .store = Store::Number,
         .keys = KeyRule::DigitsAndPoint, .hint = "请输入学校自筹金额。", .addsToTotal = true},
        {.name = "hzdwtz", .kind = Kind::Number, .box = "txthzdwtz", .boxKind = BoxKind::Text,
         .store = Store::Number, .keys = KeyRule::DigitsAndPoint, .hint = "请输入合作单位投资金额。",
         .addsToTotal = true},
        {.name = "yhdk", .kind = Kind::Number, .box = "txtyhdk", .boxKind = BoxKind::Text, .store = Store::Number,
         .keys = KeyRule::DigitsAndPoint, .hint = "请输入银行贷款金额。", .addsToTotal = true},
        {.name = "jytbk", .kind = Kind::Number, .box = "txtjytbk", .boxKind = BoxKind::Text,
         .store = Store::Number, .keys = KeyRule::DigitsAndPoint, .nextPage = Browse,
         .hint = "请输入申请vuz拨款金额。", .addsToTotal = true},
    });
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
// Codes and numbers are typed with the input method off, names and texts with it on
// while they have the focus; boxes filled from a list leave it alone.

// A count of two digits: most of the boxes of the report.
Column count(int tab, Lock lock = Lock::None)
{
    return {.kind = Kind::Number, .boxKind = BoxKind::Text, .store = Store::Number, .limit = 2, .tab = tab,
            .lock = lock, .keys = KeyRule::DigitsOnly, .ime = FieldIme::Off};
}

// The boxes of a control array, indexes from 0, each like `like`.
void boxArray(QList<Column>& cols, const char* box, std::initializer_list<const char*> names, const Column& like)
{
    int i = 0;
    for (const char* n : names) {
        Column c = like;
        c.name = QString::fromLatin1(n);
        c.box = QString::fromLatin1(box);
        c.boxIndex = i++;
        cols << c;
    }
}

QList<Column> completionColumns()
{
    const QString yearMonthHint = QStringLiteral("请输入格式为：XXXX.XX,前四位是年，后两位是月，月不够两位前面补零。");
    QList<Column> cols;
    // Tab 0 "基本信息": the boxes LockFields disables one by one.
    cols << onPage(0, {
        {.name = "zqnbz", .box = "Chkbz", .boxKind = BoxKind::Check, .store = Store::Ticked, .mark = kTalentMark,
         .caption = kTalentCaption, .lock = Lock::Both},
        {.name = "xmlb", .box = "Txtxmlb", .boxKind = BoxKind::Text, .store = Store::Always, .lock = Lock::Both,
         .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标然后选择项目类别。"},
        {.name = "xmbh", .box = "txtxmbh", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 9,
         .lock = Lock::Both, .keys = KeyRule::EnterToTab, .ime = FieldIme::Off},
        {.name = "xmmc", .box = "txtxmmc", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 25,
         .lock = Lock::Both, .keys = KeyRule::EnterToTab, .ime = FieldIme::OnWhileFocused},
        {.name = "xmfzr", .box = "txtxmfzr", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 10,
         .lock = Lock::Both, .keys = KeyRule::EnterToTab, .ime = FieldIme::OnWhileFocused},
        {.name = "szdw", .box = "txtszdw", .boxKind = BoxKind::Text, .store = Store::Always, .limit = 12,
         .lock = Lock::Both, .keys = KeyRule::ChooseOnly, .hint = "请双击鼠标然后选择单位名称。"},
        {.name = "fzrzc", .box = "txtzc", .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 10,
         .lock = Lock::Both, .keys = KeyRule::DigitsOnly, .hint = kTitleHint, .ime = FieldIme::Off},
        // Stored with the title name, even when it is empty.
        {.name = "fzrzcdm", .box = "txtzcdm", .boxKind = BoxKind::Hidden, .store = Store::IfFilled,
         .filledBy = "txtzc", .limit = 10},
        {.name = "fzrxw", .box = "txtxw", .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 10,
         .lock = Lock::Both, .keys = KeyRule::ChooseOnly, .hint = kDegreeHint},
        {.name = "fzrcjsj", .box = "Txtfzrcjsj", .boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 2,
         .lock = Lock::Both, .keys = KeyRule::DigitsOnly, .ime = FieldIme::Off},
        {.name = "pa", .kind = Kind::DateText, .box = "txtpa", .boxKind = BoxKind::Text, .store = Store::IfFilled,
         .limit = 10, .lock = Lock::Both, .keys = KeyRule::DigitsAndPoint, .hint = yearMonthHint,
         .ime = FieldIme::Off},
        {.name = "fa", .kind = Kind::DateText, .box = "txtfa", .boxKind = BoxKind::Text, .store = Store::IfFilled,
         .limit = 10, .lock = Lock::Both, .keys = KeyRule::DigitsAndPoint, .hint = yearMonthHint,
         .ime = FieldIme::Off},
        {.name = "fh", .kind = Kind::Number, .box = "Txtfh", .boxKind = BoxKind::Text, .store = Store::Number,
         .lock = Lock::Both, .keys = KeyRule::DigitsAndPoint, .ime = FieldIme::Off},
        {.name = "ff", .kind = Kind::Number, .box = "Txtff", .boxKind = BoxKind::Text, .store = Store::Number,
         .lock = Lock::Both, .keys = KeyRule::DigitsAndPoint, .ime = FieldIme::Off},
    });
    boxArray(cols, "Txtcjdw", {"au", "ats", "ae", "ao"}, count(0, Lock::Both));
    cols.last().nextPage = 1;
    boxArray(cols, "Txtcjrs", {"at", "aha", "ahb", "am", "al", "ah", "ab", "as"}, count(0, Lock::Both));
    Column& total = cols[cols.size() - 8];   // "at": the sum of the seven kinds after it
    total.boxKind = BoxKind::Total;
    total.lock = Lock::LockOnly;

    // Tab 1 "论著与研究成果".
    boxArray(cols, "Txtbook",
             {"picr", "pncr", "pics", "pncs", "pibp", "pnbp", "pibf", "pnbf", "pjn", "pji", "pjei", "pjsci",
              "pjssci", "pjistp"},
             count(1));
    boxArray(cols, "Txtproduct",
             {"pappv", "paupv", "pappp", "paupp", "pappd", "paupd", "psa", "psb", "psc", "psd", "pot", "pop",
              "pod", "poa", "pom"},
             count(1));
    cols.last().nextPage = 2;

    // Tab 2 "学术奖励与人才培养": counts, and two amounts.
    boxArray(cols, "Txtxsjl",
             {"tnn1", "tnn2", "tnt1", "tnt2", "tnv1", "tnv2", "tp1", "tp2", "tp3", "tb1", "tb2", "tb3", "ti",
              "to"},
             count(2));
    boxArray(cols, "Txtrcpy", {"ph", "pb", "ps"}, count(2));
    cols << onPage(2, {
        {.name = "pss", .kind = Kind::Number, .box = "Txtpss", .boxKind = BoxKind::Text, .store = Store::Number,
         .limit = 3, .keys = KeyRule::DigitsOnly, .ime = FieldIme::Off},
        {.name = "psz", .kind = Kind::Number, .box = "Txtpsz", .boxKind = BoxKind::Text, .store = Store::Number,
         .keys = KeyRule::DigitsAndPoint, .ime = FieldIme::Off},
        {.name = "ptg", .kind = Kind::Number, .box = "Txtptg", .boxKind = BoxKind::Text, .store = Store::Number,
         .limit = 2, .keys = KeyRule::DigitsOnly, .ime = FieldIme::Off},
        {.name = "pxy", .kind = Kind::Number, .box = "Txtpxy", .boxKind = BoxKind::Text, .store = Store::Number,
         .keys = KeyRule::DigitsAndPoint, .nextPage = 3, .ime = FieldIme::Off},
    });

    // Tab 3 "研究工作总结摘要": the last subject word is the last box of the report.
    cols << Column{.name = "abst", .kind = Kind::Memo, .box = "txtabst", .boxKind = BoxKind::Memo,
                   .store = Store::IfFilled, .limit = 300, .tab = 3, .keys = KeyRule::EnterToTab,
                   .ime = FieldIme::OnWhileFocused};
    boxArray(cols, "Txtkey", {"key1", "key2", "key3"},
             {.boxKind = BoxKind::Text, .store = Store::IfFilled, .limit = 15, .tab = 3, .keys = KeyRule::EnterToTab,
              .ime = FieldIme::OnWhileFocused});
    cols.last().keys = KeyRule::StayOnEnter;
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
