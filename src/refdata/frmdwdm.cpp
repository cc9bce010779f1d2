#include "frmdwdm.h"

static CodeTableMember Values()
{
    CodeTableMember m;
    m.caption = QStringLiteral("单位代码管理");
    m.query = QStringLiteral("select * from dwdm  order by dwdm");
    m.table = QStringLiteral("dwdm");
    m.codeField = QStringLiteral("dwdm");
    m.nameField = QStringLiteral("dwmc");
    m.codeBox = QStringLiteral("Txtdwdm");
    m.codeLength = 5;
    m.nameBox = QStringLiteral("Txtdwmc");
    m.nameMaxLength = 20;
    m.codeLabel = QStringLiteral("Lbldwdm");
    m.codeLabelText = QStringLiteral("单位代码：");
    m.nameLabel = QStringLiteral("Lbldwmc");
    m.nameLabelText = QStringLiteral("单位名称：");
    m.codeColumnCaption = QStringLiteral("  单位代码");
    m.codeColumnField = QStringLiteral("DWDM");
    m.nameColumnCaption = QStringLiteral("     单位名称");
    m.nameColumnField = QStringLiteral("DWMC");
    m.codeHint = QStringLiteral("提示信息：请输入五位数字字符。");
    m.nameHint = QStringLiteral("提示信息：请输入不多于15个汉字字符串。");
    m.emptyCodeMessage = QStringLiteral("不能增加单位代码为空的记录！");
    m.existingCodeMessage = QStringLiteral("此单位代码在数据库中已经存在，不能再增加！！！");
    m.reportControl = QStringLiteral("rptdw");
    m.reportFile = QStringLiteral("rptdw.rpt");
    return m;
}

frmdwdm::frmdwdm()
    : CodeTableWindow(QStringLiteral("frmdwdm"), Values())
{
}
