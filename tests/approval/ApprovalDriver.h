#pragma once
// Driving the tick-grid windows of approval and the mid-term choice as a user does:
// rows put into a table, the window opened, rows ticked by their boxes.

#include "Controls.h"
#include "RecordLayouts.h"
#include "TestSupport.h"
#include "TickGrid.h"

#include <QScrollBar>
#include <QTest>

// One project row: the columns the grids show, the talent mark and a few more that
// must travel with a whole row.
struct ProjectRow {
    QString xmlb, xmmc, xmfzr, qsny, ssxk;
    QString bz = QString();
};

inline void insertProject(AppFixture& fx, const QString& table, const ProjectRow& r, int n)
{
    auto orNull = [](const QString& s) { return s.isNull() ? QVariant() : QVariant(s); };
    fx.exec(QStringLiteral("insert into %1 (xmlb, xmmc, xmfzr, qsny, ssxk, xkmc, zzny, szdw, sqrq, bz, xmbh, sqje, "
                           "fzrxm, xm1, nl1) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                .arg(table),
            {orNull(r.xmlb), orNull(r.xmmc), orNull(r.xmfzr), r.qsny, r.ssxk, QStringLiteral("学科") + r.ssxk,
             QStringLiteral("2028年12月"), QStringLiteral("单位%1").arg(n), QStringLiteral("2025.10.%1").arg(n, 2, 10, QChar('0')),
             orNull(r.bz), QStringLiteral("BH%1").arg(n), 1.5 * n, r.xmfzr, QStringLiteral("成员%1").arg(n), 30 + n});
}

// Every column of the application layout of the rows of a table, in rowid order.
inline QList<QStringList> wholeRows(AppFixture& fx, const QString& table, const QString& where = QString())
{
    return fx.rows(QStringLiteral("select %1 from %2 %3 order by xmbh")
                       .arg(records::columnList(records::applications()), table, where));
}

template <class Form>
struct ApprovalDriver {
    Form* f = nullptr;

    Form& open(FormRef<Form>& ref)
    {
        f = &OpenActive(*ref);
        return *f;
    }
    TickGrid* grid() const { return f->template findChild<TickGrid*>(); }
    VbButton* button(const QString& name) const { return Child<VbButton>(f, name); }
    VbCheckBox* box(int i) const { return grid()->chk[i]; }
    QString year() const { return Child<VbTextBox>(f, "txtCondiYear")->Text(); }
    QString countLabel() const { return Child<VbLabel>(f, "lblRecords1")->Caption(); }
    // The texts of one grid column, top to bottom.
    QStringList column(int col) const
    {
        QStringList s;
        for (int r = 1; r < grid()->flex->Rows(); ++r)
            s << grid()->flex->TextMatrix(r, col);
        return s;
    }
    // Scrolls the row into view when needed and clicks its box.
    void tick(int row)
    {
        TickGridView* flex = grid()->flex;
        if (row < flex->TopRow() || row >= flex->TopRow() + grid()->CountVisibleRows()) {
            flex->verticalScrollBar()->setValue(row - 1);
            Settle();
        }
        QTest::mouseClick(box(row - flex->TopRow()), Qt::LeftButton);
    }
    void spin(int index)
    {
        QTest::mouseClick(button(QStringLiteral("cmdSpin_%1").arg(index)), Qt::LeftButton);
        Settle();
    }
    void press(const QString& name)
    {
        QTest::mouseClick(button(name), Qt::LeftButton);
        Settle();
    }
};
