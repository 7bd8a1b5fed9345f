#pragma once
// The watch over one copy the NE performs on its file system, as its progress dialog shows it (progress_watch.h): the
// dialog ticks it every 5 ms and asks the NE every 30 seconds how the copy stands, for as long as the NE copies.
//
//     CNeFsCopyWatch watch([] { return GetCurrentUtcTime(); }, serverWaitMs);
//     const CNeFsCopyWatch::Tick tick = watch.OnTick();  // each 5 ms
//     if (tick.poll) ... ask the NE; on "in progress" watch.Polled();

#include "core/util/progress_watch.h"

#include <cstdint>
#include <optional>

// Copy states as the NE reports them at offset 84 of the copy record.
inline constexpr uint32_t kNeFsCopyStateInProgress = 2;

class CNeFsCopyWatch : public CProgressWatch {
public:
    static constexpr int64_t kPollPeriodMs = 30000;

    // `barRangeMs`: the bar runs from 0 to this and starts again; at least 1.
    CNeFsCopyWatch(Clock clock, uint32_t barRangeMs)
        : CProgressWatch(std::move(clock), {.barRangeMs = barRangeMs, .pollPeriodMs = kPollPeriodMs})
    {
    }
};

// The text of a copy's final state that says why it failed; none for a copy that ended well.
std::optional<uint32_t> CopyFailureTextId(uint32_t state);
