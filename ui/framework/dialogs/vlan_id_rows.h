#pragma once
// The VLAN ids of a VLAN bit map (4096 bits, bit n for VLAN n, bit 0 the most significant bit of the first byte) as
// the rows of a list: in ascending order, five to a row, a new row after every fifth id. The trunk VLAN list and the
// broadcast VLAN list of a line card show their maps so.
//
//     CRecordList<VlanIdRow> rows_{*this, VlanIdColumns(), [](const VlanIdRow& row) { return row.number; }};
//     rows_.SetRecords(VlanIdRows(rec.vlans));

#include "ui/framework/dialogs/record_list.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr size_t kVlanIdsPerRow = 5;

// One row: up to five VLAN ids, -1 where the row has none; `number` counts the rows from 0.
struct VlanIdRow {
    uint32_t number = 0;
    std::array<int32_t, kVlanIdsPerRow> vlans{-1, -1, -1, -1, -1};
};

std::vector<VlanIdRow> VlanIdRows(std::span<const uint8_t> bitMap);
// The five columns of a row, each a number compared as a number, empty where the row has no id.
std::vector<ListColumn<VlanIdRow>> VlanIdColumns();
