#include "frmqdzbxm.h"

#include "Failure.h"

#include "Platform.h"

using namespace platform;

namespace {

ApprovalGridForm::Design design()
{
    ApprovalGridForm::Design d;
    d.caption = QStringLiteral("确定中报项目");
    d.widthTw = 10905;
    d.heightTw = 5865;
    d.instruction = QStringLiteral("说明：在项目记录前划勾，确定中报项目，然后单击确定按钮。请您务必谨慎操作！！！");
    d.instructionWidthTw = 10215;
    d.instructionInRed = true;
    // The approved projects of one start year, by category and then discipline; the
    // rowid closes the order and names the row each tick belongs to.
    d.gridSelect = QStringLiteral(
        "SELECT XMLB AS 项目类别, XMMC AS 项目名称, XMFZR AS 项目负责人, SQRQ AS 申请日期, qsny AS 起始年月, "
        "XKMC AS 所属学科,zzny as 终止年月,ssxk as 学科代码,szdw as 所在单位, rowid FROM xmsbpz");
    d.yearFilter = QStringLiteral(" Where substr(qsny,1,4)=? order by xmlb,ssxk, rowid");
    d.frameTopTw = 4320;
    d.buttonsLeftTw = 7440;
    d.buttonsTopTw = 4560;
    d.exitLeftTw = 9240;
    // The archive of the unticked projects is kept but never offered.
    d.archiveCaption = QStringLiteral("预览上报数据");
    d.archiveEnabled = false;
    d.confirmCaption = QStringLiteral("确  定");
    d.listed = &records::approvedApplications();
    d.archive = &records::archivedApproved();
    return d;
}

// Copies one approved row into xmpz, with the year bound first and the row's rowid
// second, unless the same project (approval number, category, name, leader, start)
// already has a mid-term row of that year, bound third: two approved projects that
// differ only in their approval numbers are two projects. The talent mark bz
// becomes zqnbz; the evaluation jzpj stays empty.
QString midTermCopyStatement()
{
    QStringList targets;
    QStringList sources;
    for (const records::Column& c : records::midTermProjects().columns) {
        const QString name = c.name.toLower();
        if (name == QLatin1String("jzpj"))
            continue;
        targets << c.name;
        if (name == QLatin1String("nd"))
            sources << QStringLiteral("?");
        else
            sources << QStringLiteral("s.")
                           + records::quoteIdentifier(name == QLatin1String("zqnbz") ? QStringLiteral("bz") : c.name);
    }
    return QStringLiteral("insert into xmpz (%1) select %2 from xmsbpz s where s.rowid = ? and not exists "
                          "(select 1 from xmpz p where p.xmbh is s.xmbh and p.xmlb is s.xmlb and p.xmmc is s.xmmc "
                          "and p.xmfzr is s.xmfzr and p.qsny is s.qsny and p.nd = ?)")
        .arg(records::columnList(targets), sources.join(QStringLiteral(", ")));
}

}  // namespace

frmqdzbxm::frmqdzbxm()
    : ApprovalGridForm(QStringLiteral("frmqdzbxm"), design())
{
}

void frmqdzbxm::cmdExportoA_Click()
{
    if (!CountTicks())
        return;
    BusyCursor busy;
    // The year of the report is the calendar year of the click, whatever start year
    // the grid lists.
    const QString year = QString::number(Today().year()).rightJustified(4, QLatin1Char('0'));
    const QString copy = midTermCopyStatement();
    try {
        m_db.InTransaction([&] {
            for (int row : grid->TickedRows()) {
                grid->flex->SetRow(row);
                m_db.Exec(copy, {year, grid->Value(row, QStringLiteral("rowid")), year});
            }
        });
    } catch (const std::exception& e) {
        ShowFailure(e);
        return;
    }
    // The grid is not read again: the ticks stay.
    grid->flex->SetCol(1);
    MsgBox(QStringLiteral("中报项目确定操作已完成。"), vbOKOnly + vbInformation, QStringLiteral("提示信息"));
}
