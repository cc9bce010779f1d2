#pragma once
// Driving the application window as a user does: applications put into xmsb, the
// window opened on a category, boxes typed into, buttons clicked.

#include "Controls.h"
#include "ModVar.h"
#include "TestSupport.h"
#include "frmjblr.h"

#include <QTest>

// An application row of the given category with the four key texts and a few more,
// a first member among them (an empty first name box closes its row up when left).
inline void insertApplication(AppFixture& fx, int category, const QString& name, const QString& leader,
                              const QString& subject, const QString& unit, const QString& date,
                              const QVariant& suggested = QVariant())
{
    fx.exec(QStringLiteral("insert into xmsb (xmlb, xmmc, xmfzr, xkmc, szdw, sqrq, ssxk, xmbh, fzrxm, yjjg, xm1, jyje) "
                           "values (?, ?, ?, ?, ?, ?, 'PA', 'BH', '王五', '旧机构', '成员甲', ?)"),
            {CategoryText(category), name, leader, subject, unit, date, suggested});
}

// One data row per category, in a column "category".
inline void addCategoryRows()
{
    QTest::addColumn<int>("category");
    for (int c = 1; c <= 3; ++c)
        QTest::newRow(qPrintable(QStringLiteral("category %1").arg(c))) << c;
}

struct JblrDriver {
    frmjblr* f = nullptr;

    frmjblr& open(int category)
    {
        gCategory = static_cast<std::int16_t>(category);
        f = &OpenActive(*forms::frmjblr);
        return *f;
    }
    QWidget* widget(const QString& name) const { return Child<QWidget>(f, name); }
    VbTextBox* box(const QString& name) const { return Child<VbTextBox>(f, name); }
    VbButton* button(const QString& name) const { return Child<VbButton>(f, name); }
    VbTab* tabs() const { return Child<VbTab>(f, "SSTabjblr"); }
    QString panel() const { return Child<VbStatusBar>(f, "SBar")->PanelText(1); }
    QString focused() const
    {
        QWidget* w = f->focusWidget();
        return w ? w->objectName() : QString();
    }
    void click(const QString& name)
    {
        QTest::mouseClick(button(name), Qt::LeftButton);
        Settle();
    }
    void focus(const QString& name)
    {
        SetFocus(widget(name));
        Settle();
    }
    void enter(const QString& name)
    {
        PressKey(widget(name), Qt::Key_Return);
        Settle();
    }
    // Types into a box that has the focus (Chinese text as input-method commits).
    void type(const QString& name, const QString& text)
    {
        focus(name);
        TypeText(widget(name), text);
        Settle();
    }
    // The stored value of a column as SQLite quotes it: 'text', a number, NULL.
    static QStringList quoted(AppFixture& fx, const QString& column, const QString& where = QStringLiteral("1"))
    {
        QStringList out;
        for (const QStringList& r : fx.rows(QStringLiteral("select quote(%1) from xmsb where %2 order by rowid").arg(column, where)))
            out << r.value(0);
        return out;
    }
};
