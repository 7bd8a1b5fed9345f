// The simulated management server refuses a change that breaks one of its rules with a text reply that says why: the
// request returns 32028, the failure box shows the caller's failure text with the server's reason, and the server
// keeps what it had.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/next_hop_rec.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"
#include "link/records/user_account_record.h"
#include "tests/link/server_sim_fixture.h"
#include "ui/framework/messages/string_ids.h"

namespace {

using namespace server_test;

constexpr uint32_t kMcProfileSize = 52;

struct Refusal {
    const char* what;
    uint16_t code;
    uint32_t neId;
    std::vector<uint8_t> record;
    const char* reason;
};

std::vector<uint8_t> Location(uint32_t id, const std::string& name, uint32_t parentId)
{
    LocationRecord rec;
    rec.id = id;
    rec.name = name;
    rec.parentId = parentId;
    return EncodeRecords(std::vector<LocationRecord>{rec});
}

std::vector<uint8_t> Account(const std::string& name, const std::string& role, uint32_t locationId)
{
    UserAccountRecord rec;
    rec.name = name;
    rec.passwordDigest = "0123456789";
    rec.roleLetter = role;
    rec.locationId = locationId;
    return EncodeRecords(std::vector<UserAccountRecord>{rec});
}

std::vector<uint8_t> Ne(uint32_t neId, const std::string& name, uint32_t modelId, uint8_t lastByte)
{
    NeKeyRecord rec;
    rec.neId = neId;
    rec.neName = name;
    rec.modelId = modelId;
    rec.ipAddress = {10, 10, 1, lastByte};
    rec.port = 161;
    return EncodeRecords(std::vector<NeKeyRecord>{rec});
}

// A profile written to an NE is put in place whether the NE has it or not: the next hops stand for the records that
// a modify changes only where they are.
std::vector<uint8_t> NextHop(const std::string& name)
{
    NextHopRec rec;
    rec.name = name;
    return EncodeRecords(std::vector<NextHopRec>{rec});
}

std::vector<uint8_t> McProfile(uint16_t profileId)
{
    std::vector<uint8_t> record(kMcProfileSize, 0);
    record_bytes::PutU16(record.data(), 0, profileId);
    return record;
}

class SimRefusalTest : public SimLinkTest {
protected:
    // The server's locations, accounts and NEs as a query returns them.
    std::vector<std::vector<uint8_t>> ServerTables()
    {
        std::vector<std::vector<uint8_t>> tables;
        const std::vector<uint8_t> locationQuery(kLocationRecordSize, 0);
        const uint8_t body = 0;
        for (const auto& [code, query, size] :
             {std::tuple<uint16_t, const uint8_t*, uint32_t>{kReqLocation, locationQuery.data(), kLocationRecordSize},
              std::tuple<uint16_t, const uint8_t*, uint32_t>{kReqUserAccount, &body, 1},
              std::tuple<uint16_t, const uint8_t*, uint32_t>{kReqNeKeyAll, &body, 1}}) {
            EXPECT_EQ(Request(kEmsOpQuery, code, 0, query, size), kDrvOk);
            const auto* records = static_cast<const uint8_t*>(reply_->records);
            tables.emplace_back(records, records + EmsRecordBytes(*reply_));
        }
        return tables;
    }
};

TEST_F(SimRefusalTest, EachRuleRefusesWithItsReasonAndChangesNothing)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    const std::vector<uint8_t> profile = McProfile(7);
    // A template: the server's own store refuses a taken key with its reason (an NE names it in a status word).
    ASSERT_EQ(Request(kEmsOpModify, kReqMcChannelProfileTemplateAdd, 0, profile.data(), kMcProfileSize), kDrvOk);
    const std::vector<std::vector<uint8_t>> before = ServerTables();

    const Refusal refusals[] = {
        {"add a taken location name", kReqLocationAdd, 0, Location(0, "North", 1), "Location name already exists"},
        {"rename to a taken name", kReqLocation, 0, Location(3, "North", 1), "Location name already exists"},
        {"a blank location name", kReqLocationAdd, 0, Location(0, "", 1), "Location name must have 1 to 20 characters"},
        {"an unknown superior", kReqLocationAdd, 0, Location(0, "Depot", 99), "Superior location does not exist"},
        {"below its own child", kReqLocation, 0, Location(1, "Headquarters", 2), "Location cannot move below itself"},
        {"modify an unknown location", kReqLocation, 0, Location(99, "Depot", 0), "Location does not exist"},
        {"delete an unknown location", kReqLocationDelete, 0, Location(99, "Depot", 0), "Location does not exist"},
        {"delete a location with NEs", kReqLocationDelete, 0, Location(2, "North", 1), "Location still holds NEs"},
        {"delete a location with accounts", kReqLocationDelete, 0, Location(1, "Headquarters", 0),
         "Location still holds user accounts"},
        {"add a taken user name", kReqUserAccountAdd, 0, Account("north", "C", 2), "User name already exists"},
        {"a user name with a blank", kReqUserAccountAdd, 0, Account("new one", "C", 2),
         "User name must have 1 to 10 letters, digits or - . @ _"},
        {"an unknown role", kReqUserAccountAdd, 0, Account("newone", "Z", 2), "Unknown role"},
        {"an account at an unknown location", kReqUserAccountAdd, 0, Account("newone", "C", 99),
         "Location does not exist"},
        {"modify an unknown account", kReqUserAccount, 0, Account("ghost", "C", 0), "User account does not exist"},
        {"delete an unknown account", kReqUserAccountDelete, 0, Account("ghost", "C", 0),
         "User account does not exist"},
        {"add a taken NE name", kReqNeKeyAdd, 0, Ne(0, "North-1", 2, 99), "NE name already exists"},
        {"add a taken NE address", kReqNeKeyAdd, 0, Ne(0, "North-9", 2, 1), "NE address already exists"},
        {"rename an NE to a taken name", kReqNeKey, 0, Ne(2, "North-1", 4, 99), "NE name already exists"},
        {"an unknown NE model", kReqNeKeyAdd, 0, Ne(0, "North-9", 999, 99), "Unknown NE model"},
        {"modify an unknown NE", kReqNeKey, 0, Ne(99, "North-9", 2, 99), "NE does not exist"},
        {"add a taken key", kReqMcChannelProfileTemplateAdd, 0, McProfile(7), "Record already exists"},
        {"modify an unknown key", kReqNextHop, 1, NextHop("ghost"), "Record does not exist"},
        {"delete an unknown key", kReqMcChannelProfileDelete, 1, McProfile(8), "Record does not exist"},
        {"a record of an unknown NE", kReqMcChannelProfileAdd, 99, McProfile(8), "NE does not exist"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        linkUi_.Clear();
        const auto size = static_cast<uint32_t>(refusal.record.size());
        EXPECT_EQ(
            Request(kEmsOpModify, refusal.code, refusal.neId, refusal.record.data(), size, 1, -2, kStrFailToUpdateData),
            kDrvTextReply);
        ASSERT_EQ(linkUi_.FailureMessages().size(), 1u);
        EXPECT_EQ(linkUi_.FailureMessages()[0].failureTextId, kStrFailToUpdateData);
        EXPECT_EQ(linkUi_.FailureMessages()[0].code, kDrvTextReply);
        EXPECT_EQ(linkUi_.FailureMessages()[0].errorText, refusal.reason);
    }
    EXPECT_EQ(ServerTables(), before);
    const uint16_t all = 0;
    ASSERT_EQ(Request(kEmsOpQuery, kReqMcChannelProfileTemplate, 0, &all, 2), kDrvOk);
    EXPECT_EQ(reply_->count, 1);
}

} // namespace
