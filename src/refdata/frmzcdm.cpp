#include "frmzcdm.h"

static CodeTableMember Values()
{
    CodeTableMember m;
    m.caption = QStringLiteral("职称代码管理");
    m.query = QStringLiteral("select * from zcdm  order by zcdm");
    m.table = QStringLiteral("zcdm");
    m.codeField = QStringLiteral("zcdm");
    m.nameField = QStringLiteral("zcmc");
    m.codeBox = QStringLiteral("txtzcdm");
    m.codeLength = 3;
    m.nameBox = QStringLiteral("Txtzcmc");
    m.nameMaxLength = 20;
    m.codeLabel = QStringLiteral("Lblzcdm");
    m.codeLabelText = QStringLiteral("职称代码：");
    m.nameLabel = QStringLiteral("Lblzcmc");
    m.nameLabelText = QStringLiteral("职称名称：");
    m.codeColumnCaption = QStringLiteral("  职称代码");
    m.codeColumnField = QStringLiteral("ZCDM");
    m.nameColumnCaption = QStringLiteral("     职称名称");
    m.nameColumnField = QStringLiteral("ZCMC");
    m.codeHint = QStringLiteral("提示信息：请输入三个数字字符。");
    m.nameHint = QStringLiteral("提示信息：请输入不多于6个汉字字符串。");
    m.emptyCodeMessage = QStringLiteral("不能增加职称代码为空的记录！");
    m.existingCodeMessage = QStringLiteral("此职称代码在数据库中已经存在，不能再增加！！！");
    m.reportControl = QStringLiteral("rptzc");
    m.reportFile = QStringLiteral("rptzc.rpt");
    // A complete code moves on by a Tab keystroke: the tab order picks the name box.
    m.tabWhenCodeComplete = true;
    return m;
}

frmzcdm::frmzcdm()
    : CodeTableWindow(QStringLiteral("frmzcdm"), Values())
{
}
