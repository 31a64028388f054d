#pragma once

// How every benchmark reports: ours and the reference measured alternately
// in the same process, the median of each, the median of the per-run ratios
// with their spread, and the goal the figure is held against.

#include <QElapsedTimer>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace Bench {

constexpr int kRuns = 5;

inline double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values.at(values.size() / 2);
}

inline double elapsedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

inline void printHeader(const char *title)
{
    std::printf("\n%s\n%-46s %12s %12s %7s %13s  %s\n", title, "figure", "ours", "reference",
                "ratio", "ratio spread", "goal");
    std::fflush(stdout);
}

inline void printFigure(const QString &name, double ours, double reference, double ratio,
                        double low, double high, const QString &goal)
{
    if (reference > 0.0)
        std::printf("%-46s %12.3f %12.3f %7.2f %6.2f-%-6.2f  %s\n", qPrintable(name), ours,
                    reference, ratio, low, high, qPrintable(goal));
    else
        std::printf("%-46s %12.3f %12s %7s %13s  %s\n", qPrintable(name), ours, "-", "-", "-",
                    qPrintable(goal));
    std::fflush(stdout);
}

// Each function returns one measurement (lower is better); a null reference
// leaves the reference columns empty. Returns the median of ours.
inline double compare(const QString &name, const std::function<double()> &ours,
                      const std::function<double()> &reference, const QString &goal,
                      int runs = kRuns)
{
    QVector<double> own;
    QVector<double> other;
    QVector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        own << ours();
        if (reference) {
            other << reference();
            ratios << (other.last() > 0.0 ? own.last() / other.last() : 0.0);
        }
    }
    std::sort(ratios.begin(), ratios.end());
    printFigure(name, median(own), median(other), median(ratios),
                ratios.isEmpty() ? 0.0 : ratios.first(), ratios.isEmpty() ? 0.0 : ratios.last(),
                goal);
    return median(own);
}

} // namespace Bench
