#pragma once
// The arithmetic of the SHDSL PM dialogs, without windows: which counters are plausible, and what the live graph of
// the current PM is fed.
//
// Seconds above their interval's length (900 for 15 minutes, 86400 for a day) and CRC anomalies above 44100 in 15
// minutes or 4233600 in a day are no counts a line can have made: from the first such group on, a record shows zeros.
// The graph of a current row gets the CO and the RT counters of its interval as one point of ten values; its series
// start again when it has just opened, when an interval rolled over (its elapsed seconds did not grow) or when any
// counter of the four current rows went down.
//
//     feed_.RequestReset();                                 // the graph opens, or Restart
//     const ShdslPmGraphPoint point = feed_.Next(numbers, elapsed15Min, elapsedDay, row);
//     if (point.clear) graph.ClearSeries(false);
//     graph.AddPoints(point.values, QString());

#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_pm_rec.h"

#include <array>
#include <cstdint>
#include <vector>

// The record as shown: all zeros when an elapsed time is beyond its interval; else from the first group (15 minutes,
// day, previous day) that is not plausible on, zeros.
ShdslPmRec PlausibleShdslPm(const ShdslPmRec& rec);
// An interval as shown: its counters checked over 15 minutes; the whole record zeros, its creation time included,
// when they are not plausible.
ShdslIntervalRec PlausibleShdslInterval(const ShdslIntervalRec& rec);

// ES, SES, UAS, LOSWS and CRC of one row.
using ShdslPmRowNumbers = std::array<uint32_t, 5>;
// Of rows 0, 1, 4 and 5 (current 15 minutes CO and RT, current day CO and RT).
using ShdslPmCurrentNumbers = std::array<ShdslPmRowNumbers, 4>;

struct ShdslPmGraphPoint {
    bool clear = false;
    std::vector<double> values; // the CO row's five counters, then the RT row's
};

class CShdslPmGraphFeed {
public:
    void RequestReset() { reset_ = true; }
    // The point of the interval of list row 0, 1, 4 or 5 after a refresh that showed these numbers.
    ShdslPmGraphPoint Next(const ShdslPmCurrentNumbers& numbers, uint32_t elapsed15Min, uint32_t elapsedDay,
                           int listRow);

private:
    bool reset_ = true;
    ShdslPmCurrentNumbers kept_{};
    uint32_t elapsed15Min_ = 0;
    uint32_t elapsedDay_ = 0;
};
