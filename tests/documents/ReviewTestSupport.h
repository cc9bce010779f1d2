#pragma once
// What the deletion and suggested-amount tests share: opening a window, clicking its
// buttons, reading its grid.

#include "Controls.h"
#include "DataGrid.h"
#include "ModVar.h"
#include "TestSupport.h"

#include <QTest>

inline VbForm* OpenReviewWindow(VbForm& f)
{
    f.Show();
    ShowActive(&f);
    Settle();
    return &f;
}

inline DataGrid* ReviewGrid(VbForm* f) { return Child<DataGrid>(f, "DataGrid1"); }

inline void ClickButton(VbForm* f, const QString& button)
{
    QTest::mouseClick(Child<VbButton>(f, button), Qt::LeftButton);
    Settle();
}

// The texts of one grid column, top to bottom.
inline QStringList GridColumnTexts(VbForm* f, int column)
{
    QStringList texts;
    for (int r = 0; r < ReviewGrid(f)->VisibleRowCount(); ++r)
        texts << ReviewGrid(f)->CellText(r, column);
    return texts;
}

// An application of a category: name, leader and application date, and more columns.
inline void AddApplication(AppFixture& fx, int category, const QString& name, const QString& leader,
                           const QString& date, const QVariant& amount = QVariant())
{
    fx.exec(QStringLiteral("insert into xmsb (xmlb, xmmc, xmfzr, fzrzc, szdw, sqje, sqrq, jyje) "
                           "values (?, ?, ?, '教授', 'Oskavelvero大学', 10, ?, ?)"),
            {CategoryText(category), name, leader, date, amount});
}
