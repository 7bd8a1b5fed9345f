// The simulated NE's scenario file of any content: it loads over the defaults or says where it is wrong, and the NE
// it describes, its tables seeded from the file's sections, answers a walk of its whole MIB in strictly rising order to
// a community it lets in. The text is read in memory and walked in one version (GETBULK in v2c), so that a run costs
// little.
#include "core/ini/ini_file.h"
#include "fuzz/sample_models.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/request_codes.h"
#include "link/snmp/snmp_message.h"
#include "sim/ne_agent/ne_agent_mib.h"
#include "sim/ne_agent/ne_agent_scenario.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// Enough objects to pass every table of a scenario with a few rows each.
constexpr int kWalkObjects = 400;
// Objects a GETBULK step asks for: a v2c walk takes few requests, each of which has the NE bring its dynamic
// tables up to date.
constexpr int32_t kBulkRepetitions = 50;

void Walk(CNeAgentMib& mib, SnmpVersion version)
{
    SnmpPdu request;
    request.type = version == SnmpVersion::V2c ? SnmpPduType::GetBulkRequest : SnmpPduType::GetNextRequest;
    request.errorIndex = version == SnmpVersion::V2c ? kBulkRepetitions : 0;
    request.varbinds.push_back({CSnmpOid{1, 3}, SnmpValue::Null()});
    for (int walked = 0; walked < kWalkObjects;) {
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
            Walk(mib, size % 2 == 0 ? SnmpVersion::V1 : SnmpVersion::V2c);
            break;
        }
    }
    return 0;
}
