#pragma once
// What the ADSL current PM dialog feeds its live graph after each refresh: for the graphed row (current 15 minutes or
// current day, CO or RT), the cells sent and received as totals and as the change since the refresh before, and
// their rates since the interval began and since the refresh before, in kbit/s. The series start again (the graph is
// cleared) when asked to, when an interval rolled over (its elapsed seconds did not grow) or when any counter of the
// four current rows went down.
//
//     feed_.RequestReset();                                    // the graph opens, or Restart
//     const AdslPmGraphPoints points = feed_.Next(numbers, elapsed15Min, elapsedDay, row);
//     if (points.clear) graph.ClearSeries(false);
//     graph.AddPoints(points.values, QString::number(points.elapsed));

#include <array>
#include <cstdint>
#include <vector>

// The numbers of columns 2..14 of one of the current rows, as the list shows them.
using AdslPmRowNumbers = std::array<uint32_t, 13>;
// Of rows 0, 1, 4 and 5 (current 15 minutes CO and RT, current day CO and RT).
using AdslPmCurrentNumbers = std::array<AdslPmRowNumbers, 4>;

struct AdslPmGraphPoints {
    bool clear = false;
    uint32_t elapsed = 0;       // the x label: the interval's elapsed seconds
    std::vector<double> values; // Tx total, Tx delta, Tx average rate, Tx rate since the last, the same for Rx
};

class CAdslPmGraphFeed {
public:
    void RequestReset() { reset_ = true; }
    // The points of list row 0, 1, 4 or 5 after a refresh that showed these numbers and elapsed seconds.
    AdslPmGraphPoints Next(const AdslPmCurrentNumbers& numbers, uint32_t elapsed15Min, uint32_t elapsedDay,
                           int listRow);

private:
    bool reset_ = true;
    AdslPmCurrentNumbers baseline_{};
    AdslPmCurrentNumbers previous_{};
    uint32_t elapsed15Min_ = 0;
    uint32_t elapsedDay_ = 0;
};
