#pragma once
// What the ADSL rate status dialog shows of one line status record (request 661), without a window: the twelve rows
// of items with their downstream and upstream texts, and which power state transitions it offers. Rates are shown in
// kbit/s with the fraction dropped, tenths of dB with one decimal; the line standard, power management mode and power
// state are the line's own and have no upstream value ("--").
//
//     const AdslRateStatusView view = ViewOfRateStatus(rec);
//     for (size_t row = 0; row < view.rows.size(); ++row) ... view.rows[row].downstream ...
//     EnableControl(kToL2Id, view.toL2);

#include "link/records/adsl_rate_status_rec.h"

#include <array>
#include <string>

inline constexpr size_t kAdslRateStatusRowCount = 12;

struct AdslRateStatusCells {
    std::string downstream;
    std::string upstream;
};

struct AdslRateStatusView {
    std::array<AdslRateStatusCells, kAdslRateStatusRowCount> rows;
    // The transitions offered: none while the NE manages the line's power, nor for a line without a rate in L0 or
    // L2; in L2 no L2, in L3 initiated by the CO only L0, in L3 initiated by the CPE none.
    bool toL0 = false;
    bool toL2 = false;
    bool toL3 = false;
};

AdslRateStatusView ViewOfRateStatus(const AdslRateStatusRec& rec);
// The name of a line standard code; "reserved or unknown" for a code not in the table.
std::string LineStandardName(uint32_t code);
