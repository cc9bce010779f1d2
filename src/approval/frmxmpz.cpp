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
    // a missing value, so that such an application moves too.
    const QString key = QStringLiteral(" where xmlb is ? and xmmc is ? and xmfzr is ? and qsny is ?");
    const QString copy = records::copyStatement(records::approvedApplications(), records::applications()) + key;
    const QString remove = QStringLiteral("delete from xmsb") + key;
    try {
        m_db.InTransaction([&] {
            for (int row : grid->TickedRows()) {
                const QVariantList values = {grid->Value(row, QStringLiteral("项目类别")),
                                             grid->Value(row, QStringLiteral("项目名称")),
                                             grid->Value(row, QStringLiteral("项目负责人")),
                                             grid->Value(row, QStringLiteral("起始年月"))};
                m_db.Exec(copy, values);
                m_db.Exec(remove, values);
            }
        });
    } catch (const std::exception& e) {
        // Nothing moved; the ticks stay for another try.
        ShowFailure(e);
        return;
    }
    Requery();
    MsgBox(QStringLiteral("项目批准操作已完成。"), vbOKOnly + vbInformation, QStringLiteral("提示信息"));
}
