#include "frmxkdm.h"

#include "ModVar.h"

static CodeTableMember Values()
{
    CodeTableMember m;
    m.caption = QStringLiteral("学科代码管理");
    m.query = QStringLiteral("select * from xkdm  order by xkdm");
    m.table = QStringLiteral("xkdm");
    m.codeField = QStringLiteral("xkdm");
    m.nameField = QStringLiteral("xkmc");
    m.codeBox = QStringLiteral("txtxkdm");
    m.codeMaxLength = 2;
    m.nameBox = QStringLiteral("txtxkmc");
    m.nameMaxLength = 20;
    m.codeLabel = QStringLiteral("Lblxkdm");
    m.codeLabelText = QStringLiteral("学科代码：");
    m.nameLabel = QStringLiteral("Lblxkmc");
    m.nameLabelText = QStringLiteral("学科名称：");
    m.codeColumnCaption = QStringLiteral("  学科代码");
    m.codeColumnField = QStringLiteral("XKDM");
    m.nameColumnCaption = QStringLiteral("     学科名称");
    m.nameColumnField = QStringLiteral("XKMC");
    m.codeHint = QStringLiteral("提示信息：请输入a-z或A-Z的字母。");
    m.nameHint = QStringLiteral("提示信息：请输入不多于10个汉字字符串。");
    m.emptyCodeMessage = QStringLiteral("不能增加学科代码为空的记录！");
    m.existingCodeMessage = QStringLiteral("此学科代码在数据库中已经存在，不能再增加！！！");
    m.reportControl = QStringLiteral("rptxk");
    m.reportFile = QStringLiteral("rptxk.rpt");
    m.codeChars = CodeChars::Letters;
    // A code of full length turns upper case in the box; a shorter one keeps the
    // case it was typed in.
    m.upperCaseCode = true;
    m.nameDropsBlanks = false;
    return m;
}

frmxkdm::frmxkdm()
    : CodeTableWindow(QStringLiteral("frmxkdm"), Values())
{
}

void frmxkdm::OpenRecordSource()
{
    CodeTableWindow::OpenRecordSource();
    // Category 1 holds the codes up to "P", category 2 those from "P" to "Z" (so "P"
    // stands in both), category 3 those after "Z".
    switch (gCategory) {
    case 1:
        data1->SetRecordSource(QStringLiteral("select * from xkdm where xkdm<=? order by xkdm"),
                               {QStringLiteral("P")});
        break;
    case 2:
        data1->SetRecordSource(QStringLiteral("select * from xkdm where xkdm>=? and xkdm<=? order by xkdm"),
                               {QStringLiteral("P"), QStringLiteral("Z")});
        break;
    case 3:
        data1->SetRecordSource(QStringLiteral("select * from xkdm where xkdm>? order by xkdm"),
                               {QStringLiteral("Z")});
        break;
    default: break;
    }
    data1->Refresh();
    DataGrid1->SetDataSource(data1);
}

int frmxkdm::CodeLength() const { return gCategory == 1 ? 1 : 2; }
