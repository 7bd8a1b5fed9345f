// The simulated NE's trunk side: the defaults of its trunk tables and settings, and its trunk ports for the traffic
// counters the PM tables compute.

#include "sim/ne_agent/ne_agent_mib.h"

#include "sim/seed/trunk_defaults.h"

#include <algorithm>

void CNeAgentMib::AddTrunkDefaults(const std::vector<uint32_t>& adslPorts)
{
    pm_.SetTrunkPorts(TrunkPortIds(neModel_), NowSeconds());
    for (const TrunkDefault& setting : TrunkSideDefaults(neModel_, 1, adslPorts)) {
        const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(setting.code);
        if (entry == nullptr)
            continue;
        if (entry->kind == SnmpEntryKind::Table && RowCount(entry->objectCode) == 0) {
            for (const std::vector<uint8_t>& record : setting.records)
                AddRow(entry->objectCode, record);
        } else if (entry->kind == SnmpEntryKind::ScalarGroup) {
            // A setting the scenario did not give reads as zeros until now.
            std::vector<uint8_t>& kept = scalarRecords_[setting.code];
            if (std::all_of(kept.begin(), kept.end(), [](uint8_t b) { return b == 0; }))
                kept = setting.records.front();
        }
    }
}
