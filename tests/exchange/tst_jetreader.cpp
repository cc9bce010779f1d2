// The Jet reader on a real Access 97 file that nobody here wrote (the well-known
// sample database, text in code page 1252); the expected values were read from it
// with mdbtools' own command-line tools.

#include "JetReader.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using Type = JetReader::ColumnType;
using Columns = QList<JetReader::Column>;

static const QString kNwind = QStringLiteral(KYJH_TESTDATA_DIR "/nwind.mdb");

static QDateTime day(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

// The message of the DbError that fn throws, or "" when it throws none.
template <class Fn>
static QString failure(Fn&& fn)
{
    try {
        fn();
    } catch (const DbError& e) {
        return e.description();
    }
    return QString();
}

class TestJetReader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QString sqliteFile()
    {
        const QString path = m_dir.filePath("submission.mdb");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "jetreader");
            db.setDatabaseName(path);
            if (!db.open() || !QSqlQuery(db).exec("create table if not exists t (a text)"))
                qFatal("cannot make %s", qPrintable(path));
        }
        QSqlDatabase::removeDatabase("jetreader");
        return path;
    }

    // A copy of the sample file whose first shipper's CompanyName is changed in place:
    // "null" clears its bit in the row's null mask, "empty" gives it no bytes.
    QString shippersCopy(const QString& change)
    {
        QFile in(kNwind);
        if (!in.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(kNwind));
        QByteArray bytes = in.readAll();
        // The row's variable data, then (Jet 3) the end of data, the offsets of Phone
        // and CompanyName, the count of variable columns and the null mask.
        const QByteArray row = QByteArrayLiteral("Speedy Express(503) 555-9831");
        const qsizetype at = bytes.indexOf(row) + row.size();
        if (at < row.size() || bytes.mid(at, 5) != QByteArray::fromHex("2113050207"))
            qFatal("the first shipper's row is not where it was");
        if (change == "null")
            bytes[at + 4] = 0x05;
        else if (change == "empty")
            bytes[at + 2] = 0x13;
        return writeFile("shippers-" + change + ".mdb", bytes);
    }

    // A copy of the sample file with one fault a damaged file may have: "page", the
    // data page holding the customers from Wellington Importadora on overwritten;
    // "memo past the file" and "memo of a gigabyte", the length word of the first
    // employee's notes (175 bytes on page 0x6b) saying more than that.
    QString damagedCopy(const QString& damage)
    {
        QFile in(kNwind);
        if (!in.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(kNwind));
        QByteArray bytes = in.readAll();
        constexpr int kPage = 2048;
        if (damage == "page") {
            const qsizetype at = bytes.indexOf("Yoshi Tannamuri");
            if (at < 0)
                qFatal("the customers' page is not where it was");
            bytes.replace(at / kPage * kPage, kPage, QByteArray(kPage, '\xee'));
        } else {
            const qsizetype at = bytes.indexOf(QByteArray::fromHex("af000040006b0000"));
            if (at < 0)
                qFatal("the first employee's notes are not where they were");
            const quint32 length = damage == "memo past the file" ? quint32(bytes.size() + 1) : 0x3fffffffu;
            qToLittleEndian<quint32>(0x40000000u | length, bytes.data() + at);
        }
        return writeFile("damaged-" + QString(damage).replace(' ', '-') + ".mdb", bytes);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(kNwind), qPrintable("missing test file " + kNwind));
        QVERIFY(m_dir.isValid());
    }

    void tellsJetFilesByTheirHeader_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("jet");
        QTest::newRow("Jet 3") << kNwind << true;
        QTest::newRow("SQLite") << sqliteFile() << false;
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("other bytes") << writeFile("noise.mdb", noise) << false;
        QTest::newRow("Jet's words at the start")
            << writeFile("early.mdb", QByteArray("Standard Jet DB").append(64, '\0')) << false;
        QTest::newRow("empty") << writeFile("empty.mdb", {}) << false;
        QTest::newRow("missing") << m_dir.filePath("none.mdb") << false;
    }
    void tellsJetFilesByTheirHeader()
    {
        QFETCH(QString, path);
        QFETCH(bool, jet);
        QCOMPARE(JetReader::isJetFile(path), jet);
    }

    void refusesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QString>("message");
        const QString missing = m_dir.filePath("none.mdb");
        const QString sqlite = sqliteFile();
        QTest::newRow("missing") << missing << "GBK" << "文件 " + missing + " 不存在。";
        QTest::newRow("folder") << m_dir.path() << "GBK" << "文件 " + m_dir.path() + " 不存在。";
        QTest::newRow("SQLite") << sqlite << "GBK" << "文件 " + sqlite + " 不是 Jet 数据库文件。";
        QTest::newRow("code page") << kNwind << "GBX" << "不认识代码页 GBX。";
    }
    void refusesWhatItCannotRead()
    {
        QFETCH(QString, path);
        QFETCH(QString, codePage);
        QFETCH(QString, message);
        QCOMPARE(failure([&] { JetReader(path, codePage); }), message);
    }

    void unknownTableIsAnError()
    {
        JetReader jet(kNwind, "Windows-1252");
        const QString message = "数据库文件 " + kNwind + " 中没有表 MSysObjects。";
        QCOMPARE(failure([&] { jet.rows("MSysObjects"); }), message);
        QCOMPARE(failure([&] { jet.columns("MSysObjects"); }), message);
    }

    // A table that cannot be read whole is an error, not fewer rows or a huge buffer.
    void refusesADamagedTable_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("table");
        QTest::newRow("a data page overwritten") << "page" << "Customers";
        QTest::newRow("a memo longer than the file") << "memo past the file" << "Employees";
        QTest::newRow("a memo of a gigabyte") << "memo of a gigabyte" << "Employees";
    }
    void refusesADamagedTable()
    {
        QFETCH(QString, damage);
        QFETCH(QString, table);
        const QString path = damagedCopy(damage);
        JetReader jet(path, "Windows-1252");
        QCOMPARE(failure([&] { jet.rows(table); }), "数据库文件 " + path + " 的表 " + table + " 已损坏。");
        QCOMPARE(jet.rows("Shippers").size(), 3);
    }

    void listsTheUserTablesWithTheirRows()
    {
        JetReader jet(kNwind, "Windows-1252");
        const QStringList tables{"Order Details", "Orders", "Products", "Shippers",
                                 "Categories", "Customers", "Employees", "Suppliers", "Umsätze"};
        QCOMPARE(jet.tables(), tables);
        const QList<int> counts{2155, 830, 77, 3, 8, 91, 9, 29, 830};
        for (int i = 0; i < tables.size(); ++i)
            QCOMPARE(jet.rows(tables[i]).size(), counts[i]);
    }

    // Jet 3 text is in the writer's code page: the caller's choice decides, over
    // libmdb's own guess and over the MDB_JET3_CHARSET variable it also reads.
    void decodesTextWithTheCodePageGiven_data()
    {
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QByteArray>("environment");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("city");   // of the second customer
        QTest::newRow("1252") << "Windows-1252" << QByteArray() << "Umsätze" << "México D.F.";
        QTest::newRow("1252 over the variable")
            << "Windows-1252" << QByteArray("GBK") << "Umsätze" << "México D.F.";
        QTest::newRow("GBK") << "GBK" << QByteArray() << "Ums\u92DEze" << "M\u95A4ico D.F.";
        QTest::newRow("GBK over the variable")
            << "GBK" << QByteArray("CP1252") << "Ums\u92DEze" << "M\u95A4ico D.F.";
        QTest::newRow("Greek") << "ISO-8859-7" << QByteArray() << "Umsδtze" << "Mιxico D.F.";
    }
    void decodesTextWithTheCodePageGiven()
    {
        QFETCH(QString, codePage);
        QFETCH(QByteArray, environment);
        QFETCH(QString, table);
        QFETCH(QString, city);
        if (!environment.isEmpty())
            qputenv("MDB_JET3_CHARSET", environment);
        JetReader jet(kNwind, codePage);
        qunsetenv("MDB_JET3_CHARSET");
        QCOMPARE(jet.tables().last(), table);
        QCOMPARE(jet.rows(table).size(), 830);
        QCOMPARE(jet.rows("Customers")[1][5].toString(), city);
    }

    void columnsInOrderWithSimpleTypes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Columns>("columns");
        QTest::newRow("Order Details (Currency, Single)")
            << "Order Details"
            << Columns{{"OrderID", Type::Integer}, {"ProductID", Type::Integer},
                       {"UnitPrice", Type::Double}, {"Quantity", Type::Integer},
                       {"Discount", Type::Double}};
        QTest::newRow("Shippers") << "Shippers"
                                  << Columns{{"ShipperID", Type::Integer},
                                             {"CompanyName", Type::Text},
                                             {"Phone", Type::Text}};
        QTest::newRow("Categories (memo, OLE)")
            << "Categories"
            << Columns{{"CategoryID", Type::Integer}, {"CategoryName", Type::Text},
                       {"Description", Type::Memo}, {"Picture", Type::Other}};
        QTest::newRow("Products (Yes/No)")
            << "Products"
            << Columns{{"ProductID", Type::Integer}, {"ProductName", Type::Text},
                       {"SupplierID", Type::Integer}, {"CategoryID", Type::Integer},
                       {"QuantityPerUnit", Type::Text}, {"UnitPrice", Type::Double},
                       {"UnitsInStock", Type::Integer}, {"UnitsOnOrder", Type::Integer},
                       {"ReorderLevel", Type::Integer}, {"Discontinued", Type::Boolean}};
        const Columns orders{
            {"OrderID", Type::Integer},   {"CustomerID", Type::Text},
            {"EmployeeID", Type::Integer}, {"OrderDate", Type::Date},
            {"RequiredDate", Type::Date}, {"ShippedDate", Type::Date},
            {"ShipVia", Type::Integer},   {"Freight", Type::Double},
            {"ShipName", Type::Text},     {"ShipAddress", Type::Text},
            {"ShipCity", Type::Text},     {"ShipRegion", Type::Text},
            {"ShipPostalCode", Type::Text}, {"ShipCountry", Type::Text}};
        QTest::newRow("Orders (dates)") << "Orders" << orders;
        QTest::newRow("Umsätze") << "Umsätze" << orders;
    }
    void columnsInOrderWithSimpleTypes()
    {
        QFETCH(QString, table);
        QFETCH(Columns, columns);
        QCOMPARE(JetReader(kNwind, "Windows-1252").columns(table), columns);
    }

    void readsValuesOfEveryType()
    {
        JetReader jet(kNwind, "Windows-1252");

        const QList<QVariantList> orders = jet.rows("Orders");
        const QVariantList first{10330, "LILAS", 3, day(1994, 11, 16), day(1994, 12, 14),
                                 day(1994, 11, 28), 1, 12.75, "LILA-Supermercado",
                                 "Carrera 52 con Ave. Bolívar #65-98 Llano Largo",
                                 "Barquisimeto", "Lara", "3508", "Venezuela"};
        QCOMPARE(orders.first(), first);
        // QVariant compares numbers across types: the types themselves.
        const QList<int> types{QMetaType::Int, QMetaType::QString, QMetaType::Int,
                               QMetaType::QDateTime, QMetaType::QDateTime, QMetaType::QDateTime,
                               QMetaType::Int, QMetaType::Double};
        for (int i = 0; i < types.size(); ++i)
            QCOMPARE(orders.first()[i].typeId(), types[i]);
        QCOMPARE(orders.last()[0], QVariant(11077));
        QVERIFY(!orders.last()[5].isValid());   // not shipped yet: Null
        QCOMPARE(orders.last()[7], QVariant(8.53));

        const QList<QVariantList> details = jet.rows("Order Details");
        QCOMPARE(details[6], (QVariantList{10250, 51, 42.4, 35, 0.15}));   // Single 0.15 stays 0.15
        QCOMPARE(details[6][4].typeId(), int(QMetaType::Double));

        const QList<QVariantList> employees = jet.rows("Employees");
        QCOMPARE(employees[0][5], QVariant(day(1948, 12, 8)));
        QCOMPARE(employees[0][7], QVariant("507 - 20th Ave. E.\r\nApt. 2A"));
        const QString notes = employees[0][15].toString();
        QCOMPARE(notes.size(), 175);
        QVERIFY(notes.startsWith("Education includes a BA in psychology from Colorado State"));
        QVERIFY(notes.endsWith("of Toastmasters International."));
        QCOMPARE(employees[0][16], QVariant(2));
        QVERIFY(!employees[1][16].isValid());   // reports to nobody
        QVERIFY(!employees[4][9].isValid());    // no region
        QCOMPARE(employees[1][15].toString().size(), 448);

        int discontinued = 0;
        for (const QVariantList& p : jet.rows("Products")) {
            QCOMPARE(p[9].typeId(), int(QMetaType::Bool));
            discontinued += p[9].toBool();
        }
        QCOMPARE(discontinued, 8);
        QCOMPARE(jet.rows("Products")[4][9], QVariant(true));

        // An OLE object comes whole, with Access's own header.
        const QByteArray picture = jet.rows("Categories")[0][3].toByteArray();
        QCOMPARE(picture.size(), 10746);
        QVERIFY(picture.startsWith("\x15\x1c"));
    }

    void keepsNullApartFromEmptyText_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QVariant>("name");
        QTest::newRow("as written") << "none" << QVariant("Speedy Express");
        QTest::newRow("empty") << "empty" << QVariant(QString(""));
        QTest::newRow("Null") << "null" << QVariant();
    }
    void keepsNullApartFromEmptyText()
    {
        QFETCH(QString, change);
        QFETCH(QVariant, name);
        const QVariantList row = JetReader(shippersCopy(change), "Windows-1252").rows("Shippers")[0];
        QCOMPARE(row[1].isValid(), name.isValid());
        QCOMPARE(row[1], name);
        QCOMPARE(row[2], QVariant("(503) 555-9831"));
    }
};

QTEST_GUILESS_MAIN(TestJetReader)
#include "tst_jetreader.moc"
