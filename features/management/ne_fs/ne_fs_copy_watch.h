#pragma once
// The watch over one copy the NE performs on its file system, as its progress dialog shows it: the time elapsed, a
// banner that scrolls, a bar that runs round, and when to ask the NE again. The dialog ticks it every 5 ms; every
// 30 seconds it asks the NE how the copy stands, and the NE's answer decides whether the watch goes on. A copy that
// has not ended after the time limit is given up, so that an NE that keeps saying "in progress" cannot hold the
// operator in the dialog. A clock set back restarts the counting rather than stopping it.
//
//     CNeFsCopyWatch watch([] { return GetCurrentUtcTime(); }, serverWaitMs);
//     const CNeFsCopyWatch::Tick tick = watch.OnTick();  // each 5 ms
//     if (tick.poll) ... ask the NE; on "in progress" watch.Polled();

#include "core/util/time_record.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Copy states as the NE reports them at offset 84 of the copy record.
inline constexpr uint32_t kNeFsCopyStateInProgress = 2;

class CNeFsCopyWatch {
public:
    using Clock = std::function<TimeRec()>;

    static constexpr int64_t kPollPeriodMs = 30000;
    static constexpr int64_t kTimeLimitMs = 10 * 60 * 1000;
    // The banner moves by one character every this many ticks.
    static constexpr uint32_t kBannerTicks = 15;

    // `barRangeMs`: the bar runs from 0 to this and starts again; at least 1.
    CNeFsCopyWatch(Clock clock, uint32_t barRangeMs);

    struct Tick {
        int64_t elapsedMs = 0;    // since the start
        uint32_t barPosition = 0; // 0 .. bar range - 1
        bool moveBanner = false;
        bool poll = false;     // the NE is to be asked now
        bool timedOut = false; // the copy has had its time: give up
    };
    Tick OnTick();
    // The NE said the copy goes on: the next question in 30 seconds.
    void Polled();

private:
    Clock clock_;
    uint32_t barRangeMs_;
    TimeRec start_;
    TimeRec lastPoll_;
    uint32_t ticks_ = 0;
};

// The elapsed time as the dialog shows it: seconds and milliseconds, "12.345".
std::string ElapsedText(int64_t ms);
// The banner moved on by one: its first character goes to the end.
std::string RotateBanner(const std::string& text);
// The text of a copy's final state that says why it failed; none for a copy that ended well.
std::optional<uint32_t> CopyFailureTextId(uint32_t state);
