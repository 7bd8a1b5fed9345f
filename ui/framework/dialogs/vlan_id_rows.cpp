#include "ui/framework/dialogs/vlan_id_rows.h"

#include "core/util/bit_string.h"

namespace {

constexpr size_t kVlanIds = 4096;

} // namespace

std::vector<VlanIdRow> VlanIdRows(std::span<const uint8_t> bitMap)
{
    std::vector<VlanIdRow> rows;
    size_t cell = kVlanIdsPerRow;
    for (size_t vlan = 0; vlan < kVlanIds && vlan / 8 < bitMap.size(); ++vlan) {
        if (TestBit(bitMap, vlan) != 1)
            continue;
        if (cell == kVlanIdsPerRow) {
            rows.push_back({static_cast<uint32_t>(rows.size()), {-1, -1, -1, -1, -1}});
            cell = 0;
        }
        rows.back().vlans[cell++] = static_cast<int32_t>(vlan);
    }
    return rows;
}

std::vector<ListColumn<VlanIdRow>> VlanIdColumns()
{
    std::vector<ListColumn<VlanIdRow>> columns;
    for (size_t cell = 0; cell < kVlanIdsPerRow; ++cell)
        columns.push_back({.value =
                               [cell](const VlanIdRow& row) {
                                   return row.vlans[cell] < 0 ? ListValue("") : ListValue(row.vlans[cell]);
                               },
                           .order = ListOrder::kUnsigned});
    return columns;
}
