#include "frmxmpz.h"

#include "Failure.h"

#include "Platform.h"

using namespace platform;

namespace {

ApprovalGridForm::Design design()
{
    ApprovalGridForm::Design d;
    d.caption = QStringLiteral("项目批准管理");
    d.widthTw = 8250;
    d.heightTw = 5610;
    d.instruction = QStringLiteral("说明：在已批准项目记录前划勾，然后单击批准按钮。请您务必谨慎操作！！！");
    d.instructionWidthTw = 8010;
    // The applications of one start year, in discipline order; the rowid closes the
    // order, so that rows with equal disciplines always come in the same order.
    d.gridSelect = QStringLiteral(
        "SELECT XMLB AS 项目类别, XMMC AS 项目名称, XMFZR AS 项目负责人, SQRQ AS 申请日期, qsny AS 起始年月, "
        "XKMC AS 所属学科,zzny as 终止年月,ssxk as 学科代码,szdw as 所在单位, rowid FROM xmsb");
    d.yearFilter = QStringLiteral(" Where substr(qsny,1,4)=? order by ssxk, rowid");
    d.frameTopTw = 4080;
    d.buttonsLeftTw = 5580;
    d.buttonsTopTw = 4320;
    d.exitLeftTw = 7440;
    d.archiveCaption = QStringLiteral("未批准项目归档");
    d.confirmCaption = QStringLiteral("批  准");
    d.listed = &records::applications();
    d.archive = &records::archivedApplications();
    return d;
}

}  // namespace

frmxmpz::frmxmpz()
    : ApprovalGridForm(QStringLiteral("frmxmpz"), design())
{
}

void frmxmpz::cmdExportoA_Click()
{
    if (!CountTicks())
        return;
    BusyCursor busy;
    // An application is found again by its category, name, leader and start: every
    // row with these four values moves with the ticked one. A missing value matches
    // a missing value, so that such an application moves too. The rows arrive in
    // the order of the first tick whose four values they share, in stored order
    // within it. The ticks' values go into an indexed table of their own, so that
    // one pass over xmsb finds every row to move.
    const QString match = QStringLiteral(
        "xmsb.xmlb is k.xmlb and xmsb.xmmc is k.xmmc and xmsb.xmfzr is k.xmfzr and xmsb.qsny is k.qsny");
    try {
        m_db.InTransaction([&] {
            ScratchTable keys(m_db, QStringLiteral("approvalkeys"),
                              QStringLiteral("(tick integer primary key, xmlb text collate nocase, "
                                             "xmmc text collate nocase, xmfzr text collate nocase, "
                                             "qsny text collate nocase)"),
                              QStringLiteral("xmlb, xmmc, xmfzr, qsny, tick"));
            QList<int> columns;
            for (const char* name : {"项目类别", "项目名称", "项目负责人", "起始年月"})
                columns << grid->ColumnOf(QString::fromUtf8(name));
            for (int row : grid->TickedRows())
                keys.Add({row, grid->Value(row, columns[0]), grid->Value(row, columns[1]),
                          grid->Value(row, columns[2]), grid->Value(row, columns[3])});
            ScratchTable moves(m_db, QStringLiteral("approvalmoves"), kMoveColumns);
            m_db.Exec(QStringLiteral("insert into %1 (moverowid) select rowid from xmsb "
                                     "where exists (select 1 from %2 as k where %3) "
                                     "order by (select min(k.tick) from %2 as k where %3), rowid")
                          .arg(moves.Name(), keys.Name(), match));
            MoveRows(moves, records::approvedApplications(), records::applications());
        });
    } catch (const std::exception& e) {
        // Nothing moved; the ticks stay for another try.
        ShowFailure(e);
        return;
    }
    Requery();
    MsgBox(QStringLiteral("项目批准操作已完成。"), vbOKOnly + vbInformation, QStringLiteral("提示信息"));
}
