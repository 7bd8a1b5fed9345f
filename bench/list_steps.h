#pragma once
// The steps a list's layout takes after a fill: the layout measures a share of many new rows at once and the rest on
// the next turns of the event loop. The benchmarks run those turns one by one and give the longest (what holds the
// window) and the time until the columns have measured every row. CStepWatch gives the longest turn of the event loop
// while the program runs a command of its own (a dialog that opens and fills its list), which the benchmark cannot run
// turn by turn.

#include "ui/framework/lists/list_measure.h"

#include <QCoreApplication>
#include <QTimer>
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

// From Start to Stop, the longest time the event loop went without a turn: a timer without interval fires at each turn,
// so the gap between two of its beats is what one turn held the thread (the first beat counts from Start, Stop from
// the last beat).
class CStepWatch {
public:
    using Clock = std::chrono::steady_clock;

    CStepWatch()
    {
        beat_.setInterval(0);
        QObject::connect(&beat_, &QTimer::timeout, [this] { Beat(); });
    }

    void Start()
    {
        longestMs_ = 0;
        last_ = Clock::now();
        beat_.start();
    }
    // The longest step since Start.
    double Stop()
    {
        beat_.stop();
        Beat();
        return longestMs_;
    }

private:
    void Beat()
    {
        const auto now = Clock::now();
        longestMs_ = std::max(longestMs_, std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }

    QTimer beat_;
    Clock::time_point last_;
    double longestMs_ = 0;
};

} // namespace list_steps
