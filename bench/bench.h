#pragma once

// The benchmark's measures: ZQ's runs and its floor's, taken in turns so
// that what else the machine does falls on both alike.

#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace zq::bench {

inline double nowMs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Series {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    bool empty() const { return values.empty(); }
    double median() const
    {
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }
    double min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

// What a measure must reach: ZQ at most `ratio` times its floor, or at most
// `plus` above it (memory); 0 for no goal.
struct Goal {
    double ratio = 0;
    double plus = 0;
};

inline void printHeader()
{
    std::printf("%-34s %12s %12s %7s  %-21s %-21s %s\n", "measure", "ZQ", "floor", "ratio", "ZQ min..max",
                "floor min..max", "goal");
}

// ZQ against its floor: the median of each round's own ratio, ZQ's run
// against the floor's run beside it, which a busy moment of the machine
// slows alike; the ratio of the medians when the runs are not paired.
inline double pairedRatio(const Series &zq, const Series &floor)
{
    if (zq.values.size() != floor.values.size() || zq.empty()) {
        const double f = floor.median();
        return f > 0 ? zq.median() / f : 0;
    }
    Series ratios;
    for (size_t i = 0; i < zq.values.size(); ++i)
        if (floor.values[i] > 0)
            ratios.add(zq.values[i] / floor.values[i]);
    return ratios.median();
}

// One line: name, ZQ's median, the floor's median, the ratio, both ranges,
// and whether the goal is met.
inline void printLine(const char *name, const Series &zq, const Series &floor, const char *unit, Goal goal = {})
{
    const double z = zq.median();
    const double f = floor.median();
    const double ratio = pairedRatio(zq, floor);
    QString goalText;
    if (goal.ratio > 0)
        goalText = QStringLiteral("<= %1x %2").arg(goal.ratio, 0, 'f', 2).arg(ratio <= goal.ratio ? "met" : "MISSED");
    else if (goal.plus > 0)
        goalText = QStringLiteral("<= +%1 %2 (+%3) %4")
                       .arg(goal.plus, 0, 'f', 0)
                       .arg(QString::fromLatin1(unit))
                       .arg(z - f, 0, 'f', 1)
                       .arg(z - f <= goal.plus ? "met" : "MISSED");
    const auto range = [unit](const Series &s) {
        return QStringLiteral("%1..%2 %3").arg(s.min(), 0, 'f', 2).arg(s.max(), 0, 'f', 2).arg(QString::fromLatin1(unit));
    };
    std::printf("%-34s %9.2f %-2s %9.2f %-2s %6.2fx  %-21s %-21s %s\n", name, z, unit, f, unit, ratio,
                qPrintable(range(zq)), qPrintable(range(floor)), qPrintable(goalText));
    std::fflush(stdout);
}

// The journal's costs, in the folder given (empty: the user's data folder).
bool BenchJournal(const QString &folder);

} // namespace zq::bench
