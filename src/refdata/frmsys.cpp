#include "frmsys.h"

static CodeTableMember Values()
{
    CodeTableMember m;
    m.caption = QStringLiteral("实验室代码管理");
    m.query = QStringLiteral("select * from sysdm  order by sysdm");
    m.table = QStringLiteral("sysdm");
    m.codeField = QStringLiteral("sysdm");
    m.nameField = QStringLiteral("sysmc");
    m.codeBox = QStringLiteral("txtsysdm");
    m.codeLength = 2;
    m.nameBox = QStringLiteral("Txtsysmc");
    m.nameMaxLength = 40;
    m.codeLabel = QStringLiteral("Lblsysdm");
    m.codeLabelText = QStringLiteral("实验室代码：");
    m.nameLabel = QStringLiteral("Lblsysmc");
    m.nameLabelText = QStringLiteral("实验室名称：");
    m.codeColumnCaption = QStringLiteral("代码");
    m.codeColumnField = QStringLiteral("sysdm");
    m.nameColumnCaption = QStringLiteral("         实验室名称");
    m.nameColumnField = QStringLiteral("sysmc");
    m.codeHint = QStringLiteral("提示信息：请输入两位数字字符。");
    m.nameHint = QStringLiteral("提示信息：请输入不多于20个汉字字符串。");
    m.emptyCodeMessage = QStringLiteral("不能增加实验室代码为空的记录！");
    m.existingCodeMessage = QStringLiteral("此实验室代码在数据库中已经存在，不能再增加！！！");
    m.reportControl = QStringLiteral("rptsys");
    m.reportFile = QStringLiteral("rptsys.rpt");
    m.layout.clientWidth = 9825;
    m.layout.frame1Left = 0;
    m.layout.frame1Width = 4815;
    m.layout.labelLeft = 120;
    m.layout.labelWidth = 1080;   // reaches the boxes: the texts are longer here
    m.layout.boxLeft = 1200;
    m.layout.boxWidth = 3495;
    m.layout.frame2Left = 240;
    m.layout.buttonLeft = 360;
    m.layout.gridLeft = 4920;
    m.layout.gridWidth = 4815;
    return m;
}

frmsys::frmsys()
    : CodeTableWindow(QStringLiteral("frmsys"), Values())
{
}
