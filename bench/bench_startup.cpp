// Start-up speed: from the creation of the application object to the login window
// shown, in a fresh application folder. Printed, never asserted.
//
//     build/bench/bench_startup

#include "TestSupport.h"
#include "VbForm.h"
#include "frame/Startup.h"
#include "frame/frmLogin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer total;
    total.start();
    QApplication app(argc, argv);
    const qint64 appMs = total.elapsed();

    // The application folder with its database is made before the clock starts.
    AppFixture fx;
    QTemporaryDir lockDir;

    QElapsedTimer t;
    const int runs = 5;
    qint64 first = 0, best = -1, sum = 0;
    for (int i = 0; i < runs; ++i) {
        startup::SingleInstance instance(lockDir.filePath("bench.lock"));
        t.start();
        if (startup::Start(instance) != startup::Outcome::Run) {
            std::fprintf(stderr, "bench_startup: the login window did not open\n");
            return 1;
        }
        if (!QTest::qWaitForWindowExposed(&forms::frmLogin.get(), 5000)) {
            std::fprintf(stderr, "bench_startup: the login window was not shown\n");
            return 1;
        }
        const qint64 ms = t.elapsed();
        if (i == 0)
            first = ms + appMs;
        sum += ms;
        best = best < 0 ? ms : qMin(best, ms);
        forms::frmLogin->Unload();
        Settle();
    }
    std::printf("QApplication created:                  %lld ms\n", static_cast<long long>(appMs));
    std::printf("application object to login shown:      %lld ms (first run)\n", static_cast<long long>(first));
    std::printf("start-up steps to login shown:         best %lld ms, mean %.1f ms over %d runs\n",
                static_cast<long long>(best), double(sum) / runs, runs);
    FormRegistry::destroyAll();
    return 0;
}
