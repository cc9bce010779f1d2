#include "ProjectRecordForm.h"

#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"
#include "VbText.h"
#include "CodeLookups.h"
#include "KeyFilters.h"
#include "MemberRows.h"

#include <QHash>
#include <QStyle>

using namespace platform;

namespace {

// The talent-plan mark: the application's own column, so the same text is written
// and the same caption shown wherever a project goes.
const records::Column& talent() { return *records::applications().column(QStringLiteral("bz")); }

// The entry boxes in the order in which a record is shown and cleared: the talent
// box before the category, whose change hides and unticks it for category C. The
// talent box stands for the window's own column. `tab` is the place in the order
// Enter moves along.
struct EntryBox {
    const char* column;
    const char* box;
    int tab;
};
const EntryBox kEntryBoxes[] = {
    {"", "Chkbz", 10},     {"xmlb", "Txtxmlb", 0},   {"xmbh", "txtxmbh", 3},   {"ssxk", "txtxkdm", 2},
    {"xkmc", "txtxkmc", -1}, {"xmmc", "txtxmmc", 1}, {"xmfzr", "txtxmfzr", 6}, {"szdw", "txtszdw", 7},
    {"pzje", "txtpzje", 4}, {"qsny", "txtqssj", 8},  {"zzny", "txtzzsj", 9},  {"jzpj", "Option1", 5},
};

const QHash<QString, QString>& hints(bool evaluates)
{
    static const QHash<QString, QString> common{
        {QStringLiteral("Txtxmlb"), QStringLiteral("请双击鼠标然后选择项目类别。")},
        {QStringLiteral("txtxkdm"), QStringLiteral("请双击鼠标然后选择学科名称。")},
        {QStringLiteral("txtszdw"), QStringLiteral("请双击鼠标然后选择单位名称。")},
    };
    static const QHash<QString, QString> withMonths = [] {
        QHash<QString, QString> h = common;
        h.insert(QStringLiteral("txtqssj"),
                 QStringLiteral("请输入格式为：XXXXX,前四位是年，后一位是月，月只能输入1和6，输入结束按回车键。"));
        h.insert(QStringLiteral("txtzzsj"),
                 QStringLiteral("请输入格式为：XXXXXX,前四位是年，后两位是月，月只能输入6或12，输入结束按回车键。"));
        return h;
    }();
    return evaluates ? withMonths : common;
}

// The approved amount. The approval-number window leaves the box empty for an
// amount of 0; amounts below one half are shown, so that an edit cannot lose them.
FieldConverter amount(bool showZero)
{
    FieldConverter c = convert::Number();
    if (!showZero) {
        auto plain = c.show;
        c.show = [plain](const QVariant& v) {
            return !v.isNull() && v.isValid() && v.toDouble() == 0.0 ? QString() : plain(v);
        };
    }
    return c;
}

// The evaluation is stored as the caption of the chosen option.
FieldConverter evaluation()
{
    return {[](const QVariant& v) {
                const qsizetype i = ProjectRecordForm::EvaluationCaptions().indexOf(Trim(v.toString()));
                return i < 0 ? QString() : QString::number(i);
            },
            [](const QString& text) -> std::optional<QVariant> {
                bool ok = false;
                const int i = text.toInt(&ok);
                if (!ok || i < 0 || i >= ProjectRecordForm::EvaluationCaptions().size())
                    return std::nullopt;
                return QVariant(ProjectRecordForm::EvaluationCaptions()[i]);
            }};
}

// The field table of a window: each entry box over its column of the window's
// table, the converter by the column's kind, the typing limit of the application's
// box of the same column.
FieldTable projectFields(const ProjectRecordForm::Design& d)
{
    FieldTable table;
    for (const EntryBox& e : kEntryBoxes) {
        const QString box = QString::fromLatin1(e.box);
        const QString name = box == QLatin1String("Chkbz") ? d.talentColumn : QString::fromLatin1(e.column);
        const records::Column* c = d.layout->column(name);
        if (!c)
            continue;   // the evaluation: only the mid-term table has it
        const records::Column* typed = records::approvedApplications().column(name);
        Field f{.box = box, .field = c->name, .limit = typed ? typed->limit : 0, .tabIndex = e.tab};
        f.hint = hints(d.evaluates).value(box);
        switch (c->kind) {
        case records::Kind::Number: f.converter = amount(d.evaluates); break;
        case records::Kind::DateText: f.converter = convert::IfFilled(); break;
        default: f.converter = convert::Text(); break;
        }
        if (box == QLatin1String("Chkbz")) {
            f.kind = BoxKind::Check;
            f.converter = convert::Mark(talent().mark);
        } else if (box == QLatin1String("Option1")) {
            f.kind = BoxKind::Options;
            f.converter = evaluation();
        }
        const bool months = name == QLatin1String("qsny") || name == QLatin1String("zzny");
        // The subject name comes with its code; the approval-number window shows the
        // months of the approved application but never takes them.
        f.flags = name == QLatin1String("xkmc") || (months && !d.evaluates) ? FieldFlags(FieldFlag::Computed)
                                                                         : FieldFlags(FieldFlag::Key);
        table.push_back(f);
    }
    return table;
}

// Layout of the entry frame (twips, inside the frame): two columns of a label and
// a box, rows 450 apart.
constexpr int kRowTop = 180;
constexpr int kRowStep = 450;
constexpr int kBoxHeight = 330;
constexpr int kLabelLeft[] = {120, 4380};
constexpr int kLabelWidth = 1260;
constexpr int kBoxLeft[] = {1380, 5640};
constexpr int kBoxWidth = 2760;

int rowTop(int row) { return kRowTop + row * kRowStep; }

// Grid column widths (twips) by field.
int ColumnWidth(const QString& field)
{
    static const QHash<QString, int> widths{
        {QStringLiteral("XMBH"), 1000}, {QStringLiteral("XMLB"), 1900}, {QStringLiteral("XMMC"), 3000},
        {QStringLiteral("XMFZR"), 1000}, {QStringLiteral("XKMC"), 1200}, {QStringLiteral("SZDW"), 1800},
        {QStringLiteral("PZJE"), 900}, {QStringLiteral("QSNY"), 1000}, {QStringLiteral("ZZNY"), 1000},
        {QStringLiteral("JZPJ"), 1500}, {QStringLiteral("BZ"), 1500}, {QStringLiteral("ZQNBZ"), 1500},
    };
    return widths.value(field);
}

}  // namespace

const QStringList& ProjectRecordForm::EvaluationCaptions()
{
    static const QStringList captions{QStringLiteral("进度与质量均优"), QStringLiteral("基本按计划进行"),
                                      QStringLiteral("完成计划不好"), QStringLiteral("未开展工作")};
    return captions;
}

QList<QPair<QString, QString>> ProjectRecordForm::ProjectColumns(const QString& categoryCaption,
                                                                  const QString& nameCaption)
{
    return {{QStringLiteral(" 批准号"), QStringLiteral("XMBH")},  {categoryCaption, QStringLiteral("XMLB")},
            {nameCaption, QStringLiteral("XMMC")},                 {QStringLiteral("项目负责人"), QStringLiteral("XMFZR")},
            {QStringLiteral("所属学科"), QStringLiteral("XKMC")},  {QStringLiteral("  所在单位"), QStringLiteral("SZDW")},
            {QStringLiteral("批准金额"), QStringLiteral("PZJE")},  {QStringLiteral(" 起始年月"), QStringLiteral("QSNY")},
            {QStringLiteral(" 终止年月"), QStringLiteral("ZZNY")}};
}

ProjectRecordForm::ProjectRecordForm(const QString& name, Design design)
    : RecordWindow(name, 1, vbQuestion), m_design(std::move(design)), m_fields(projectFields(m_design))
{
}

void ProjectRecordForm::SetupUi()
{
    setWindowTitle(m_design.caption);
    SetInnerSizeTw(8850, 6060);

    Label1 = new VbLabel(this, QStringLiteral("Label1"), m_design.yearCaption);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceTw(Label1, 120, 165, 1080, 300);
    year = new YearSpinner(this, 1260, 120, 1020, 390, 2280);
    Label2 = new VbLabel(this, QStringLiteral("Label2"), QStringLiteral("总记录数："));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceTw(Label2, 3240, 165, 1200, 300);
    txtzjls = new VbTextBox(this, QStringLiteral("txtzjls"));
    PlaceTw(txtzjls, 4440, 120, 960, 390);
    txtzjls->setEnabled(false);

    SSTabjblr = new VbTab(this, QStringLiteral("SSTabjblr"));
    PlaceTw(SSTabjblr, 120, 660, 8610, 4140);
    auto* entry = new QWidget;
    SSTabjblr->addTab(entry, m_design.entryTabCaption);
    BuildEntryTab(entry);
    auto* browse = new QWidget;
    SSTabjblr->addTab(browse, QStringLiteral("浏览"));
    RowData = new DataControl(this, QStringLiteral("data1"));
    RowData->hide();
    DataGrid1 = new DataGrid(browse, QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, 60, 60, 8400, 3540);
    for (const auto& [caption, field] : m_design.columns)
        DataGrid1->AddColumn(GridColumn{.caption = caption, .field = field, .widthTw = ColumnWidth(field),
                                        .alignment = field == QLatin1String("PZJE") ? Qt::AlignRight : Qt::AlignLeft});

    BuildButtons();

    SBar = new VbStatusBar(this, QStringLiteral("SBar"));
    PlaceTw(SBar, 0, 5730, 8850, 330);
    m_fields.SetHintTarget(SBar, 1);

    // Enter moves along the entry boxes; the evaluation's options take their place
    // after the amount.
    QList<QWidget*> order;
    for (QWidget* w : m_fields.TabOrder()) {
        if (w == Option1.get()) {
            for (VbOption* o : Option1->findChildren<VbOption*>())
                order << o;
        } else {
            order << w;
        }
    }
    order << QList<QWidget*>{Cmdupd, cmdinsert, cmdcancel, Cmdexit, Cmdfst, Cmdpre, Cmdnxt, Cmdlst};
    SetTabOrder(order);

    m_fields.OnChange(this, [this] { MarkChanged(); });
    Txtxmlb->Change = [this] { Txtxmlb_Change(); };
    year->Changed = [this] { cmdSpin_Changed(); };

    // Boxes filled from their pick lists take no typing; Enter moves on.
    for (VbTextBox* box : {Txtxmlb.get(), txtxkdm.get(), txtszdw.get()})
        box->KeyPress = [box](int& keyAscii) {
            if (ChooseOnly(keyAscii))
                SendTab(box);
        };
    // Typed boxes take every key; Enter moves on as well.
    for (VbTextBox* box : {txtxmmc.get(), txtxmfzr.get(), txtxmbh.get(), txtpzje.get()})
        box->KeyPress = [box](int& keyAscii) {
            int key = keyAscii;
            if (EnterToTab(key))
                SendTab(box);
        };
    Txtxmlb->DblClick = [this] { Txtxmlb_DblClick(); };
    txtxkdm->DblClick = [this] { txtxkdm_DblClick(); };
    txtszdw->DblClick = [this] { txtszdw_DblClick(); };
    Txtxmlb->LostFocus = [this] { Lstxmlb->hide(); };
    txtxkdm->LostFocus = [this] { lstxkdm->hide(); };
    txtszdw->LostFocus = [this] { txtszdw_LostFocus(); };
    Lstxmlb->Click = [this] { Lstxmlb_Click(); };
    lstxkdm->Click = [this] { lstxkdm_Click(); };
    lstszdw->Click = [this] { lstszdw_Click(); };
}

void ProjectRecordForm::BuildEntryTab(QWidget* page)
{
    Frame1 = new VbFrame(page, QStringLiteral("Frame1"));
    PlaceTw(Frame1, 60, 0, 8400, 3600);

    auto label = [this](const char* name, const char* caption, int column, int row) {
        auto* l = new VbLabel(Frame1, QString::fromLatin1(name), QString::fromUtf8(caption));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaceTw(l, kLabelLeft[column], rowTop(row), kLabelWidth, kBoxHeight);
        return l;
    };
    auto box = [this](const char* name, int left, int row, int width) {
        auto* b = m_fields.Make<VbTextBox>(QString::fromLatin1(name), Frame1);
        PlaceTw(b, left, rowTop(row), width, kBoxHeight);
        return b;
    };
    label("lblxmlb", "项 目 类 别：", 0, 0);
    Txtxmlb = box("Txtxmlb", kBoxLeft[0], 0, kBoxWidth);
    label("lblxmbh", "项目批准号 ：", 1, 0);
    txtxmbh = box("txtxmbh", kBoxLeft[1], 0, kBoxWidth);
    label("lblxmmc", "项 目 名 称：", 0, 1);
    txtxmmc = box("txtxmmc", kBoxLeft[0], 1, kBoxLeft[1] + kBoxWidth - kBoxLeft[0]);
    label("lblxmfzr", "项目 负责人：", 0, 2);
    txtxmfzr = box("txtxmfzr", kBoxLeft[0], 2, kBoxWidth);
    label("lblxkdm", "所 属 学 科：", 1, 2);
    txtxkdm = box("txtxkdm", kBoxLeft[1], 2, 600);
    txtxkmc = box("txtxkmc", kBoxLeft[1] + 660, 2, kBoxWidth - 660);
    label("lblszdw", "所 在 单 位：", 0, 3);
    txtszdw = box("txtszdw", kBoxLeft[0], 3, kBoxWidth);
    label("lblpzje", "批 准 金 额：", 1, 3);
    txtpzje = box("txtpzje", kBoxLeft[1], 3, 1500);
    auto* unit = new VbLabel(Frame1, QStringLiteral("lblwy"), QStringLiteral("万元"));
    unit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PlaceTw(unit, kBoxLeft[1] + 1560, rowTop(3), 600, kBoxHeight);
    label("lblqssj", "起 始 年 月：", 0, 4);
    txtqssj = box("txtqssj", kBoxLeft[0], 4, kBoxWidth);
    label("lblzzsj", "终 止 年 月：", 1, 4);
    txtzzsj = box("txtzzsj", kBoxLeft[1], 4, kBoxWidth);
    Chkbz = m_fields.Make<VbCheckBox>(QStringLiteral("Chkbz"), Frame1);
    Chkbz->setText(talent().caption);
    PlaceTw(Chkbz, kBoxLeft[0], rowTop(5), kBoxWidth, kBoxHeight);

    for (VbTextBox* b : {Txtxmlb.get(), txtxkdm.get(), txtszdw.get()})
        b->SetBackColor(PickListColor());

    if (m_fields.RowOf(QStringLiteral("Option1")) >= 0) {
        label("lbljzpj", "项目进展评价：", 0, 6);
        Option1 = m_fields.Make<VbFrame>(QStringLiteral("Option1"), Frame1);
        Option1->setFlat(true);
        Option1->setStyleSheet(QStringLiteral("QGroupBox#Option1 { border: none; margin: 0; padding: 0; }"));
        PlaceTw(Option1, kBoxLeft[0], rowTop(6) - 30, 6900, kBoxHeight + 60);
        const QStringList& captions = EvaluationCaptions();
        for (int i = 0; i < captions.size(); ++i) {
            auto* o = new VbOption(Option1, QStringLiteral("Option1_%1").arg(i), captions[i]);
            PlaceTw(o, i * 1725, 30, 1725, kBoxHeight);
        }
    }

    Lstxmlb = PickListUnder(Txtxmlb, QStringLiteral("Lstxmlb"), kBoxWidth, 900);
    for (int category = 1; category <= 3; ++category)
        Lstxmlb->AddItem(CategoryText(category));
    lstxkdm = PickListUnder(txtxkdm, QStringLiteral("lstxkdm"), kBoxWidth, 1800);
    lstszdw = PickListUnder(txtszdw, QStringLiteral("lstszdw"), kBoxWidth, 1800);
}

void ProjectRecordForm::BuildButtons()
{
    Frame2 = new VbFrame(this, QStringLiteral("Frame2"));
    PlaceTw(Frame2, 120, 4860, 8610, 780);
    constexpr int top = 240, height = 420, width = 1140;
    // The approval-number window keeps its new-record button under the save button.
    cmdinsert = MakeButton(Frame2, QStringLiteral("cmdinsert"), QStringLiteral("录  入"), m_design.evaluates ? 1500 : 240,
                           top, width, height);
    Cmdupd = MakeButton(Frame2, QStringLiteral("Cmdupd"), QStringLiteral("保  存"), 240, top, width, height);
    cmdcancel = MakeButton(Frame2, QStringLiteral("cmdcancel"), QStringLiteral("放  弃"), 2760, top, width, height);
    Cmdexit = MakeButton(Frame2, QStringLiteral("Cmdexit"), QStringLiteral("退  出"), 4020, top, width, height);
    const QStyle::StandardPixmap pictures[] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                               QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    const char* names[] = {"Cmdfst", "Cmdpre", "Cmdnxt", "Cmdlst"};
    VbButton* moves[4];
    for (int i = 0; i < 4; ++i) {
        moves[i] = MakeButton(Frame2, QString::fromLatin1(names[i]), QString(), 5880 + i * 660, top, 600, height);
        moves[i]->setIcon(style()->standardIcon(pictures[i]));
    }
    Cmdfst = moves[0];
    Cmdpre = moves[1];
    Cmdnxt = moves[2];
    Cmdlst = moves[3];
    cmdinsert->setEnabled(false);
    ConnectCommands();
}

void ProjectRecordForm::Form_Load()
{
    RecordWindow::Form_Load();
    CentreOnMain(*this);
    year->txtCondiYear->SetText(QString::number(Today().year()));
    SSTabjblr->SetTab(0);
    cmdinsert->setEnabled(m_design.evaluates);
    if (OpenWindowConnection(m_db)) {
        try {
            OpenYear();
            DataGrid1->SetDataSource(RowData);
            FillCodeList(SubjectRs, m_db, QStringLiteral("select * from xkdm order by xkdm "), {}, CodeItem::PaddedCode,
                         {lstxkdm});
            FillCodeList(UnitRs, m_db, QStringLiteral("select * from dwdm order by dwdm"), {}, CodeItem::CodeAndName,
                         {lstszdw});
        } catch (const std::exception& e) {
            ShowFailure(e);
        }
    }
    ShowFirstRecord();
}

QString ProjectRecordForm::Year() const { return year->Year(); }

ProjectRecordForm::RowQuery ProjectRecordForm::Rows() const
{
    return {.table = m_design.layout->table, .filter = m_design.yearFilter, .values = {Year()}, .order = m_design.order};
}

void ProjectRecordForm::OpenYear()
{
    RowChangeHold hold(DataGrid1);
    OpenRows();
}

// ---------------------------------------------------------------- record procedures

void ProjectRecordForm::ShowRecord()
{
    if (Rs().HasCurrentRow())
        ShowFields(m_fields, Rs());
}

void ProjectRecordForm::StoreRecord()
{
    Rs().SetField(QStringLiteral("nd"), Trim(Year()));
    StoreFields(m_fields, Rs());
}

void ProjectRecordForm::ClearFields()
{
    for (int i = 0; i < m_fields.Count(); ++i)
        SetBoxText(m_fields.Box(i), QString());
}

void ProjectRecordForm::LockFields() { m_fields.SetKeysEnabled(false); }

void ProjectRecordForm::UnlockFields() { m_fields.SetKeysEnabled(true); }

// ---------------------------------------------------------------- year, states, save

void ProjectRecordForm::cmdSpin_Changed()
{
    {
        BusyCursor busy;
        try {
            OpenYear();
        } catch (const std::exception& e) {
            ShowFailure(e);
        }
    }
    txtzjls->SetText(QString::number(Rs().RecordCount()));
    if (Rs().RecordCount() == 0) {
        LockFields();
        ClearFields();
        return;
    }
    // Nothing of the last year's record stays in a box the new one leaves empty.
    ClearFields();
    ShowRecord();
    UnlockFields();
}

void ProjectRecordForm::SetBrowsing(bool on)
{
    RecordWindow::SetBrowsing(on);
    for (VbButton* b : year->cmdSpin)
        b->setEnabled(on);
    // Only the evaluation offers new records: a new approval-number record would
    // have no start month and so belong to no year.
    cmdinsert->setEnabled(on && m_design.evaluates);
}

qint64 ProjectRecordForm::WriteEdit()
{
    // The columns the window does not write keep their values.
    const qint64 rowid = Rs().RowId(Rs().CurrentIndex());
    QStringList sets;
    QVariantList values;
    for (const auto& [column, value] : EditedValues()) {
        sets << records::quoteIdentifier(column) + QStringLiteral(" = ?");
        values << value;
    }
    values << rowid;
    const QString sql = QStringLiteral("update %1 set %2 where rowid = ?")
                            .arg(records::quoteIdentifier(m_design.layout->table), sets.join(QStringLiteral(", ")));
    return m_db.Exec(sql, values).numRowsAffected() > 0 ? rowid : 0;
}

// ---------------------------------------------------------------- category and lists

void ProjectRecordForm::Txtxmlb_Change()
{
    const QString category = Txtxmlb->Text();
    QString sql;
    QVariantList values;
    if (category == CategoryText(3)) {
        Chkbz->hide();
        Chkbz->SetValue(0);
        sql = QStringLiteral("select * from xkdm where xkdm > ? order by xkdm ");
        values = {QStringLiteral("Z")};
    } else if (category == CategoryText(2)) {
        Chkbz->show();
        sql = QStringLiteral("select * from xkdm where xkdm >= ? and xkdm <= ? order by xkdm ");
        values = {QStringLiteral("P"), QStringLiteral("Z")};
    } else {
        Chkbz->show();
        sql = QStringLiteral("select * from xkdm where xkdm <= ? order by xkdm ");
        values = {QStringLiteral("P")};
    }
    MarkChanged();
    if (m_db.IsOpen())
        FillCodeList(SubjectRs, m_db, sql, values, CodeItem::PaddedCode, {lstxkdm});
}

void ProjectRecordForm::Txtxmlb_DblClick()
{
    SBar->SetPanelText(1, QStringLiteral("请用鼠标选择项目类别。"));
    Lstxmlb->show();
}

void ProjectRecordForm::txtxkdm_DblClick()
{
    SBar->SetPanelText(1, QStringLiteral("请用鼠标选择所属学科。"));
    lstxkdm->show();
}

void ProjectRecordForm::txtszdw_DblClick()
{
    SBar->SetPanelText(1, QStringLiteral("请用鼠标选择所在单位。"));
    lstszdw->show();
}

void ProjectRecordForm::txtszdw_LostFocus()
{
    if (m_db.IsOpen()) {
        const QString unit = Trim(txtszdw->Text());
        const QString name = ResolveUnitCode(m_db, unit);
        if (name != unit)
            txtszdw->SetText(name);
    }
    lstszdw->hide();
}

void ProjectRecordForm::Lstxmlb_Click()
{
    Txtxmlb->SetText(Trim(Lstxmlb->Text()));
    Lstxmlb->hide();
    SetFocus(txtxmmc);
}

void ProjectRecordForm::lstxkdm_Click()
{
    const ListItemParts item = SplitListItem(Trim(lstxkdm->Text()));
    txtxkdm->SetText(Trim(item.code));
    txtxkmc->SetText(item.name);
    lstxkdm->hide();
    SetFocus(txtxmbh);
}

void ProjectRecordForm::lstszdw_Click()
{
    txtszdw->SetText(SplitListItem(Trim(lstszdw->Text())).name);
    lstszdw->hide();
    SetFocus(findChild<QWidget*>(m_design.afterUnit));
}
