#include "Beifen.h"

namespace {

SubmissionForm::Design design()
{
    SubmissionForm::Design d;
    d.caption = QStringLiteral("申报数据上报");
    d.widthTw = 8250;
    d.heightTw = 5610;
    d.table = QStringLiteral("xmsb");
    d.gridColumns = QStringLiteral(
        "XMLB AS 项目类别, XMMC AS 项目名称, XMFZR AS 项目负责人, SQRQ AS 申请日期, qsny AS 起始年月, XKMC AS 所属学科");
    d.yearCaption = QStringLiteral("项目起始年份等于：");
    d.yearCondition = QStringLiteral("substr(qsny,1,4) = ?");
    d.startYearOffset = 1;
    d.orderBy = QStringLiteral("xmlb, ssxk");
    d.filePrefix = QStringLiteral("项目申请");
    d.exportCaption = QStringLiteral("写盘(&S)");
    return d;
}

}  // namespace

Beifen::Beifen()
    : SubmissionForm(QStringLiteral("Beifen"), design())
{
}
