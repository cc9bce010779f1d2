#include "frmzqsjsb.h"

namespace {

SubmissionForm::Design design()
{
    SubmissionForm::Design d;
    d.caption = QStringLiteral("中期数据上报");
    d.widthTw = 10905;
    d.heightTw = 5610;
    d.table = QStringLiteral("xmpz");
    d.gridColumns = QStringLiteral(
        "XMBH AS 批准号,XMLB AS 项目类别, XMMC AS 项目名称, XMFZR AS 项目负责人, ND AS 年度,XKMC AS 所属学科,SSXK AS 学科代码,JZPJ AS 进展评价, qsny AS 起始年月, SZDW AS 所在单位");
    d.yearCaption = QStringLiteral("项目进展评价年度等于：");
    d.yearCondition = QStringLiteral("nd = ?");
    d.orderBy = QStringLiteral("ssxk, xmlb");
    d.filePrefix = QStringLiteral("中期评价");
    d.exportCaption = QStringLiteral("写  盘");
    d.columnWidths = {{1, 1000}, {4, 1300}, {5, 600}, {6, 1000}, {7, 600}, {8, 1300}, {9, 1200}};
    return d;
}

}  // namespace

frmzqsjsb::frmzqsjsb()
    : SubmissionForm(QStringLiteral("frmzqsjsb"), design())
{
}
