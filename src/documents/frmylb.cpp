#include "frmylb.h"

#include "DocScripts.h"
#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"
#include "WordDocument.h"

frmylb::frmylb()
    : DocumentListWindow(QStringLiteral("frmylb"),
                         {QStringLiteral("生成项目申报一览表"), QStringLiteral("正在生成项目申报一览表，请稍候......"),
                          true, QStringLiteral("sqrq desc,szdw asc,ssxk asc")})
{
}

void frmylb::Cmdprint_Click()
{
    if (!HasRowsToPreview())
        return;
    Recordset& rs = Rs();
    try {
        rs.MoveFirst();
        try {
            ProgressOn();
        } catch (const docs::DocError& e) {
            docs::ShowSummaryFailure(e);
            ProgressOff();
            return;
        }
        // The list walks the window's rows in their order and leaves the set past
        // its last row.
        QList<docs::Record> rows;
        while (!rs.Eof()) {
            const int row = rs.CurrentIndex();
            rows << [&rs, row](const QString& column) { return rs.ValueAt(row, rs.FieldIndex(column)); };
            rs.MoveNext();
        }
        const QString path = docs::BuildSummaryList(gCategory, rows, platform::Today());
        ProgressOff();
        if (!path.isEmpty())
            OpenFinishedDocument(path);
    } catch (const DbError& e) {
        ProgressOff();
        ShowFailure(e);
    }
}
