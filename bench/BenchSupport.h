#pragma once
// What the bench programs share: running without a display, and taking times.
// Every time is in milliseconds.

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

namespace bench {

// Windows are drawn offscreen when no platform is asked for and there is no display;
// call it before the application object is made.
inline void OffscreenWhenHeadless()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline double Ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

inline double Time(const std::function<void()>& measured)
{
    QElapsedTimer t;
    t.start();
    measured();
    return Ms(t);
}

// The time of each of `runs` runs of `measured`; `prepare` runs before each, off the clock.
inline std::vector<double> Times(int runs, const std::function<void()>& measured,
                                 const std::function<void()>& prepare = {})
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        ms.push_back(Time(measured));
    }
    return ms;
}

inline double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

inline double Best(const std::vector<double>& ms) { return *std::min_element(ms.begin(), ms.end()); }

inline double Mean(const std::vector<double>& ms) { return std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size()); }

inline double MedianOf(int runs, const std::function<void()>& measured, const std::function<void()>& prepare = {})
{
    return Median(Times(runs, measured, prepare));
}

inline double BestOf(int runs, const std::function<void()>& measured, const std::function<void()>& prepare = {})
{
    return Best(Times(runs, measured, prepare));
}

// One figure beside the same work done the plain way, with their ratio and a note
// (what the ratio should be), if any.
inline void Line(const char* what, double ms, const char* plainWhat, double plainMs, const char* note = nullptr)
{
    std::printf("%-46s %10.3f ms   %s %10.3f ms   x%.2f", what, ms, plainWhat, plainMs, ms / plainMs);
    if (note)
        std::printf("  (%s)", note);
    std::printf("\n");
}

}  // namespace bench
