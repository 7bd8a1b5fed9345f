// The direct login's requests through the SNMP driver against the simulated NE: 30, 307, 316, 300, 327, 332 and
// 323 to NE 1, then logoff 12. The records that come back carry what the login decides the role from, and the
// replies that change the model reach the dispatcher as NE 1.

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/app_data.h"
#include "link/driver_result.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::string kScenario = std::string(TARVIK_TEST_DATA_DIR) + "/snmp/ne_agent_ipd48.ini";

struct LoginCase {
    const char* community;
    const char* user;
    int role; // 0 Administrator, 2 User; -1: the login fails
};

class SnmpDirectLoginTest : public ::testing::TestWithParam<LoginCase> {
protected:
    void TearDown() override { ClearServerMessageRules(); }
    std::set<uint16_t> dispatched_;
};

// The login's role rule applied to the replies: the community's access 2 gives Administrator; a user found with
// a level other than 2 gives User; a user not found fails the login.
int RoleFromReplies(const EmsMsg& communities, const EmsMsg& users, const std::string& community,
                    const std::string& user)
{
    int role = 2;
    for (uint32_t i = 0; i < static_cast<uint32_t>(communities.count); ++i) {
        NeSnmpCommunityRecord rec;
        DecodeNeSnmpCommunityRecord(EmsRecordAt(communities, i), communities.recordSize, &rec);
        if (rec.community == community) {
            if (rec.permission == 2)
                role = 0;
            break;
        }
    }
    for (uint32_t i = 0; i < static_cast<uint32_t>(users.count); ++i) {
        NeUserAccountRecord rec;
        DecodeNeUserAccountRecord(EmsRecordAt(users, i), users.recordSize, &rec);
        if (rec.userName == user)
            return rec.role != 2 ? 2 : role;
    }
    return -1;
}

TEST_P(SnmpDirectLoginTest, LoginSequence)
{
    const LoginCase& c = GetParam();
    SetUiThreadId(std::this_thread::get_id());
    for (uint16_t code : {30, 323, 327}) {
        SetServerMessageRule(code, [this](const EmsMsg& msg, CDispatchEffects&) {
            if (msg.neId == kDirectNeId && msg.operation == kEmsOpReply && msg.count > 0)
                dispatched_.insert(msg.requestCode);
        });
    }
    snmp_test::CAgentProcess agent;
    ASSERT_TRUE(agent.Start({"--scenario", kScenario}));
    SnmpLinkSettings settings;
    settings.waitMs = 1000;
    settings.retries = 1;
    settings.trapPort = snmp_test::FreeUdpPort();
    settings.pollIntervalS = 0;
    CNetDrvSnmpAgent driver(settings, [](const std::array<uint8_t, 4>&, int32_t) { return SnmpEchoResult::Reachable; });
    ASSERT_EQ(driver.Start(), kDrvOk);
    ASSERT_EQ(driver.EmsConnect(snmp_test::kLoopback, agent.Port(), c.user, c.community), kDrvOk);

    auto request = [&driver](uint8_t op, uint16_t code, uint32_t size, EmsMsg** reply) {
        std::vector<uint8_t> record(size, 0);
        EmsMsg msg;
        BuildEmsMsg(&msg, op, code, size, record.data(), kDirectNeId);
        return driver.RequestEmsMsg(&msg, reply, 0, CNetDrv::kDefaultTimeout, false);
    };
    EmsMsg* reply = nullptr;
    ASSERT_EQ(request(kEmsOpQuery, 30, 1, &reply), kDrvOk);
    NeKeyRecord key;
    ASSERT_TRUE(DecodeNeKeyRecord(EmsRecordAt(*reply, 0), reply->recordSize, &key));
    EXPECT_EQ(key.neId, 1u);
    EXPECT_EQ(key.modelId, 4u);
    EXPECT_EQ(key.snmpCommunity, c.community);

    ASSERT_EQ(request(kEmsOpQuery, 307, 32, &reply), kDrvOk);
    EmsMsg communities = *reply;
    std::vector<uint8_t> communityRecords(static_cast<const uint8_t*>(reply->records),
                                          static_cast<const uint8_t*>(reply->records) + EmsRecordBytes(*reply));
    communities.records = communityRecords.data();
    ASSERT_EQ(request(kEmsOpQuery, 316, 44, &reply), kDrvOk);
    EXPECT_EQ(RoleFromReplies(communities, *reply, c.community, c.user), c.role);
    if (c.role < 0)
        return;

    EXPECT_EQ(request(kEmsOpQuery, 300, 12, &reply), kDrvOk);
    EXPECT_EQ(request(kEmsOpQuery, 327, 124, &reply), kDrvOk);
    // Alarm synchronisation needs a write community; the login ignores its result.
    int sync = request(kEmsOpModify, 332, 1, &reply);
    EXPECT_EQ(sync == kDrvOk, std::string(c.community) == "private") << sync;
    EXPECT_EQ(request(kEmsOpQuery, 323, 1, &reply), kDrvOk);
    EXPECT_EQ(reply->count, 12);
    driver.SetLoggedIn(true);
    EXPECT_EQ(request(kEmsOpModify, 12, 1, &reply), kDrvOk);
    EXPECT_EQ(dispatched_, (std::set<uint16_t>{30, 323, 327}));
}

// Through the same apply rules as the server link, the login's 30 and 323 replies fill the NE table with NE 1 and
// give its entity tree the modules the NE reports.
TEST(SnmpDirectLogin, RepliesFillTheNeTableAndTheEntityTree)
{
    const std::string resources = TARVIK_RESOURCES_DIR;
    auto loaded = LoadEntityModelSet(resources + "/EntConf/EntInfo.dat", resources + "/EntConf/EntAlm.dat",
                                     resources + "/EntConf/EntSkin.dat");
    ASSERT_TRUE(loaded.models) << loaded.error;
    ReplaceEntityModels(std::move(loaded.models));
    AppData().Reset();
    SetUiThreadId(std::this_thread::get_id());
    InstallServerDispatchRules(AppData());

    snmp_test::CAgentProcess agent;
    ASSERT_TRUE(agent.Start({"--scenario", kScenario}));
    SnmpLinkSettings settings;
    settings.waitMs = 1000;
    settings.retries = 1;
    settings.trapPort = snmp_test::FreeUdpPort();
    settings.pollIntervalS = 0;
    CNetDrvSnmpAgent driver(settings, [](const std::array<uint8_t, 4>&, int32_t) { return SnmpEchoResult::Reachable; });
    ASSERT_EQ(driver.Start(), kDrvOk);
    ASSERT_EQ(driver.EmsConnect(snmp_test::kLoopback, agent.Port(), "qurim", "private"), kDrvOk);
    auto query = [&driver](uint16_t code, uint32_t size) {
        std::vector<uint8_t> record(size, 0);
        EmsMsg msg;
        EmsMsg* reply = nullptr;
        BuildEmsMsg(&msg, kEmsOpQuery, code, size, record.data(), kDirectNeId);
        return driver.RequestEmsMsg(&msg, &reply, 0, CNetDrv::kDefaultTimeout, false);
    };
    ASSERT_EQ(query(30, 1), kDrvOk);
    ASSERT_EQ(query(323, 1), kDrvOk);

    const CNeRecord* ne = FindNeById(kDirectNeId);
    ASSERT_NE(ne, nullptr);
    EXPECT_EQ(ne->neModelId, 4u);
    ASSERT_NE(ne->root, nullptr);
    int known = 0;
    for (int shelf = 0; shelf < ne->root->GetChildCount(); ++shelf) {
        const CEntityNode* shelfNode = ne->root->GetChild(shelf);
        for (int slot = 0; slot < shelfNode->GetChildCount(); ++slot) {
            const uint32_t type = shelfNode->GetChild(slot)->GetType();
            if (type != kEntityTypeUnknown && type != kEntityTypeAbsent && type != kEntityTypeEmpty)
                ++known;
        }
    }
    EXPECT_GT(known, 0) << "no module of the NE got its type from the 323 reply";

    driver.Shutdown();
    RemoveServerDispatchRules();
    AppData().Reset();
    ReplaceEntityModels(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, SnmpDirectLoginTest,
                         ::testing::Values(LoginCase{"private", "qurim", 0}, LoginCase{"public", "qurim", 2},
                                           LoginCase{"private", "guest", 2}, LoginCase{"private", "su", 0},
                                           LoginCase{"private", "nobody", -1}),
                         [](const auto& info) { return std::string(info.param.community) + "_" + info.param.user; });

} // namespace
