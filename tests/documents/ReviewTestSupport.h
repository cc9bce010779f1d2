#pragma once
// What the deletion and suggested-amount tests share besides the list window
// helpers: applications of a category with the columns their grids show.

#include "ListWindowTestSupport.h"
#include "ModVar.h"

// An application of a category: name, leader and application date, and more columns.
inline void AddApplication(AppFixture& fx, int category, const QString& name, const QString& leader,
                           const QString& date, const QVariant& amount = QVariant())
{
    fx.exec(QStringLiteral("insert into xmsb (xmlb, xmmc, xmfzr, fzrzc, szdw, sqje, sqrq, jyje) "
                           "values (?, ?, ?, '教授', 'Oskavelvero大学', 10, ?, ?)"),
            {CategoryText(category), name, leader, date, amount});
}
