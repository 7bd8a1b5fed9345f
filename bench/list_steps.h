#pragma once
// The steps a list's layout takes after a fill: the layout measures a share of many new rows at once and the rest on
// the next turns of the event loop. The benchmarks run those turns one by one and give the longest (what holds the
// window) and the time until the columns have measured every row.

#include "ui/framework/lists/list_measure.h"

#include <QCoreApplication>
#include <QTreeView>

#include <algorithm>
#include <chrono>

namespace list_steps {

struct Steps {
    double longestMs = 0; // the longest turn of the event loop
    double doneMs = 0;    // until no row waits to be measured
    int count = 0;
};

inline Steps RunLayoutSteps(QTreeView& list)
{
    using Clock = std::chrono::steady_clock;
    Steps steps;
    const auto start = Clock::now();
    while (CListMeasure::Of(list).HasWaitingRows()) {
        const auto turn = Clock::now();
        QCoreApplication::processEvents();
        steps.longestMs =
            std::max(steps.longestMs, std::chrono::duration<double, std::milli>(Clock::now() - turn).count());
        ++steps.count;
    }
    steps.doneMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return steps;
}

} // namespace list_steps
