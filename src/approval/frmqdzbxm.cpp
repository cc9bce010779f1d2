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

// The project's key: two approved projects that differ only in their approval
// numbers are two projects.
const QString kProjectKey = QStringLiteral("xmbh, xmlb, xmmc, xmfzr, qsny");

// The first tick of each project among `ticks` (tick, tickedrowid), into `firsts`
// (tick, firstrowid): a project ticked twice is chosen once. The ticks are numbered
// within their project over the key alone.
QString firstTicksStatement(const QString& ticks, const QString& firsts)
{
    QStringList partition;
    for (const QString& key : kProjectKey.split(QStringLiteral(", ")))
        partition << QStringLiteral("k.") + key;
    return QStringLiteral("insert into %1 select tick, r from (select t.tick as tick, t.tickedrowid as r, "
                          "row_number() over (partition by %2 order by t.tick) as nth from %3 as t "
                          "join xmsbpz as k on k.rowid = t.tickedrowid) where nth = 1")
        .arg(firsts, partition.join(QStringLiteral(", ")), ticks);
}

// Copies the approved rows listed in `firsts` into xmpz, in the order of their ticks,
// with the year bound, except a project already listed in `chosen` (the projects
// with a mid-term row of that year). The talent mark bz becomes zqnbz; the
// evaluation jzpj stays empty.
QString midTermCopyStatement(const QString& firsts, const QString& chosen)
{
    QStringList targets;
    QStringList sources;
    for (const records::Column& c : records::midTermProjects().columns) {
        const QString name = c.name.toLower();
        if (name == QLatin1String("jzpj"))
            continue;
        targets << c.name;
        if (name == QLatin1String("nd")) {
            sources << QStringLiteral("?");
            continue;
        }
        sources << QStringLiteral("p.")
                       + records::quoteIdentifier(name == QLatin1String("zqnbz") ? QStringLiteral("bz") : c.name);
    }
    QStringList match;
    for (const QString& key : kProjectKey.split(QStringLiteral(", ")))
        match << QStringLiteral("c.%1 is p.%1").arg(key);
    // `firsts` is read in the order of its ticks, so the rows need no sorting.
    return QStringLiteral("insert into xmpz (%1) select %2 from %3 as f join xmsbpz as p on p.rowid = f.firstrowid "
                          "where not exists (select 1 from %4 as c where %5) order by f.tick")
        .arg(records::columnList(targets), sources.join(QStringLiteral(", ")), firsts, chosen,
             match.join(QStringLiteral(" and ")));
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
    const QList<int> ticked = grid->TickedRows();
    try {
        m_db.InTransaction([&] {
            ScratchTable ticks(m_db, QStringLiteral("midtermticks"),
                               QStringLiteral("(tick integer primary key, tickedrowid integer)"));
            const int rowid = grid->ColumnOf(QStringLiteral("rowid"));
            for (int row : ticked)
                ticks.Add({row, grid->Value(row, rowid)});
            // The projects that already have their mid-term row of the year, looked
            // up by their key instead of each tick reading all of xmpz.
            ScratchTable chosen(m_db, QStringLiteral("midtermchosen"),
                                QStringLiteral("(xmbh text collate nocase, xmlb text collate nocase, "
                                               "xmmc text collate nocase, xmfzr text collate nocase, "
                                               "qsny text collate nocase)"),
                                kProjectKey);
            m_db.Exec(QStringLiteral("insert into %1 select %2 from xmpz where nd = ?").arg(chosen.Name(), kProjectKey),
                      {year});
            ScratchTable firsts(m_db, QStringLiteral("midtermfirsts"),
                                QStringLiteral("(tick integer primary key, firstrowid integer)"));
            m_db.Exec(firstTicksStatement(ticks.Name(), firsts.Name()));
            m_db.Exec(midTermCopyStatement(firsts.Name(), chosen.Name()), {year});
        });
    } catch (const std::exception& e) {
        ShowFailure(e);
        return;
    }
    // The grid stands on the last ticked row, as after walking the ticks.
    grid->flex->SetRow(ticked.last());
    // The grid is not read again: the ticks stay.
    grid->flex->SetCol(1);
    MsgBox(QStringLiteral("中报项目确定操作已完成。"), vbOKOnly + vbInformation, QStringLiteral("提示信息"));
}
