#pragma once
// The watch over an operation the NE performs while a progress dialog waits for it (a copy on its file system, a line
// test): the time elapsed, a banner that scrolls, a bar that runs round, and when to ask the NE again. The dialog
// ticks it on its timer; once a poll period has passed since the start or the last answer it asks the NE how the
// operation stands, and an answer that it goes on starts the next period (Polled). Where a time limit is given, an
// operation that has not ended by then is given up, so that an NE that keeps saying "in progress" cannot hold the
// operator in the dialog. A clock set back restarts the counting and asks at once.
//
//     CProgressWatch watch([] { return GetCurrentUtcTime(); }, {.barRangeMs = serverWaitMs, .pollPeriodMs = 10000});
//     const CProgressWatch::Tick tick = watch.OnTick();  // on each tick of the dialog's timer
//     if (tick.poll) ... ask the NE; while it goes on, watch.Polled();
//
// The banner moves every 15 ticks of a counter that counts modulo 10000: the watch's own, or one the caller keeps for
// longer (the line tests keep one per test for the life of the program).

#include "core/util/time_record.h"

#include <cstdint>
#include <functional>
#include <string>

class CProgressWatch {
public:
    using Clock = std::function<TimeRec()>;

    static constexpr uint32_t kBannerTicks = 15;

    struct Setup {
        uint32_t barRangeMs = 1; // the bar runs from 0 to this and starts again; at least 1
        int64_t pollPeriodMs = 0;
        int64_t timeLimitMs = 0;         // 0: none
        uint32_t* tickCounter = nullptr; // null: the watch's own
    };

    CProgressWatch(Clock clock, Setup setup);

    struct Tick {
        int64_t elapsedMs = 0;    // since the start
        uint32_t barPosition = 0; // 0 .. bar range - 1
        bool moveBanner = false;
        bool poll = false;     // the NE is to be asked now
        bool timedOut = false; // the operation has had its time: give up
    };
    Tick OnTick();
    // The NE said the operation goes on: the next question a poll period from now.
    void Polled();

private:
    Clock clock_;
    Setup setup_;
    TimeRec start_;
    TimeRec lastPoll_;
    uint32_t ticks_ = 0;
};

// The elapsed time as a progress dialog shows it: seconds and milliseconds, "12.345".
std::string ElapsedText(int64_t ms);
// The banner moved on by one (at most its first 256 characters kept): its first character goes to the end.
std::string RotateBanner(const std::string& text);
