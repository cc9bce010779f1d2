#include "frmjblr.h"

#include "DataControl.h"
#include "Failure.h"
#include "CodeLookups.h"
#include "KeyFilters.h"
#include "ModVar.h"
#include "Platform.h"
#include "StaffCounts.h"
#include "Twips.h"
#include "VbText.h"

#include <QHash>
#include <QPainter>
#include <QPolygon>
#include <iterator>
#include <utility>

namespace {

const QString kTitle = QStringLiteral("提示信息");

// Design sizes, twips.
constexpr int kWidth = 11040;
constexpr int kTabTop = 420;
constexpr int kTabHeight = 4710;   // as tall as the main window allows
constexpr int kHeight = kTabTop + kTabHeight + 1110;
constexpr int kRow = 300;

// A navigation picture: navy triangles pointing left or right, with a bar at the end.
QIcon arrowIcon(bool right, bool bar)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    QPolygon tri = right ? QPolygon({QPoint(7, 4), QPoint(15, 10), QPoint(7, 16)})
                         : QPolygon({QPoint(13, 4), QPoint(5, 10), QPoint(13, 16)});
    p.drawPolygon(tri);
    if (bar)
        p.drawRect(right ? QRect(15, 4, 2, 13) : QRect(3, 4, 2, 13));
    return QIcon(pm);
}

}  // namespace

frmjblr::frmjblr()
    : RecordWindow(QStringLiteral("frmjblr"), TabBrowse, platform::vbNoIcon), m_fields(ApplicationFieldTable())
{
}

// ---------------------------------------------------------------------------
// Building the window

QWidget* frmjblr::AddPage(const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Tab%1").arg(SSTabjblr->count()));
    SSTabjblr->addTab(page, caption);
    return page;
}

VbLabel* frmjblr::AddLabel(QWidget* page, const QString& caption, int left, int top, int width, Qt::Alignment align)
{
    auto* l = new VbLabel(page, QStringLiteral("Label_%1").arg(++m_labels), caption);
    l->setAlignment(align);
    PlaceTw(l, left, top, width, kRow);
    return l;
}

QWidget* frmjblr::AddBox(QWidget* page, const QString& name, int left, int top, int width, int height)
{
    QWidget* box = m_fields.Make(name, page);
    PlaceTw(box, left, top, width, height);
    return box;
}

VbListBox* frmjblr::AddList(QWidget* page, const QString& name, int left, int top, int width, int height)
{
    auto* list = new VbListBox(page, name);
    PlaceTw(list, left, top, width, height);
    list->setVisible(false);
    return list;
}

// The pick-list boxes of the first three tabs and their lists stand where the users
// know them; the other boxes and the labels are arranged around them. A label sits
// left of its box, level with it; where a caption is too long for the margin it
// stands above the box instead.
constexpr int kLabelLeft = 120;
constexpr int kLabelWidth = 1380;   // ends 60 twips before a box at 1560
constexpr int kLabelGap = 60;

// A label whose right edge ends kLabelGap before boxLeft, vertically centred on a box
// of the given height.
VbLabel* frmjblr::AddLabelBefore(QWidget* page, const QString& caption, int boxLeft, int top, int width, int boxHeight)
{
    return AddLabel(page, caption, boxLeft - kLabelGap - width, top + (boxHeight - kRow) / 2, width);
}

void frmjblr::BuildCover(QWidget* page)
{
    constexpr int boxLeft = 1800, labelWidth = boxLeft - kLabelGap - kLabelLeft, h = 405;
    auto label = [&](const char* caption, int top) {
        AddLabelBefore(page, QString::fromUtf8(caption), boxLeft, top, labelWidth, h);
    };
    label("项 目 类 别：", 480);
    auto* xmlb = new VbLabel(page, QStringLiteral("lblxmlb"));
    QFont bold = xmlb->font();
    bold.setBold(true);
    xmlb->setFont(bold);
    PlaceTw(xmlb, boxLeft, 480 + (h - kRow) / 2, 4455, kRow);
    m_fields.Adopt(xmlb);

    label("编       号：", 1200);
    AddBox(page, "txtnbbh", boxLeft, 1200, 1500, h);
    AddLabelBefore(page, QStringLiteral("所 属 学 科："), 6360, 1200, 1380, h);
    AddBox(page, "txtxkdm", 6360, 1200, 855, h);
    AddBox(page, "txtxkmc", 7275, 1200, 3180, h);
    label("项 目 名 称：", 1920);
    AddBox(page, "txtxmmc", boxLeft, 1920, 4455, h);
    label("项目 负责人：", 2580);
    AddBox(page, "txtxmfzr", boxLeft, 2580, 2400, h);
    label("所 在 单 位：", 3240);
    AddBox(page, "txtszdw", boxLeft, 3240, 4455, h);
    // The last row stands high enough to lie whole on the page below the tab strip.
    label("申 请 日 期：", 3840);
    AddBox(page, "txtsqrq", boxLeft, 3840, 1500, h);
    auto* chk = m_fields.Make<VbCheckBox>("Chkbz", page);
    chk->setText(records::applications().column(QStringLiteral("bz"))->caption);
    PlaceTw(chk, 6360, 3840 + (h - kRow) / 2, 3000, kRow);

    lstxkdm = AddList(page, "lstxkdm", 6360, 1560, 4095, 1485);
    // The unit list covers the date box while it is open and reaches below the page's
    // foot, so it belongs to the window and draws over the strip under the tabs, as a
    // drop-down would, instead of losing its last lines. It is placed when it opens.
    lstszdw = new VbListBox(this, QStringLiteral("lstszdw"));
    lstszdw->setVisible(false);
    m_unitListTw = QRect(boxLeft, 3600, 4455, 915);
}

void frmjblr::BuildProject(QWidget* page)
{
    constexpr int boxLeft = 1560, rightBox = 6360, h = 375;
    AddLabelBefore(page, QStringLiteral("项 目 名 称："), boxLeft, 360, kLabelWidth, h);
    auto* xmmc = new VbLabel(page, QStringLiteral("lblxmmc"));
    QFont bold = xmmc->font();
    bold.setBold(true);
    xmmc->setFont(bold);
    PlaceTw(xmmc, boxLeft, 360 + (h - kRow) / 2, 8895, kRow);

    Label23 = AddLabelBefore(page, QStringLiteral("研 究 类 别："), boxLeft, 1080, kLabelWidth, h);
    Label23->setObjectName(QStringLiteral("Label23"));
    AddBox(page, "txtyjlb", boxLeft, 1080, 3015, h);
    AddLabelBefore(page, QStringLiteral("申 请 金 额："), rightBox, 1080, kLabelWidth, h);
    AddBox(page, "txtsqje", rightBox, 1080, 1200, h);
    AddLabel(page, QStringLiteral("万元"), rightBox + 1260, 1080 + (h - kRow) / 2, 600, Qt::AlignLeft | Qt::AlignVCenter);
    AddLabelBefore(page, QStringLiteral("起 始 年 月："), boxLeft, 2040, kLabelWidth, h);
    AddBox(page, "txtqssj", boxLeft, 2040, 1500, h);
    AddLabelBefore(page, QStringLiteral("终 止 年 月："), rightBox, 2040, kLabelWidth, h);
    AddBox(page, "txtzzsj", rightBox, 2040, 1500, h);
    // The base or laboratory caption and the institute caption are too long for the
    // margin: they stand above their boxes.
    Label29 = AddLabel(page, QString(), boxLeft, 2580 - kLabelGap + (h - kRow) / 2, 6735, Qt::AlignLeft | Qt::AlignVCenter);
    Label29->setObjectName(QStringLiteral("Label29"));
    AddBox(page, "txtsys", boxLeft, 2880, 6735, h);
    AddBox(page, "txtsysdm", boxLeft + 6795, 2880, 600, h);
    AddLabel(page, QStringLiteral("所属专职研究机构名称："), boxLeft, 3360, 6735, Qt::AlignLeft | Qt::AlignVCenter);
    AddBox(page, "txtyjjg", boxLeft, 3660, 6735, h);

    lstyjlb = AddList(page, "lstyjlb", boxLeft, 1440, 3015, 630);
    lstsys = AddList(page, "lstsys", boxLeft, 1680, 6735, 1200);   // opens above its box
}

void frmjblr::BuildLeader(QWidget* page)
{
    constexpr int boxLeft = 1920, labelWidth = boxLeft - kLabelGap - kLabelLeft, h = 375;
    // Each row: the box's name, its left edge, top, width, height and the caption's width.
    struct Item {
        const char* caption;
        const char* box;
        int left, top, width, height, labelWidth;
    };
    static const Item items[] = {
        {"姓         名：", "txtfzrxm", boxLeft, 360, 1800, h, labelWidth},
        {"性别：", "txtxb", 5520, 360, 855, h, 900},
        {"出生年月：", "txtcsny", 7920, 360, 1500, h, 1380},
        {"学         位：", "txtxw", boxLeft, 1200, 1575, h, labelWidth},
        {"最后学位获得时间：", "txtxwsj", 5520, 1200, 1500, h, 1920},
        {"是否硕博导：", "txtsbd", 8880, 1200, 1095, h, 1740},
        {"专业技术职务：", "txtzc", boxLeft, 2160, 2655, 405, labelWidth},
        {"定  职  时  间：", "txtdzsj", 6360, 2160, 1500, 405, 1620},
        {"主要研究方向：", "txtyjfx", boxLeft, 3060, 4695, h, labelWidth},
        {"联  系  电  话：", "txtlxdh", 8280, 3060, 1695, h, 1560},
        // The last row lies whole on the page below the tab strip; its list ends at it.
        {"所  在 系  所：", "txtszxs", boxLeft, 3840, 4695, h, labelWidth},
    };
    for (const Item& it : items) {
        AddLabelBefore(page, QString::fromUtf8(it.caption), it.left, it.top, it.labelWidth, it.height);
        AddBox(page, QString::fromUtf8(it.box), it.left, it.top, it.width, it.height);
    }
    AddBox(page, "txtzcdm", 4680, 2160, 600, 405);

    lstxb = AddList(page, "lstxb", 5520, 720, 855, 630);
    lstxw = AddList(page, "lstxw", boxLeft, 1560, 1575, 915);
    lstsbd = AddList(page, "lstsbd", 8880, 1560, 1095, 915);
    lstzc = AddList(page, "lstzc", boxLeft, 2520, 2655, 1200);
    lstszxs = AddList(page, "lstszxs", boxLeft, 2640, 4695, 1200);   // opens above its box
}

void frmjblr::BuildMembers(QWidget* page)
{
    struct ColumnPlace {
        const char* heading;
        const char* stem;
        int left;
        int width;
    };
    static const ColumnPlace columns[] = {
        {"姓   名", "txtxm", 120, 1815},  {"年龄", "txtnl", 1920, 495},        {"技术职务", "txtzw", 2400, 1695},
        {"学 位", "txtxw", 4080, 975},    {"所 在 单 位", "txtszdw", 5040, 3135}, {"项 目 分 工", "txtxmfg", 8160, 2535},
    };
    QFont bold = font();
    bold.setBold(true);
    for (const ColumnPlace& c : columns)
        AddLabel(page, QString::fromUtf8(c.heading), c.left, 0, c.width, Qt::AlignCenter)->setFont(bold);
    for (int k = 1; k <= 8; ++k) {
        const int top = 240 + 360 * (k - 1);
        for (const ColumnPlace& c : columns)
            AddBox(page, QString::fromUtf8(c.stem) + QString::number(k), c.left, top, c.width, 375);
        AddBox(page, QStringLiteral("txtzcdm%1").arg(k), 5760, 480 + 240 * k, 975, 270);
    }
    struct Count {
        const char* caption;
        const char* box;
    };
    static const Count counts[2][4] = {
        {{"总人数：", "txtzrs"}, {"高  级：", "txtgj"}, {"中  级：", "txtzj"}, {"初     级：", "txtcj"}},
        {{"博士后：", "txtbsh"}, {"博士生：", "txtbss"}, {"硕士生：", "txtsss"}, {"参加单位数：", "txtcjdws"}},
    };
    for (int line = 0; line < 2; ++line)
        for (int i = 0; i < 4; ++i) {
            const int left = 120 + i * 2640, top = 3240 + line * 360;
            AddLabel(page, QString::fromUtf8(counts[line][i].caption), left, top, 1320);
            AddBox(page, QString::fromUtf8(counts[line][i].box), left + 1380, top, 720);
        }

    // The shared lists open beside the row they serve (MemberListTop).
    lstzc1 = AddList(page, "lstzc1", 2400, 600, 2655, 1200);
    lstxw1 = AddList(page, "lstxw1", 4080, 600, 975, 1200);
    lstszdw1 = AddList(page, "lstszdw1", 5040, 600, 3135, 1200);
}

void frmjblr::BuildAbstract(QWidget* page)
{
    AddLabel(page, QStringLiteral("研究内容摘要："), 240, 120, 1500, Qt::AlignLeft | Qt::AlignVCenter);
    AddLabel(page, QStringLiteral("（内容摘要不超过200汉字）"), 1740, 120, 4000, Qt::AlignLeft | Qt::AlignVCenter);
    AddBox(page, "txtyjnrzy", 240, 450, 9120, 1440);
    AddLabel(page, QStringLiteral("预期研究成果："), 240, 1980, 1500, Qt::AlignLeft | Qt::AlignVCenter);
    AddLabel(page, QStringLiteral("（预期研究成果指专著、论文、研究报告等及其数量，内容不超过150汉字）"), 1740, 1980, 7600,
             Qt::AlignLeft | Qt::AlignVCenter);
    AddBox(page, "txtyqyjcg", 240, 2310, 9120, 1200);
}

void frmjblr::BuildPlan(QWidget* page)
{
    AddLabel(page, QStringLiteral("年度进展安排："), 240, 120, 1500, Qt::AlignLeft | Qt::AlignVCenter);
    AddLabel(page, QStringLiteral("（年度进展安排每项内容不超过60汉字）"), 1740, 120, 5000, Qt::AlignLeft | Qt::AlignVCenter);
    for (int k = 1; k <= 3; ++k) {
        const int top = 540 + (k - 1) * 1020;
        auto* line = new QFrame(page);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        PlaceTw(line, 240, top - 120, 9120, 30);
        AddBox(page, QStringLiteral("txtnd%1").arg(k), 240, top, 720);
        AddLabel(page, QStringLiteral("年"), 1000, top, 300, Qt::AlignLeft | Qt::AlignVCenter);
        AddBox(page, QStringLiteral("txtndjz%1").arg(k), 1380, top, 7980, 840);
    }
}

void frmjblr::BuildInvestment(QWidget* page)
{
    constexpr int labelLeft = 600, labelWidth = 1800, boxLeft = 2460;
    AddLabel(page, QStringLiteral("合作单位："), labelLeft, 240, labelWidth);
    AddBox(page, "txthzdw", boxLeft, 240, 5400);
    AddLabel(page, QStringLiteral("总投资："), labelLeft, 720, labelWidth);
    AddBox(page, "txtztz", boxLeft, 720, 1500);
    AddLabel(page, QStringLiteral("（单位：万元）"), boxLeft + 1560, 720, 1800, Qt::AlignLeft | Qt::AlignVCenter);
    auto* among = AddLabel(page, QStringLiteral("其中："), labelLeft, 1200, labelWidth);
    QFont bold = among->font();
    bold.setBold(true);
    among->setFont(bold);
    static const char* const amounts[][2] = {
        {"学校自筹：", "txtxxzc"}, {"合作单位投资：", "txthzdwtz"}, {"银行贷款：", "txtyhdk"}, {"申请vuz拨款：", "txtjytbk"}};
    for (int i = 0; i < 4; ++i) {
        const int top = 1680 + i * 480;
        AddLabel(page, QString::fromUtf8(amounts[i][0]), labelLeft, top, labelWidth);
        AddBox(page, QString::fromUtf8(amounts[i][1]), boxLeft, top, 1500);
        AddLabel(page, QStringLiteral("（万元）"), boxLeft + 1560, top, 1200, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void frmjblr::BuildBrowse(QWidget* page)
{
    RowData = new DataControl(this, QStringLiteral("Adodc1"));
    RowData->setVisible(false);
    DataGrid1 = new DataGrid(page, QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, 60, 60, kWidth - 480, kTabHeight - 600);
    DataGrid1->AddColumn(GridColumn{.caption = QStringLiteral("              项目名称"), .field = "XMMC", .widthTw = 3000});
    DataGrid1->AddColumn(GridColumn{.caption = QStringLiteral("   项目负责人"), .field = "XMFZR", .widthTw = 1300});
    DataGrid1->AddColumn(GridColumn{.caption = QStringLiteral("所属学科"), .field = "XKMC", .widthTw = 1500});
    DataGrid1->AddColumn(GridColumn{.caption = QStringLiteral("           所在单位"), .field = "SZDW", .widthTw = 2200});
    DataGrid1->AddColumn(GridColumn{.caption = QStringLiteral("   申请时间"), .field = "SQRQ", .widthTw = 1200});
}

void frmjblr::BuildCommands()
{
    constexpr int top = kTabTop + kTabHeight + 60;
    Frame1 = new VbFrame(this, QStringLiteral("Frame1"));
    PlaceTw(Frame1, 120, top, 2520, 660);
    auto* count = new VbLabel(Frame1, QStringLiteral("Label40"), QStringLiteral("总记录数："));
    count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceTw(count, 60, 210, 1200, kRow);
    txtzjls = new VbTextBox(Frame1, QStringLiteral("txtzjls"));
    txtzjls->setStyleSheet(QStringLiteral("QLineEdit { color: red; font-weight: bold; }"));
    txtzjls->setEnabled(false);
    PlaceTw(txtzjls, 1320, 210, 1080, kRow);
    Label41 = new VbLabel(this, QStringLiteral("Label41"), QStringLiteral("当前记录："));
    Label41->setVisible(false);
    txtdqjls = new VbTextBox(this, QStringLiteral("txtdqjls"));
    txtdqjls->setVisible(false);

    // The moves show pictures, no captions.
    const struct {
        ControlPtr<VbButton>& button;
        const char* name;
        bool right, bar;
    } moves[] = {{Cmdfst, "Cmdfst", false, true}, {Cmdpre, "Cmdpre", false, false},
                 {Cmdnxt, "Cmdnxt", true, false}, {Cmdlst, "Cmdlst", true, true}};
    for (int i = 0; i < 4; ++i) {
        VbButton* b = MakeButton(this, QString::fromLatin1(moves[i].name), QString(), 2760 + i * 480, top + 120, 480, 450);
        b->setIcon(arrowIcon(moves[i].right, moves[i].bar));
        b->setIconSize(QSize(20, 20));
        moves[i].button = b;
    }

    constexpr int width = 1080, height = 420;
    cmdinsert = MakeButton(this, QStringLiteral("cmdinsert"), QStringLiteral("录  入"), 4860, top + 150, width, height);
    Frame2 = new VbFrame(this, QStringLiteral("Frame2"));
    PlaceTw(Frame2, 6000, top, 1260, 660);
    Cmdupd = MakeButton(Frame2, QStringLiteral("Cmdupd"), QStringLiteral("保  存"), 90, 150, width, height);
    cmdcancel = MakeButton(this, QStringLiteral("cmdcancel"), QStringLiteral("放  弃"), 7380, top + 150, width, height);
    Cmdexit = MakeButton(this, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), 8580, top + 150, width, height);

    SBar = new VbStatusBar(this, QStringLiteral("SBar"), 1);
    PlaceTw(SBar, 0, kHeight - 330, kWidth, 330);
}

void frmjblr::SetupUi()
{
    setWindowTitle(QStringLiteral("简表录入"));
    SetInnerSizeTw(kWidth, kHeight);
    m_labels = 0;

    Toolbar1 = new VbToolbar(this, QStringLiteral("Toolbar1"));
    static const char* const buttons[][2] = {{"cut", "剪切"},  {"copy", "拷贝"}, {"paste", "粘贴"},
                                             {"save", "保存"}, {"undo", "撤消"}, {"select", "全选"}};
    for (const auto& b : buttons)
        Toolbar1->AddButton(QString::fromLatin1(b[0]), QString::fromUtf8(b[1]));
    PlaceTw(Toolbar1, 0, 0, kWidth, 390);

    SSTabjblr = new VbTab(this, QStringLiteral("SSTabjblr"));
    PlaceTw(SSTabjblr, 120, kTabTop, kWidth - 240, kTabHeight);
    BuildCover(AddPage(QStringLiteral("封面")));
    BuildProject(AddPage(QStringLiteral("研究项目")));
    BuildLeader(AddPage(QStringLiteral("项目负责人")));
    BuildMembers(AddPage(QStringLiteral("项目组成员")));
    BuildAbstract(AddPage(QStringLiteral("摘要与预期成果")));
    BuildPlan(AddPage(QStringLiteral("年度进展安排")));
    BuildInvestment(AddPage(QStringLiteral("投资情况")));
    BuildBrowse(AddPage(QStringLiteral("浏览")));
    BuildCommands();
    txtszdw = Text("txtszdw");

    // Colours and alignment of the boxes, as their columns describe them.
    for (const records::Column& c : records::applications().columns) {
        if (VbTextBox* box = Text(c.objectName())) {
            if (c.pickList)
                box->SetBackColor(PickListColor());
            if (c.align)
                box->setAlignment(c.align);
        }
    }
    for (const Field& f : m_fields.Table())
        if (f.flags.testFlag(FieldFlag::Computed))
            Text(f.box)->SetBackColor(ComputedColor());

    m_fields.SetHintTarget(SBar, 1);
    // After the boxes of a tab the focus goes to the exit button first.
    SetTabOrder(m_fields.TabOrder()
                + QList<QWidget*>{Cmdexit, Cmdfst, Cmdpre, Cmdnxt, Cmdlst, cmdinsert, Cmdupd, cmdcancel, DataGrid1});

    m_fields.OnChange(this, [this] { MarkChanged(); });
    // A count of 0 shows as a blank box, the record count of an empty category too;
    // the amounts of the investment add up to its total; the project name repeats on
    // the research tab as it is typed.
    QList<VbTextBox*> zeroBlanks = {txtzjls};
    for (const records::Column& c : records::applications().columns) {
        VbTextBox* box = Text(c.objectName());
        if (c.blankZero)
            zeroBlanks << box;
        if (c.addsToTotal)
            box->Change = [this] { SumInvestment(); };
        if (!c.alsoShownIn.isEmpty()) {
            VbLabel* second = findChild<VbLabel*>(c.alsoShownIn);
            box->Change = [box, second] { second->SetCaption(box->Text()); };
        }
    }
    for (VbTextBox* box : zeroBlanks) {
        box->Change = [box] {
            QString t = box->Text();
            if (BlankZero(t))
                box->SetText(t);
        };
    }
    ConnectKeys();
    ConnectLookups();
    ConnectMemberRows();

    Toolbar1->ButtonClick = [this](const QString& key) { Toolbar1_ButtonClick(key); };
    SSTabjblr->Click = [this](int) { TabChange(); };
    ConnectCommands();
}

// ---------------------------------------------------------------------------
// Keys

void frmjblr::EnterToTab(int& keyAscii)
{
    if (::EnterToTab(keyAscii))
        SendTab(this);
}

void frmjblr::ConnectKeys()
{
    // The date boxes check and convert on Enter and when they are left; their other
    // keys follow their rule.
    using DateCheck = std::function<FieldOutcome(const QString&, DateStep)>;
    const QHash<QString, DateCheck> dateChecks = {
        {"txtsqrq", [this](const QString& text, DateStep step) {
             return ParseApplicationDate(text, step, !Box("txtyjlb")->isHidden());
         }},
        {"txtqssj", ParseStartMonth},
        {"txtzzsj", ParseEndMonth},
        {"txtcsny", ParseBirthMonth},
    };

    // Every box takes the keys of its column's rule. Enter moves on to the next box,
    // or in the last box of a tab opens the next tab at its first box.
    for (const records::Column& c : records::applications().columns) {
        if (c.keys == KeyRule::None)
            continue;
        QWidget* box = Box(c.objectName());
        const KeyRule rule = c.keys;
        const int page = c.nextPage;
        const DateCheck check = dateChecks.value(c.objectName());
        auto keyPress = [this, box, rule, page, check](int& k) {
            if (check && k == vbkey::Return) {
                auto* date = static_cast<VbTextBox*>(box);
                Apply(check(date->Text(), DateStep::Enter), date, DateStep::Enter);
                return;
            }
            if (!FilterKey(rule, k, box))
                return;
            if (page < 0)
                SendTab(this);
            else if (const QString first = FirstBoxOfPage(page, gCategory); !first.isEmpty())
                SwitchTab(page, first);
        };
        if (auto* t = qobject_cast<VbTextBox*>(box))
            t->KeyPress = keyPress;
        else
            m_fields.BoxAs<VbMemo>(c.objectName())->KeyPress = keyPress;
    }

    for (auto d = dateChecks.cbegin(); d != dateChecks.cend(); ++d) {
        VbTextBox* box = Text(d.key());
        const DateCheck check = d.value();
        box->LostFocus = [this, box, check] { Apply(check(box->Text(), DateStep::Leave), box, DateStep::Leave); };
        box->GotFocus = [this] {
            if (!m_heldMessage.isEmpty())
                SBar->SetPanelText(1, std::exchange(m_heldMessage, QString()));
        };
    }
}

void frmjblr::Apply(const FieldOutcome& outcome, VbTextBox* box, DateStep step)
{
    if (outcome.text)
        box->SetText(*outcome.text);
    if (outcome.panel)
        SBar->SetPanelText(1, *outcome.panel);
    // A box being left that takes the focus back gets it again, hint and all; its
    // message is to stand over that hint.
    if (step == DateStep::Leave && outcome.panel && outcome.focus == box->objectName())
        m_heldMessage = *outcome.panel;
    if (outcome.tab >= 0)
        SSTabjblr->SetTab(outcome.tab);
    if (!outcome.focus.isEmpty())
        SetFocus(Box(outcome.focus));
    if (outcome.sendTab)
        SendTab(this);
}

void frmjblr::SwitchTab(int tab, const QString& focus)
{
    SSTabjblr->SetTab(tab);
    SetFocus(Box(focus));
}

void frmjblr::SumInvestment()
{
    QStringList amounts;
    QString total;
    for (const records::Column& c : records::applications().columns) {
        if (c.addsToTotal)
            amounts << Text(c.objectName())->Text();
        if (c.boxKind == BoxKind::Total)
            total = c.objectName();
    }
    Text(total)->SetText(::SumInvestment(amounts));
}

// ---------------------------------------------------------------------------
// Pick lists

void frmjblr::ConnectLookups()
{
    // A double click opens the box's list; leaving the box closes it again (the
    // discipline, unit and title boxes do more on leaving, below).
    struct Lookup {
        const char* box;
        VbListBox* list;
        const char* hint;   // written before the list opens
        bool closesOnly;    // leaving only closes the list
    };
    const Lookup lookups[] = {
        {"txtxkdm", lstxkdm, "请用鼠标选择所属学科。", false}, {"txtszdw", lstszdw, "请用鼠标选择所在单位。", false},
        {"txtyjlb", lstyjlb, nullptr, true},                  {"txtsys", lstsys, nullptr, true},
        {"txtxb", lstxb, nullptr, true},                      {"txtxw", lstxw, nullptr, true},
        {"txtsbd", lstsbd, nullptr, true},                    {"txtzc", lstzc, nullptr, false},
        {"txtszxs", lstszxs, nullptr, true},
    };
    for (const Lookup& l : lookups) {
        VbTextBox* box = Text(QString::fromLatin1(l.box));
        VbListBox* list = l.list;
        const QString hint = l.hint ? QString::fromUtf8(l.hint) : QString();
        box->DblClick = [this, box, list, hint] {
            if (!hint.isEmpty())
                SBar->SetPanelText(1, hint);
            if (list == lstszdw) {
                const QRect place = TwipsRect(m_unitListTw.x(), m_unitListTw.y(), m_unitListTw.width(), m_unitListTw.height());
                list->setGeometry(QRect(box->parentWidget()->mapTo(this, place.topLeft()), place.size()));
            }
            list->setVisible(true);
            list->raise();
        };
        if (l.closesOnly)
            box->LostFocus = [list] { list->setVisible(false); };
        list->Click = [this, list] { PickFromList(list); };
    }
    // The discipline code is kept in capitals; a typed unit code becomes its name; a
    // typed title code its title.
    VbTextBox* subject = Text("txtxkdm");
    subject->LostFocus = [this, subject] {
        subject->SetText(subject->Text().toUpper());
        lstxkdm->setVisible(false);
    };
    VbTextBox* unit = Text("txtszdw");
    unit->LostFocus = [this, unit] {
        unit->SetText(::ResolveUnitCode(m_db, unit->Text()));
        lstszdw->setVisible(false);
    };
    Text("txtzc")->LostFocus = [this] { ResolveTitleCode(); };

    // The first of the leaders typed on the cover becomes the leader's name.
    VbTextBox* leaders = Text("txtxmfzr");
    leaders->LostFocus = [this, leaders] {
        VbTextBox* leader = Text("txtfzrxm");
        if (leaders->isModified() && Trim(leader->Text()).isEmpty())
            leader->SetText(Trim(leaders->Text()).section(QStringLiteral("、"), 0, 0));
    };
}

void frmjblr::ShowMemberList(VbListBox* list, const QString& row)
{
    list->setVisible(true);
    list->raise();
    if (const std::optional<int> top = MemberListTop(row))
        list->move(list->x(), TwipsToPixels(*top));
}

void frmjblr::ShowUnitList() { ShowMemberList(lstszdw1, CurrentUnitRow); }

void frmjblr::ShowDegreeList() { ShowMemberList(lstxw1, CurrentDegreeRow); }

// ---------------------------------------------------------------------------
// Member rows

void frmjblr::ConnectMemberRows()
{
    for (int k = 1; k <= kMemberRowCount; ++k) {
        const QString row = QString::number(k);
        VbTextBox* name = Text("txtxm" + row);
        name->KeyDown = [this, k](int& keyCode, int) { MemberRowKey(keyCode, k); };
        name->LostFocus = [this, name, k] {
            if (Trim(name->Text()).isEmpty())
                RemoveMemberRow(k);
        };
        VbTextBox* age = Text("txtnl" + row);
        age->LostFocus = [this, age] {
            if (const std::optional<QString> wrong = checkAge(age->Text())) {
                platform::MsgBox(*wrong, platform::vbOKOnly, kTitle);
                SetFocus(age);
            }
        };
        VbTextBox* title = Text("txtzw" + row);
        title->GotFocus = [this, row] { CurrentTitleRow = row; };
        title->DblClick = [this, row] { ShowMemberList(lstzc1, row); };
        title->LostFocus = [this] { ResolveMemberTitle(); };
        VbTextBox* unit = Text("txtszdw" + row);
        unit->GotFocus = [this, row] { CurrentUnitRow = row; };
        unit->DblClick = [this] {
            SBar->SetPanelText(1, QStringLiteral("请用鼠标选择所在单位。"));
            ShowUnitList();
        };
        unit->LostFocus = [this] { ResolveMemberUnit(); };
        VbTextBox* degree = Text("txtxw" + row);
        degree->GotFocus = [this, row] { CurrentDegreeRow = row; };
        degree->DblClick = [this] { ShowDegreeList(); };
        degree->LostFocus = [this] { lstxw1->setVisible(false); };
    }
    for (VbListBox* list : {lstzc1.get(), lstszdw1.get(), lstxw1.get()})
        list->Click = [this, list] { PickFromList(list); };
}

namespace {

// The boxes of a member row, by the stem of their names, and the values they hold.
struct MemberBox {
    const char* stem;
    QString MemberRow::*value;
};
constexpr MemberBox kMemberBoxes[] = {
    {"txtxm", &MemberRow::name},      {"txtnl", &MemberRow::age},    {"txtzw", &MemberRow::title},
    {"txtzcdm", &MemberRow::titleCode}, {"txtxw", &MemberRow::degree}, {"txtszdw", &MemberRow::unit},
    {"txtxmfg", &MemberRow::task},
};

}  // namespace

MemberRows frmjblr::ReadMemberRows() const
{
    MemberRows rows;
    for (int k = 1; k <= kMemberRowCount; ++k)
        for (const MemberBox& b : kMemberBoxes)
            rows[k - 1].*b.value = Text(QLatin1String(b.stem) + QString::number(k))->Text();
    return rows;
}

void frmjblr::WriteMemberRows(const MemberRows& rows)
{
    for (int k = 1; k <= kMemberRowCount; ++k)
        for (const MemberBox& b : kMemberBoxes)
            Text(QLatin1String(b.stem) + QString::number(k))->SetText(rows[k - 1].*b.value);
}

void frmjblr::MemberRowKey(int keyCode, int row)
{
    if (keyCode == vbkeycode::F1 + 1) {
        MemberRows rows = ReadMemberRows();
        if (!::InsertMemberRow(rows, row)) {
            platform::Beep();
            return;
        }
        WriteMemberRows(rows);
        // The counts follow the rows, also when a member went out of row 8.
        CountStaff();
        CountUnits();
        SetFocus(Box(QStringLiteral("txtxm%1").arg(row)));
    } else if (keyCode == vbkeycode::F1 + 2) {
        if (platform::MsgBox(QStringLiteral("确实要删除码？"), platform::vbYesNo, QStringLiteral("警告")) == platform::vbYes)
            RemoveMemberRow(row);
    }
}

void frmjblr::RemoveMemberRow(int row)
{
    MemberRows rows = ReadMemberRows();
    ::RemoveMemberRow(rows, row);
    WriteMemberRows(rows);
    CountStaff();
    CountUnits();
}

void frmjblr::ResolveMemberTitle()
{
    SBar->SetPanelText(1, QString());
    lstzc1->setVisible(false);
    if (const std::optional<int> k = memberRowNumber(CurrentTitleRow)) {
        VbTextBox* title = Text(QStringLiteral("txtzw%1").arg(*k));
        VbTextBox* code = Text(QStringLiteral("txtzcdm%1").arg(*k));
        const TitleResolution r = ::ResolveMemberTitle(m_db, title->Text(), code->Text());
        title->SetText(r.title);
        code->SetText(r.code);
        if (r.wrongTitle)
            platform::MsgBox(kWrongTitleMessage, platform::vbOKOnly, kTitle);
    }
    CountStaff();
}

void frmjblr::ResolveMemberUnit()
{
    SBar->SetPanelText(1, QString());
    lstszdw1->setVisible(false);
    if (const std::optional<int> k = memberRowNumber(CurrentUnitRow)) {
        VbTextBox* unit = Text(QStringLiteral("txtszdw%1").arg(*k));
        unit->SetText(::ResolveUnitCode(m_db, unit->Text()));
    }
    CountUnits();
}

void frmjblr::PickFromList(VbListBox* list)
{
    const QString item = list->Text();
    const ListItemParts parts = SplitListItem(Trim(item));
    // A box written; the focus moves on from it when it is not blank.
    auto passOn = [this](VbTextBox* box) {
        if (Trim(box->Text()).isEmpty())
            return;
        SetFocus(box);
        SendTab(this);
    };
    if (list == lstxkdm) {
        Text("txtxkdm")->SetText(parts.code);
        Text("txtxkmc")->SetText(parts.name);
        lstxkdm->setVisible(false);
        SetFocus(Box("txtxmmc"));
    } else if (list == lstszdw) {
        Text("txtszdw")->SetText(parts.name);
        lstszdw->setVisible(false);
        SetFocus(Box("txtsqrq"));
    } else if (list == lstyjlb) {
        Text("txtyjlb")->SetText(item);
        if (!Trim(item).isEmpty())
            SetFocus(Box("txtsqje"));
    } else if (list == lstsys) {
        Text("txtsys")->SetText(parts.name);
        Text("txtsysdm")->SetText(parts.code);
        if (!Trim(parts.name).isEmpty())
            SetFocus(Box("txtyjjg"));
    } else if (list == lstzc) {
        Text("txtzc")->SetText(parts.name);
        Text("txtzcdm")->SetText(parts.code);
        passOn(Text("txtzc"));
    } else if (list == lstzc1) {
        if (const std::optional<int> k = memberRowNumber(CurrentTitleRow)) {
            VbTextBox* title = Text(QStringLiteral("txtzw%1").arg(*k));
            title->SetText(parts.name);
            Text(QStringLiteral("txtzcdm%1").arg(*k))->SetText(parts.code);
            passOn(title);
        }
    } else if (list == lstszdw1) {
        if (const std::optional<int> k = memberRowNumber(CurrentUnitRow)) {
            VbTextBox* unit = Text(QStringLiteral("txtszdw%1").arg(*k));
            unit->SetText(parts.name);
            passOn(unit);
        }
        CurrentUnitRow = QStringLiteral("0");
    } else if (list == lstxw1) {
        if (const std::optional<int> k = memberRowNumber(CurrentDegreeRow)) {
            VbTextBox* degree = Text(QStringLiteral("txtxw%1").arg(*k));
            degree->SetText(item);
            passOn(degree);
        }
    } else if (list == lstszxs) {
        // The department is the leader tab's last box: the pick moves on as Enter
        // there does, to the first member, never to the exit button that follows the
        // box in tab order.
        VbTextBox* dept = Text("txtszxs");
        dept->SetText(item);
        if (!Trim(dept->Text()).isEmpty())
            SwitchTab(TabMembers, QStringLiteral("txtxm1"));
    } else {
        static const QHash<QString, QString> boxes = {{"lstxb", "txtxb"}, {"lstxw", "txtxw"}, {"lstsbd", "txtsbd"}};
        VbTextBox* box = Text(boxes.value(list->objectName()));
        box->SetText(item);
        passOn(box);
    }
}

void frmjblr::ResolveTitleCode()
{
    VbTextBox* title = Text("txtzc");
    VbTextBox* code = Text("txtzcdm");
    const TitleResolution r = ::ResolveTitleCode(m_db, title->Text(), code->Text());
    title->SetText(r.title);
    code->SetText(r.code);
    SBar->SetPanelText(1, QString());
    lstzc->setVisible(false);
    CountStaff();
    CountUnits();
}

void frmjblr::CountStaff()
{
    for (const auto& [box, text] : ::CountStaff(Text("txtzcdm")->Text(), ReadMemberRows()).boxTexts())
        Text(box)->SetText(text);
}

void frmjblr::CountUnits() { Text("txtcjdws")->SetText(CountText(::CountUnits(Text("txtszdw")->Text(), ReadMemberRows()))); }

// ---------------------------------------------------------------------------
// Record procedures

void frmjblr::ShowRecord() { ::ShowRecord(m_fields, AppRecordset(), gCategory); }
void frmjblr::StoreRecord() { ::StoreRecord(m_fields, AppRecordset(), gCategory); }
void frmjblr::ClearFields() { ::ClearFields(m_fields, gCategory); }
void frmjblr::LockFields() { ::LockFields(m_fields, SSTabjblr, gCategory); }
void frmjblr::UnlockFields() { ::UnlockFields(m_fields, SSTabjblr, gCategory); }

// ---------------------------------------------------------------------------
// Load and unload

void frmjblr::Form_Load()
{
    RecordWindow::Form_Load();
    CentreOnMain(*this);
    setWindowTitle(QStringLiteral("简表录入"));

    QString subjectSql, labSql;
    switch (gCategory) {
    case 1:
        SSTabjblr->SetTabVisible(TabInvestment, false);
        Label29->SetCaption(QStringLiteral("所属人文、社科研究基地名称："));
        subjectSql = QStringLiteral("select * from xkdm where xkdm <='P' order by xkdm ");
        labSql = QStringLiteral("select * from rwjd order by rwjddm");
        break;
    case 2:
        SSTabjblr->SetTabVisible(TabInvestment, false);
        Label29->SetCaption(QStringLiteral("所属省级重点实验室："));
        subjectSql = QStringLiteral("select * from xkdm where xkdm >='P' and xkdm<='Z' order by xkdm ");
        labSql = QStringLiteral("select * from sysdm order by sysdm");
        break;
    default:
        Label29->SetCaption(QStringLiteral("所属省级重点实验室："));
        HideBoxesOf(m_fields, gCategory);
        Label23->setVisible(false);   // the caption of the hidden research-kind box
        subjectSql = QStringLiteral("select * from xkdm where xkdm >'Z' order by xkdm ");
        labSql = QStringLiteral("select * from sysdm order by sysdm");
        break;
    }

    if (!OpenWindowConnection(m_db))
        return;
    OpenRows();
    DataGrid1->SetDataSource(RowData);
    SSTabjblr->SetTab(TabCover);
    ShowFirstRecord();

    FillCodeList(SubjectRecordset, m_db, subjectSql, {}, CodeItem::CodeAndName, {lstxkdm});
    FillCodeList(UnitRecordset, m_db, QStringLiteral("select * from dwdm order by dwdm"), {}, CodeItem::CodeAndName,
                 {lstszdw, lstszdw1});
    FillCodeList(LabRecordset, m_db, labSql, {}, CodeItem::CodeAndName, {lstsys});
    FillCodeList(TitleRecordset, m_db, QStringLiteral("select * from zcdm order by zcdm"), {}, CodeItem::CodeAndName,
                 {lstzc, lstzc1});
    FillCodeList(DeptRecordset, m_db, QStringLiteral("select * from ejdwdm order by ejdwdm"), {}, CodeItem::NameOnly,
                 {lstszxs});
    for (const char* item : {"A.基础研究", "B.应用研究"})
        lstyjlb->AddItem(QString::fromUtf8(item));
    for (const char* item : {"男", "女"})
        lstxb->AddItem(QString::fromUtf8(item));
    for (const char* item : {"否", "硕导", "博导"})
        lstsbd->AddItem(QString::fromUtf8(item));
    for (const char* item : {"博士", "硕士", "学士"}) {
        lstxw->AddItem(QString::fromUtf8(item));
        lstxw1->AddItem(QString::fromUtf8(item));
    }
}

void frmjblr::Form_Unload()
{
    for (Recordset* rs : {&SubjectRecordset, &UnitRecordset, &LabRecordset, &TitleRecordset, &DeptRecordset})
        rs->Close();
    RecordWindow::Form_Unload();
}

// The category's applications, newest application date first, then by unit and
// subject code, then as entered.
frmjblr::RowQuery frmjblr::Rows() const
{
    return {.table = QStringLiteral("xmsb"),
            .filter = QStringLiteral("xmlb=?"),
            .values = {CategoryText(gCategory)},
            .order = QStringLiteral("sqrq desc,szdw asc,ssxk asc,rowid")};
}

// ---------------------------------------------------------------------------
// Grid, tabs and toolbar

void frmjblr::TabChange()
{
    const QString caption = SSTabjblr->Caption();
    if (caption == QStringLiteral("封面")) {
        if (!InsertFlag)
            cmdinsert->setEnabled(true);
        return;
    }
    cmdinsert->setEnabled(false);
    // The grid's tab has no box: the focus stays.
    if (const QString first = FirstBoxOfPage(SSTabjblr->Tab(), gCategory); !first.isEmpty())
        SetFocus(Box(first));
}

void frmjblr::Toolbar1_ButtonClick(const QString& key)
{
    static const QHash<QString, Qt::Key> keys = {
        {QStringLiteral("cut"), Qt::Key_X},
        {QStringLiteral("copy"), Qt::Key_C},
        {QStringLiteral("paste"), Qt::Key_V},
        {QStringLiteral("undo"), Qt::Key_Z},
    };
    if (keys.contains(key))
        SendKey(this, keys.value(key), Qt::ControlModifier);
}

// ---------------------------------------------------------------------------
// Commands

void frmjblr::StartNewRecord() { m_fields.BoxAs<VbLabel>("lblxmlb")->SetCaption(CategoryText(gCategory)); }

qint64 frmjblr::WriteEdit()
{
    Recordset& rs = AppRecordset();
    const QVariant suggested = rs.Field(QStringLiteral("jyje"));
    return ReplaceShownRow([&rs, &suggested] {
        if (!suggested.isNull())
            rs.SetField(QStringLiteral("jyje"), suggested);
    });
}
