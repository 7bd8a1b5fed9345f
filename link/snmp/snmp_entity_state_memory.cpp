#include "link/snmp/snmp_entity_state_memory.h"

#include "core/entity/entity_type_ids.h"
#include "link/records/request_codes.h"
#include "link/snmp/snmp_request_map.h"

#include <cstring>

std::optional<EntityStateRec> CSnmpEntityStateMemory::Find(uint32_t entityId) const
{
    auto it = states_.find(entityId);
    if (it == states_.end())
        return std::nullopt;
    return it->second;
}

EntityStateRec CSnmpEntityStateMemory::Complete(const EntityStateRec& told, uint32_t columns)
{
    const std::optional<EntityStateRec> known = Find(told.entityId);
    EntityStateRec state = told;
    if (known) {
        // Column by column, as the state table lays the record out.
        auto bytes = EncodeRecord(told);
        const auto before = EncodeRecord(*known);
        for (const SnmpColumnDef& column : DefaultSnmpRequestMap().Find(kReqEntityState)->columns) {
            if ((columns & (1u << (column.number - 1))) == 0)
                std::memcpy(bytes.data() + column.offset, before.data() + column.offset, column.width);
        }
        DecodeRecord(bytes.data(), bytes.size(), &state);
        state.entityId = told.entityId;
    }
    if (state.onlineType == kPlannedTypeSame)
        state.onlineType = known ? known->onlineType : 0;
    if (state.plannedType == kPlannedTypeSame)
        state.plannedType = known ? known->plannedType : 0;
    states_[state.entityId] = state;
    return state;
}
