#pragma once
// Driving the approval-number and progress-evaluation windows as a user does: the
// window opened, boxes typed into, buttons pressed, the stored rows read back.

#include "ApprovalDriver.h"
#include "Controls.h"
#include "DataGrid.h"
#include "TestSupport.h"

#include <QTest>

// Opening, pressing and spinning as in the tick-grid windows.
template <class Form>
struct RecordDriver : ApprovalDriver<Form> {
    using ApprovalDriver<Form>::f;
    using ApprovalDriver<Form>::button;
    using ApprovalDriver<Form>::press;

    VbTextBox* box(const QString& name) const { return Child<VbTextBox>(f, name); }
    VbCheckBox* talent() const { return Child<VbCheckBox>(f, "Chkbz"); }
    VbOption* option(int i) const { return Child<VbOption>(f, QStringLiteral("Option1_%1").arg(i)); }
    DataGrid* dataGrid() const { return Child<DataGrid>(f, "DataGrid1"); }
    QString text(const QString& name) const { return box(name)->Text(); }
    QString panel() const { return Child<VbStatusBar>(f, "SBar")->PanelText(1); }

    // Replaces a box's text by typing, as the user does after selecting it all.
    void type(const QString& name, const QString& text)
    {
        VbTextBox* b = box(name);
        b->selectAll();
        b->del();
        TypeText(b, text);
    }
    // The texts of the entry boxes, in the order the window shows them.
    QStringList shown(const QStringList& names) const
    {
        QStringList s;
        for (const QString& n : names)
            s << text(n);
        return s;
    }
};

// The questions of the save.
inline const QString kNewQuestion = QStringLiteral("保存数据前必须确认数据准确无误，然后保存。数据正确吗？");
inline const QString kEditQuestion = QStringLiteral("保存数据前必须确认修改数据准确无误，然后保存。数据正确吗？");
inline const QString kDataError = QStringLiteral("数据错误，请检查数据或与vero科技处联系！");
inline const QString kNoRow = QStringLiteral("没有找到要修改的记录，数据没有保存！");
