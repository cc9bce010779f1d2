// The derived figures of an application: staff counts by title code, participating
// units and the investment total.
#include "StaffCounts.h"

#include <QTest>
#include <numeric>

class TestCounts : public QObject {
    Q_OBJECT

    static MemberRows rowsWith(const QStringList& values, QString MemberRow::*field)
    {
        MemberRows rows;
        for (int i = 0; i < values.size(); ++i)
            rows[i].*field = values.at(i);
        return rows;
    }

private slots:
    // Counts written as post, doctoral, master, senior, intermediate, junior.
    void countStaff_data()
    {
        QTest::addColumn<QString>("leader");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QList<int>>("counts");

        QTest::newRow("nobody") << "" << QStringList() << QList<int>{0, 0, 0, 0, 0, 0};
        QTest::newRow("273 274 275") << "273" << QStringList{"274", "275"}
                                     << QList<int>{1, 1, 1, 0, 0, 0};
        QTest::newRow("each by own code") << "274" << QStringList{"275"}
                                          << QList<int>{0, 1, 1, 0, 0, 0};
        QTest::newRow("last digits 1 to 5")
            << "011" << QStringList{"012", "023", "034", "045", "", "", "", "101"}
            << QList<int>{0, 0, 0, 3, 1, 2};
        QTest::newRow("last digits 0 and 6 to 9 count nowhere")
            << "010" << QStringList{"016", "017", "018", "019", "276", "272"}
            << QList<int>{0, 0, 0, 1, 0, 0};
        QTest::newRow("blanks around a code") << " 274 " << QStringList{" 012", "023 "}
                                              << QList<int>{0, 1, 0, 1, 1, 0};
        QTest::newRow("a longer code between 273 and 275")
            << "2741" << QStringList{"2731"} << QList<int>{0, 0, 0, 0, 0, 0};
        QTest::newRow("all nine persons") << "011"
                                          << QStringList{"012", "013", "014", "015", "273", "274",
                                                         "275", "022"}
                                          << QList<int>{1, 1, 1, 3, 1, 2};
    }

    void countStaff()
    {
        QFETCH(QString, leader);
        QFETCH(QStringList, members);
        QFETCH(QList<int>, counts);
        const StaffCounts c = CountStaff(leader, rowsWith(members, &MemberRow::titleCode));
        QCOMPARE((QList<int>{c.postdoctoral, c.doctoral, c.master, c.senior, c.intermediate,
                             c.junior}),
                 counts);
        QCOMPARE(c.total(), std::accumulate(counts.cbegin(), counts.cend(), 0));
    }

    // A member counts by the code alone, with or without a name.
    void countStaffIgnoresNames()
    {
        MemberRows rows;
        rows[4].titleCode = "013";
        QCOMPARE(CountStaff("", rows).intermediate, 1);
    }

    void countBoxes()
    {
        StaffCounts c;
        c.doctoral = 1;
        c.senior = 1;
        c.intermediate = 1;
        const QList<QPair<QString, QString>> expected = {
            {"txtbsh", ""}, {"txtbss", " 1"}, {"txtsss", ""}, {"txtgj", " 1"},
            {"txtzj", " 1"}, {"txtcj", ""},   {"txtzrs", " 3"},
        };
        QCOMPARE(c.boxTexts(), expected);
        QCOMPARE(CountText(12), QString(" 12"));
    }

    void countUnits_data()
    {
        QTest::addColumn<QString>("leader");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<QString>("shown");

        QTest::newRow("no units") << "" << QStringList() << " 1";
        QTest::newRow("leader's only") << "甲大学" << QStringList() << " 1";
        QTest::newRow("blank leader, A B A") << "" << QStringList{"A", "B", "A"} << " 3";
        QTest::newRow("leader A, A, blanks around A, B")
            << "A" << QStringList{"A", "  A ", "B"} << " 2";
        QTest::newRow("leader with blanks") << " A " << QStringList{"A"} << " 1";
        QTest::newRow("blank rows between") << "A" << QStringList{"", "B", " ", "C"} << " 3";
        QTest::newRow("exact: written two ways") << "A" << QStringList{"a", "A大学"} << " 3";
        QTest::newRow("eight others") << "X"
                                      << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}
                                      << " 9";
    }

    void countUnits()
    {
        QFETCH(QString, leader);
        QFETCH(QStringList, units);
        QTEST(CountText(CountUnits(leader, rowsWith(units, &MemberRow::unit))), "shown");
    }

    void sumInvestment_data()
    {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");

        QTest::newRow("all blank") << QStringList{"", "", "", ""} << "";
        QTest::newRow("zeros give no total") << QStringList{"0", "0.0", "", " "} << "";
        QTest::newRow("5 and 2.5") << QStringList{"5", "", "2.5", ""} << "7.5";
        QTest::newRow("then 3") << QStringList{"5", "3", "2.5", ""} << "10.5";
        QTest::newRow("whole total") << QStringList{"12.0", "", "", ""} << "12";
        QTest::newRow("a lone point") << QStringList{".", "4", "", ""} << "4";
        QTest::newRow("two points") << QStringList{"1.2.3", "", "", ""} << "1.2";
        QTest::newRow("trailing point") << QStringList{"5.", "", "", ""} << "5";
        QTest::newRow("leading point") << QStringList{".5", "", "", ""} << "0.5";
        QTest::newRow("blanks inside") << QStringList{" 1 2 ", "", "", ""} << "12";
        QTest::newRow("text after the number") << QStringList{"3万", "", "", ""} << "3";
        QTest::newRow("no number") << QStringList{"abc", "1", "", ""} << "1";
        QTest::newRow("double precision") << QStringList{"0.1", "0.2", "", ""} << "0.3";
        QTest::newRow("more than seven digits")
            << QStringList{"12345678.9", "0.01", "", ""} << "12345678.91";
        QTest::newRow("large, no exponent")
            << QStringList{"100000000000000000000", "", "", ""} << "100000000000000000000";
    }

    void sumInvestment()
    {
        QFETCH(QStringList, amounts);
        QTEST(SumInvestment(amounts), "total");
    }
};

QTEST_GUILESS_MAIN(TestCounts)
#include "tst_counts.moc"
