#include "BrowseWindow.h"

#include "Failure.h"
#include "ModVar.h"
#include "ApplicationFields.h"

#include <QHash>
#include <QStyle>

namespace {

// The captions of the single columns, as the application window shows them.
const QHash<QString, QString>& Captions()
{
    static const QHash<QString, QString> captions{
        {"xmlb", "项 目 类 别："},     {"xmbh", "编       号："},     {"ssxk", "所 属 学 科："},
        {"xmmc", "项 目 名 称："},     {"xmfzr", "项目 负责人："},    {"szdw", "所 在 单 位："},
        {"sqrq", "申 请 日 期："},     {"yjlb", "研 究 类 别："},     {"sqje", "申 请 金 额："},
        {"qsny", "起 始 年 月："},     {"zzny", "终 止 年 月："},     {"sysmc", "所属省级重点实验室："},
        {"yjjg", "所属专职研究机构名称："}, {"fzrxm", "姓         名："}, {"fzrxb", "性别："},
        {"fzrcsny", "出生年月："},     {"fzrxw", "学         位："},   {"fzrhdxwsj", "最后学位获得时间："},
        {"fzrsbdbz", "是否硕博导："},  {"fzrzc", "专业技术职务："},   {"fzrdzsj", "定  职  时  间："},
        {"fzryjfx", "主要研究方向："}, {"fzrlxdh", "联  系  电  话："}, {"fzrszxs", "所  在 系  所："},
        {"zrs", "总人数："},           {"gjrs", "高  级："},          {"zjrs", "中  级："},
        {"cjrs", "初     级："},       {"bshrs", "博士后："},         {"bssrs", "博士生："},
        {"sssrs", "硕士生："},         {"cjdws", "参加单位数："},     {"hzdw", "合作单位："},
        {"ztz", "总投资："},           {"xxzc", "学校自筹："},        {"hzdwtz", "合作单位投资："},
        {"yhdk", "银行贷款："},        {"jytbk", "申请vuz拨款："},
    };
    return captions;
}

constexpr int kRowTw = 420;

// The application window's field table for boxes that only show: no hints (the
// window has no status bar) and the input method left alone.
FieldTable BrowseFieldTable()
{
    FieldTable table = ApplicationFieldTable();
    for (Field& f : table) {
        f.hint.clear();
        f.ime = FieldIme::Untouched;
    }
    return table;
}

}  // namespace

BrowseWindow::BrowseWindow(const QString& formName, BrowseMember member)
    : VbForm(formName), m(std::move(member)), m_db(formName), m_fields(BrowseFieldTable())
{
}

// The box of a column, of its kind; the field table gives it its limit and disables
// the boxes the program fills.
QWidget* BrowseWindow::MakeBox(QWidget* page, const records::Column& c)
{
    QWidget* box = nullptr;
    switch (c.boxKind) {
    case BoxKind::Check:
        box = new VbCheckBox(page, c.objectName(), c.caption);
        break;
    case BoxKind::Label:
        box = new VbLabel(page, c.objectName());
        break;
    case BoxKind::Memo:
        box = new VbMemo(page, c.objectName());
        break;
    default: {
        auto* text = new VbTextBox(page, c.objectName());
        text->SetBackColor(QColor(255, 255, 255));
        if (c.boxKind == BoxKind::Display || c.boxKind == BoxKind::Total)
            text->SetBackColor(ComputedColor());
        if (c.boxKind == BoxKind::Hidden)
            text->hide();
        box = text;
        break;
    }
    }
    m_fields.Adopt(box);
    return box;
}

void BrowseWindow::PlaceField(QWidget* page, const QString& column, int left, int top, int labelWidth, int boxWidth)
{
    const records::Column* c = records::applications().column(column);
    // The captions of the research type and of the laboratory keep their own names.
    const QString name = column == QLatin1String("yjlb")    ? QStringLiteral("Label23")
                         : column == QLatin1String("sysmc") ? QStringLiteral("Label29")
                                                            : QStringLiteral("lbl_") + column;
    auto* label = new VbLabel(page, name, Captions().value(column));
    PlaceTw(label, left, top + 45, labelWidth, 300);
    PlaceTw(MakeBox(page, *c), left + labelWidth, top, boxWidth, 315);
    if (column == QLatin1String("yjlb"))
        Label23 = label;
    if (column == QLatin1String("sysmc"))
        Label29 = label;
}

void BrowseWindow::BuildCover(QWidget* page)
{
    auto* type = new VbLabel(page, QStringLiteral("lbl_xmlb"), Captions().value("xmlb"));
    PlaceTw(type, 1200, 500, 1500, 300);
    lblxmlb = static_cast<VbLabel*>(MakeBox(page, *records::applications().column("xmlb")));
    PlaceTw(lblxmlb, 2700, 500, 3000, 300);
    int top = 900;
    for (const char* column : {"xmbh", "ssxk", "xmmc", "xmfzr", "szdw", "sqrq"}) {
        PlaceField(page, QString::fromLatin1(column), 1200, top, 1500, column == QByteArray("ssxk") ? 600 : 4500);
        top += kRowTw;
    }
    // The subject name beside its code.
    PlaceTw(MakeBox(page, *records::applications().column("xkmc")), 3420, 900 + kRowTw, 3780, 315);
    PlaceTw(MakeBox(page, *records::applications().column("bz")), 2700, top + 60, 3000, 300);
}

void BrowseWindow::BuildResearch(QWidget* page)
{
    lblxmmc = new VbLabel(page, QStringLiteral("lblxmmc"));
    PlaceTw(lblxmmc, 600, 500, 7500, 300);
    int top = 900;
    for (const char* column : {"yjlb", "sqje", "qsny", "zzny", "sysmc", "yjjg"}) {
        PlaceField(page, QString::fromLatin1(column), 600, top, 3000, 4500);
        top += kRowTw;
    }
    MakeBox(page, *records::applications().column("sysdm"));
}

void BrowseWindow::BuildLeader(QWidget* page)
{
    const char* const left[] = {"fzrxm", "fzrcsny", "fzrxw", "fzrhdxwsj", "fzrsbdbz", "fzrzc"};
    const char* const right[] = {"fzrxb", "fzrdzsj", "fzryjfx", "fzrlxdh", "fzrszxs"};
    int top = 500;
    for (const char* column : left) {
        PlaceField(page, QString::fromLatin1(column), 240, top, 1800, 2100);
        top += kRowTw;
    }
    top = 500;
    for (const char* column : right) {
        PlaceField(page, QString::fromLatin1(column), 4380, top, 1560, 2700);
        top += kRowTw;
    }
    MakeBox(page, *records::applications().column("fzrzcdm"));
}

void BrowseWindow::BuildMembers(QWidget* page)
{
    struct Heading {
        const char* stem;
        const char* caption;
        int left;
        int width;
    };
    static const Heading headings[] = {
        {"xm", "姓   名", 240, 1200},  {"nl", "年龄", 1500, 540},          {"zc", "技术职务", 2100, 1500},
        {"xw", "学 位", 3660, 780},    {"szdw", "所 在 单 位", 4500, 2040}, {"xmfg", "项 目 分 工", 6600, 1800},
    };
    for (const Heading& h : headings)
        PlaceTw(new VbLabel(page, QStringLiteral("lblhead_") + QLatin1String(h.stem), QString::fromUtf8(h.caption)),
                h.left, 480, h.width, 255);
    for (int k = 1; k <= 8; ++k) {
        const int top = 780 + (k - 1) * 330;
        for (const Heading& h : headings) {
            const records::Column* c = records::applications().column(QLatin1String(h.stem) + QString::number(k));
            PlaceTw(MakeBox(page, *c), h.left, top, h.width, 300);
        }
        MakeBox(page, *records::applications().column(QStringLiteral("zcdm") + QString::number(k)));
    }
    const char* const counts[] = {"zrs", "gjrs", "zjrs", "cjrs", "bshrs", "bssrs", "sssrs", "cjdws"};
    for (int i = 0; i < 8; ++i)
        PlaceField(page, QString::fromLatin1(counts[i]), 240 + (i % 4) * 2100, 3560 + (i / 4) * kRowTw, 1260, 720);
}

void BrowseWindow::BuildAbstract(QWidget* page)
{
    auto* summary = new VbLabel(page, QStringLiteral("lbl_yjnrzy"), QStringLiteral("研究内容摘要：（内容摘要不超过200汉字）"));
    PlaceTw(summary, 240, 480, 8000, 300);
    PlaceTw(MakeBox(page, *records::applications().column("yjnrzy")), 240, 800, 11100, 1800);
    auto* results = new VbLabel(page, QStringLiteral("lbl_yqcg"),
                                QStringLiteral("预期研究成果：（预期研究成果指专著、论文、研究报告等及其数量，内容不超过150汉字）"));
    PlaceTw(results, 240, 2720, 8200, 300);
    PlaceTw(MakeBox(page, *records::applications().column("yqcg")), 240, 3040, 11100, 1800);
}

void BrowseWindow::BuildPlan(QWidget* page)
{
    PlaceTw(new VbLabel(page, QStringLiteral("lbl_plan"), QStringLiteral("（年度进展安排每项内容不超过60汉字）")), 240, 480,
            8000, 300);
    for (int k = 1; k <= 3; ++k) {
        const int top = 840 + (k - 1) * 1300;
        const QString n = QString::number(k);
        PlaceTw(MakeBox(page, *records::applications().column(QStringLiteral("nf") + n)), 240, top, 720, 315);
        PlaceTw(new VbLabel(page, QStringLiteral("lbl_year") + n, QStringLiteral("年")), 1000, top + 45, 300, 300);
        PlaceTw(MakeBox(page, *records::applications().column(QStringLiteral("jdap") + n)), 1320, top, 10020, 1140);
    }
}

void BrowseWindow::BuildInvestment(QWidget* page)
{
    int top = 600;
    for (const char* column : {"hzdw", "ztz", "xxzc", "hzdwtz", "yhdk", "jytbk"}) {
        PlaceField(page, QString::fromLatin1(column), 1200, top, 1800, column == QByteArray("hzdw") ? 5000 : 1800);
        top += kRowTw;
    }
}

void BrowseWindow::SetupUi()
{
    setWindowTitle(m.caption);
    SetInnerSizeTw(11880, 6960);

    data1 = new DataControl(this, QStringLiteral("data1"));
    data1->hide();

    SSTabjblr = new VbTab(this, QStringLiteral("SSTabjblr"));
    // Wide enough for the eight tab captions in one row.
    PlaceTw(SSTabjblr, 120, 120, 11640, 5880);
    const char* const tabs[] = {"封面", "研究项目", "项目负责人", "项目组成员", "摘要与预期成果", "年度进展安排", "投资情况", "浏览"};
    QList<QWidget*> pages;
    for (const char* caption : tabs) {
        auto* page = new QWidget;
        SSTabjblr->addTab(page, QString::fromUtf8(caption));
        pages << page;
    }
    BuildCover(pages[0]);
    BuildResearch(pages[1]);
    BuildLeader(pages[2]);
    BuildMembers(pages[3]);
    BuildAbstract(pages[4]);
    BuildPlan(pages[5]);
    BuildInvestment(pages[6]);
    DataGrid1 = new DataGrid(pages[7], QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, 60, 60, 11400, 5340);
    // Captions with their leading blanks, in columns wide enough to show them whole.
    DataGrid1->AddColumn({.caption = QStringLiteral("              项目名称"), .field = QStringLiteral("XMMC"), .widthTw = 3600});
    DataGrid1->AddColumn({.caption = QStringLiteral("   项目负责人"), .field = QStringLiteral("XMFZR"), .widthTw = 1440});
    DataGrid1->AddColumn({.caption = QStringLiteral("所属学科"), .field = QStringLiteral("XKMC"), .widthTw = 1800});
    DataGrid1->AddColumn({.caption = QStringLiteral("           所在单位"), .field = QStringLiteral("SZDW"), .widthTw = 2880});
    DataGrid1->AddColumn({.caption = QStringLiteral("   申请时间"), .field = QStringLiteral("SQRQ"), .widthTw = 1320});
    DataGrid1->RowColChange = [this] {
        if (Rs().HasCurrentRow()) {
            ClearFields();
            ShowRecord();
        }
    };
    SSTabjblr->Click = [this](int) { TabChange(); };

    // The move buttons carry arrow pictures, no caption.
    int left = 240;
    auto button = [this, &left](const char* name, QStyle::StandardPixmap arrow, void (*move)(Recordset&)) {
        auto* b = MakeButton(this, QString::fromLatin1(name), QString(), {left, 6180, 600, 480},
                             [this, move] { Navigate(move); });
        b->setIcon(style()->standardIcon(arrow));
        b->setIconSize(QSize(20, 20));
        left += 660;
        return b;
    };
    Cmdfst = button("Cmdfst", QStyle::SP_MediaSkipBackward, ::Cmdfst_Click);
    Cmdpre = button("Cmdpre", QStyle::SP_MediaSeekBackward, ::Cmdpre_Click);
    Cmdnxt = button("Cmdnxt", QStyle::SP_MediaSeekForward, ::Cmdnxt_Click);
    Cmdlst = button("Cmdlst", QStyle::SP_MediaSkipForward, ::Cmdlst_Click);
    PlaceTw(new VbLabel(this, QStringLiteral("lblzjls"), QStringLiteral("总记录数：")), 3300, 6300, 1200, 300);
    txtzjls = new VbTextBox(this, QStringLiteral("txtzjls"));
    PlaceTw(txtzjls, 4500, 6240, 1200, 315);
    txtzjls->setEnabled(false);
    Cmdexit = MakeButton(this, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), {10320, 6180, 1200, 480},
                         [this] { Unload(); });
}

void BrowseWindow::Form_Load()
{
    CentreOnMain(*this);
    setWindowTitle(m.caption);
    if (!OpenWindowConnection(m_db))
        return;
    SSTabjblr->SetTabVisible(6, gCategory == 3);
    Label29->SetCaption(gCategory == 1 ? QStringLiteral("所属人文、社科研究基地名称：") : QStringLiteral("所属省级重点实验室："));
    if (gCategory == 3) {
        HideBoxesOf(m_fields, gCategory);
        Label23->hide();   // the caption of the hidden research-kind box
    }
    try {
        // Read-only: the set names no table it may write.
        Rs().Open(m_db, QStringLiteral("select * from %1 where xmlb=? order by qsny desc,szdw asc,ssxk asc").arg(m.table),
                  {CategoryText(gCategory)});
    } catch (const DbError& e) {
        // Without its rows the window still opens, empty and closable.
        ShowFailure(e);
        LockFields();
        return;
    }
    DataGrid1->SetDataSource(data1);
    SSTabjblr->SetTab(0);
    txtzjls->SetText(QString::number(Rs().RecordCount()));
    if (Rs().RecordCount() < 1) {
        LockFields();
    } else {
        Rs().MoveFirst();
        ShowRecord();
    }
}

void BrowseWindow::Form_Unload()
{
    if (data1)
        data1->Close();
    m_db.Close();
    ReleaseMainWindow();
}

void BrowseWindow::ShowRecord() { ::ShowRecord(m_fields, Rs(), gCategory); }
void BrowseWindow::ClearFields() { ::ClearFields(m_fields, gCategory); }
void BrowseWindow::LockFields() { ::LockFields(m_fields, nullptr, gCategory); }
void BrowseWindow::UnlockFields() { ::UnlockFields(m_fields, nullptr, gCategory); }

void BrowseWindow::Navigate(void (*move)(Recordset&))
{
    move(Rs());
    if (Rs().HasCurrentRow()) {
        ClearFields();
        ShowRecord();
    }
}

void BrowseWindow::TabChange()
{
    static const QHash<QString, QString> first{
        {"项目负责人", "txtfzrxm"}, {"项目组成员", "txtxm1"}, {"摘要与预期成果", "txtyjnrzy"},
        {"年度进展安排", "txtnd1"}, {"投资情况", "txthzdw"},
    };
    const QString caption = SSTabjblr->Caption();
    QString box = first.value(caption);
    if (caption == QStringLiteral("研究项目"))
        box = gCategory == 3 ? QStringLiteral("txtsqje") : QStringLiteral("txtyjlb");
    if (!box.isEmpty())
        SetFocus(m_fields.Box(box));
}
