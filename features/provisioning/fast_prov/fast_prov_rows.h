#pragma once
// The rows of a fast provisioning: for each xDSL port of the range one port row, followed by one row per PVC of the
// port, with the VPI, VCI, VLAN and static IP block each PVC gets. The rows carry the values the batch writes; what
// the list shows is made from them, never read back from the screen.
//
//     const std::vector<FastProvPort> ports = ListFastProvPorts(ne, params, models);
//     const FastProvExpansion rows = ExpandFastProvRows(params, ports, conflicts);
//     if (rows.vlanOverflow) ... "Vlan ID overflow", nothing is sent ...

#include "core/entity/entity_index.h"
#include "features/provisioning/fast_prov/fast_prov_params.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CEntityModelSet;
class CNeRecord;

struct FastProvPort {
    uint32_t entityId = 0;
    CEntityIndex index; // port level
};

enum class FastProvOutcome : uint8_t { kPending, kDone, kFailed };

struct FastProvRow {
    bool isPort = false;
    uint32_t number = 0; // port rows: 1, 2, ... in order
    FastProvPort port;
    // PVC rows.
    uint8_t vpi = 0;
    uint16_t vci = 0;
    uint16_t vlan = 0;                 // bridged; routed PVCs use VLAN 1
    std::array<uint8_t, 4> staticIp{}; // 0.0.0.0: none
    // The static IP block of this PVC conflicts with addresses in use: the batch skips the row.
    bool skipped = false;
    FastProvOutcome outcome = FastProvOutcome::kPending;
};

struct FastProvExpansion {
    std::vector<FastProvRow> rows;
    bool vlanOverflow = false; // a PVC would need a VLAN outside 1..4094: no rows
};

// Whether a static IP block (first address, count) holds an address already in use.
using StaticIpConflictTest = std::function<bool(const std::array<uint8_t, 4>& first, uint8_t count)>;

// The xDSL ports of the range, by shelf, slot and port: on each shelf from the first to the last, the slots from the
// first slot to the last (the same on every shelf) that take xDSL line cards and hold the chosen module
// type or nothing (an empty slot is provisioned as the chosen type), and of each card the positions that take an
// ADSL or SHDSL port.
std::vector<FastProvPort> ListFastProvPorts(const CNeRecord& ne, const FastProvParams& params,
                                            const CEntityModelSet& models);

// The rows of the ports. Static IP blocks are asked of `conflicts` (none: no test).
FastProvExpansion ExpandFastProvRows(const FastProvParams& params, const std::vector<FastProvPort>& ports,
                                     const StaticIpConflictTest& conflicts = {});
