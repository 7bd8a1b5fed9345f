#pragma once
// The rows of the lists of 15-minute PM intervals (the ADSL history PM and the long-term PM): the CO intervals first,
// then the RT ones, numbered 1, 2, ... in that order, each shown with its creation time, side, seconds, cells with
// their rate over the 15 minutes and counts. An interval whose counters no line can have made shows zeros (with its
// creation time, so that the row still says which interval it is).
//
// The columns sort as the operator expects of them: the creation time by time, CO before RT of the same time whichever
// way; the side with its intervals in time order; a number by its value, then by time and side.

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
std::vector<ListColumn<PmIntervalRow>> PmIntervalColumns();
