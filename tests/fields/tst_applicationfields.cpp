// Where the application window's tabs lead: the first box of each page, by category.
#include "ApplicationFields.h"

#include <QTest>

class TestApplicationFields : public QObject {
    Q_OBJECT

private slots:
    void firstBoxOfPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("box");
        QTest::newRow("cover") << 0 << 1 << "txtnbbh";
        QTest::newRow("project") << 1 << 2 << "txtyjlb";
        QTest::newRow("project without a research type") << 1 << 3 << "txtsqje";
        QTest::newRow("leader") << 2 << 1 << "txtfzrxm";
        QTest::newRow("members") << 3 << 1 << "txtxm1";
        QTest::newRow("abstract") << 4 << 1 << "txtyjnrzy";
        QTest::newRow("plan") << 5 << 2 << "txtnd1";
        QTest::newRow("investment") << 6 << 3 << "txthzdw";
        QTest::newRow("no investment outside category 3") << 6 << 1 << "";
        QTest::newRow("the grid has no box") << 7 << 3 << "";
    }
    void firstBoxOfPage()
    {
        QFETCH(int, page);
        QFETCH(int, category);
        QTEST(FirstBoxOfPage(page, category), "box");
    }
};

QTEST_GUILESS_MAIN(TestApplicationFields)
#include "tst_applicationfields.moc"
