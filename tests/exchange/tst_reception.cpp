// Receiving submission files: the ticked rows replace the live rows of the same key
// or are added, through the scratch table, all in one transaction.

#include "ExchangeTest.h"
#include "ModVar.h"
#include "Reception.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kReceived = QStringLiteral("数据已被成功接收。");

// A row in a case's notation: "name|leader|third key|tag", "~" for a Null field. The
// third key is sqrq for applications and xmbh for completion reports; the tag goes
// into a text column that the key leaves alone.
QVariantMap rowOf(const ReceptionTarget& target, const QString& notation)
{
    const QStringList f = notation.split(QLatin1Char('|'));
    const QStringList columns{QStringLiteral("xmmc"), QStringLiteral("xmfzr"), target.keys[2],
                              target.table == QLatin1String("xmsb") ? QStringLiteral("yqcg") : QStringLiteral("abst")};
    QVariantMap row;
    for (int i = 0; i < columns.size(); ++i)
        row[columns[i]] = f[i] == QLatin1String("~") ? QVariant() : QVariant(f[i]);
    return row;
}

// The rows of a table in stored order, in the notation of rowOf.
QStringList rowsIn(AppFixture& fx, const ReceptionTarget& target, const QString& table)
{
    const QString tag = target.table == QLatin1String("xmsb") ? QStringLiteral("yqcg") : QStringLiteral("abst");
    QStringList out;
    for (const QStringList& r : fx.rows(QStringLiteral("select coalesce(xmmc, '~'), coalesce(xmfzr, '~'), coalesce(%1, '~'), "
                                                      "coalesce(%2, '~') from %3 order by rowid")
                                            .arg(target.keys[2], tag, table)))
        out << r.join(QLatin1Char('|'));
    return out;
}

// Overwrites `size` bytes of the file from `at` on with garbage.
void overwrite(const QString& path, qint64 at, int size)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(at) || f.write(QByteArray(size, '\xee')) != size)
        qFatal("cannot overwrite %s", qPrintable(path));
}

void tick(const QList<int>& flags)
{
    gImportFlags = QVector<std::int16_t>(flags.size() + 1, 0);
    for (int i = 0; i < flags.size(); ++i)
        gImportFlags[i + 1] = std::int16_t(flags[i]);
}

}  // namespace

class TestReception : public QObject {
    Q_OBJECT

    // A submission file of the live table's layout holding the rows; `change` alters
    // its table afterwards (a column more or less).
    QString makeFile(AppFixture& fx, const ReceptionTarget& target, const QStringList& rows, const QString& change = {})
    {
        static int serial = 0;
        const QString path = QDir(fx.folder()).filePath(QStringLiteral("项目申请%1.MDB").arg(++serial));
        fx.exec(QStringLiteral("attach database ? as f"), {path});
        fx.exec(QStringLiteral("create table f.%1 as select * from main.%1 where 0").arg(target.table));
        for (const QString& r : rows) {
            const QVariantMap row = rowOf(target, r);
            fx.exec(QStringLiteral("insert into f.%1 (%2) values (%3)")
                        .arg(target.table, records::columnList(row.keys()), records::placeholders(int(row.size()))),
                    row.values());
        }
        if (!change.isEmpty())
            fx.exec(QStringLiteral("alter table f.%1 %2").arg(target.table, change));
        fx.exec(QStringLiteral("detach database f"));
        return path;
    }

    static const ReceptionTarget& targetNamed(const QString& table)
    {
        return table == QLatin1String("xmsb") ? applicationReception() : completionReception();
    }

private slots:
    void receivesTickedRows_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("live");
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QList<int>>("flags");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("same key replaced, new key added, unticked left out")
            << "xmsb" << QStringList{"项目甲|张三|2004.01.01|old", "项目乙|李四|2004.01.02|keep"}
            << QStringList{"项目丙|王五|2004.03.01|unticked", "项目甲|张三|2004.01.01|new", "项目丁|赵六|2004.03.02|added",
                           "项目乙|李四|2004.01.02|unticked"}
            << QList<int>{0, 1, 1, 0}
            << QStringList{"项目乙|李四|2004.01.02|keep", "项目甲|张三|2004.01.01|new", "项目丁|赵六|2004.03.02|added"};
        QTest::newRow("other application date: added")
            << "xmsb" << QStringList{"项目甲|张三|2004.01.01|old"} << QStringList{"项目甲|张三|2004.02.02|new"}
            << QList<int>{1} << QStringList{"项目甲|张三|2004.01.01|old", "项目甲|张三|2004.02.02|new"};
        QTest::newRow("Latin letters compare without case")
            << "xmsb" << QStringList{"Atlas|Li|2004.01.01|old"} << QStringList{"ATLAS|li|2004.01.01|new"}
            << QList<int>{1} << QStringList{"ATLAS|li|2004.01.01|new"};
        QTest::newRow("only Latin letters fold")
            << "xmsb" << QStringList{"Äpfel|Li|2004.01.01|old"} << QStringList{"äpfel|li|2004.01.01|new"}
            << QList<int>{1} << QStringList{"Äpfel|Li|2004.01.01|old", "äpfel|li|2004.01.01|new"};
        QTest::newRow("two live rows of the key: the first is replaced")
            << "xmsb" << QStringList{"甲|张|d|first", "甲|张|d|second"} << QStringList{"甲|张|d|new"}
            << QList<int>{1} << QStringList{"甲|张|d|second", "甲|张|d|new"};
        QTest::newRow("two received rows of the key replace two")
            << "xmsb" << QStringList{"甲|张|d|first", "甲|张|d|second", "甲|张|d|third"}
            << QStringList{"甲|张|d|new1", "甲|张|d|new2"}
            << QList<int>{1, 1} << QStringList{"甲|张|d|third", "甲|张|d|new1", "甲|张|d|new2"};
        QTest::newRow("a Null key matches an empty text, not a Null")
            << "xmsb" << QStringList{"甲||d|empty", "甲|~|d|null"} << QStringList{"甲|~|d|new"}
            << QList<int>{1} << QStringList{"甲|~|d|null", "甲|~|d|new"};
        QTest::newRow("nothing ticked")
            << "xmsb" << QStringList{"甲|张|d|old"} << QStringList{"甲|张|d|new"}
            << QList<int>{0} << QStringList{"甲|张|d|old"};
        QTest::newRow("completion reports keyed by approval number")
            << "xmjt" << QStringList{"甲|张|BH1|old", "甲|张|BH2|keep"}
            << QStringList{"甲|张|BH1|new", "甲|张|BH3|added"}
            << QList<int>{1, 1} << QStringList{"甲|张|BH2|keep", "甲|张|BH1|new", "甲|张|BH3|added"};
        QTest::newRow("keys received once and twice in one file")
            << "xmsb" << QStringList{"甲|张|d|first", "乙|李|d|b1", "甲|张|d|second", "乙|李|d|b2", "甲|张|d|third"}
            << QStringList{"甲|张|d|new1", "乙|李|d|new", "甲|张|d|new2"} << QList<int>{1, 1, 1}
            << QStringList{"乙|李|d|b2", "甲|张|d|third", "甲|张|d|new1", "乙|李|d|new", "甲|张|d|new2"};
    }

    void receivesTickedRows()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, live);
        QFETCH(QStringList, file);
        QFETCH(QList<int>, flags);
        QFETCH(QStringList, expected);
        AppFixture fx;
        const ReceptionTarget& target = targetNamed(table);
        for (const QString& r : live)
            insertRow(fx, target.table, rowOf(target, r));
        const auto submitted = OpenSubmittedFile(makeFile(fx, target, file), target.table);
        QVERIFY(submitted);
        QCOMPARE(submitted->rows().size(), file.size());
        tick(flags);

        QVERIFY(InsertDat(*submitted, target));

        QCOMPARE(rowsIn(fx, target, target.table), expected);
        QStringList ticked;
        for (int i = 0; i < file.size(); ++i)
            if (flags[i])
                ticked << file[i];
        QCOMPARE(rowsIn(fx, target, target.scratch), ticked);
        QCOMPARE(fx.ui.texts(), QStringList{kReceived});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
    }

    // The rows travel whole: every column of a received row arrives as it was in the
    // file, and receiving the same ticks again leaves one copy; the scratch table is
    // made anew each time.
    void receivesWholeRowsAgain()
    {
        AppFixture fx;
        const ReceptionTarget& target = applicationReception();
        QVariantMap full = rowOf(target, QStringLiteral("甲|张|2004.01.01|tag"));
        full[QStringLiteral("sqje")] = 12.5;
        full[QStringLiteral("jdap3")] = QStringLiteral("");
        full[QStringLiteral("xm8")] = QStringLiteral("成员八");
        insertRow(fx, QStringLiteral("xmsb"), full);
        const QString path = makeFile(fx, target, {QStringLiteral("乙|李|2004.01.02|other")});
        fx.exec(QStringLiteral("attach database ? as f"), {path});
        fx.exec(QStringLiteral("insert into f.xmsb select * from main.xmsb"));
        fx.exec(QStringLiteral("detach database f"));
        fx.exec(QStringLiteral("delete from xmsb"));
        const auto submitted = OpenSubmittedFile(path, QStringLiteral("XMSB"));
        QVERIFY(submitted);
        tick({1, 1});

        QVERIFY(InsertDat(*submitted, target));
        QVERIFY(InsertDat(*submitted, target));

        QCOMPARE(fx.rows(QStringLiteral("select * from xmsb order by rowid")), fileRows(path, QStringLiteral("select * from xmsb")));
        QCOMPARE(fx.count(QStringLiteral("tempxmsb")), 2);
        QCOMPARE(fx.rows(QStringLiteral("select typeof(jdap3), sqje from xmsb where xmmc = '甲'")),
                 (QList<QStringList>{{"text", "12.5"}}));
    }

    // A key value that is a number in the file (a column without a type keeps it so)
    // finds the live row whose text it is, as the live table would store it.
    void numberInAKeyColumn()
    {
        AppFixture fx;
        const ReceptionTarget& target = applicationReception();
        insertRow(fx, QStringLiteral("xmsb"), rowOf(target, QStringLiteral("甲|张|20040101|old")));
        const QString path = makeFile(fx, target, {}, QStringLiteral("drop column sqrq"));
        fx.exec(QStringLiteral("attach database ? as f"), {path});
        fx.exec(QStringLiteral("alter table f.xmsb add column sqrq"));
        fx.exec(QStringLiteral("insert into f.xmsb (xmmc, xmfzr, sqrq, yqcg) values ('甲', '张', 20040101, 'new')"));
        fx.exec(QStringLiteral("detach database f"));
        const auto submitted = OpenSubmittedFile(path, QStringLiteral("xmsb"));
        QVERIFY(submitted);
        QCOMPARE(submitted->rows()[0][int(submitted->columns().indexOf(QStringLiteral("sqrq")))].typeId(),
                 QMetaType::LongLong);
        tick({1});

        QVERIFY(InsertDat(*submitted, target));

        QCOMPARE(rowsIn(fx, target, QStringLiteral("xmsb")), QStringList{"甲|张|20040101|new"});
    }

    // A file whose columns are not the live table's (one is missing in the middle)
    // goes over column by column, by name; the scratch table has the file's columns.
    void receivesByColumnName()
    {
        AppFixture fx;
        const ReceptionTarget& target = applicationReception();
        insertRow(fx, QStringLiteral("xmsb"), rowOf(target, QStringLiteral("甲|张|d|old")));
        insertRow(fx, QStringLiteral("xmsb"), rowOf(target, QStringLiteral("乙|李|d|keep")));
        const auto submitted =
            OpenSubmittedFile(makeFile(fx, target, {QStringLiteral("甲|张|d|new"), QStringLiteral("丙|王|d|added")},
                                       QStringLiteral("drop column xmbh")),
                              QStringLiteral("xmsb"));
        QVERIFY(submitted);
        tick({1, 1});

        QVERIFY(InsertDat(*submitted, target));

        QCOMPARE(rowsIn(fx, target, QStringLiteral("xmsb")), (QStringList{"乙|李|d|keep", "甲|张|d|new", "丙|王|d|added"}));
        QCOMPARE(rowsIn(fx, target, QStringLiteral("tempxmsb")), (QStringList{"甲|张|d|new", "丙|王|d|added"}));
        QCOMPARE(fx.rows(QStringLiteral("select count(*) from pragma_table_info('tempxmsb') where name = 'xmbh'")),
                 (QList<QStringList>{{"0"}}));
    }

    // A reception that fails at any step leaves the live table and the scratch table
    // of the last reception as they were.
    void failureChangesNothing_data()
    {
        QTest::addColumn<QString>("change");        // to the file's table before it is opened
        QTest::addColumn<QString>("afterOpening");  // statements on the file once it is open, "; " between
        QTest::addColumn<QString>("reason");        // in the message's details
        QTest::newRow("a column the live table lacks")
            << QStringLiteral("add column extra text") << QString() << QStringLiteral("extra");
        QTest::newRow("no key column") << QStringLiteral("drop column sqrq") << QString() << QStringLiteral("接收文件中没有列 sqrq。");
        QTest::newRow("a ticked row gone from the file since it was opened")
            << QString() << QStringLiteral("delete from f.xmsb where xmmc = '丙'") << QStringLiteral("在打开后已经改变。");
        QTest::newRow("a row added to the file since it was opened")
            << QString() << QStringLiteral("insert into f.xmsb (xmmc) values ('丁')") << QStringLiteral("在打开后已经改变。");
        QTest::newRow("the file's first row gone, another added at its end")
            << QString()
            << QStringLiteral("delete from f.xmsb where xmmc = '甲'; insert into f.xmsb (xmmc) values ('丁')")
            << QStringLiteral("在打开后已经改变。");
    }

    void failureChangesNothing()
    {
        QFETCH(QString, change);
        QFETCH(QString, afterOpening);
        QFETCH(QString, reason);
        AppFixture fx;
        const ReceptionTarget& target = applicationReception();
        insertRow(fx, QStringLiteral("xmsb"), rowOf(target, QStringLiteral("甲|张|d|old")));
        const auto first = OpenSubmittedFile(makeFile(fx, target, {QStringLiteral("乙|李|d|first")}), QStringLiteral("xmsb"));
        tick({1});
        QVERIFY(InsertDat(*first, target));
        const QList<QStringList> live = fx.rows(QStringLiteral("select * from xmsb order by rowid"));
        const QList<QStringList> scratch = fx.rows(QStringLiteral("select * from tempxmsb order by rowid"));
        fx.ui.clear();

        const QString path = makeFile(fx, target, {QStringLiteral("甲|张|d|new"), QStringLiteral("丙|王|d|new")}, change);
        const auto failing = OpenSubmittedFile(path, QStringLiteral("xmsb"));
        QVERIFY(failing);
        if (!afterOpening.isEmpty()) {
            fx.exec(QStringLiteral("attach database ? as f"), {path});
            for (const QString& statement : afterOpening.split(QStringLiteral("; ")))
                fx.exec(statement);
            fx.exec(QStringLiteral("detach database f"));
        }
        tick({1, 1});
        QVERIFY(!InsertDat(*failing, target));

        QCOMPARE(fx.ui.texts(), QStringList{QStringLiteral("数据接收失败。")});
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QVERIFY2(fx.ui.messages[0].detail.contains(reason), qPrintable(fx.ui.messages[0].detail));
        QCOMPARE(fx.rows(QStringLiteral("select * from xmsb order by rowid")), live);
        QCOMPARE(fx.rows(QStringLiteral("select * from tempxmsb order by rowid")), scratch);
    }

    void fileThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("file");    // in the fixture's folder; "@nwind": the Jet sample
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("reason");  // how the message's details begin; %1: the path
        QTest::newRow("missing") << "none.MDB" << "xmsb" << "文件 %1 不存在。";
        QTest::newRow("not a database") << "notes.MDB" << "xmsb" << "文件 %1 不是数据库文件。";
        QTest::newRow("an application file in the completion window") << "xmsb.MDB" << "xmjt" << "文件 %1 中没有表 xmjt。";
        QTest::newRow("a Jet file without the table") << "@nwind" << "xmsb" << "文件 %1 中没有表 xmsb。";
        // Damage that shows only on reading: no part of such a file is taken.
        QTest::newRow("a damaged file") << "damaged.MDB" << "xmsb" << "文件 %1 已损坏";
        QTest::newRow("a damaged Jet file") << "damaged-jet.MDB" << "Customers" << "数据库文件 %1 的表 Customers 已损坏。";
    }

    void fileThatCannotBeOpened()
    {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(QString, reason);
        AppFixture fx;
        const QDir folder(fx.folder());
        QFile notes(folder.filePath(QStringLiteral("notes.MDB")));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("not a database at all") > 0);
        notes.close();
        const QString xmsbFile = makeFile(fx, applicationReception(), {QStringLiteral("甲|张|d|x")});
        QVERIFY(QFile::rename(xmsbFile, folder.filePath(QStringLiteral("xmsb.MDB"))));
        // 305 applications over some 80 pages, page 60 overwritten.
        const QString damaged = makeFile(fx, applicationReception(), {});
        fx.exec(QStringLiteral("attach database ? as f"), {damaged});
        fx.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 305) "
                               "insert into f.xmsb (xmmc, xmfzr, sqrq, yqcg) select '项目' || i, '张', 'd', printf('%.1000c', 'x') from n"));
        fx.exec(QStringLiteral("detach database f"));
        overwrite(damaged, 59 * 4096, 4096);
        QVERIFY(QFile::rename(damaged, folder.filePath(QStringLiteral("damaged.MDB"))));
        // The sample with the page of some of its customers overwritten.
        const QString jet = folder.filePath(QStringLiteral("damaged-jet.MDB"));
        QVERIFY(QFile::copy(QStringLiteral(KYJH_TESTDATA_DIR "/nwind.mdb"), jet));
        QFile jetFile(jet);
        QVERIFY(jetFile.open(QIODevice::ReadOnly));
        const qsizetype customers = jetFile.readAll().indexOf("Yoshi Tannamuri");
        jetFile.close();
        QVERIFY(customers > 0);
        overwrite(jet, customers / 2048 * 2048, 2048);
        const QString path = file == QLatin1String("@nwind") ? QStringLiteral(KYJH_TESTDATA_DIR "/nwind.mdb")
                                                             : folder.filePath(file);

        QVERIFY(!OpenSubmittedFile(path, table));

        QCOMPARE(fx.ui.texts(), QStringList{QStringLiteral("文件打开错误，操作将被取消。")});
        QCOMPARE(fx.ui.messages[0].title, platform::applicationTitle());
        QVERIFY2(fx.ui.messages[0].detail.startsWith(reason.arg(path)), qPrintable(fx.ui.messages[0].detail));
    }

    // Files in the Jet format of other installations are received as well: a real Jet
    // file that nobody here wrote, its table named in other case.
    void receivesFromJetFile()
    {
        AppFixture fx;
        fx.exec(QStringLiteral("create table Shippers (ShipperID integer, CompanyName text, Phone text)"));
        fx.exec(QStringLiteral("insert into Shippers values (2, 'old name', 'old phone')"));
        const ReceptionTarget target{QStringLiteral("Shippers"), QStringLiteral("tempshippers"), {QStringLiteral("ShipperID")}};
        const auto submitted = OpenSubmittedFile(QStringLiteral(KYJH_TESTDATA_DIR "/nwind.mdb"), QStringLiteral("shippers"));
        QVERIFY(submitted);
        QVERIFY(submitted->isJet());
        QCOMPARE(submitted->columns(), (QStringList{"ShipperID", "CompanyName", "Phone"}));
        QCOMPARE(submitted->rows().size(), 3);
        tick({0, 1, 1});

        QVERIFY(InsertDat(*submitted, target));

        QCOMPARE(fx.rows(QStringLiteral("select * from Shippers order by rowid")),
                 (QList<QStringList>{{"2", "United Package", "(503) 555-3199"}, {"3", "Federal Shipping", "(503) 555-9931"}}));
    }
};

QTEST_MAIN(TestReception)
#include "tst_reception.moc"
