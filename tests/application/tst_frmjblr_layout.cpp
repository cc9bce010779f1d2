// The application window's tabs as a user sees them: every box can be seen whole.
#include "JblrDriver.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

class TestFrmjblrLayout : public QObject {
    Q_OBJECT
    JblrDriver d;

private slots:
    void cleanup() { d.f = nullptr; }

    void everyBoxWhollyVisible_data()
    {
        addCategoryRows();
    }

    // On every tab each visible box lies inside its page, and nothing else of the page
    // is drawn over it (the pick lists are closed).
    void everyBoxWhollyVisible()
    {
        QFETCH(int, category);
        AppFixture fx;
        insertApplication(fx, category, "项目", "张三", "数学", "示范大学", "2026.01.01");
        d.open(category);
        VbTab* tabs = d.tabs();
        int boxes = 0;
        for (int t = 0; t < tabs->count(); ++t) {
            if (!tabs->isTabVisible(t))
                continue;
            tabs->SetTab(t);
            Settle();
            QWidget* page = tabs->widget(t);
            const QRect inside = page->rect();
            for (QWidget* w : page->findChildren<QWidget*>()) {
                const bool box = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
                    || qobject_cast<QCheckBox*>(w) || qobject_cast<QAbstractScrollArea*>(w);
                if (!box || !w->isVisible() || qobject_cast<QAbstractScrollArea*>(w->parentWidget()))
                    continue;
                ++boxes;
                const QRect r(w->mapTo(page, QPoint(0, 0)), w->size());
                const QString where = QStringLiteral("%1 on tab %2 at %3,%4 %5x%6 in %7x%8")
                                          .arg(w->objectName())
                                          .arg(t)
                                          .arg(r.x())
                                          .arg(r.y())
                                          .arg(r.width())
                                          .arg(r.height())
                                          .arg(inside.width())
                                          .arg(inside.height());
                QVERIFY2(inside.contains(r), qPrintable(where));
                // Whatever the page shows at the box's corners and centre is the box (the
                // member rows' boxes stand as a grid, each border on its neighbour's).
                const QRect in = r.adjusted(2, 2, -2, -2);
                for (const QPoint& p : {in.topLeft(), in.topRight(), in.bottomLeft(), in.bottomRight(), in.center()}) {
                    QWidget* at = page->childAt(p);
                    QVERIFY2(at == w || w->isAncestorOf(at), qPrintable(where + " under " + (at ? at->objectName() : "")));
                }
            }
        }
        QVERIFY(boxes > 50);
    }
};

QTEST_MAIN(TestFrmjblrLayout)
#include "tst_frmjblr_layout.moc"
