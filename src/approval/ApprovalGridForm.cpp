#include "ApprovalGridForm.h"

#include "SqliteStatement.h"

#include "Failure.h"

#include "ModVar.h"
#include "Platform.h"

#include <QFont>
#include <QLabel>
#include <QSqlError>

using namespace platform;

namespace {

// A tall narrow button shows its caption wrapped at the blanks, a word a line; the
// caption itself stays as it is.
void WrapCaption(QPushButton* button)
{
    auto* label = new QLabel(button->text(), button);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(button->rect().adjusted(2, 2, -2, -2));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The label draws in the window's text colour; the button's own is cleared.
    label->setForegroundRole(QPalette::WindowText);
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, Qt::transparent);
    button->setPalette(pal);
}

}  // namespace

ScratchTable::ScratchTable(DbConnection& db, const QString& name, const QString& columns, const QString& indexed)
    : m_db(db), m_name(name)
{
    m_db.Exec(QStringLiteral("drop table if exists %1").arg(Name()));
    m_db.Exec(QStringLiteral("create temp table %1 %2").arg(m_name, columns));
    if (!indexed.isEmpty())
        m_db.Exec(QStringLiteral("create index temp.%1_key on %1 (%2)").arg(m_name, indexed));
}

ScratchTable::~ScratchTable()
{
    // The insert lets go of the table first: a statement still open keeps it.
    m_insert.reset();
    try {
        m_db.Exec(QStringLiteral("drop table if exists %1").arg(Name()));
    } catch (const std::exception&) {
        // It goes with the connection at the latest, and a rollback takes it too.
    }
}

QString ScratchTable::Name() const { return QStringLiteral("temp.") + m_name; }

void ScratchTable::Add(const QVariantList& values)
{
    // Prepared once, for every row.
    if (!m_insert)
        m_insert = std::make_unique<SqliteStatement>(
            m_db, QStringLiteral("insert into %1 values (%2)").arg(Name(), records::placeholders(int(values.size()))));
    m_insert->Run(values);
}

const QString ApprovalGridForm::kMoveColumns = QStringLiteral("(moveorder integer primary key, moverowid integer)");

void ApprovalGridForm::MoveRows(const ScratchTable& moves, const records::RecordLayout& target,
                                const records::RecordLayout& source)
{
    // The copy reads the rows through the list, so that they arrive in its order;
    // the list's own columns are named apart from every column of the tables.
    const QString table = records::quoteIdentifier(source.table);
    m_db.Exec(records::copyStatement(target, source)
              + QStringLiteral(" join %1 as m on m.moverowid = %2.rowid order by m.moveorder").arg(moves.Name(), table));
    m_db.Exec(QStringLiteral("delete from %1 where rowid in (select moverowid from %2)").arg(table, moves.Name()));
}

ApprovalGridForm::ApprovalGridForm(const QString& name, Design design)
    : TickGridForm(name), m_design(std::move(design))
{
}

void ApprovalGridForm::SetupUi()
{
    setWindowTitle(m_design.caption);
    SetInnerSizeTw(m_design.widthTw, m_design.heightTw);

    Label2 = new VbLabel(this, QStringLiteral("Label2"), m_design.instruction);
    if (m_design.instructionInRed) {
        QFont bold = Label2->font();
        bold.setPointSize(12);
        bold.setBold(true);
        Label2->setFont(bold);
        Label2->setStyleSheet(QStringLiteral("color: red"));
    }
    PlaceTw(Label2, 120, 120, m_design.instructionWidthTw, 375);

    grid = new TickGrid(this, 600, 720);
    grid->SetHiddenColumns({QStringLiteral("rowid")});

    Frame1 = new YearConditionFrame(this, 840, m_design.frameTopTw, QStringLiteral("项目起始年份等于："));

    cmdPvw = new VbButton(this, QStringLiteral("cmdPvw"), m_design.archiveCaption);
    cmdPvw->setToolTip(QStringLiteral("将未批准项目从项目申报库中删除并归档"));
    cmdPvw->setEnabled(m_design.archiveEnabled);
    PlaceTw(cmdPvw, m_design.buttonsLeftTw, m_design.buttonsTopTw, 1740, 495);
    cmdExportoA = new VbButton(this, QStringLiteral("cmdExportoA"), m_design.confirmCaption);
    PlaceTw(cmdExportoA, m_design.buttonsLeftTw, m_design.buttonsTopTw + 480, 1740, 495);
    Cmdexit = new VbButton(this, QStringLiteral("Cmdexit"), QStringLiteral(" 退       出"));
    PlaceTw(Cmdexit, m_design.exitLeftTw, m_design.buttonsTopTw, 615, 975);
    WrapCaption(Cmdexit);

    cmdPvw->Click = [this] { cmdPvw_Click(); };
    cmdExportoA->Click = [this] { cmdExportoA_Click(); };
    Cmdexit->Click = [this] { Cmdexit_Click(); };
    Frame1->year->Changed = [this] { cmdSpin_Changed(); };
}

void ApprovalGridForm::LoadGrid()
{
    grid->Load(m_db, m_design.gridSelect + m_design.yearFilter, {Frame1->year->Year()});
}

void ApprovalGridForm::cmdSpin_Changed() { Requery(); }

bool ApprovalGridForm::CountTicks()
{
    gCheckedCount = grid->TickedCount();
    if (gCheckedCount > 0)
        return true;
    MsgBox(QStringLiteral("未选中任何批准项目，请您选择已批准项目！。"), vbOKOnly + vbExclamation,
           QStringLiteral("错误提示"));
    return false;
}

void ApprovalGridForm::cmdPvw_Click()
{
    if (grid->RecordCount() == 0) {
        MsgBox(QStringLiteral("无可操作的项目！！！"), vbOKOnly + vbExclamation, QStringLiteral("错误提示"));
        return;
    }
    if (MsgBox(QStringLiteral("进行《未批准项目归档》前必须确认已批准项目不在剩下项目中，您确认吗？"), vbYesNo,
               QStringLiteral("提示信息"))
        != vbYes)
        return;
    BusyCursor busy;
    // Exactly the rows left unticked move, each found by its rowid, in the grid's
    // order; a ticked row stays even where an unticked one has the same category,
    // name, leader and start.
    try {
        m_db.InTransaction([&] {
            ScratchTable moves(m_db, QStringLiteral("archivemoves"), kMoveColumns);
            const int rowid = grid->ColumnOf(QStringLiteral("rowid"));
            for (int row = 1; row <= grid->RecordCount(); ++row)
                if (grid->Flags()[row] == 0)
                    moves.Add({row, grid->Value(row, rowid)});
            MoveRows(moves, *m_design.archive, *m_design.listed);
        });
    } catch (const std::exception& e) {
        // Nothing moved; the ticks stay for another try.
        ShowFailure(e);
        return;
    }
    Requery();
    MsgBox(QStringLiteral("未批准项目归档操作已完成。"), vbOKOnly + vbInformation, QStringLiteral("提示信息"));
}
