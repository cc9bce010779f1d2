// The guard where Qt calls the program's code: a failing step of a window's life,
// a queued call or a data-control button is shown and the program goes on; a
// window's pointers to its controls never outlive them.

#include "Controls.h"
#include "DataControl.h"
#include "Guard.h"
#include "TestSupport.h"
#include "VbForm.h"

#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <stdexcept>

namespace {

// A window whose steps fail on request, halfway through.
class StepForm : public VbForm {
public:
    StepForm()
        : VbForm(QStringLiteral("StepForm"))
    {
    }
    QString failAt;   // "controls", "load", "unload" or "" for none
    int loads = 0;
    int unloads = 0;
    ControlPtr<VbTextBox> box{this};
    ControlPtr<VbButton> button{this};

protected:
    void SetupUi() override
    {
        box = new VbTextBox(this, QStringLiteral("box"));
        if (failAt == QLatin1String("controls"))
            throw std::runtime_error("controls failed");
        button = new VbButton(this, QStringLiteral("button"), QStringLiteral("B"));
    }
    void Form_Load() override
    {
        ++loads;
        if (failAt == QLatin1String("load"))
            throw DbError(QStringLiteral("load failed"));
    }
    void Form_Unload() override
    {
        ++unloads;
        if (failAt == QLatin1String("unload"))
            throw DbError(QStringLiteral("unload failed"));
    }
};

int boxesOf(QWidget* w) { return static_cast<int>(w->findChildren<VbTextBox*>().size()); }

}  // namespace

class TestGuard : public QObject {
    Q_OBJECT
private slots:
    // A window whose load fails halfway is not loaded, keeps nothing of the failed
    // load, and loads again later with one set of fresh controls.
    void failingLoadStep_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("unloads");
        QTest::newRow("controls") << "controls" << "controls failed" << 0;
        QTest::newRow("load procedure") << "load" << "load failed" << 1;
    }
    void failingLoadStep()
    {
        QFETCH(QString, step);
        QFETCH(QString, message);
        QFETCH(int, unloads);
        AppFixture fx;
        StepForm f;
        f.failAt = step;
        f.Show();
        QVERIFY(!f.IsLoaded());
        QVERIFY(!f.isVisible());
        QCOMPARE(VbForm::LoadedCount(), 0);
        QCOMPARE(fx.ui.texts(), QStringList{message});
        QCOMPARE(fx.ui.messages[0].icon, int(platform::vbCritical));
        QCOMPARE(f.unloads, unloads);
        QVERIFY(!f.box);
        Settle();
        QCOMPARE(boxesOf(&f), 0);

        f.failAt.clear();
        f.Show();
        QVERIFY(f.IsLoaded());
        QVERIFY(f.isVisible());
        QCOMPARE(VbForm::LoadedCount(), 1);
        QVERIFY(f.box && f.button);
        QCOMPARE(boxesOf(&f), 1);
        f.Unload();
    }

    // A failing unload step is shown and the window unloads all the same, by its
    // close box or by code.
    void failingUnloadStepStillUnloads_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("close box") << true;
        QTest::newRow("by code") << false;
    }
    void failingUnloadStepStillUnloads()
    {
        QFETCH(bool, closeBox);
        AppFixture fx;
        StepForm f;
        f.Show();
        f.failAt = QStringLiteral("unload");
        if (closeBox)
            f.close();
        else
            f.Unload();
        QCOMPARE(fx.ui.texts(), QStringList{"unload failed"});
        QVERIFY(!f.IsLoaded());
        QVERIFY(!f.isVisible());
        QVERIFY(!f.box);
        QCOMPARE(VbForm::LoadedCount(), 0);
        QCOMPARE(fx.ui.endProgramCalls, 1);
        f.failAt.clear();
        f.Show();
        QVERIFY(f.IsLoaded());
        f.Unload();
    }

    // The pointers are null from the unload on, before the controls are deleted,
    // and point at the new controls after the next load.
    void controlPointersFollowTheControls()
    {
        AppFixture fx;
        StepForm f;
        QVERIFY(!f.box);
        f.Show();
        QPointer<VbTextBox> first = f.box.get();
        QVERIFY(first);
        QCOMPARE(f.box->parentWidget(), &f);
        f.Unload();
        QVERIFY(!f.box);
        QVERIFY(!f.button);
        Settle();
        QVERIFY(!first);
        f.Show();
        QVERIFY(f.box);
        QCOMPARE(f.box->parentWidget(), &f);
        f.Unload();
    }

    // A queued call that fails is shown; the calls queued after it still run.
    void failingQueuedCallIsShown()
    {
        AppFixture fx;
        bool ranAfter = false;
        QTimer::singleShot(0, qApp, Guarded([] { throw DbError(QStringLiteral("queued failed")); }));
        QTimer::singleShot(0, qApp, [&ranAfter] { ranAfter = true; });
        QTRY_VERIFY(ranAfter);
        QCOMPARE(fx.ui.texts(), QStringList{"queued failed"});
    }

    // A move button whose move cannot write the row it leaves says why; the data
    // control goes on working.
    void failingDataControlButtonIsShown()
    {
        AppFixture fx;
        fx.exec("insert into dwdm values ('00001', '甲大学')");
        fx.exec("create trigger refuse before insert on dwdm begin select raise(abort, 'row refused'); end");
        QWidget w;
        DataControl dc(&w, QStringLiteral("data1"));
        BindDataControl(dc, QStringLiteral("select * from dwdm order by dwdm"), QStringLiteral("dwdm"));
        dc.Rs().AddNew();
        dc.Rs().SetField(QStringLiteral("dwdm"), QStringLiteral("00002"));
        dc.Rs().SetField(QStringLiteral("dwmc"), QStringLiteral("乙大学"));
        dc.findChild<QToolButton*>(QStringLiteral("data1_first"))->click();
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(fx.ui.messages[0].text.contains("row refused"));
        QCOMPARE(fx.count("dwdm"), 1);
        fx.exec("drop trigger refuse");
        dc.Rs().CancelUpdate();
        dc.findChild<QToolButton*>(QStringLiteral("data1_last"))->click();
        QCOMPARE(dc.Rs().Text(0), QString("00001"));
        QCOMPARE(fx.ui.messages.size(), 1);
    }
};

QTEST_MAIN(TestGuard)
#include "tst_guard.moc"
