#include "ui/framework/lists/port_matrix.h"

#include "core/tables/entity_labels.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string PortRangeText(const PortMatrixRow& row)
{
    if (row.slotId == 0)
        return LoadString(kStrUplinkPorts);
    char text[8];
    std::snprintf(text, sizeof text, "%02u-%02u", row.firstPort,
                  std::min(row.firstPort + kPortMatrixRowPorts - 1, kPortMatrixSlotPorts));
    return text;
}

} // namespace

std::vector<PortMatrixRow> PortMatrixRows(const std::vector<uint32_t>& lineCardSlotIds)
{
    std::vector<PortMatrixRow> rows;
    for (size_t k = 0; k < lineCardSlotIds.size(); ++k) {
        for (unsigned first = 1; first <= kPortMatrixSlotPorts; first += kPortMatrixRowPorts)
            rows.push_back({lineCardSlotIds[k], k, first});
    }
    rows.push_back({});
    return rows;
}

int PortMatrixCell(const PortMatrixRow& row, unsigned offset, const PortMatrixMember& isMember)
{
    if (row.slotId == 0)
        return offset >= kPortMatrixUplinks ? -1 : (isMember(row, offset) ? 1 : 0);
    const unsigned port = row.firstPort + offset;
    if (port > kPortMatrixSlotPorts)
        return -1;
    return isMember(row, port) ? 1 : 0;
}

std::vector<ListColumn<PortMatrixRow>> PortMatrixColumns(std::function<const CNeRecord*()> ne,
                                                         PortMatrixMember isMember)
{
    std::vector<ListColumn<PortMatrixRow>> columns{
        {.order = ListOrder::kArrival},
        {.value =
             [ne = std::move(ne)](const PortMatrixRow& row) {
                 if (row.slotId == 0)
                     return ListValue(LoadString(kStrUplinkSlot));
                 return ListValue(row.firstPort == 1 ? FormatEntityLocationById(ne(), row.slotId) : std::string());
             },
         .order = ListOrder::kArrival},
        {.value = [](const PortMatrixRow& row) { return ListValue(PortRangeText(row)); }, .order = ListOrder::kArrival},
    };
    for (unsigned offset = 0; offset < kPortMatrixRowPorts; ++offset) {
        columns.push_back({.value =
                               [isMember, offset](const PortMatrixRow& row) {
                                   const int state = PortMatrixCell(row, offset, isMember);
                                   return ListValue(state < 0
                                                        ? std::string()
                                                        : LoadString(state == 1 ? kStrVlanMember : kStrVlanNonMember));
                               },
                           .order = ListOrder::kArrival,
                           .image =
                               [isMember, offset](const PortMatrixRow& row) {
                                   const int state = PortMatrixCell(row, offset, isMember);
                                   return state < 0 ? -1 : (state == 1 ? kImageMember : kImageNonMember);
                               }});
    }
    return columns;
}
