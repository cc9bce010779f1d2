#include "CodeLookups.h"

#include "Controls.h"
#include "Db.h"
#include "MemberRows.h"
#include "Recordset.h"
#include "VbText.h"

#include <QSqlQuery>

const QString kWrongTitleMessage = QStringLiteral("职称或职称代码输入错误，请重新输入！");

namespace {

// Only digits can be typed into the code boxes; a picked name is never a number.
bool isCodeText(const QString& s)
{
    const QString t = Trim(s);
    if (t.isEmpty())
        return false;
    for (QChar ch : t) {
        if (ch < u'0' || ch > u'9')
            return false;
    }
    return true;
}

// The first title, in code order, whose `column` equals `value` exactly.
bool findTitle(DbConnection& db, const char* column, const QString& value, TitleResolution& out)
{
    QSqlQuery q = db.Exec(QStringLiteral("select zcdm, zcmc from zcdm where %1 = ? collate binary "
                                         "order by zcdm limit 1")
                              .arg(QLatin1String(column)),
                          {value});
    if (!q.next())
        return false;
    out.code = q.value(0).toString();
    out.title = q.value(1).toString();
    return true;
}

}  // namespace

TitleResolution ResolveTitleCode(DbConnection& db, const QString& title, const QString& code)
{
    TitleResolution r{title, code};
    if (Trim(title).isEmpty() || (isCodeText(title) && !findTitle(db, "zcdm", title, r)))
        r.code.clear();
    return r;
}

TitleResolution ResolveMemberTitle(DbConnection& db, const QString& title, const QString& code)
{
    TitleResolution r{title, code};
    if (Trim(title).isEmpty())
        r.code.clear();
    else if (isCodeText(title))
        (void)findTitle(db, "zcdm", title, r);
    else if (!findTitle(db, "zcmc", title, r))
        r.wrongTitle = true;
    return r;
}

QString ResolveUnitCode(DbConnection& db, const QString& unit)
{
    if (!isCodeText(unit))
        return unit;
    QSqlQuery q = db.Exec(QStringLiteral("select dwmc from dwdm where dwdm = ? collate binary "
                                         "order by dwdm limit 1"),
                          {unit});
    return q.next() ? q.value(0).toString() : unit;
}

void FillCodeList(Recordset& rows, DbConnection& db, const QString& sql, const QVariantList& values, CodeItem item,
                  std::initializer_list<VbListBox*> lists)
{
    rows.Open(db, sql, values);
    for (VbListBox* list : lists)
        list->Clear();
    for (; !rows.Eof(); rows.MoveNext()) {
        QString text;
        switch (item) {
        case CodeItem::CodeAndName:
            text = ListItem(rows.Text(0), rows.Text(1));
            break;
        case CodeItem::PaddedCode: {
            QString code = Trim(rows.Text(0));
            if (code.size() == 1)
                code += QLatin1Char(' ');
            text = ListItem(code, rows.Text(1));
            break;
        }
        case CodeItem::NameOnly:
            text = rows.Text(1);
            break;
        }
        for (VbListBox* list : lists)
            list->AddItem(text);
    }
}
