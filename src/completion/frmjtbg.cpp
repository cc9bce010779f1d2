#include "frmjtbg.h"

#include "CompletionFields.h"
#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"
#include "RecordLayouts.h"
#include "VbText.h"
#include "CodeLookups.h"
#include "KeyFilters.h"
#include "MemberRows.h"

#include <QFont>
#include <QPalette>

namespace {

const QString kBasicPage = QStringLiteral("基本信息");

const records::RecordLayout& reports() { return records::completionReports(); }

// Header lines of a count grid (twips inside its frame) and its rows of boxes.
constexpr int kGroupTop = 240;
constexpr int kCaptionTop = 540;
constexpr int kCaptionHeight = 480;
constexpr int kSubTop = 1020;
constexpr int kRowTop[] = {1380, 1740};
constexpr int kGridLeft = 900;

}  // namespace

// One column of a grid of count boxes: the group over it, its caption and a third
// header line; a split column has two boxes, one per row of the grid.
struct frmjtbg::CountColumn {
    const char* group;
    const char* caption;
    const char* sub;
    bool split;
};

frmjtbg::frmjtbg()
    : RecordWindow(QStringLiteral("frmjtbg"), 4, platform::vbQuestion), m_fields(CompletionFieldTable())
{
}

// ---------------------------------------------------------------------------
// Layout

VbLabel* frmjtbg::Caption(QWidget* parent, const QString& text, int left, int top, int width, int height,
                          Qt::Alignment align)
{
    auto* l = new VbLabel(parent, QStringLiteral("Label%1").arg(++m_labels), text);
    l->setAlignment(align);
    l->setWordWrap(true);
    PlaceTw(l, left, top, width, height);
    return l;
}

QWidget* frmjtbg::PlaceBox(const QString& name, QWidget* parent, int left, int top, int width, int height)
{
    QWidget* box = m_fields.Make(name, parent);
    PlaceTw(box, left, top, width, height);
    return box;
}

// A frame of count boxes: the two captions of its subject on the left, the header
// lines over the columns, the boxes of `array` from index 0 in column order (a
// split column's two boxes one above the other, beside the row labels).
void frmjtbg::BuildCountGrid(QWidget* frame, const QString& array, const QStringList& subject,
                             const QList<CountColumn>& cols, const QStringList& rowLabels, int colWidth)
{
    Caption(frame, subject.value(0), 30, kGroupTop, kGridLeft - 60, 300);
    Caption(frame, subject.value(1), 30, kCaptionTop, kGridLeft - 60, 300);
    for (int r = 0; r < rowLabels.size(); ++r)
        Caption(frame, rowLabels[r], 30, kRowTop[r], kGridLeft - 60, 300);
    // The header lines are narrow: a smaller type keeps four characters apart.
    auto header = [this, frame](const QString& text, int left, int top, int width, int height) {
        VbLabel* l = Caption(frame, text, left, top, width, height);
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.9);
        l->setFont(f);
    };
    const bool anySplit = std::any_of(cols.begin(), cols.end(), [](const CountColumn& c) { return c.split; });
    int index = 0;
    for (int k = 0; k < cols.size(); ++k) {
        const CountColumn& c = cols[k];
        const int left = kGridLeft + k * colWidth;
        const QString group = QString::fromUtf8(c.group);
        const QString cap = QString::fromUtf8(c.caption);
        const QString sub = QString::fromUtf8(c.sub);
        // A header spans the run of columns that share it.
        auto runOf = [&](auto field) {
            int n = 1;
            while (k + n < cols.size() && qstrcmp(field(cols[k + n]), field(c)) == 0)
                ++n;
            return n;
        };
        const bool startsGroup = k == 0 || qstrcmp(cols[k - 1].group, c.group) != 0;
        if (startsGroup) {
            const int span = runOf([](const CountColumn& x) { return x.group; });
            const bool alone = cap.isEmpty() && sub.isEmpty();
            header(group, left, kGroupTop, span * colWidth, alone ? kSubTop + 300 - kGroupTop : 300);
        }
        if (!cap.isEmpty() && (startsGroup || qstrcmp(cols[k - 1].caption, c.caption) != 0)) {
            const int span = runOf([](const CountColumn& x) { return x.caption; });
            header(cap, left, kCaptionTop, span * colWidth, sub.isEmpty() ? kSubTop + 300 - kCaptionTop : kCaptionHeight);
        }
        if (!sub.isEmpty())
            header(sub, left, cap.isEmpty() ? kCaptionTop : kSubTop, colWidth,
                    cap.isEmpty() ? kSubTop + 300 - kCaptionTop : 300);
        const int boxWidth = colWidth - 60;
        if (c.split) {
            PlaceBox(QStringLiteral("%1_%2").arg(array).arg(index++), frame, left + 30, kRowTop[0], boxWidth);
            PlaceBox(QStringLiteral("%1_%2").arg(array).arg(index++), frame, left + 30, kRowTop[1], boxWidth);
        } else {
            const int top = anySplit ? (kRowTop[0] + kRowTop[1]) / 2 : kRowTop[0];
            PlaceBox(QStringLiteral("%1_%2").arg(array).arg(index++), frame, left + 30, top, boxWidth);
        }
    }
}

void frmjtbg::SetupUi()
{
    SetInnerSizeTw(9900, 6720);
    m_labels = 0;

    SSTabjblr = new VbTab(this, QStringLiteral("SSTabjblr"));
    PlaceTw(SSTabjblr, 120, 120, 9660, 5520);
    const QStringList pages = {kBasicPage, QStringLiteral("论著与研究成果"), QStringLiteral("学术奖励与人才培养"),
                               QStringLiteral("研究工作总结摘要"), QStringLiteral("浏览")};
    QList<QWidget*> page;
    for (const QString& caption : pages) {
        auto* p = new QWidget;
        p->setObjectName(QStringLiteral("Page%1").arg(page.size()));
        SSTabjblr->addTab(p, caption);
        page << p;
    }
    BuildBasicPage(page[0]);
    BuildWorksPage(page[1]);
    BuildAwardsPage(page[2]);
    BuildSummaryPage(page[3]);

    // The browse grid: every report, in the fixed columns.
    DataGrid1 = new DataGrid(page[4], QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, 60, 60, 9480, 4920);
    const GridColumn gridColumns[] = {
        {.caption = QStringLiteral(" 批准号"), .field = QStringLiteral("XMBH"), .widthTw = 1260},
        {.caption = QStringLiteral(" 项目类别"), .field = QStringLiteral("XMLB"), .widthTw = 1800},
        {.caption = QStringLiteral("             项目名称"), .field = QStringLiteral("XMMC"), .widthTw = 2400},
        {.caption = QStringLiteral("项目负责人"), .field = QStringLiteral("XMFZR"), .widthTw = 1000},
        {.caption = QStringLiteral("           承担单位"), .field = QStringLiteral("SZDW"), .widthTw = 1500},
        {.caption = QStringLiteral(" 计划完成"), .field = QStringLiteral("PA"), .widthTw = 900},
        {.caption = QStringLiteral(" 实际完成"), .field = QStringLiteral("FA"), .widthTw = 900},
    };
    for (const GridColumn& c : gridColumns)
        DataGrid1->AddColumn(c);
    RowData = new DataControl(this, QStringLiteral("ReportData"));
    RowData->hide();

    // The title code lies outside the tabs, never shown.
    txtzcdm = m_fields.Make<VbTextBox>(QStringLiteral("txtzcdm"), this);
    txtzcdm->hide();

    Caption(this, QStringLiteral("总记录数："), 120, 5820, 1080, 300, Qt::AlignRight | Qt::AlignVCenter);
    txtzjls = new VbTextBox(this, QStringLiteral("txtzjls"));
    PlaceTw(txtzjls, 1200, 5790, 840, 330);
    txtzjls->SetLocked(true);
    txtzjls->setEnabled(false);
    QPalette red = txtzjls->palette();
    red.setColor(QPalette::Disabled, QPalette::Text, Qt::red);
    red.setColor(QPalette::Active, QPalette::Text, Qt::red);
    red.setColor(QPalette::Inactive, QPalette::Text, Qt::red);
    txtzjls->setPalette(red);

    constexpr int top = 5760, height = 420;
    Cmdfst = MakeButton(this, QStringLiteral("Cmdfst"), QStringLiteral("|◀"), 2280, top, 600, height);
    Cmdpre = MakeButton(this, QStringLiteral("Cmdpre"), QStringLiteral("◀"), 2940, top, 600, height);
    Cmdnxt = MakeButton(this, QStringLiteral("Cmdnxt"), QStringLiteral("▶"), 3600, top, 600, height);
    Cmdlst = MakeButton(this, QStringLiteral("Cmdlst"), QStringLiteral("▶|"), 4260, top, 600, height);
    cmdinsert = MakeButton(this, QStringLiteral("cmdinsert"), QStringLiteral("录  入"), 5100, top, 1080, height);
    Cmdupd = MakeButton(this, QStringLiteral("Cmdupd"), QStringLiteral("保  存"), 6300, top, 1080, height);
    cmdcancel = MakeButton(this, QStringLiteral("cmdcancel"), QStringLiteral("放  弃"), 7500, top, 1080, height);
    Cmdexit = MakeButton(this, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), 8700, top, 1080, height);

    SBar = new VbStatusBar(this, QStringLiteral("SBar"), 1);
    PlaceTw(SBar, 0, 6360, 9900, 360);
    m_fields.SetHintTarget(SBar, 1);

    SetTabOrder(m_fields.TabOrder()
                + QList<QWidget*>{cmdinsert, Cmdupd, cmdcancel, Cmdexit, Cmdfst, Cmdpre, Cmdnxt, Cmdlst, DataGrid1});
    WireBoxes();
}

void frmjtbg::BuildBasicPage(QWidget* p)
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    Caption(p, QStringLiteral("项目类别"), 120, 240, 1080, 300, right);
    Txtxmlb = qobject_cast<VbTextBox*>(PlaceBox(QStringLiteral("Txtxmlb"), p, 1260, 240, 2520));
    Chkbz = qobject_cast<VbCheckBox*>(PlaceBox(QStringLiteral("Chkbz"), p, 4020, 240, 2400));
    Chkbz->setText(reports().column(QStringLiteral("zqnbz"))->caption);
    Caption(p, QStringLiteral("项目批准号"), 6420, 240, 1260, 300, right);
    PlaceBox(QStringLiteral("txtxmbh"), p, 7740, 240, 1680);

    Caption(p, QStringLiteral("项目名称"), 120, 660, 1080, 300, right);
    PlaceBox(QStringLiteral("txtxmmc"), p, 1260, 660, 5040);
    Caption(p, QStringLiteral("承担单位"), 6420, 660, 1260, 300, right);
    txtszdw = qobject_cast<VbTextBox*>(PlaceBox(QStringLiteral("txtszdw"), p, 7740, 660, 1680));

    Caption(p, QStringLiteral("项目负责人"), 120, 1080, 1080, 300, right);
    PlaceBox(QStringLiteral("txtxmfzr"), p, 1260, 1080, 1560);
    Caption(p, QStringLiteral("专业技术职务"), 2880, 1080, 1380, 300, right);
    txtzc = qobject_cast<VbTextBox*>(PlaceBox(QStringLiteral("txtzc"), p, 4320, 1080, 1980));
    Caption(p, QStringLiteral("最终学历"), 6420, 1080, 1260, 300, right);
    txtxw = qobject_cast<VbTextBox*>(PlaceBox(QStringLiteral("txtxw"), p, 7740, 1080, 1680));

    Caption(p, QStringLiteral("实际参加研究时间(月)"), 120, 1500, 2340, 300, right);
    PlaceBox(QStringLiteral("Txtfzrcjsj"), p, 2520, 1500, 720);

    // The people who took part: the total and the seven kinds.
    Caption(p, QStringLiteral("实际参加人    数"), 120, 1920, 1560, 630, Qt::AlignCenter);
    const QStringList kinds = {QStringLiteral("总人数"), QStringLiteral("正高"), QStringLiteral("副高"),
                               QStringLiteral("中级"), QStringLiteral("初级"), QStringLiteral("博士后"),
                               QStringLiteral("博士生"), QStringLiteral("硕士生")};
    for (int i = 0; i < kinds.size(); ++i) {
        Caption(p, kinds[i], 1740 + i * 960, 1920, 960, 300);
        PlaceBox(QStringLiteral("Txtcjrs_%1").arg(i), p, 1770 + i * 960, 2250, 900);
    }

    auto* funds = new VbFrame(p, QStringLiteral("Frame1"), QStringLiteral("研究经费"));
    PlaceTw(funds, 120, 2700, 4560, 1080);
    Caption(funds, QStringLiteral("资助金额"), 120, 300, 1080, 300, right);
    PlaceBox(QStringLiteral("Txtfh"), funds, 1260, 300, 1560);
    Caption(funds, QStringLiteral("万元"), 2880, 300, 600, 300, left);
    Caption(funds, QStringLiteral("实际支出"), 120, 660, 1080, 300, right);
    PlaceBox(QStringLiteral("Txtff"), funds, 1260, 660, 1560);
    Caption(funds, QStringLiteral("万元"), 2880, 660, 600, 300, left);

    auto* period = new VbFrame(p, QStringLiteral("Frame2"), QStringLiteral("研究期限"));
    PlaceTw(period, 4800, 2700, 4620, 1080);
    Caption(period, QStringLiteral("计划完成年月"), 120, 300, 1440, 300, right);
    txtpa = qobject_cast<VbTextBox*>(PlaceBox(QStringLiteral("txtpa"), period, 1620, 300, 1560));
    Caption(period, QStringLiteral("实际完成年月"), 120, 660, 1440, 300, right);
    PlaceBox(QStringLiteral("txtfa"), period, 1620, 660, 1560);

    auto* units = new VbFrame(p, QStringLiteral("Frame3"), QStringLiteral("参加单位(个)"));
    PlaceTw(units, 120, 3900, 9300, 780);
    const QStringList unitKinds = {QStringLiteral("高校"), QStringLiteral("科研院所"), QStringLiteral("企业"),
                                   QStringLiteral("其它")};
    for (int i = 0; i < unitKinds.size(); ++i) {
        Caption(units, unitKinds[i], 120 + i * 2280, 330, 1020, 300, right);
        PlaceBox(QStringLiteral("Txtcjdw_%1").arg(i), units, 1200 + i * 2280, 330, 900);
    }

    // The pick lists drop down from their boxes over the boxes below.
    Lstxmlb = PickListUnder(Txtxmlb, QStringLiteral("Lstxmlb"), 2520, 720);
    for (int category = 1; category <= 3; ++category)
        Lstxmlb->AddItem(CategoryText(category));
    lstszdw = PickListUnder(txtszdw, QStringLiteral("lstszdw"), 2880, 1800);
    lstszdw->move(txtszdw->geometry().right() - lstszdw->width() + 1, lstszdw->y());
    lstzc = PickListUnder(txtzc, QStringLiteral("lstzc"), 1980, 1800);
    lstxw = PickListUnder(txtxw, QStringLiteral("lstxw"), 1680, 780);
}

void frmjtbg::BuildWorksPage(QWidget* p)
{
    auto* books = new VbFrame(p, QStringLiteral("Frame4"));
    PlaceTw(books, 60, 60, 9480, 2160);
    const QList<CountColumn> bookColumns = {
        {"学术会议交流", "大会特邀报告", "", true}, {"学术会议交流", "分组报告或展示", "", true},
        {"专著出版", "已出版", "", true},           {"专著出版", "拟出版", "", true},
        {"期刊发表", "全国性期刊", "", false},      {"期刊发表", "国外学术刊物", "", false},
        {"期刊发表", "其中被四大检索收录", "EI", false}, {"期刊发表", "其中被四大检索收录", "SCI", false},
        {"期刊发表", "其中被四大检索收录", "SSCI", false}, {"期刊发表", "其中被四大检索收录", "ISTP", false},
    };
    BuildCountGrid(books, QStringLiteral("Txtbook"), {QStringLiteral("完成论著"), QStringLiteral("(篇册)")},
                   bookColumns, {QStringLiteral("国际"), QStringLiteral("国内")}, 850);

    auto* results = new VbFrame(p, QStringLiteral("Frame5"));
    PlaceTw(results, 60, 2340, 9480, 2160);
    const QList<CountColumn> resultColumns = {
        {"专       利", "发明", "", true},      {"专       利", "实用新型", "", true},
        {"专       利", "外观设计", "", true},  {"评议、鉴定", "国际领先", "", false},
        {"评议、鉴定", "国际先进", "", false},  {"评议、鉴定", "国内领先", "", false},
        {"评议、鉴定", "国内先进", "", false},  {"其它成果", "新技术", "", false},
        {"其它成果", "新产品", "", false},      {"其它成果", "新装备", "", false},
        {"其它成果", "新工艺", "", false},      {"其它成果", "新材料", "", false},
    };
    BuildCountGrid(results, QStringLiteral("Txtproduct"), {QStringLiteral("研究成果"), QStringLiteral("（项）")},
                   resultColumns, {QStringLiteral("申请"), QStringLiteral("授权")}, 710);
}

void frmjtbg::BuildAwardsPage(QWidget* p)
{
    auto* awards = new VbFrame(p, QStringLiteral("Frame6"));
    PlaceTw(awards, 60, 60, 9480, 1860);
    const QList<CountColumn> awardColumns = {
        {"国家级", "自然科学奖", "一等", false}, {"国家级", "自然科学奖", "二等", false},
        {"国家级", "科技进步奖", "一等", false}, {"国家级", "科技进步奖", "二等", false},
        {"国家级", "发明奖", "一等", false},     {"国家级", "发明奖", "二等", false},
        {"省部级", "", "一等", false},           {"省部级", "", "二等", false},
        {"省部级", "", "三等", false},           {"厅局级", "", "一等", false},
        {"厅局级", "", "二等", false},           {"厅局级", "", "三等", false},
        {"国    际    奖", "", "", false},       {"其    它", "", "", false},
    };
    BuildCountGrid(awards, QStringLiteral("Txtxsjl"), {QStringLiteral("学术奖励"), QStringLiteral("（项）")},
                   awardColumns, {}, 605);

    auto* trained = new VbFrame(p, QStringLiteral("Frame7"), QStringLiteral("人才培养(项)"));
    PlaceTw(trained, 60, 2040, 3600, 1080);
    const QStringList degrees = {QStringLiteral("博士后"), QStringLiteral("博士"), QStringLiteral("硕士")};
    for (int i = 0; i < degrees.size(); ++i) {
        Caption(trained, degrees[i], 120 + i * 1140, 300, 1080, 300);
        PlaceBox(QStringLiteral("Txtrcpy_%1").arg(i), trained, 210 + i * 1140, 630, 900);
    }

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    Caption(p, QStringLiteral("固定设备数(台/套)"), 3780, 2160, 1680, 300, right);
    PlaceBox(QStringLiteral("Txtpss"), p, 5520, 2160, 840);
    Caption(p, QStringLiteral("固定设备值(万元)"), 3780, 2640, 1680, 300, right);
    PlaceBox(QStringLiteral("Txtpsz"), p, 5520, 2640, 840);
    Caption(p, QStringLiteral("成果推广(项)"), 6480, 2160, 1740, 300, right);
    PlaceBox(QStringLiteral("Txtptg"), p, 8280, 2160, 840);
    Caption(p, QStringLiteral("产生经济效益(万元)"), 6480, 2640, 1740, 300, right);
    PlaceBox(QStringLiteral("Txtpxy"), p, 8280, 2640, 840);
}

void frmjtbg::BuildSummaryPage(QWidget* p)
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    Caption(p, QStringLiteral("研究工作总结摘要："), 120, 180, 2160, 300, left);
    Caption(p, QStringLiteral("（内容不超过300汉字）"), 2280, 180, 2520, 300, left);
    PlaceBox(QStringLiteral("txtabst"), p, 120, 540, 9360, 3120);
    Caption(p, QStringLiteral("主题词："), 120, 3840, 960, 300, left);
    Caption(p, QStringLiteral("（不多于三个）"), 1020, 3840, 1740, 300, left);
    for (int i = 0; i < 3; ++i)
        PlaceBox(QStringLiteral("Txtkey_%1").arg(i), p, 2820 + i * 2220, 3840, 2100);
}

// ---------------------------------------------------------------------------
// Events of the boxes

void frmjtbg::WireBoxes()
{
    const QList<CompletionBox>& rules = CompletionBoxes();
    const QList<QWidget*> order = m_fields.TabOrder();
    for (int row = 0; row < rules.size(); ++row) {
        const CompletionBox rule = rules[row];
        QWidget* w = m_fields.Box(row);
        // Enter in the last box of a page turns to the next page, onto its first box.
        QWidget* after = nullptr;
        if (rule.nextPage >= 0 && order.indexOf(w) + 1 < order.size())
            after = order[order.indexOf(w) + 1];
        auto tab = [this, w, rule, after] {
            if (rule.nextPage < 0) {
                SendTab(w);
                return;
            }
            SSTabjblr->SetTab(rule.nextPage);
            SetFocus(after);
        };
        if (auto* t = qobject_cast<VbTextBox*>(w)) {
            t->KeyPress = [this, t, rule, tab](int& k) {
                if (rule.keys == KeyRule::StayOnEnter && k == vbkey::Return) {
                    k = 0;
                    SetFocus(t);
                } else if (FilterKey(rule.keys, k, t)) {
                    tab();
                }
            };
        } else if (auto* m = qobject_cast<VbMemo*>(w)) {
            m->KeyPress = [tab](int& k) {
                if (EnterToTab(k))
                    tab();
            };
        }
    }
    m_fields.OnChange(this, [this] { MarkChanged(); });

    Txtxmlb->Change = [this] { Txtxmlb_Change(); };
    for (int i = 1; i <= 7; ++i)
        TextBox(QStringLiteral("Txtcjrs_%1").arg(i))->Change = [this] { SumParticipants(); };

    Txtxmlb->DblClick = [this] { ShowLookupList(Lstxmlb, QStringLiteral("请用鼠标选择项目类别。")); };
    Txtxmlb->LostFocus = [this] { HideLookupList(Lstxmlb); };
    txtszdw->DblClick = [this] { ShowLookupList(lstszdw, QStringLiteral("请用鼠标选择所在单位。")); };
    txtszdw->LostFocus = [this] { txtszdw_LostFocus(); };
    txtzc->DblClick = [this] { ShowLookupList(lstzc, QString()); };
    txtzc->LostFocus = [this] { txtzc_LostFocus(); };
    txtxw->DblClick = [this] { ShowLookupList(lstxw, QString()); };
    txtxw->LostFocus = [this] { HideLookupList(lstxw); };
    for (VbTextBox* b : {Txtxmlb.get(), txtszdw.get(), txtzc.get(), txtxw.get()})
        b->SetBackColor(PickListColor());

    Lstxmlb->Click = [this] { Lstxmlb_Click(); };
    lstszdw->Click = [this] { lstszdw_Click(); };
    lstzc->Click = [this] { lstzc_Click(); };
    lstxw->Click = [this] { lstxw_Click(); };

    ConnectCommands();
    SSTabjblr->Click = [this](int) { TabChange(); };
}

void frmjtbg::ShowLookupList(VbListBox* list, const QString& hint)
{
    if (!hint.isEmpty())
        SBar->SetPanelText(1, hint);
    list->show();
    list->raise();
}

void frmjtbg::HideLookupList(VbListBox* list)
{
    SBar->SetPanelText(1, QString());
    list->hide();
}

// A category-C report takes no talent-plan mark: its box is hidden and unticked.
void frmjtbg::Txtxmlb_Change()
{
    if (Txtxmlb->Text() == CategoryText(3)) {
        Chkbz->hide();
        Chkbz->SetValue(0);
    } else {
        Chkbz->show();
    }
}

void frmjtbg::SumParticipants()
{
    QStringList kinds;
    for (int i = 1; i <= 7; ++i)
        kinds << TextBox(QStringLiteral("Txtcjrs_%1").arg(i))->Text();
    TextBox(QStringLiteral("Txtcjrs_0"))->SetText(ParticipantsTotal(kinds));
}

void frmjtbg::txtszdw_LostFocus()
{
    txtszdw->SetText(ResolveUnitCode(m_db, txtszdw->Text()));
    HideLookupList(lstszdw);
}

// A typed title code becomes the title's name with its code; a code that no title
// has stays as typed and leaves no code behind.
void frmjtbg::txtzc_LostFocus()
{
    const TitleResolution r = ResolveTitleCode(m_db, txtzc->Text(), txtzcdm->Text());
    txtzc->SetText(r.title);
    txtzcdm->SetText(r.code);
    HideLookupList(lstzc);
}

void frmjtbg::Lstxmlb_Click()
{
    Txtxmlb->SetText(Trim(Lstxmlb->Text()));
    Lstxmlb->hide();
    SetFocus(Txtxmlb);
    SendTab(Txtxmlb);
}

void frmjtbg::lstszdw_Click()
{
    txtszdw->SetText(SplitListItem(Trim(lstszdw->Text())).name);
    lstszdw->hide();
    SetFocus(txtpa);
}

void frmjtbg::lstzc_Click()
{
    const ListItemParts item = SplitListItem(Trim(lstzc->Text()));
    txtzc->SetText(item.name);
    txtzcdm->SetText(item.code);
    if (!Trim(txtzc->Text()).isEmpty()) {
        SetFocus(txtzc);
        SendTab(txtzc);
    }
}

void frmjtbg::lstxw_Click()
{
    txtxw->SetText(lstxw->Text());
    if (!Trim(txtxw->Text()).isEmpty()) {
        SetFocus(txtxw);
        SendTab(txtxw);
    }
}

// ---------------------------------------------------------------------------
// The window's life

void frmjtbg::Form_Load()
{
    RecordWindow::Form_Load();
    CentreOnMain(*this);
    setWindowTitle(QStringLiteral("Oskavelvero科研计划项目结题"));
    SSTabjblr->SetTab(0);
    if (!OpenWindowConnection(m_db)) {
        txtzjls->SetText(QStringLiteral("0"));
        LockFields();
        return;
    }
    try {
        OpenRows();
        DataGrid1->SetDataSource(RowData);
        FillCodeList(UnitRs, m_db, QStringLiteral("select * from dwdm order by dwdm"), {}, CodeItem::CodeAndName,
                     {lstszdw});
        FillCodeList(TitleRs, m_db, QStringLiteral("select * from zcdm order by zcdm"), {}, CodeItem::CodeAndName,
                     {lstzc});
    } catch (const DbError& e) {
        ShowFailure(e);
    }
    ShowFirstRecord();
    for (const QString& d : {QStringLiteral("博士"), QStringLiteral("硕士"), QStringLiteral("学士")})
        lstxw->AddItem(d);
}

// Every report of every category: the actual completion newest first, then by unit
// and category.
frmjtbg::RowQuery frmjtbg::Rows() const
{
    return {.columns = records::columnList(reports()),
            .table = reports().table,
            .order = QStringLiteral("%1 desc, %2 asc, %3 asc, rowid")
                         .arg(records::quoteIdentifier(QStringLiteral("fa")), records::quoteIdentifier(QStringLiteral("szdw")),
                              records::quoteIdentifier(QStringLiteral("xmlb")))};
}

// ---------------------------------------------------------------------------
// The record procedures

// Shows the current report in every box; a column without a value leaves its box
// empty, so nothing of an earlier report or an abandoned entry stays behind. The
// category comes after the talent-plan mark (a category-C report hides the mark)
// and the total before its kinds (the kinds then recompute it).
void frmjtbg::ShowRecord()
{
    ClearFields();
    Recordset& rs = Rs();
    if (!rs.HasCurrentRow())
        return;
    const QList<CompletionBox>& boxes = CompletionBoxes();
    for (int row = 0; row < boxes.size(); ++row)
        ShowField(m_fields, row, rs.Field(boxes[row].column->name));
}

// The values of a new row, one per column in the layout's order: a blank box gives
// Null, except the five identity texts, which are "" then. The title code goes with
// the title name, and the talent-plan mark only from a box the category shows.
QVariantList frmjtbg::StoredValues() const
{
    QVariantList values;
    for (const records::Column& c : reports().columns) {
        const int row = m_fields.RowOf(c.objectName());
        std::optional<QVariant> v;
        if (row >= 0 && !c.filledBy.isEmpty()) {
            if (!Trim(BoxText(m_fields.Box(c.filledBy))).isEmpty())
                v = QVariant(BoxText(m_fields.Box(row)));
        } else if (row >= 0) {
            v = StoredField(m_fields, row);
            if (c.store == records::Store::Ticked && Chkbz->isHidden())
                v.reset();
        }
        values << v.value_or(QVariant());
    }
    return values;
}

void frmjtbg::StoreRecord()
{
    Recordset& rs = Rs();
    const QVariantList values = StoredValues();
    for (int i = 0; i < values.size(); ++i)
        if (!values[i].isNull())
            rs.SetField(reports().columns[i].name, values[i]);
}

void frmjtbg::ClearFields()
{
    for (int row = 0; row < m_fields.Count(); ++row)
        SetBoxText(m_fields.Box(row), m_fields.Table()[row].kind == BoxKind::Check ? QStringLiteral("0") : QString());
}

void frmjtbg::LockFields()
{
    m_fields.SetKeysEnabled(false);
    for (const records::TabLock& t : reports().lockedTabs)
        SSTabjblr->SetTabEnabled(t.tab, false);
}

void frmjtbg::UnlockFields()
{
    m_fields.SetKeysEnabled(true);
    for (const records::TabLock& t : reports().lockedTabs)
        SSTabjblr->SetTabEnabled(t.tab, true);
}

// ---------------------------------------------------------------------------
// Commands

void frmjtbg::TabChange()
{
    cmdinsert->setEnabled(SSTabjblr->Caption() == kBasicPage);
}

void frmjtbg::StartNewRecord()
{
    TextBox(QStringLiteral("Txtcjrs_0"))->SetText(QString());
}
