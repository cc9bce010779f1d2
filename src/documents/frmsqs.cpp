#include "frmsqs.h"

#include "DocScripts.h"
#include "Failure.h"
#include "ModVar.h"
#include "WordDocument.h"

frmsqs::frmsqs()
    : DocumentListWindow(QStringLiteral("frmsqs"),
                         {QStringLiteral("生成申请书"), QStringLiteral("正在生成申请书，请稍候......"), false,
                          QStringLiteral("sqrq desc")})
{
}

void frmsqs::Cmdprint_Click()
{
    if (!HasRowsToPreview())
        return;
    try {
        ProgressOn();
    } catch (const docs::DocError& e) {
        docs::ShowApplicationFailure(e);
        ProgressOff();
        return;
    }
    const Recordset& rs = Rs();
    const QString path =
        docs::BuildApplicationDocument(gCategory, [&rs](const QString& column) { return rs.Field(column); });
    ProgressOff();
    if (!path.isEmpty())
        OpenFinishedDocument(path);
}
