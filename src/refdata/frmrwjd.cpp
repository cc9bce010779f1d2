#include "frmrwjd.h"

static CodeTableMember Values()
{
    CodeTableMember m;
    m.caption = QStringLiteral("所属人文、社科研究基地代码管理");
    m.query = QStringLiteral("select * from rwjd  order by rwjddm");
    m.table = QStringLiteral("rwjd");
    m.codeField = QStringLiteral("rwjddm");
    m.nameField = QStringLiteral("rwjdmc");
    m.codeBox = QStringLiteral("txtsysdm");
    m.codeLength = 2;
    m.nameBox = QStringLiteral("Txtsysmc");
    m.nameMaxLength = 40;
    m.codeLabel = QStringLiteral("Lblsysdm");
    m.codeLabelText = QStringLiteral("人文社科基地代码：");
    m.nameLabel = QStringLiteral("Lblsysmc");
    m.nameLabelText = QStringLiteral("人文社科基地名称：");
    m.codeColumnCaption = QStringLiteral("代码");
    m.codeColumnField = QStringLiteral("rwjddm");
    m.nameColumnCaption = QStringLiteral("     所属人文、社科研究基地名称");
    m.nameColumnField = QStringLiteral("rwjdmc");
    m.codeHint = QStringLiteral("提示信息：请输入两位数字字符。");
    m.nameHint = QStringLiteral("提示信息：请输入不多于20个汉字字符串。");
    m.emptyCodeMessage = QStringLiteral("不能增加人文社科基地代码为空的记录！");
    m.existingCodeMessage = QStringLiteral("此人文社科基地代码在数据库中已经存在，不能再增加！！！");
    m.reportControl = QStringLiteral("rptsys");
    m.reportFile = QStringLiteral("rptrwjd.rpt");
    // Laid out as the laboratory window, with its boxes further right.
    m.layout.clientWidth = 9825;
    m.layout.frame1Left = 0;
    m.layout.frame1Width = 4815;
    m.layout.labelLeft = 120;
    m.layout.labelWidth = 1680;   // reaches the boxes: the texts are longer here
    m.layout.boxLeft = 1800;
    m.layout.boxWidth = 2895;
    m.layout.frame2Left = 240;
    m.layout.buttonLeft = 360;
    m.layout.gridLeft = 4920;
    m.layout.gridWidth = 4815;
    return m;
}

frmrwjd::frmrwjd()
    : CodeTableWindow(QStringLiteral("frmrwjd"), Values())
{
}
