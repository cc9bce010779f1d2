#include "frmejdwdm.h"

static CodeTableMember Values()
{
    CodeTableMember m;
    m.caption = QStringLiteral("二级申请单位代码管理");
    m.query = QStringLiteral("select * from ejdwdm  order by ejdwdm");
    m.table = QStringLiteral("ejdwdm");
    m.codeField = QStringLiteral("ejdwdm");
    m.nameField = QStringLiteral("ejdwmc");
    m.codeBox = QStringLiteral("Txtejdwdm");
    m.codeLength = 3;
    m.nameBox = QStringLiteral("Txtejdwmc");
    m.nameMaxLength = 20;
    m.codeLabel = QStringLiteral("Lblejdwdm");
    m.codeLabelText = QStringLiteral("二级单位代码：");
    m.nameLabel = QStringLiteral("Lblejdwmc");
    m.nameLabelText = QStringLiteral("二级单位名称：");
    m.codeColumnCaption = QStringLiteral("二级单位代码");
    m.codeColumnField = QStringLiteral("EJDWDM");
    m.nameColumnCaption = QStringLiteral("     二级单位名称");
    m.nameColumnField = QStringLiteral("EJDWMC");
    m.codeHint = QStringLiteral("提示信息：请输入三个数字字符。");
    m.nameHint = QStringLiteral("提示信息：请输入不多于10个汉字字符串。");
    m.emptyCodeMessage = QStringLiteral("不能增加二级申请单位代码为空的记录！");
    m.existingCodeMessage = QStringLiteral("此二级申请单位代码在数据库中已经存在，不能再增加！！！");
    m.reportControl = QStringLiteral("rptejdw");
    m.reportFile = QStringLiteral("rptejdw.rpt");
    m.layout.labelWidth = 1335;
    m.layout.boxLeft = 1920;
    m.layout.frame1Left = 240;
    m.layout.frame1Width = 3855;
    m.layout.gridLeft = 4320;
    m.layout.gridWidth = 3735;
    return m;
}

frmejdwdm::frmejdwdm()
    : CodeTableWindow(QStringLiteral("frmejdwdm"), Values())
{
}
