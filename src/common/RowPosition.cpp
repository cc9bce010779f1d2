#include "RowPosition.h"

#include "Db.h"
#include "RecordLayouts.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

struct SortKey {
    QString expr;
    bool descending = false;
};

// The keys of an order text; a comma inside parentheses belongs to its key.
QList<SortKey> sortKeys(const QString& order)
{
    QStringList terms;
    QString term;
    int depth = 0;
    for (QChar ch : order) {
        if (ch == u'(')
            ++depth;
        else if (ch == u')')
            --depth;
        if (ch == u',' && depth == 0) {
            terms << term;
            term.clear();
        } else {
            term += ch;
        }
    }
    terms << term;

    QList<SortKey> keys;
    for (const QString& t : terms) {
        SortKey k;
        k.expr = t.trimmed();
        if (k.expr.isEmpty())
            continue;
        const int blank = int(k.expr.lastIndexOf(u' '));
        const QString last = blank > 0 ? k.expr.mid(blank + 1).toLower() : QString();
        if (last == QLatin1String("asc") || last == QLatin1String("desc")) {
            k.descending = last == QLatin1String("desc");
            k.expr = k.expr.left(blank).trimmed();
        }
        keys << k;
    }
    return keys;
}

}  // namespace

int SortedRowPosition(DbConnection& db, const QString& table, const QString& filter, const QVariantList& filterValues,
                      const QString& order, qint64 rowid)
{
    const QString from = records::quoteIdentifier(table);
    const QList<SortKey> keys = sortKeys(order);

    // The row's own keys, as stored.
    QStringList exprs;
    for (const SortKey& k : keys)
        exprs << k.expr;
    QVariantList own;
    if (!keys.isEmpty()) {
        QSqlQuery q = db.Exec(QStringLiteral("select %1 from %2 where rowid = ?").arg(exprs.join(u','), from), {rowid});
        if (!q.next())
            throw DbError(QStringLiteral("表 %1 中已经没有这一行。").arg(table));
        for (int i = 0; i < keys.size(); ++i)
            own << q.value(i);
    } else if (!db.Scalar(QStringLiteral("select 1 from %1 where rowid = ?").arg(from), {rowid}).isValid()) {
        throw DbError(QStringLiteral("表 %1 中已经没有这一行。").arg(table));
    }

    // A row comes first when, at the first key it does not share, it sorts before the
    // row: each key compared by the database, the key's expression on the left so
    // that its column's collation decides; NULL sorts before every value. With all
    // keys equal the smaller rowid comes first.
    QStringList before;
    QVariantList values = filterValues;
    QString equalSoFar;
    QVariantList equalValues;
    for (int i = 0; i < keys.size(); ++i) {
        const QString e = QLatin1Char('(') + keys[i].expr + QLatin1Char(')');
        const QString first = keys[i].descending ? QStringLiteral("(%1 > ? or (%1 is not null and ? is null))").arg(e)
                                                 : QStringLiteral("(%1 < ? or (%1 is null and ? is not null))").arg(e);
        before << equalSoFar + first;
        values << equalValues << own[i] << own[i];
        equalSoFar += QStringLiteral("%1 is ? and ").arg(e);
        equalValues << own[i];
    }
    before << equalSoFar + QStringLiteral("rowid < ?");
    values << equalValues << rowid;

    const QString where = filter.trimmed().isEmpty() ? QString() : QStringLiteral("(%1) and ").arg(filter);
    const QVariant n = db.Scalar(
        QStringLiteral("select count(*) from %1 where %2(%3)").arg(from, where, before.join(QStringLiteral(" or "))), values);
    return n.toInt();
}
