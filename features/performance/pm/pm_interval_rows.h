#pragma once
// The rows of the lists of 15-minute PM intervals (the ADSL history PM and the long-term PM): the CO intervals first,
// then the RT ones, numbered 1, 2, ... in that order, each shown with its creation time, side, seconds, cells with
// their rate over the 15 minutes and counts. An interval whose counters no line can have made shows zeros (with its
// creation time, so that the row still says which interval it is).
//
// The columns sort as the operator expects of them: the creation time by time, CO before RT of the same time whichever
// way; the side with its intervals in time order; a number by its value, then by time and side. The time is the time
// itself or its text as shown, as `order` says at each sort (pm_interval_columns.h); in a list that sorts by the
// text, the cells with their rate sort as text too.

#include "link/records/xdsl_pm_interval_rec.h"
#include "ui/framework/lists/list_columns.h"

#include <cstdint>
#include <vector>

struct PmIntervalRow {
    uint32_t number = 0; // the row's key
    bool remote = false;
    XdslPmIntervalRec interval; // as shown
};

enum PmIntervalColumn {
    kPmCreateTimeColumn,
    kPmSideColumn,
    kPmLossColumn,
    kPmErroredColumn,
    kPmSeverelyErroredColumn,
    kPmUnavailableColumn,
    kPmTxCellsColumn,
    kPmRxCellsColumn,
    kPmCodeViolationsColumn,
    kPmFullInitsColumn,
    kPmFailedInitsColumn,
};

// The rows of a list of CO and RT intervals, numbered from 1.
std::vector<PmIntervalRow> MakePmIntervalRows(const std::vector<XdslPmIntervalRec>& co,
                                              const std::vector<XdslPmIntervalRec>& rt);
enum class PmTimeOrder : uint8_t;
// `order` outlives the columns.
std::vector<ListColumn<PmIntervalRow>> PmIntervalColumns(const PmTimeOrder& order);
