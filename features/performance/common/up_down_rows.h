#pragma once
// The rows of a list of items with a downstream and an upstream value each (the ADSL rate status, the rate page of
// the loop diagnosis): one row per item of a "|"-separated string, in its order, the values set by the dialog.
//
//     rows_(*this, UpDownColumns(), [](const UpDownRow& row) { return row.number; })
//     rows_.SetRecords(UpDownRows(kStrAdslRateStatusItems));
//     rows_.Put({0, item, "8000", "800"});

#include "ui/framework/lists/list_columns.h"

#include <cstdint>
#include <string>
#include <vector>

struct UpDownRow {
    uint32_t number = 0; // the item's place, from 0
    std::string item;
    std::string downstream;
    std::string upstream;
};

// Item, Downstream, Upstream, in the items' order.
std::vector<ListColumn<UpDownRow>> UpDownColumns();
// A row for each item of the string, the values empty.
std::vector<UpDownRow> UpDownRows(uint32_t itemsStringId);
