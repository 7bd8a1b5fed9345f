// The simulated NE's trunk side: the defaults of its trunk tables and settings, and its trunk ports for the traffic
// counters the PM tables compute.

#include "sim/ne_agent/ne_agent_mib.h"

#include "sim/seed/trunk_defaults.h"

void CNeAgentMib::AddTrunkDefaults(const std::vector<uint32_t>& adslPorts)
{
    pm_.SetTrunkPorts(TrunkPortIds(neModel_));
    for (const TrunkDefault& setting : TrunkSideDefaults(neModel_, 1, adslPorts)) {
        const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(setting.code);
        if (entry == nullptr)
            continue;
        if (entry->kind == SnmpEntryKind::Table && RowCount(entry->objectCode) == 0) {
            for (const std::vector<uint8_t>& record : setting.records)
                AddRow(entry->objectCode, record);
        } else if (entry->kind == SnmpEntryKind::ScalarGroup && !scalarRecords_.contains(setting.code)) {
            scalarRecords_[setting.code] = setting.records.front();
        }
    }
}
