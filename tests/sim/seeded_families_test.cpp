// Every family of the request catalogue that a simulated peer serves from a field table is seeded by a scenario
// section and nothing else: the server answers a query with the seeded record, the NE serves it as a row of its table
// (or as its scalar group).
#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/ems_msg.h"
#include "link/records/request_catalogue.h"
#include "link/snmp/snmp_request_map.h"
#include "sim/ne_agent/ne_agent_mib.h"
#include "sim/ne_agent/ne_agent_scenario.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"

namespace {

constexpr uint32_t kNow = 1700000000;

// A section that gives every field it can a value other than zero; texts fill their fields.
std::string SectionOf(const std::string& name, const RecordLayout& layout)
{
    std::string text = "[" + name + "]\n";
    for (const RecordField& field : layout.fields) {
        std::string value;
        switch (field.type) {
        case FieldType::kU8:
            value = "7";
            break;
        case FieldType::kU16:
            value = "0x1234";
            break;
        case FieldType::kU32:
            value = "123456";
            break;
        case FieldType::kI16:
            value = "-5";
            break;
        case FieldType::kI32:
            value = "-70000";
            break;
        case FieldType::kF32:
            value = "1.5";
            break;
        case FieldType::kText:
            value = std::string(field.width - 1u, 'k');
            break;
        case FieldType::kIpv4:
            value = "10.1.2.3";
            break;
        case FieldType::kBytes:
        case FieldType::kRecord:
        case FieldType::kReserved:
            continue;
        }
        text += std::string(field.name) + "=" + value + "\n";
    }
    return text;
}

// An NE of the sample models: lines 1 to 6.
const std::string kNe = "[NeKeyRecord.1]\nneId=1\nneName=North-1\nmodelId=2\nipAddress=10.10.1.1\nport=161\n";

class SeededFamiliesTest : public TempFileTest {
protected:
    SeededFamiliesTest() : TempFileTest("tarvik-seed-", "scenario.ini")
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
    }
};

TEST_F(SeededFamiliesTest, TheServerRefusesASeedAsItRefusesTheRequest)
{
    Write(kNe + "[NE1.NeSnmpCommunityRecord.1]\ncommunity=ops\n[NE1.NeSnmpCommunityRecord.2]\ncommunity=ops\n");
    SimScenario scenario;
    std::string error;
    ASSERT_TRUE(LoadSimScenario(path_, &scenario, &error)) << error;
    CSimDatabase database;
    EXPECT_FALSE(database.Load(scenario, kNow, &error));
    EXPECT_EQ(error, "line 9 [NE1.NeSnmpCommunityRecord.2]: the server refuses the record: Record already exists");
}

TEST_F(SeededFamiliesTest, TheServerAnswersAQueryWithTheSeededRecord)
{
    size_t seeded = 0;
    for (const RequestSpec& spec : RequestCatalogue()) {
        if (!spec.server || spec.record == nullptr ||
            (spec.kind != RequestKind::kFamily && spec.kind != RequestKind::kSingle)) {
            continue;
        }
        const std::string name = spec.record->name;
        SCOPED_TRACE(name + " of request " + std::to_string(spec.code));
        if (name == "LocationRecord" || name == "UserAccountRecord" || name == "NeKeyRecord") {
            continue; // the server's own tables, given without an NE
        }
        if (name == "SubscriberRecord") {
            continue; // one per line port, searched by patterns: the subscriber store's own tests
        }
        if (name == "NeTimeRecord" || name == "VlanSettingRec") {
            continue; // the NE's running clock and its limit check: the NE settings' tests
        }
        if (name == "PvcRuleCheckRec" || name == "ServiceTypeCheckRec" || name == "AclCheckRec") {
            continue; // the NE's checks of PVCs and source MACs, judged as they are read: the PVC requests' tests
        }
        if (name == "MacSpoofRec" || name == "MacSpoofCheckRec") {
            continue; // the NE's spoofed addresses, told from its filtering database: the status lists' tests
        }
        Write(kNe + SectionOf("NE1." + name + ".1", *spec.record) + "request=" + std::to_string(spec.code) + "\n");
        SimScenario scenario;
        std::string error;
        if (!LoadSimScenario(path_, &scenario, &error)) {
            EXPECT_NE(error.find("the server keeps " + name + " records itself"), std::string::npos) << error;
            continue;
        }
        ASSERT_EQ(scenario.records.size(), 1u);
        CSimDatabase database;
        ASSERT_TRUE(database.Load(scenario, kNow, &error)) << error;
        CSimRequestHandler handler(database, SimHandlerOptions{});
        SimSession session;
        session.loggedIn = true;
        Frame query;
        query.header.operation = kEmsOpQuery;
        query.header.requestCode = spec.code;
        query.header.neId = 1;
        query.header.sequence = 1;
        std::vector<uint8_t> answered;
        for (const Frame& reply : handler.Handle(session, query, kNow).replies) {
            EXPECT_EQ(reply.header.status, 0u);
            answered.insert(answered.end(), reply.payload.begin(), reply.payload.end());
        }
        EXPECT_EQ(answered, scenario.records.front().record);
        ++seeded;
    }
    EXPECT_GE(seeded, 7u) << "the families the generic store keeps with a field table";
}

TEST_F(SeededFamiliesTest, TheNeServesTheSeededRow)
{
    size_t seeded = 0;
    for (const RequestSpec& spec : RequestCatalogue()) {
        const RecordLayout* layout = spec.direct.record != nullptr ? spec.direct.record : spec.record;
        if (layout == nullptr ||
            (spec.direct.access != DirectAccess::kTable && spec.direct.access != DirectAccess::kScalars)) {
            continue;
        }
        SCOPED_TRACE(std::string(layout->name) + " of request " + std::to_string(spec.code));
        if (layout->name == std::string("NeTimeServerRecord") || layout->name == std::string("VlanSettingRec")) {
            continue; // what the NE reports of its time servers and of a VLAN: the NE settings' tests
        }
        // A record several of the NE's tables carry names its code.
        Write(SectionOf(std::string(layout->name) + ".1", *layout) + "request=" + std::to_string(spec.code) + "\n");
        NeAgentScenario scenario = DefaultNeAgentScenario();
        std::string error;
        if (!LoadNeAgentScenario(path_, &scenario, &error)) {
            EXPECT_NE(error.find("the NE counts " + std::string(layout->name) + " records itself"), std::string::npos)
                << error;
            continue;
        }
        CNeAgentMib mib;
        mib.Build(scenario, nullptr);
        // The last column: not part of the row's index, and nothing the NE keeps up to date by itself.
        const std::vector<uint8_t>& record = scenario.rows.back().record;
        const SnmpRequestEntry& entry = *DefaultSnmpRequestMap().Find(spec.code);
        const SnmpColumnDef& column = entry.columns.back();
        CSnmpOid oid = entry.ColumnOid(column);
        if (entry.kind == SnmpEntryKind::Table) {
            oid = oid.Appended(EncodeSnmpRowIndex(entry, record.data()));
        }
        SnmpPdu get;
        get.type = SnmpPduType::GetRequest;
        get.varbinds.push_back({oid, SnmpValue::Null()});
        SnmpPdu response;
        mib.Handle(SnmpVersion::V2c, AgentAccess::ReadWrite, get, &response);
        ASSERT_EQ(response.errorStatus, kSnmpNoError);
        ASSERT_EQ(response.varbinds.size(), 1u);
        EXPECT_EQ(response.varbinds.front().value, SnmpColumnValue(column, record.data()));
        ++seeded;
    }
    EXPECT_GE(seeded, 9u) << "the NE's tables and scalar groups with a field table";
}

} // namespace
