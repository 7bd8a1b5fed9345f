// The simulated NE's scenario file of any content: it loads over the defaults or says where it is wrong, and the NE
// it describes, its tables seeded from the file's sections, answers walks in strictly rising order to a community it
// lets in: one from the start of its MIB (the system and snmp groups, the first private objects), one from each table
// and scalar group the file gave rows of and one from each table its model fills (boards, entity states, alarm
// definitions), each through the part's first rows and on into what follows. The text is read in memory and walked in
// one version (GETBULK in v2c), so that a run costs little.
#include "core/ini/ini_file.h"
#include "fuzz/sample_models.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/request_codes.h"
#include "link/snmp/snmp_message.h"
#include "link/snmp/snmp_request_map.h"
#include "sim/ne_agent/ne_agent_mib.h"
#include "sim/ne_agent/ne_agent_scenario.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "ne_agent_scenario_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

// Objects walked from the start of the MIB, and from each table or group the file gave rows of: enough to pass a few
// rows of every column of a table and to step into the next.
constexpr int kStartObjects = 40;
constexpr int kPartObjects = 24;

// Walks up to `objects` objects on from `from`; a v2c walk asks for all of them at once, since each request has the
// NE bring its dynamic tables up to date.
void Walk(CNeAgentMib& mib, SnmpVersion version, const CSnmpOid& from, int objects)
{
    SnmpPdu request;
    request.type = version == SnmpVersion::V2c ? SnmpPduType::GetBulkRequest : SnmpPduType::GetNextRequest;
    request.varbinds.push_back({from, SnmpValue::Null()});
    for (int walked = 0; walked < objects;) {
        request.errorIndex = version == SnmpVersion::V2c ? objects - walked : 0;
        SnmpPdu response;
        mib.Handle(version, AgentAccess::ReadOnly, request, &response);
        if (response.errorStatus != kSnmpNoError || response.varbinds.empty())
            return;
        Check(version == SnmpVersion::V2c || response.varbinds.size() == 1);
        for (const SnmpVarBind& next : response.varbinds) {
            if (next.value.IsException())
                return;
            Check(next.oid > request.varbinds.front().oid);
            request.varbinds.front().oid = next.oid;
            ++walked;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The file's text is read in memory, as the file function reads it.
    const CIniFile file = CIniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    NeAgentScenario scenario = DefaultNeAgentScenario();
    std::string error;
    if (!ReadNeAgentScenario(file, "agent.ini", &scenario, &error)) {
        Check(!error.empty());
        return 0;
    }
    CNeAgentMib mib;
    mib.Build(scenario, &SampleEntityModels());
    // Rows of one index are one row.
    const auto rowsOf = [&](uint16_t code) {
        return std::count_if(scenario.rows.begin(), scenario.rows.end(),
                             [code](const NeAgentRow& row) { return row.code == code; });
    };
    Check(mib.RowCount(kReqNeUserAccount) <= static_cast<size_t>(rowsOf(kReqNeUserAccount)) &&
          mib.RowCount(kReqNeSnmpCommunity) <= static_cast<size_t>(rowsOf(kReqNeSnmpCommunity)));
    for (const NeAgentRow& row : scenario.rows) {
        NeSnmpCommunityRecord community;
        if (row.code == kReqNeSnmpCommunity && DecodeRecord(row.record.data(), row.record.size(), &community) &&
            mib.Authorize(community.community) != AgentAccess::None) {
            // Either version walks the same objects; the input's length picks one.
            const SnmpVersion version = size % 2 == 0 ? SnmpVersion::V1 : SnmpVersion::V2c;
            Walk(mib, version, CSnmpOid{1, 3}, kStartObjects);
            std::set<uint16_t> parts{kReqBoardSetting, kReqEntityState, kReqAlarmDef};
            for (const NeAgentRow& seeded : scenario.rows)
                parts.insert(seeded.code);
            for (uint16_t code : parts) {
                if (const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(code))
                    Walk(mib, version, entry->ObjectOid(), kPartObjects);
            }
            break;
        }
    }
    return 0;
}
