#include "SubmissionForm.h"

#include "ModVar.h"
#include "Platform.h"
#include "Twips.h"
#include "frmPrvw.h"

using namespace platform;

SubmissionForm::SubmissionForm(const QString& name, Design design)
    : TickGridForm(name, design.startYearOffset, design.columnWidths), m_design(std::move(design))
{
}

void SubmissionForm::SetupUi()
{
    setWindowTitle(m_design.caption);
    SetInnerSizeTw(m_design.widthTw, m_design.heightTw);

    Label2 = new VbLabel(this, QStringLiteral("Label2"),
                         QStringLiteral("说明：请在条件设定中选择合适记录，在软驱中插入空白软盘，然后单击写盘按钮。"));
    PlaceTw(Label2, 240, 120, m_design.widthTw - 480, 375);

    grid = new TickGrid(this, 240, 600);
    grid->SetHiddenColumns({QStringLiteral("rowid")});

    const int lowerTw = m_design.heightTw - 1455;
    Frame1 = new YearConditionFrame(this, 240, lowerTw, m_design.yearCaption);

    Frame2 = new VbFrame(this, QStringLiteral("Frame2"), QStringLiteral(" 驱动器："));
    PlaceTw(Frame2, 360 + PixelsToTwips(Frame1->width()), lowerTw, 1215, 1215);
    Option1 = new VbOption(Frame2, QStringLiteral("Option1"), QStringLiteral("A"));
    PlaceTw(Option1, 240, 360, 735, 300);
    Option2 = new VbOption(Frame2, QStringLiteral("Option2"), QStringLiteral("B"));
    PlaceTw(Option2, 240, 720, 735, 300);
    // The file always goes to drive A:.
    Option2->setEnabled(false);
    Option1->SetValue(true);

    // The buttons stand one above the other at the right.
    const int buttonsLeftTw = m_design.widthTw - 2055;
    cmdExportoA = new VbButton(this, QStringLiteral("cmdExportoA"), m_design.exportCaption);
    PlaceTw(cmdExportoA, buttonsLeftTw, lowerTw + 60, 1815, 375);
    cmdPvw = new VbButton(this, QStringLiteral("cmdPvw"), QStringLiteral("预览上报数据"));
    PlaceTw(cmdPvw, buttonsLeftTw, lowerTw + 480, 1815, 375);
    // Kept as it always was: the preview is built but not offered.
    cmdPvw->setEnabled(false);
    Cmdexit = new VbButton(this, QStringLiteral("Cmdexit"), QStringLiteral(" 退       出"));
    PlaceTw(Cmdexit, buttonsLeftTw, lowerTw + 900, 1815, 375);

    cmdExportoA->Click = [this] { cmdExportoA_Click(); };
    cmdPvw->Click = [this] { cmdPvw_Click(); };
    Cmdexit->Click = [this] { Cmdexit_Click(); };
    if (Frame1->year)
        Frame1->year->Changed = [this] { Requery(); };
}

RowQuery SubmissionForm::Query() const
{
    if (!Frame1->year)
        return RowQuery{m_design.table, QString(), {}, m_design.orderBy};
    return RowQuery{m_design.table, m_design.yearCondition, {Frame1->year->Year()}, m_design.orderBy};
}

void SubmissionForm::LoadGrid()
{
    const RowQuery q = Query();
    grid->Load(m_db, q.sql(m_design.gridColumns + QStringLiteral(", rowid")), q.values);
}

void SubmissionForm::cmdExportoA_Click()
{
    gCheckedCount = grid->TickedCount();
    if (gCheckedCount == 0) {
        MsgBox(QStringLiteral("未选中任何上报数据，请您选择上报数据记录！。"), vbOKOnly + vbExclamation,
               QStringLiteral("错误提示"));
        return;
    }
    // A number whose file is not on the medium yet: an earlier submission stays.
    gExportFile = NewSubmissionFile(m_design.filePrefix);
    gExportTable = m_design.table;
    MsgBox(QStringLiteral("请将空白软盘的写保护打开，然后放入软驱。"), vbOKOnly + vbInformation, QStringLiteral("提示信息"));
    BusyCursor busy;
    // The rows that carry the ticks, by the rowids the grid holds, in the grid's order.
    // The grid is not read again and the ticks stay: a second press writes the same
    // rows to another file.
    QList<qint64> ticked;
    for (int row = 1; row <= grid->RecordCount(); ++row)
        if (grid->Flags().value(row) != 0)
            ticked << grid->Value(row, QStringLiteral("rowid")).toLongLong();
    PackData(m_design.table, ticked);
}

void SubmissionForm::cmdPvw_Click() { frmPrvw::OpenPreview(*grid); }
