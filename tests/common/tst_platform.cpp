// The message service as the desktop shows it: the hourglass while work runs, the
// arrow over a box that waits for the user, the reason behind the details button.
#include "Platform.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void busyGuardsNest()
    {
        AppFixture fx;
        {
            platform::BusyCursor outer;
            QCOMPARE(fx.ui.busyDepth, 1);
            {
                platform::BusyCursor inner;
            }
            // The inner guard's end leaves the outer work's hourglass on.
            QCOMPARE(fx.ui.busyDepth, 1);
        }
        QCOMPARE(fx.ui.busyDepth, 0);
    }

    void arrowSetByWindowEndsTheGuards()
    {
        AppFixture fx;
        {
            platform::BusyCursor guard;
            platform::SetBusy(false);
            QCOMPARE(fx.ui.busyDepth, 0);
        }
        // The guard's end after the window's arrow does not unbalance the next one.
        {
            platform::BusyCursor guard;
            QCOMPARE(fx.ui.busyDepth, 1);
        }
        QCOMPARE(fx.ui.busyDepth, 0);
    }

    // The desktop's own boxes: answered from a timer, since no scripted service
    // stands in front of them here.
    void desktopBoxShowsArrowAndDetail()
    {
        platform::setBackend(nullptr);
        Qt::CursorShape shapeOverBox = Qt::WaitCursor;
        QString detail;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (const QCursor* c = QGuiApplication::overrideCursor())
                shapeOverBox = c->shape();
            detail = box->detailedText();
            box->buttons().first()->click();
        });
        {
            platform::BusyCursor busy;
            platform::MsgBox(QStringLiteral("保存失败。"), platform::vbOKOnly, {}, QStringLiteral("磁盘已满。"));
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QCOMPARE(shapeOverBox, Qt::ArrowCursor);
        QCOMPARE(detail, QStringLiteral("磁盘已满。"));
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
