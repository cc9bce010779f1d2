#include "frmmzdm.h"

static CodeTableMember Values()
{
    CodeTableMember m;
    m.caption = QStringLiteral("民族代码管理");
    m.query = QStringLiteral("select * from mzdm order by mzdm");
    m.table = QStringLiteral("mzdm");
    m.codeField = QStringLiteral("mzdm");
    m.nameField = QStringLiteral("mzmc");
    m.codeBox = QStringLiteral("Txtmzdm");
    m.codeLength = 2;
    m.nameBox = QStringLiteral("Txtmzmc");
    m.nameMaxLength = 10;
    m.codeLabel = QStringLiteral("Lblxkdm");
    m.codeLabelText = QStringLiteral("民族代码：");
    m.nameLabel = QStringLiteral("Lblxkmc");
    m.nameLabelText = QStringLiteral("民族名称：");
    m.codeColumnCaption = QStringLiteral("  民族代码");
    m.codeColumnField = QStringLiteral("MZDM");
    m.nameColumnCaption = QStringLiteral("     民族名称");
    m.nameColumnField = QStringLiteral("MZMC");
    m.codeHint = QStringLiteral("提示信息：请输入两位数字字符串。");
    m.nameHint = QStringLiteral("提示信息：请输入不多于5个汉字字符串。");
    m.emptyCodeMessage = QStringLiteral("不能增加民族代码为空的记录！");
    m.existingCodeMessage = QStringLiteral("此民族代码在数据库中已经存在，不能再增加！！！");
    m.reportControl = QStringLiteral("rptmz");
    // The report file belongs to the window design and is not set at load.
    m.designReportFile = QStringLiteral("rptmz.rpt");
    m.beepOnRefusedKey = false;
    m.codeImeOff = false;
    m.nameDropsBlanks = false;
    m.layout.clientWidth = 8235;
    return m;
}

frmmzdm::frmmzdm()
    : CodeTableWindow(QStringLiteral("frmmzdm"), Values())
{
}
