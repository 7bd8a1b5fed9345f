#pragma once
// The port matrix of the membership lists (a VLAN's, a multicast group's): five rows of ten ports for each line-card
// slot of the NE, then a row for its two uplinks. The columns are the slot (on its first row), the rows' ports
// ("01-10", or the uplinks), and ten port cells: "Y" with the member image, "N" with the other, nothing where the
// row has no such port. Which ports are members the list says.
//
//     rows_.SetRecords(PortMatrixRows(LineCardSlotIds(models, ne->neModelId)));
//     CIndexedRecordList<PortMatrixRow> rows_{*this, PortMatrixColumns([this] { return Ne(); },
//                                                                      [this](const PortMatrixRow& row, unsigned port)
//                                                                      { return IsMember(row, port); })};

#include "ui/framework/lists/list_columns.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CNeRecord;

inline constexpr unsigned kPortMatrixSlotPorts = 48;
inline constexpr unsigned kPortMatrixUplinks = 2;
inline constexpr unsigned kPortMatrixRowPorts = 10;

// One row of the matrix: ten ports of a line-card slot from its first port, or the uplinks.
struct PortMatrixRow {
    uint32_t slotId = 0;    // packed id of the slot; 0 for the uplinks' row
    size_t slotIndex = 0;   // the slot's place among the NE's line-card slots
    unsigned firstPort = 0; // 1, 11, 21, 31 or 41
};

// The rows for the NE's line-card slots (their packed ids in order), the uplinks' row last.
std::vector<PortMatrixRow> PortMatrixRows(const std::vector<uint32_t>& lineCardSlotIds);

// Whether a port of the row is a member: a line port by its number (1..48), an uplink by its number from 0.
using PortMatrixMember = std::function<bool(const PortMatrixRow& row, unsigned port)>;
// The cell of port column `offset` (0..9) of a row: 1 member, 0 not, -1 no such port.
int PortMatrixCell(const PortMatrixRow& row, unsigned offset, const PortMatrixMember& isMember);
// The columns, the slot's location taken from the NE the list shows.
std::vector<ListColumn<PortMatrixRow>> PortMatrixColumns(std::function<const CNeRecord*()> ne,
                                                         PortMatrixMember isMember);
