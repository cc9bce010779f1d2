// The member rows of an application: insertion, removal and closing up with all
// seven boxes of a row, the shared lists' places and items, the age check, and the
// title and unit lookups against the code tables.
#include "CodeLookups.h"
#include "Db.h"
#include "MemberRows.h"
#include "TestSupport.h"

#include <QTest>

namespace {

// Member n with every box of its row filled (0: an empty row).
MemberRow member(int n)
{
    if (n == 0)
        return {};
    const QString k = QString::number(n);
    return {"成员" + k, QString::number(20 + n), "职称" + k, "01" + k, "博士", "单位" + k,
            "分工" + k};
}

MemberRows rowsOf(const QList<int>& members)
{
    MemberRows rows;
    for (int i = 0; i < members.size(); ++i)
        rows[i] = member(members.at(i));
    return rows;
}

}  // namespace

class TestMembers : public QObject {
    Q_OBJECT

private slots:
    void rowOperations_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<int>("result");   // insert: 1 done, 0 refused; close up: members

        QTest::newRow("F2 in row 3 of five") << QList<int>{1, 2, 3, 4, 5} << "insert" << 3
                                             << QList<int>{1, 2, 0, 3, 4, 5, 0, 0} << 1;
        QTest::newRow("F2 in row 1 of seven") << QList<int>{1, 2, 3, 4, 5, 6, 7} << "insert" << 1
                                              << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << 1;
        QTest::newRow("F2 below the last member") << QList<int>{1, 2} << "insert" << 5
                                                  << QList<int>{1, 2, 0, 0, 0, 0, 0, 0} << 1;
        QTest::newRow("F2 in an empty row 8") << QList<int>{1, 2, 3, 4, 5, 6, 7} << "insert" << 8
                                              << QList<int>{1, 2, 3, 4, 5, 6, 7, 0} << 1;
        QTest::newRow("F2 with eight members is refused")
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << "insert" << 2
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 0;
        QTest::newRow("F2 in row 8 holding a member is refused")
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << "insert" << 8
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 0;
        QTest::newRow("F2 with only row 8 filled is refused")
            << QList<int>{0, 0, 0, 0, 0, 0, 0, 8} << "insert" << 1
            << QList<int>{0, 0, 0, 0, 0, 0, 0, 8} << 0;

        QTest::newRow("F3 in row 2 of four") << QList<int>{1, 2, 3, 4} << "remove" << 2
                                             << QList<int>{1, 3, 4, 0, 0, 0, 0, 0} << 1;
        QTest::newRow("F3 in row 1 of eight") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << "remove"
                                              << 1 << QList<int>{2, 3, 4, 5, 6, 7, 8, 0} << 1;
        QTest::newRow("F3 in row 8") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << "remove" << 8
                                     << QList<int>{1, 2, 3, 4, 5, 6, 7, 0} << 1;
        QTest::newRow("an emptied row closes up") << QList<int>{1, 0, 3, 0, 5} << "remove" << 2
                                                  << QList<int>{1, 3, 0, 5, 0, 0, 0, 0} << 1;
        QTest::newRow("F3 below the last member") << QList<int>{1, 2} << "remove" << 6
                                                  << QList<int>{1, 2, 0, 0, 0, 0, 0, 0} << 1;

        QTest::newRow("gaps closed before storing")
            << QList<int>{1, 0, 3, 0, 5, 0, 0, 8} << "close up" << 0
            << QList<int>{1, 3, 5, 8, 0, 0, 0, 0} << 4;
        QTest::newRow("no gaps") << QList<int>{1, 2, 3} << "close up" << 0
                                 << QList<int>{1, 2, 3, 0, 0, 0, 0, 0} << 3;
        QTest::newRow("no members") << QList<int>{} << "close up" << 0 << QList<int>{} << 0;
    }

    void rowOperations()
    {
        QFETCH(QList<int>, before);
        QFETCH(QString, operation);
        QFETCH(int, row);
        QFETCH(QList<int>, after);

        MemberRows rows = rowsOf(before);
        int result = 1;
        if (operation == "insert")
            result = InsertMemberRow(rows, row) ? 1 : 0;
        else if (operation == "remove")
            RemoveMemberRow(rows, row);
        else
            result = CloseUpMemberRows(rows);
        QTEST(result, "result");
        const MemberRows expected = rowsOf(after);
        for (int i = 0; i < kMemberRowCount; ++i)
            QVERIFY2(rows[i] == expected[i], qPrintable(QStringLiteral("row %1").arg(i + 1)));
    }

    // Ages pass through their whole-number value when F2 moves them, and are trimmed
    // when F3 moves them.
    void movedAges_data()
    {
        QTest::addColumn<QString>("age");
        QTest::addColumn<QString>("afterInsert");
        QTest::addColumn<QString>("afterRemove");
        QTest::newRow("two digits") << "45" << "45" << "45";
        QTest::newRow("leading zero") << "05" << "5" << "05";
        QTest::newRow("zero") << "0" << "" << "0";
        QTest::newRow("blanks around") << " 45 " << "45" << "45";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("not a number stays") << "4x" << "4x" << "4x";
    }

    void movedAges()
    {
        QFETCH(QString, age);
        MemberRows rows = rowsOf({1, 2});
        rows[1].age = age;
        MemberRows inserted = rows;
        QVERIFY(InsertMemberRow(inserted, 1));
        QTEST(inserted[2].age, "afterInsert");
        RemoveMemberRow(rows, 1);
        QTEST(rows[0].age, "afterRemove");
    }

    void rowEightWithoutAName()
    {
        MemberRows rows = rowsOf({1});
        rows[7].name = "  ";
        rows[7].age = "30";
        QVERIFY(InsertMemberRow(rows, 1));
        QCOMPARE(rows[1], member(1));
        QCOMPARE(rows[7], MemberRow());
    }

    void listTop_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("top");   // -1: the list keeps its Top
        const QList<int> tops{600, 960, 1320, 1680, 840, 1200, 1560, 1920};
        for (int k = 1; k <= 8; ++k)
            QTest::addRow("row %d", k) << QString::number(k) << tops.at(k - 1);
        QTest::newRow("none yet") << "" << -1;
        QTest::newRow("after a unit pick") << "0" << -1;
        QTest::newRow("nine") << "9" << -1;
        QTest::newRow("ten") << "10" << -1;
        QTest::newRow("blank before") << " 1" << -1;
    }

    void listTop()
    {
        QFETCH(QString, row);
        QTEST(MemberListTop(row).value_or(-1), "top");
    }

    void splitListItem_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("title") << "273、博士后" << "273" << "博士后";
        QTest::newRow("unit") << "10001、甲大学" << "10001" << "甲大学";
        QTest::newRow("short code") << "01、正高级" << "01" << "正高级";
        QTest::newRow("second separator in the name") << "001、甲、乙" << "001" << "甲、乙";
        QTest::newRow("no name") << "12345、" << "12345" << "";
        QTest::newRow("kept exactly") << "011、教授 " << "011" << "教授 ";
        QTest::newRow("no separator") << "博士" << "博士" << "";
    }

    void splitListItem()
    {
        QFETCH(QString, item);
        QFETCH(QString, code);
        QFETCH(QString, name);
        const ListItemParts parts = SplitListItem(item);
        QCOMPARE(parts.code, code);
        QCOMPARE(parts.name, name);
        if (item.contains("、"))
            QCOMPARE(ListItem(code, name), item);
    }

    void checkAge_data()
    {
        QTest::addColumn<QString>("age");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("20") << "20" << true;
        QTest::newRow("80") << "80" << true;
        QTest::newRow("45") << "45" << true;
        QTest::newRow("19") << "19" << false;
        QTest::newRow("81") << "81" << false;
        QTest::newRow("single digit") << "5" << false;
        QTest::newRow("two blanks") << "  " << false;
    }

    void checkAge()
    {
        QFETCH(QString, age);
        QFETCH(bool, accepted);
        const std::optional<QString> message = ::checkAge(age);
        QCOMPARE(!message.has_value(), accepted);
        if (message)
            QCOMPARE(*message, QString("年龄输入错误，请重新输入！"));
    }

    void titleLookups_data()
    {
        QTest::addColumn<bool>("member");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("titleAfter");
        QTest::addColumn<QString>("codeAfter");
        QTest::addColumn<bool>("wrongTitle");

        for (const bool m : {false, true}) {
            const char* who = m ? "member" : "leader";
            QTest::addRow("%s: code found", who) << m << "012" << "011" << "副教授" << "012"
                                                 << false;
            // A member's code that matches no title keeps the code the row had; the
            // leader's leaves none.
            const QString kept = m ? "011" : "";
            QTest::addRow("%s: code missing", who) << m << "999" << "011" << "999" << kept << false;
            QTest::addRow("%s: code with a blank before", who)
                << m << " 011" << "011" << " 011" << kept << false;
            QTest::addRow("%s: emptied", who) << m << "" << "011" << "" << "" << false;
            QTest::addRow("%s: blanks only", who) << m << "  " << "011" << "  " << "" << false;
        }
        // The leader's box takes names from its list only; they stay with their code.
        QTest::newRow("leader: picked name") << false << "教授" << "011" << "教授" << "011"
                                             << false;
        QTest::newRow("leader: name without a title")
            << false << "院士" << "011" << "院士" << "011" << false;
        QTest::newRow("member: name found") << true << "副教授" << "" << "副教授" << "012"
                                            << false;
        QTest::newRow("member: first in code order") << true << "教授" << "" << "教授" << "011"
                                                     << false;
        QTest::newRow("member: name not found") << true << "院士" << "011" << "院士" << "011"
                                                << true;
        QTest::newRow("member: name with a trailing blank")
            << true << "教授 " << "011" << "教授 " << "011" << true;
        QTest::newRow("member: doctoral student") << true << "274" << "" << "博士生" << "274"
                                                  << false;
    }

    void titleLookups()
    {
        QFETCH(bool, member);
        QFETCH(QString, title);
        QFETCH(QString, code);

        AppFixture fx;
        for (const auto& [c, n] : QList<QPair<QString, QString>>{
                 {"011", "教授"}, {"012", "副教授"}, {"274", "博士生"}, {"099", "教授"}})
            fx.exec("insert into zcdm values (?, ?)", {c, n});
        DbConnection db("tst_members");
        db.Open(fx.dbPath());

        const TitleResolution r = member ? ResolveMemberTitle(db, title, code)
                                         : ResolveTitleCode(db, title, code);
        QTEST(r.title, "titleAfter");
        QTEST(r.code, "codeAfter");
        QTEST(r.wrongTitle, "wrongTitle");
        QCOMPARE(kWrongTitleMessage, QString("职称或职称代码输入错误，请重新输入！"));
    }

    void unitLookup_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("after");
        QTest::newRow("code found") << "10001" << "甲大学";
        QTest::newRow("code missing") << "10003" << "10003";
        QTest::newRow("name") << "乙学院" << "乙学院";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("code with a blank before") << " 10001" << " 10001";
    }

    void unitLookup()
    {
        QFETCH(QString, unit);
        AppFixture fx;
        fx.exec("insert into dwdm values ('10001', '甲大学'), ('10002', '乙学院')");
        DbConnection db("tst_members");
        db.Open(fx.dbPath());
        QTEST(ResolveUnitCode(db, unit), "after");
    }
};

QTEST_MAIN(TestMembers)
#include "tst_members.moc"
