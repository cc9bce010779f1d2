#include "frmzjdf.h"

#include "Failure.h"
#include "Platform.h"
#include "Transaction.h"
#include "VbText.h"

#include <QScopedValueRollback>
#include <utility>

namespace {

const QString kTitle = QStringLiteral("提示信息 ");

QString Expert(int i) { return QString(QChar(u'A' + i)); }
QString ScoreField(int i) { return QStringLiteral("FS%1").arg(i + 1); }
QString OpinionField(int i) { return QStringLiteral("YJ%1").arg(i + 1); }

// A value given in a scratch row: not Null and not the empty text.
bool Given(const QVariant& v) { return v.isValid() && !v.isNull() && !v.toString().isEmpty(); }

// The same text on both sides, character for character; a Null matches nothing.
bool SameText(const QVariant& a, const QVariant& b)
{
    return a.isValid() && !a.isNull() && b.isValid() && !b.isNull() && a.toString() == b.toString();
}

void OpenTable(DataControl& dc, const QString& table, bool writable)
{
    dc.SetConnectionString(QStringLiteral("DSN=qwdb"));
    dc.SetRecordSource(QStringLiteral("select * from ") + table);
    dc.SetWritableTable(writable ? table : QString());
    dc.Refresh();
}

}  // namespace

frmzjdf::frmzjdf()
    : VbForm(QStringLiteral("frmzjdf"))
{
}

void frmzjdf::ScoreKey(const QString& text, int& keyAscii)
{
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != '.' && keyAscii != vbkey::Back) {
        keyAscii = 0;
        return;
    }
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (keyAscii == '.' && point >= 0) {
        keyAscii = 0;
        return;
    }
    // One decimal at most: once it is there, the box takes no further key.
    const QString trimmed = Trim(text);
    const qsizetype trimmedPoint = trimmed.indexOf(QLatin1Char('.'));
    if (point >= 0 && trimmedPoint >= 0 && trimmedPoint + 1 <= trimmed.size() - 1)
        keyAscii = 0;
}

void frmzjdf::SetupUi()
{
    setWindowTitle(QStringLiteral("专家打分"));
    SetInnerSizeTw(9120, 6600);
    Label2.clear();
    Text1.clear();
    Check1.clear();
    Text2.clear();

    Label1 = new VbLabel(this, QStringLiteral("Label1"), QStringLiteral("请选择学科组："));
    PlaceTw(Label1, 120, 180, 1560, 300);
    // Lists that can be typed into; what is typed is not added to the list.
    auto comboBox = [this](const char* name) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        return combo;
    };
    Combo1 = comboBox("Combo1");
    PlaceTw(Combo1, 1680, 120, 3360, 315);
    Label7 = new VbLabel(this, QStringLiteral("Label7"), QStringLiteral("请选择年度："));
    PlaceTw(Label7, 5400, 180, 1320, 300);
    Combo2 = comboBox("Combo2");
    PlaceTw(Combo2, 6720, 120, 1560, 315);

    auto dataControl = [this](const char* name) {
        auto* dc = new DataControl(this, QString::fromLatin1(name));
        dc->hide();
        return dc;
    };
    Adodc1 = dataControl("Adodc1");
    Adodc2 = dataControl("Adodc2");
    Adodc3 = dataControl("Adodc3");
    Adodc4 = dataControl("Adodc4");

    DataGrid1 = new DataGrid(this, QStringLiteral("DataGrid1"));
    PlaceTw(DataGrid1, 120, 600, 8880, 3240);
    auto column = [this](const QString& caption, const QString& field, int widthTw) {
        DataGrid1->AddColumn(GridColumn{.caption = caption, .field = field, .widthTw = widthTw});
    };
    column(QStringLiteral("项目编号"), QStringLiteral("XMBH"), 900);
    column(QStringLiteral("项目名称"), QStringLiteral("XMMC"), 2400);
    column(QStringLiteral("项目负责人"), QStringLiteral("XMFZR"), 1080);
    for (int i = 0; i < kExperts; ++i) {
        column(QStringLiteral("分数") + Expert(i), ScoreField(i), 750);
        column(QStringLiteral("意见") + Expert(i), OpinionField(i), 750);
    }
    column(QStringLiteral("所在单位"), QStringLiteral("SZDW"), 1800);
    DataGrid1->RowColChange = [this] { DataGrid1_RowColChange(); };

    Frame1 = new VbFrame(this, QStringLiteral("Frame1"), QStringLiteral("专家打分"));
    PlaceTw(Frame1, 120, 3960, 8880, 1860);
    // Experts A, B, C in the left half, D, E, F in the right one.
    constexpr int kHalfTw = 4440;
    Label3 = new VbLabel(Frame1, QStringLiteral("Label3"), QStringLiteral("   分   数"));
    PlaceTw(Label3, 1080, 240, 1440, 255);
    Label4 = new VbLabel(Frame1, QStringLiteral("Label4"), QStringLiteral("意见"));
    PlaceTw(Label4, 2760, 240, 720, 255);
    Label5 = new VbLabel(Frame1, QStringLiteral("Label5"), QStringLiteral("   分   数"));
    PlaceTw(Label5, kHalfTw + 1080, 240, 1440, 255);
    Label6 = new VbLabel(Frame1, QStringLiteral("Label6"), QStringLiteral("意见 "));
    PlaceTw(Label6, kHalfTw + 2760, 240, 720, 255);
    for (int i = 0; i < kExperts; ++i) {
        const int left = (i / 3) * kHalfTw;
        const int top = 600 + (i % 3) * 400;
        auto* label = new VbLabel(Frame1, QStringLiteral("Label2_%1").arg(i), QStringLiteral("专家") + Expert(i));
        PlaceTw(label, left + 240, top + 45, 840, 255);
        auto* score = new VbTextBox(Frame1, QStringLiteral("Text1_%1").arg(i));
        PlaceTw(score, left + 1080, top, 1440, 315);
        if (i == 5)
            score->SetMaxLength(5, LengthUnit::Characters);
        score->KeyPress = [score](int& keyAscii) { ScoreKey(score->Text(), keyAscii); };
        score->Change = [this] {
            if (!m_filling)
                m_inputsDirty = true;
        };
        auto* tick = new VbCheckBox(Frame1, QStringLiteral("Check1_%1").arg(i), QStringLiteral("Check1"));
        PlaceTw(tick, left + 2955, top + 30, 255, 255);
        tick->Click = [this, i] { Check1_Click(i); };
        Label2 << label;
        Text1 << score;
        Check1 << tick;
    }

    Command1 = new VbButton(this, QStringLiteral("Command1"), QStringLiteral("确  定"));
    PlaceTw(Command1, 2520, 5985, 1320, 420);
    Command1->Click = [this] { Command1_Click(); };
    Command2 = new VbButton(this, QStringLiteral("Command2"), QStringLiteral("退  出"));
    PlaceTw(Command2, 5280, 5985, 1320, 420);
    Command2->Click = [this] { Command2_Click(); };

    // Boxes bound to the four data controls without a field; nothing uses them, and
    // they are not shown.
    for (int i = 0; i < 4; ++i) {
        auto* box = new VbTextBox(this, QStringLiteral("Text2_%1").arg(i));
        box->SetText(QStringLiteral("Text2"));
        box->hide();
        Text2 << box;
    }

    connect(Combo2, &QComboBox::activated, this, Guarded([this] { Combo2_Click(); }));
    connect(Combo1, &QComboBox::activated, this, Guarded([this] { Combo1_Click(); }));
}

void frmzjdf::Form_Load()
{
    CentreOnMain(*this);
    setWindowTitle(QStringLiteral("专家打分"));
    EnableInputs(false);
    try {
        OpenTable(*Adodc1, QStringLiteral("sh"), false);
        OpenTable(*Adodc2, QStringLiteral("zjdfcopy"), true);
        OpenTable(*Adodc3, QStringLiteral("zjdf"), true);
        OpenTable(*Adodc4, QStringLiteral("xkhf"), false);
        if (Scratch().FieldCount() < kRowColumns || Stored().FieldCount() < kRowColumns)
            throw DbError(QStringLiteral("表 zjdfcopy 和 zjdf 至少要有 %1 列。").arg(kRowColumns));
        // What typed into the inputs goes into the row being left.
        Scratch().SetBeforeWrite([this] {
            if (m_returning || !m_inputsDirty || !Scratch().HasCurrentRow())
                return;
            if (!SaveScores())
                m_refusedRow = Scratch().CurrentIndex();
        });
        EmptyScratch();
        DataGrid1->SetDataSource(Adodc2);
    } catch (const DbError& e) {
        // Without its tables the window still opens, empty and closable.
        ShowFailure(e);
    }

    const int year = platform::Today().year();
    for (int y = year - 3; y <= year + 3; ++y)
        Combo2->addItem(QLatin1Char(' ') + QString::number(y));
    Combo2->setCurrentIndex(-1);
    Combo2->setEditText(QString::number(year));
    FillGroups(Combo2->currentText());
}

void frmzjdf::Form_Unload()
{
    // The inputs go with the window: nothing is handed over from them any more.
    m_inputsDirty = false;
    if (Adodc2)
        Scratch().SetBeforeWrite(nullptr);
    // The tables close with the window; what the sets still hold is written now.
    for (DataControl* dc : {Adodc1.get(), Adodc2.get(), Adodc3.get(), Adodc4.get()})
        if (dc)
            dc->Close();
}

void frmzjdf::FillGroups(const QString& year)
{
    Combo1->clear();
    strXkzdm.clear();
    if (!Groups().IsOpen())
        return;
    const int nd = Groups().FieldIndex(QStringLiteral("ND"));
    const int zm = Groups().FieldIndex(QStringLiteral("ZM"));
    const int codes = Groups().FieldIndex(QStringLiteral("XKZDM"));
    for (int r = 0; r < Groups().RecordCount(); ++r) {
        if (Groups().ValueAt(r, nd).toString() != year)
            continue;
        Combo1->addItem(Groups().ValueAt(r, zm).toString());
        strXkzdm << Groups().ValueAt(r, codes).toString();
    }
    Combo1->setCurrentIndex(-1);
}

void frmzjdf::Combo2_Click()
{
    // The scratch rows and the grid stay until a group is picked.
    FillGroups(Trim(Combo2->currentText()));
}

void frmzjdf::EmptyScratch()
{
    // The scratch rows go, scores and all: nothing typed is handed over to them.
    m_inputsDirty = false;
    while (Scratch().RecordCount() > 0) {
        Scratch().MoveFirst();
        Scratch().Delete();
    }
}

void frmzjdf::Combo1_Click()
{
    if (!Scratch().IsOpen() || !Projects().IsOpen())
        return;
    const int picked = Combo1->currentIndex();
    if (picked < 0 || picked >= strXkzdm.size())
        return;
    platform::BusyCursor busy;
    EmptyScratch();
    const QString codes = strXkzdm[picked];
    const int ssxk = Projects().FieldIndex(QStringLiteral("SSXK"));
    for (int r = 0; r < Projects().RecordCount(); ++r) {
        const QVariant subject = Projects().ValueAt(r, ssxk);
        // An empty code belongs to every group that has codes; no code to none.
        if (subject.isNull() || codes.isEmpty() || !codes.contains(subject.toString(), Qt::CaseSensitive))
            continue;
        Scratch().AddNew();
        for (const char* field : {"XMBH", "XMFZR", "XMMC", "SZDW"})
            Scratch().SetField(QString::fromLatin1(field),
                               Projects().ValueAt(r, Projects().FieldIndex(QString::fromLatin1(field))));
    }
    if (Scratch().RecordCount() > 0) {
        Scratch().MoveFirst();
    } else {
        EnableInputs(false);
    }
}

void frmzjdf::EnableInputs(bool on)
{
    for (int i = 0; i < kExperts; ++i) {
        Check1[i]->setEnabled(on);
        Text1[i]->setEnabled(on && Check1[i]->Value() == 1);
    }
}

void frmzjdf::DataGrid1_RowColChange()
{
    if (m_refusedRow >= 0) {
        // The scores of the row left could not be handed over: back to it, the inputs
        // as they were typed.
        const int back = std::exchange(m_refusedRow, -1);
        const QScopedValueRollback returning(m_returning, true);
        RowChangeHold hold(DataGrid1);
        Scratch().MoveTo(back);
        return;
    }
    const QVariant leader = Scratch().Field(QStringLiteral("XMFZR"));
    const QVariant name = Scratch().Field(QStringLiteral("XMMC"));
    const bool blank = !leader.isNull() && !name.isNull() && leader.toString().isEmpty() && name.toString().isEmpty();
    // The inputs show the row's scores: a ticked expert with the score given.
    m_filling = true;
    for (int i = 0; i < kExperts; ++i) {
        const bool ticked = Scratch().Text(OpinionField(i)) == QLatin1String("1");
        Text1[i]->SetText(ticked ? Scratch().Text(ScoreField(i)) : QString());
        Check1[i]->SetValue(ticked ? 1 : 0);
    }
    m_filling = false;
    m_inputsDirty = false;
    EnableInputs(!blank);
}

void frmzjdf::Check1_Click(int index)
{
    Text1[index]->setEnabled(Check1[index]->isEnabled() && Check1[index]->Value() == 1);
    if (!m_filling)
        m_inputsDirty = true;
}

bool frmzjdf::SaveScores()
{
    for (int i = 0; i < kExperts; ++i) {
        if (Check1[i]->Value() != 1 || Text1[i]->Text().isEmpty())
            continue;
        const double score = Val(Text1[i]->Text());
        if (score > 100 || score < 0) {
            platform::MsgBox(QStringLiteral("请确认所打的每一个分数均在0--100内。"), platform::vbOKOnly,
                             QStringLiteral("提示信息"));
            return false;
        }
    }
    for (int i = 0; i < kExperts; ++i)
        if (Check1[i]->Value() == 1 && Text1[i]->Text().isEmpty()) {
            platform::MsgBox(QStringLiteral("请将信息填写完整。"), platform::vbOKOnly, QStringLiteral("提示信息"));
            break;
        }
    for (int i = 0; i < kExperts; ++i) {
        if (Check1[i]->Value() == 1) {
            Scratch().SetField(ScoreField(i), Text1[i]->Text());
            Scratch().SetField(OpinionField(i), QStringLiteral("1"));
        } else {
            Scratch().SetField(OpinionField(i), QStringLiteral("0"));
        }
    }
    m_inputsDirty = false;
    return true;
}

bool frmzjdf::HandOverScores()
{
    if (!Scratch().IsOpen() || !Scratch().HasCurrentRow())
        return true;
    if (m_inputsDirty && !SaveScores())
        return false;
    Scratch().UpdateBatch();
    return true;
}

void frmzjdf::MergeScores()
{
    const int leader = Scratch().FieldIndex(QStringLiteral("XMFZR"));
    const int name = Scratch().FieldIndex(QStringLiteral("XMMC"));
    const int storedLeader = Stored().FieldIndex(QStringLiteral("XMFZR"));
    const int storedName = Stored().FieldIndex(QStringLiteral("XMMC"));
    platform::BusyCursor busy;
    // All the scratch rows or none: a row that cannot be written undoes the merge,
    // and its edits go with it, so that nothing of it is written later.
    Transaction merge(*Adodc3->Connection());
    try {
        for (int r = 0; r < Scratch().RecordCount(); ++r) {
            int found = -1;
            for (int s = 0; s < Stored().RecordCount() && found < 0; ++s)
                if (SameText(Stored().ValueAt(s, storedLeader), Scratch().ValueAt(r, leader))
                    && SameText(Stored().ValueAt(s, storedName), Scratch().ValueAt(r, name)))
                    found = s;
            if (found >= 0)
                Stored().MoveTo(found);
            else
                Stored().AddNew();
            // By position: the two tables keep their first columns in one order.
            for (int c = 0; c < kRowColumns; ++c) {
                const QVariant v = Scratch().ValueAt(r, c);
                if (found < 0 || Given(v))
                    Stored().SetField(c, v);
            }
            Stored().Update();
        }
    } catch (...) {
        Adodc3->DropEdits();
        throw;
    }
    merge.Commit();
}

void frmzjdf::Command1_Click()
{
    if (!HandOverScores())
        return;
    if (platform::MsgBox(QStringLiteral("打分完毕，如果要保存所有分数，请按“是”，否则，请按“否”。"), platform::vbYesNo, kTitle)
        != platform::vbYes)
        return;
    if (Scratch().IsOpen() && Stored().IsOpen() && Scratch().RecordCount() > 0)
        MergeScores();
}

void frmzjdf::Command2_Click()
{
    if (!HandOverScores())
        return;
    const int answer = platform::MsgBox(
        QStringLiteral("您还没有保存分数，如果要保存所有分数，请按“是”，否则，请按“否”。"), platform::vbYesNo, kTitle);
    if (Scratch().IsOpen() && Stored().IsOpen()) {
        if (answer == platform::vbYes)
            MergeScores();   // rows merged already are not added again
        else
            EmptyScratch();
    }
    Unload();
}
