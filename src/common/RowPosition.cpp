#include "RowPosition.h"

#include "Db.h"
#include "RecordLayouts.h"

#include <QSqlError>
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

int SortedRowPosition(DbConnection& db, const QString& table, const QString& order, qint64 rowid, int count,
                      const std::function<qint64(int)>& rowAt)
{
    const QString from = records::quoteIdentifier(table);
    const QList<SortKey> keys = sortKeys(order);
    const QString gone = QStringLiteral("表 %1 中已经没有这一行。").arg(table);

    // The row's own keys, as stored.
    QStringList exprs;
    for (const SortKey& k : keys)
        exprs << k.expr;
    QVariantList own;
    if (!keys.isEmpty()) {
        QSqlQuery q = db.Exec(QStringLiteral("select %1 from %2 where rowid = ?").arg(exprs.join(u','), from), {rowid});
        if (!q.next())
            throw DbError(gone);
        for (int i = 0; i < keys.size(); ++i)
            own << q.value(i);
    } else if (!db.Scalar(QStringLiteral("select 1 from %1 where rowid = ?").arg(from), {rowid}).isValid()) {
        throw DbError(gone);
    }

    // Another row comes first when, at the first key it does not share, it sorts
    // before the row: each key compared by the database, the key's expression on the
    // left so that its column's collation decides; NULL sorts before every value. With
    // all keys equal the smaller rowid comes first.
    QStringList before;
    QVariantList values;
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

    // One statement, asked of one held row at a time: the first held row that does
    // not come before the row is where the row goes.
    QSqlQuery q(db.Database());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("select %1 from %2 where rowid = ?").arg(before.join(QStringLiteral(" or ")), from)))
        throw DbError::FromSql(q.lastError());
    auto comesBefore = [&](qint64 other) {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        q.bindValue(int(values.size()), other);
        if (!q.exec())
            throw DbError::FromSql(q.lastError());
        if (!q.next())
            throw DbError(gone);
        const bool first = q.value(0).toInt() != 0;
        q.finish();
        return first;
    };
    int low = 0, high = count;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (comesBefore(rowAt(mid)))
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}
