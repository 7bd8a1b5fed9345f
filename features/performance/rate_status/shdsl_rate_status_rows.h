#pragma once
// The rows of the SHDSL rate status: one per item of the items string, each with the value the port's reply gives
// it. Rates are shown in kbit/s (the remainder dropped), the transmission mode by its annex, margins and attenuations
// in dB as received, unsigned.

#include "link/records/shdsl_rate_status_rec.h"
#include "ui/framework/lists/list_columns.h"

#include <cstdint>
#include <string>
#include <vector>

struct ShdslRateStatusRow {
    uint32_t number = 0; // the item's place, from 0
    std::string item;
    std::string value;
};

std::vector<ListColumn<ShdslRateStatusRow>> ShdslRateStatusColumns();
// A row for each item, the values empty.
std::vector<ShdslRateStatusRow> ShdslRateStatusRows();
// The values in the items' order: current rate, attainable rate, mode, STU-C margin and attenuation, STU-R margin
// and attenuation.
std::vector<std::string> ShdslRateStatusValues(const ShdslRateStatusRec& rec);
