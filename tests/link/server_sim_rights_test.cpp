// The simulated server checks the right of every request that changes something, whatever the workstation offered:
// an operator whose role may only query sends, as raw frames, every changing request code of the catalogue and is
// answered "No privilege" to each, and the server keeps what it had; an operator whose role holds every right is
// refused none of them but the Administrator's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "link/records/request_catalogue.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/server_sim_harness.h"

namespace {

using namespace server_test;

// Writes that change nothing: the session's own steps, the alarm resend at login, the connection tests and the checks
// that are written to be read back.
const std::vector<uint16_t> kChangingNothing = {
    kReqKeepAlive,
    kReqLogon,
    kReqLogoff,
    kReqLoginQuery,
    kReqNotificationsOn,
    kReqAlarmSync,
    kReqNeSnmpCheck,
    kReqNePing,
    kReqPvcRuleCheck,
    kReqIpTrafficRuleCheck,
    kReqTrafficPolicingRuleCheck,
    kReqVlanMacLimitCheck,
    kReqServiceTypeCheck,
    kReqAclCheck,
    kReqMacSpoofCheck,
};
// What only an Administrator may do: change the roles' rights, send a command line to an NE.
const std::vector<uint16_t> kAdministratorOnly = {kReqUserRights, kReqNeCommand};

struct Change {
    uint16_t code;
    uint32_t bodySize;
};

// Every code of the catalogue the server serves that changes something, with the size of its record.
std::vector<Change> ChangingCodes()
{
    std::vector<Change> changes;
    for (const RequestSpec& spec : RequestCatalogue()) {
        if (!spec.server || spec.kind == RequestKind::kCount || spec.kind == RequestKind::kNotification)
            continue;
        for (const uint16_t code : {spec.code, spec.addCode, spec.deleteCode, spec.deleteAllCode}) {
            if (code != 0 &&
                std::find(kChangingNothing.begin(), kChangingNothing.end(), code) == kChangingNothing.end())
                changes.push_back({code, spec.BodySize()});
        }
    }
    return changes;
}

bool IsNoPrivilege(const std::optional<Frame>& reply)
{
    return reply && reply->header.operation == kEmsOpTextReply &&
           std::string(reply->payload.begin(), reply->payload.end()).find("No privilege") == 0;
}

class SimRightsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The test world with a Manager role that holds every right and a User role that may only query.
        std::string world = ReadText(WorldScenario());
        world = std::regex_replace(world, std::regex("MANAGER=[^\n]*"), "MANAGER=a*127");
        world = std::regex_replace(world, std::regex("USER=[^\n]*"), "USER=q*127");
        WriteText(dir_.Path() / "world.ini", world);
        ASSERT_TRUE(sim_.Start({"--scenario", (dir_.Path() / "world.ini").string()}));
    }

    std::unique_ptr<CRawClient> LoggedOn(const std::string& user)
    {
        auto client = std::make_unique<CRawClient>();
        EXPECT_TRUE(client->Connect(sim_.Port()));
        EXPECT_TRUE(client->Logon(user, user));
        return client;
    }

    std::optional<Frame> Change(CRawClient& client, const ::Change& change)
    {
        return client.ReplyTo(
            client.Send(kEmsOpModify, change.code, 1, std::vector<uint8_t>(change.bodySize, 0), change.bodySize), 3000);
    }

    // The records of a query, as they stand.
    std::vector<uint8_t> Records(CRawClient& client, uint16_t code)
    {
        const std::optional<Frame> reply = client.ReplyTo(client.Send(kEmsOpQuery, code, 0, {0}, 1));
        return reply ? reply->payload : std::vector<uint8_t>{};
    }

    CTempDir dir_;
    CSimServerProcess sim_;
};

TEST_F(SimRightsTest, AQueryOnlyOperatorIsRefusedEveryChange)
{
    const auto admin = LoggedOn("admin");
    const std::vector<uint8_t> nes = Records(*admin, kReqNeKey);
    const std::vector<uint8_t> locations = Records(*admin, kReqLocation);
    const std::vector<uint8_t> accounts = Records(*admin, kReqUserAccount);
    ASSERT_FALSE(nes.empty());

    const auto north = LoggedOn("north");
    const std::vector<::Change> changes = ChangingCodes();
    EXPECT_GT(changes.size(), 200u);
    for (const ::Change& change : changes)
        EXPECT_TRUE(IsNoPrivilege(Change(*north, change))) << "code " << change.code;

    // The operator may still look, and nothing changed.
    EXPECT_EQ(Records(*north, kReqNeKey), nes);
    EXPECT_EQ(Records(*admin, kReqNeKey), nes);
    EXPECT_EQ(Records(*admin, kReqLocation), locations);
    EXPECT_EQ(Records(*admin, kReqUserAccount), accounts);
}

TEST_F(SimRightsTest, AnOperatorWithEveryRightIsRefusedOnlyTheAdministratorsOwn)
{
    const auto manager = LoggedOn("manager");
    for (const ::Change& change : ChangingCodes()) {
        const bool administrators =
            std::find(kAdministratorOnly.begin(), kAdministratorOnly.end(), change.code) != kAdministratorOnly.end();
        const std::optional<Frame> reply = Change(*manager, change);
        EXPECT_EQ(IsNoPrivilege(reply), administrators) << "code " << change.code;
        if (manager->ClosedByPeer())
            break;
    }
    EXPECT_FALSE(manager->ClosedByPeer());
}

} // namespace
