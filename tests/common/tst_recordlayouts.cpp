#include "RecordLayouts.h"
#include "TestSupport.h"

#include <QSet>
#include <algorithm>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace records;

namespace {

// A connection of the test's own on the fixture's database.
class Conn {
public:
    explicit Conn(const AppFixture& fx)
    {
        static int serial = 0;
        m_name = QStringLiteral("layouts-%1").arg(++serial);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(fx.dbPath());
        if (!db.open())
            qFatal("open: %s", qPrintable(db.lastError().text()));
    }
    ~Conn()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Conn(const Conn&) = delete;
    Conn& operator=(const Conn&) = delete;

    QSqlQuery run(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        if (!q.prepare(sql))
            qFatal("prepare: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        for (qsizetype i = 0; i < values.size(); ++i)
            q.bindValue(int(i), values[i]);
        if (!q.exec())
            qFatal("exec: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q;
    }

    // Every row of a query, each as its values (Null stays an invalid-free null variant).
    QList<QVariantList> rows(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q = run(sql, values);
        QList<QVariantList> out;
        while (q.next()) {
            QVariantList r;
            for (int i = 0; i < q.record().count(); ++i)
                r << q.value(i);
            out << r;
        }
        return out;
    }

private:
    QString m_name;
};

bool isNumber(Kind k) { return k == Kind::Number; }

// A value of each kind that tells columns apart: Null, the empty text (0 for a
// number), or a text with a quote and the column's position (a number with a fraction).
QVariant sample(const Column& c, int i, int salt)
{
    switch ((i + salt) % 3) {
    case 0:
        return QVariant(isNumber(c.kind) ? QMetaType::fromType<double>() : QMetaType::fromType<QString>());
    case 1:
        return isNumber(c.kind) ? QVariant(0.0) : QVariant(QStringLiteral(""));
    default:
        return isNumber(c.kind) ? QVariant(i + 0.5)
                                : QVariant(QStringLiteral("王's %1 项目").arg(i));
    }
}

// Values as the database hands them back, in a form that compares Null, "" and
// numbers exactly.
QString show(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("<null>");
    if (v.typeId() == QMetaType::QString)
        return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    return QString::number(v.toDouble());
}

QStringList shown(const QVariantList& values)
{
    QStringList out;
    for (const QVariant& v : values)
        out << show(v);
    return out;
}

}  // namespace

class TestRecordLayouts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // The schema that the build turns into the database has exactly the described
    // columns, in order and with their types; every text column compares without
    // regard to case.
    void schemaMatchesDescription_data()
    {
        QTest::addColumn<QString>("table");
        for (const RecordLayout* l : allLayouts())
            QTest::newRow(qPrintable(l->table)) << l->table;
    }
    void schemaMatchesDescription()
    {
        QFETCH(QString, table);
        const RecordLayout& layout = *findLayout(table);
        AppFixture fx;
        Conn db(fx);

        QStringList described;
        for (const Column& c : layout.columns)
            described << c.name + QLatin1Char(' ') + (isNumber(c.kind) ? "REAL" : "TEXT");
        QStringList actual;
        for (const QVariantList& r : db.rows(QStringLiteral("select name, type from pragma_table_info(?)"), {table}))
            actual << r[0].toString() + QLatin1Char(' ') + r[1].toString();
        QCOMPARE(actual, described);

        QVariantList values;
        QStringList conditions;
        for (const Column& c : layout.columns) {
            values << (isNumber(c.kind) ? QVariant(1.0) : QVariant(QStringLiteral("a")));
            if (!isNumber(c.kind))
                conditions << quoteIdentifier(c.name) + QStringLiteral(" = 'A'");
        }
        db.run(insertStatement(layout), values);
        QCOMPARE(db.rows(QStringLiteral("select count(*) from %1 where %2")
                             .arg(quoteIdentifier(table), conditions.join(QStringLiteral(" and "))))
                     .value(0)
                     .value(0)
                     .toInt(),
                 1);
    }

    // What the record windows rely on, as their record procedures give it: the
    // number of columns, the columns StoreRecord always writes, the key boxes that
    // LockFields disables, and one box per column.
    void windowLayouts_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("numbers");
        QTest::addColumn<QStringList>("always");
        QTest::addColumn<QStringList>("lockedBoxes");
        QTest::newRow("xmsb") << "xmsb" << 107 << 23
                              << QStringList{"xmlb",    "xmbh",  "ssxk",  "xkmc",      "xmmc",     "xmfzr",
                                             "szdw",    "sqrq",  "yjlb",  "sysmc",     "yjjg",     "sysdm",
                                             "fzrxw",   "fzrhdxwsj", "fzrsbdbz", "fzryjfx", "fzrlxdh", "fzrszxs"}
                              << QStringList{"txtnbbh", "txtxkdm", "txtxmmc", "txtxmfzr", "txtszdw", "txtsqrq"};
        QStringList jtLocked{"Chkbz", "Txtxmlb", "txtxmbh", "txtxmmc", "txtxmfzr", "txtszdw", "txtzc",
                             "txtxw", "Txtfzrcjsj", "txtpa", "txtfa", "Txtfh", "Txtff"};
        for (int i = 0; i < 4; ++i)
            jtLocked << QStringLiteral("Txtcjdw_%1").arg(i);
        for (int i = 0; i < 8; ++i)
            jtLocked << QStringLiteral("Txtcjrs_%1").arg(i);
        QTest::newRow("xmjt") << "xmjt" << 80 << 64 << QStringList{"xmlb", "xmbh", "xmmc", "xmfzr", "szdw"}
                              << jtLocked;
    }
    void windowLayouts()
    {
        QFETCH(QString, table);
        QFETCH(int, columns);
        QFETCH(int, numbers);
        QFETCH(QStringList, always);
        QFETCH(QStringList, lockedBoxes);
        const RecordLayout& layout = *findLayout(table);
        QCOMPARE(layout.columns.size(), columns);
        int numberColumns = 0;
        QStringList alwaysColumns;
        QStringList locked;
        QSet<QString> boxes;
        for (const Column& c : layout.columns) {
            numberColumns += isNumber(c.kind) ? 1 : 0;
            QCOMPARE(c.store == Store::Number, isNumber(c.kind) && !c.box.isEmpty());
            if (c.store == Store::Always)
                alwaysColumns << c.name;
            if (c.lock != Lock::None)
                locked << c.objectName();
            if (c.box.isEmpty())
                continue;
            QVERIFY2(!boxes.contains(c.objectName()), qPrintable(c.objectName()));
            boxes << c.objectName();
        }
        QCOMPARE(numberColumns, numbers);
        QCOMPARE(alwaysColumns, always);
        locked.sort();
        lockedBoxes.sort();
        QCOMPARE(locked, lockedBoxes);
    }

    // The rules a record window takes from each box's description hold together: a
    // box the user types into has a key rule, a box that takes no keys has none; a
    // hint and an input method belong to a box that takes the focus; Enter opens a
    // later page; a pick list fills a one-line box; an amount that adds up has one
    // total on its page.
    void boxRules_data()
    {
        QTest::addColumn<QString>("table");
        for (const RecordLayout* l : allLayouts())
            if (!l->window.isEmpty())
                QTest::newRow(qPrintable(l->table)) << l->table;
    }
    void boxRules()
    {
        QFETCH(QString, table);
        const RecordLayout& layout = *findLayout(table);
        for (const Column& c : layout.columns) {
            if (c.box.isEmpty()) {
                QCOMPARE(c.boxKind, BoxKind::None);
                continue;
            }
            const QByteArray name = c.objectName().toUtf8();
            const char* box = name.constData();
            const bool typed = c.boxKind == BoxKind::Text || c.boxKind == BoxKind::Memo;
            const bool focusless = c.boxKind == BoxKind::Label || c.boxKind == BoxKind::Check
                                   || c.boxKind == BoxKind::Hidden;
            if (typed)
                QVERIFY2(c.keys != KeyRule::None, box);
            if (focusless) {
                QVERIFY2(c.keys == KeyRule::None, box);
                QVERIFY2(c.hint.isEmpty() && c.ime == FieldIme::Untouched, box);
            }
            QVERIFY2(!c.keepsHint || !c.hint.isEmpty(), box);
            QVERIFY2(c.nextPage < 0 || c.nextPage > c.tab, box);
            QVERIFY2(!c.pickList || c.boxKind == BoxKind::Text, box);
            if (c.addsToTotal) {
                QVERIFY2(c.kind == Kind::Number, box);
                const auto totals = std::count_if(layout.columns.begin(), layout.columns.end(), [&c](const Column& t) {
                    return t.boxKind == BoxKind::Total && t.tab == c.tab;
                });
                QVERIFY2(totals == 1, box);
            }
        }
    }

    // A copy between tables moves each row whole, column by name: Null stays Null,
    // "" stays "", texts with quotes and numbers stay as they were; the columns
    // the source lacks are left for the caller; other rows stay where they are.
    void copyMovesRowsWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("approve") << "xmsb" << "xmsbpz";
        QTest::newRow("archive") << "xmsb" << "xmsbwpz";
        QTest::newRow("archive approved") << "xmsbpz" << "xmsbpzwpz";
    }
    void copyMovesRowsWhole()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        const RecordLayout& from = *findLayout(source);
        const RecordLayout& to = *findLayout(target);
        AppFixture fx;
        Conn db(fx);

        QList<QVariantList> rows;
        for (int salt = 0; salt < 2; ++salt) {
            QVariantList row;
            for (qsizetype i = 0; i < from.columns.size(); ++i)
                row << sample(from.columns[i], int(i), salt);
            row[from.indexOf(QStringLiteral("xmmc"))] = QStringLiteral("项目'%1").arg(salt);
            db.run(insertStatement(from), row);
            rows << row;
        }

        db.run(copyStatement(to, from) + QStringLiteral(" where \"xmmc\" = ?"), {QStringLiteral("项目'1")});

        const QList<QVariantList> copied = db.rows(selectStatement(to));
        QCOMPARE(copied.size(), 1);
        QStringList expected;
        for (const Column& c : to.columns) {
            const int i = from.indexOf(c.name);
            expected << (i < 0 ? QStringLiteral("<null>") : show(rows[1][i]));
        }
        QCOMPARE(shown(copied[0]), expected);
        QCOMPARE(shown(db.rows(selectStatement(from)).value(0)), shown(rows[0]));
    }

    // A copy into a table that lacks a column of the source would lose it.
    void copyRefusesToDropColumns()
    {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, copyStatement(applications(), approvedApplications()));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, copyStatement(midTermProjects(), approvedApplications()));
    }

    // The keyword columns of xmjt ("as", "to") go in and come out through the
    // generated statements, and a condition on one of them finds its row.
    void keywordColumnsRoundTrip()
    {
        const RecordLayout& jt = completionReports();
        AppFixture fx;
        Conn db(fx);
        QVariantList row;
        for (qsizetype i = 0; i < jt.columns.size(); ++i)
            row << sample(jt.columns[i], int(i), 2);
        row[jt.indexOf(QStringLiteral("as"))] = 7.0;
        row[jt.indexOf(QStringLiteral("to"))] = 2.0;
        db.run(insertStatement(jt), row);

        const QList<QVariantList> back = db.rows(selectStatement(jt) + QStringLiteral(" where %1 = ? and %2 = ?")
                                                     .arg(quoteIdentifier(QStringLiteral("as")),
                                                          quoteIdentifier(QStringLiteral("to"))),
                                                 {7, 2});
        QCOMPARE(back.size(), 1);
        QCOMPARE(shown(back[0]), shown(row));
        QCOMPARE(db.rows(QStringLiteral("select %1 from xmjt").arg(columnList(QStringList{"to", "as"}))).value(0),
                 (QVariantList{2.0, 7.0}));
    }

    void quoting_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "xmmc" << "\"xmmc\"";
        QTest::newRow("keyword") << "as" << "\"as\"";
        QTest::newRow("inner quote") << "a\"b" << "\"a\"\"b\"";
    }
    void quoting()
    {
        QFETCH(QString, name);
        QFETCH(QString, quoted);
        QCOMPARE(quoteIdentifier(name), quoted);
    }
};

QTEST_MAIN(TestRecordLayouts)
#include "tst_recordlayouts.moc"
