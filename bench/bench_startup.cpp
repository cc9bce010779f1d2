// Start-up speed: from the creation of the application object to the login window
// shown, in a fresh application folder. Printed, never asserted.
//
//     build/bench/bench_startup

#include "BenchSupport.h"
#include "TestSupport.h"
#include "VbForm.h"
#include "Startup.h"
#include "frmLogin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv)
{
    bench::OffscreenWhenHeadless();
    QElapsedTimer total;
    total.start();
    QApplication app(argc, argv);
    const qint64 appMs = total.elapsed();

    // The application folder with its database is made before the clock starts.
    AppFixture fx;
    QTemporaryDir lockDir;

    QElapsedTimer t;
    const int runs = 5;
    std::vector<double> times;
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
        times.push_back(bench::Ms(t));
        forms::frmLogin->Unload();
        Settle();
    }
    std::printf("QApplication created:                  %lld ms\n", static_cast<long long>(appMs));
    std::printf("application object to login shown:      %.0f ms (first run)\n", double(appMs) + times[0]);
    std::printf("start-up steps to login shown:         best %.0f ms, mean %.1f ms over %d runs\n", bench::Best(times),
                bench::Mean(times), runs);
    FormRegistry::destroyAll();
    return 0;
}
