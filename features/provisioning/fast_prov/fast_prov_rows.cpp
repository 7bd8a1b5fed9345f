#include "features/provisioning/fast_prov/fast_prov_rows.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/util/vlan_id.h"

namespace {

constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports

uint32_t AddressValue(const std::array<uint8_t, 4>& address)
{
    return (uint32_t{address[0]} << 24) | (uint32_t{address[1]} << 16) | (uint32_t{address[2]} << 8) | address[3];
}

std::array<uint8_t, 4> AddressOf(uint32_t value)
{
    return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value)};
}

// The same slots on every shelf of the range: from the first index's slot to the last's. A first slot above the last
// takes none.
bool InRange(const FastProvParams& params, unsigned slot)
{
    return slot >= params.first.Slot() && slot <= params.last.Slot();
}

} // namespace

std::vector<FastProvPort> ListFastProvPorts(const CNeRecord& ne, const FastProvParams& params,
                                            const CEntityModelSet& models)
{
    std::vector<FastProvPort> ports;
    for (unsigned shelf = params.first.Shelf(); shelf != 0 && shelf <= params.last.Shelf(); ++shelf) {
        const CEntityIndex shelfIndex = CEntityIndex::FromLevels(1, shelf);
        const EntityChoices slotChoices = EnumerateSlotChoices(&ne, &shelfIndex, kXdslLinePorts, 0, 1, models);
        for (const EntityChoice& slot : slotChoices.choices) {
            if (!InRange(params, slot.number))
                continue;
            const CEntityIndex slotIndex = CEntityIndex::FromLevels(1, shelf, slot.number);
            const CEntityNode* node = ne.root != nullptr ? ne.root->FindChild(slotIndex) : nullptr;
            const uint32_t installed = node != nullptr ? node->GetModelId() : 0;
            // An empty slot is provisioned as the chosen type; another card is left alone.
            if (installed != 0 && installed != params.moduleType)
                continue;
            const CEntityType* card = models.FindModel(params.moduleType);
            if (card == nullptr)
                continue;
            for (int position = 0; position < card->GetChildCount(); ++position) {
                if (!card->SlotAcceptsClass(position, kProvClassAdslPort) &&
                    !card->SlotAcceptsClass(position, kProvClassShdslPort))
                    continue;
                CEntityId port;
                port.SetLevels(1, shelf, slot.number, static_cast<unsigned>(position + 1), 0);
                ports.push_back({port.id, port.index});
            }
        }
    }
    return ports;
}

FastProvExpansion ExpandFastProvRows(const FastProvParams& params, const std::vector<FastProvPort>& ports,
                                     const StaticIpConflictTest& conflicts)
{
    FastProvExpansion expansion;
    const bool staticIp = IsStaticIpService(params.serviceType);
    uint32_t portBase = AddressValue(params.staticIpBase);
    uint32_t nextIp = portBase;
    int vlan = params.vlanStart;
    uint32_t number = 1;
    for (const FastProvPort& port : ports) {
        FastProvRow portRow;
        portRow.isPort = true;
        portRow.number = number++;
        portRow.port = port;
        expansion.rows.push_back(portRow);
        unsigned vpi = params.vpiStart;
        unsigned vci = params.vciStart;
        if (!params.IsRouted() && !params.vlanContinuous)
            vlan = params.vlanStart;
        bool usedIp = false;
        bool conflict = false;
        for (unsigned k = 0; k < params.pvcsPerPort; ++k) {
            FastProvRow row;
            row.port = port;
            row.vpi = static_cast<uint8_t>(vpi);
            row.vci = static_cast<uint16_t>(vci);
            row.vlan = params.IsRouted() ? kFirstVlanId : static_cast<uint16_t>(vlan);
            if (staticIp && nextIp != 0) {
                row.staticIp = AddressOf(nextIp);
                usedIp = true;
                if (conflicts && conflicts(row.staticIp, params.staticIpLimit))
                    conflict = true;
                nextIp += params.staticIpLimit;
            }
            expansion.rows.push_back(row);
            // Each bridged PVC's step must leave a VLAN in range, the last PVC's too.
            const int step = params.vlanIncrement;
            if (!params.IsRouted() && ((step > 0 && static_cast<int>(kLastVlanId) - vlan < step) ||
                                       (step < 0 && static_cast<int>(kFirstVlanId) - step > vlan)))
                return {.rows = {}, .vlanOverflow = true};
            vpi += params.vpiIncrement;
            vci += params.vciIncrement;
            vlan += params.vlanIncrement;
        }
        if (usedIp) {
            portBase += params.ipIncrementPerPort;
            nextIp = portBase;
        }
        // A port whose static IP blocks meet addresses in use is left out from its last PVC.
        if (conflict) {
            FastProvRow& last = expansion.rows.back();
            last.skipped = true;
            last.outcome = FastProvOutcome::kFailed;
        }
    }
    return expansion;
}
