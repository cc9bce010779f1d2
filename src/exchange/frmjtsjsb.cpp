#include "frmjtsjsb.h"

namespace {

SubmissionForm::Design design()
{
    SubmissionForm::Design d;
    d.caption = QStringLiteral("结题数据上报");
    d.widthTw = 10905;
    d.heightTw = 5610;
    d.table = QStringLiteral("xmjt");
    d.gridColumns = QStringLiteral(
        "XMBH AS 批准号,XMLB AS 项目类别, XMMC AS 项目名称, XMFZR AS 项目负责人,PA AS 计划完成, FA AS 实际完成, SZDW AS 承担单位");
    d.orderBy = QStringLiteral("fa desc, szdw asc, xmlb asc");
    d.filePrefix = QStringLiteral("项目结题");
    d.exportCaption = QStringLiteral("写  盘");
    d.columnWidths = {{1, 1000}, {2, 1600}, {3, 2400}, {4, 1200}, {5, 1000}, {6, 1000}, {7, 2000}};
    return d;
}

}  // namespace

frmjtsjsb::frmjtsjsb()
    : SubmissionForm(QStringLiteral("frmjtsjsb"), design())
{
}
