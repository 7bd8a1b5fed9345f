// The simulated server's operators and subscribers: the rights of each role enforced on the requests, the operation
// log of every change, and the subscribers of the NEs' line ports with their searches and windows.

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/op_log_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/request_codes.h"
#include "link/records/subscriber_record.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"
#include "tests/sim/support/sim_exchange.h"

#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1700000000;
constexpr uint32_t kAdslPort3 = 10103;  // NE 1, shelf 1, slot 1 (the ADSL card), port 3
constexpr uint32_t kShdslPort2 = 10202; // slot 2, the SHDSL card

using Answer = SimAnswer;

class SimOperatorsTest : public ::testing::Test {
protected:
    SimOperatorsTest()
    {
        world_ = LoadSimTestWorld();
        std::string error;
        // The subscribers of these tests are their own.
        SimScenario scenario = world_;
        std::erase_if(scenario.records, [](const SimSeedRecord& seed) { return seed.spec->code == kReqSubscriber; });
        EXPECT_TRUE(database_.Load(scenario, kNow, &error)) << error;
        handler_.SetSessionLister([this] { return std::vector<SimSession>{admin_, manager_, north_}; });
    }

    static SimSession Session(const char* user, uint8_t lastByte)
    {
        SimSession session;
        session.loggedIn = true;
        session.user = user;
        session.peerIp = {10, 0, 0, lastByte};
        return session;
    }

    template <class Rec>
    Answer Send(SimSession& session, uint8_t operation, uint16_t code, uint32_t neId, const Rec& record,
                bool opLog = true)
    {
        return SendRecordToSimHandler(handler_, session, {operation, code, neId, kNow, opLog}, record);
    }

    UserAccountRecord AccountOf(const char* name) { return *database_.FindAccount(name); }

    SimScenario world_;
    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    // The test world's rights: Administrator a*127, Manager m*20 q*10, User q*5.
    SimSession admin_ = Session("admin", 1);
    SimSession manager_ = Session("manager", 2);
    SimSession north_ = Session("north", 3);
};

TEST_F(SimOperatorsTest, EachRoleMayDoWhatItsRightsAndRoleAllow)
{
    UserAccountRecord north = AccountOf("north");
    north.telephone = "+1 555 0199";
    UserAccountRecord admin = AccountOf("admin");
    admin.comment = "changed by a manager";
    UserAccountRecord managerOwn = AccountOf("manager");
    managerOwn.fullName = "Shift Manager";
    UserAccountRecord promoted = north;
    promoted.roleLetter = "B";
    UserAccountRecord fresh;
    fresh.name = "shift2";
    fresh.passwordDigest = PasswordDigest("shift2");
    fresh.roleLetter = "C";

    struct Row {
        const char* what;
        SimSession* session;
        uint8_t operation;
        uint16_t code;
        UserAccountRecord record;
        bool done;
    };
    const Row rows[] = {
        {"a manager changes a user", &manager_, kEmsOpModify, kReqUserAccount, north, true},
        {"a manager changes itself", &manager_, kEmsOpModify, kReqUserAccount, managerOwn, true},
        {"a manager changes no administrator", &manager_, kEmsOpModify, kReqUserAccount, admin, false},
        {"a manager makes no user a manager", &manager_, kEmsOpModify, kReqUserAccount, promoted, false},
        {"a manager's 'm' adds no account", &manager_, kEmsOpModify, kReqUserAccountAdd, fresh, false},
        {"a manager's 'm' deletes no account", &manager_, kEmsOpModify, kReqUserAccountDelete, north, false},
        {"a user without the right changes nothing", &north_, kEmsOpModify, kReqUserAccount, north, false},
        {"an administrator adds", &admin_, kEmsOpModify, kReqUserAccountAdd, fresh, true},
        {"an administrator makes a user a manager", &admin_, kEmsOpModify, kReqUserAccount, promoted, true},
        {"nobody deletes the own account", &admin_, kEmsOpModify, kReqUserAccountDelete, admin, false},
        {"an administrator deletes another", &admin_, kEmsOpModify, kReqUserAccountDelete, fresh, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Answer answer = Send(*row.session, row.operation, row.code, 0, row.record);
        EXPECT_EQ(answer.Ok(), row.done) << answer.refusal;
        if (!row.done) {
            EXPECT_FALSE(answer.refusal.empty()) << "a refusal says why";
        }
    }
    EXPECT_EQ(AccountOf("admin").comment, "");
    EXPECT_EQ(database_.FindAccount("shift2"), nullptr);
}

TEST_F(SimOperatorsTest, TheGuardedListsAndActionsFollowTheRights)
{
    OpLogCriteria criteria{"", 0, 0, 1, 100};
    EXPECT_TRUE(Send(admin_, kEmsOpQuery, kReqOpLog, 0, criteria).Ok());
    EXPECT_TRUE(Send(manager_, kEmsOpQuery, kReqOpLog, 0, criteria).Ok()) << "item 20 is 'q' for managers";
    EXPECT_EQ(Send(north_, kEmsOpQuery, kReqOpLog, 0, criteria).refusal, "No privilege");

    SubscriberCriteria all{"", "", 0, 1, 100};
    EXPECT_EQ(Send(north_, kEmsOpQuery, kReqSubscriber, 0, all).refusal, "No privilege");

    OperatorMailRecord mail{"north", {}, "admin", "hello"};
    EXPECT_EQ(Send(north_, kEmsOpModify, kReqOperatorMail, 0, mail).refusal, "No privilege");
    EXPECT_TRUE(Send(admin_, kEmsOpModify, kReqOperatorMail, 0, mail).Ok());

    // Only an Administrator saves the rights, and the other workstations hear of it.
    UserRightsRecord rights = database_.Rights();
    rights.rights[2] = "qqqqqqqqqqqqqqqqqqqqq";
    EXPECT_EQ(Send(manager_, kEmsOpModify, kReqUserRights, 0, rights).refusal, "No privilege");
    const Answer saved = Send(admin_, kEmsOpModify, kReqUserRights, 0, rights);
    EXPECT_TRUE(saved.Ok());
    EXPECT_EQ(saved.notices, 1u);
    EXPECT_EQ(database_.Rights().rights[2], rights.rights[2]);
    EXPECT_TRUE(Send(north_, kEmsOpQuery, kReqOpLog, 0, criteria).Ok()) << "the new rights hold at once";
}

TEST_F(SimOperatorsTest, EveryChangeOfAWorkstationIsLogged)
{
    UserAccountRecord north = AccountOf("north");
    north.telephone = "+1 555 0199";
    ASSERT_TRUE(Send(manager_, kEmsOpModify, kReqUserAccount, 0, north).Ok());
    // Refused changes, changes the workstation asks not to log, and queries are not logged.
    UserAccountRecord admin = AccountOf("admin");
    EXPECT_FALSE(Send(manager_, kEmsOpModify, kReqUserAccount, 0, admin).Ok());
    EXPECT_TRUE(Send(admin_, kEmsOpModify, kReqUserAccount, 0, north, false).Ok());
    SubscriberRecord subscriber;
    subscriber.neId = 1;
    subscriber.entityId = kAdslPort3;
    subscriber.subscriberId = "SUB-1";
    subscriber.name = "Anna Berg";
    ASSERT_TRUE(Send(admin_, kEmsOpModify, kReqSubscriberAdd, 1, subscriber).Ok());
    ASSERT_EQ(database_.OpLog().Size(), 2u);

    const Answer all = Send(admin_, kEmsOpQuery, kReqOpLog, 0, OpLogCriteria{"", 0, 0, 1, 100});
    ASSERT_TRUE(all.Ok());
    EXPECT_EQ(all.total, 2u);
    const std::vector<OpLogRecord> entries = all.Records<OpLogRecord>();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].operatorName, "manager");
    EXPECT_EQ(entries[0].operation, "UserAccountRecord\x1bModify\x1bname=north");
    EXPECT_EQ(entries[0].fromIp, (std::array<uint8_t, 4>{10, 0, 0, 2}));
    EXPECT_EQ(entries[0].time, kNow);
    EXPECT_EQ(entries[1].neId, 1u);
    EXPECT_EQ(entries[1].operation, "SubscriberRecord\x1b"
                                    "Add\x1bneId=1 entityId=10103 subscriberId=SUB-1");

    // The filters: an operator, an NE.
    EXPECT_EQ(Send(admin_, kEmsOpQuery, kReqOpLog, 0, OpLogCriteria{"admin", 0, 0, 1, 100}).total, 1u);
    EXPECT_EQ(Send(admin_, kEmsOpQuery, kReqOpLog, 1, OpLogCriteria{"", 0, 0, 1, 100}).total, 1u);
    EXPECT_EQ(Send(admin_, kEmsOpQuery, kReqOpLog, 0, OpLogCriteria{"", kNow + 1, 0, 1, 100}).total, 0u);
}

TEST_F(SimOperatorsTest, TheLogIsReadAWindowAtATime)
{
    database_.OpLog().Generate(12000, {"admin", "manager"}, {1, 2}, kNow);
    const Answer window = Send(admin_, kEmsOpQuery, kReqOpLog, 0, OpLogCriteria{"", 0, 0, 5001, 5000});
    ASSERT_TRUE(window.Ok());
    EXPECT_EQ(window.total, 12000u);
    const std::vector<OpLogRecord> entries = window.Records<OpLogRecord>();
    ASSERT_EQ(entries.size(), 5000u);
    EXPECT_EQ(entries.front().recordNo, 5001u);
    EXPECT_EQ(entries.back().recordNo, 10000u);
    const Answer last = Send(admin_, kEmsOpQuery, kReqOpLog, 0, OpLogCriteria{"manager", 0, 0, 5001, 5000});
    EXPECT_EQ(last.total, 6000u);
    EXPECT_EQ(last.records.size(), 1000u);
    EXPECT_LE(last.Records<OpLogRecord>().front().time, kNow);
}

TEST_F(SimOperatorsTest, SubscribersAreFoundByPatternsAndScope)
{
    struct Seed {
        uint32_t port;
        const char* id;
        const char* name;
    };
    const std::string wholeId(20, 'W');
    const Seed seeds[] = {{10101, "SUB-0001", "Anna Berg"},
                          {10102, "SUB-0002", "Ben Lind"},
                          {kAdslPort3, "VIP-7", "Carla Berg"},
                          {kShdslPort2, wholeId.c_str(), "David Moss"}};
    for (const Seed& seed : seeds) {
        SubscriberRecord rec;
        rec.neId = 1;
        rec.entityId = seed.port;
        rec.subscriberId = seed.id;
        rec.name = seed.name;
        ASSERT_TRUE(Send(admin_, kEmsOpModify, kReqSubscriberAdd, 1, rec).Ok()) << seed.id;
    }
    struct Row {
        const char* what;
        uint32_t neId;
        SubscriberCriteria criteria;
        uint32_t total;
        std::vector<std::string> ids;
    };
    const std::vector<Row> rows = {
        {"everything", 0, {"", "", 0, 1, 100}, 4, {"SUB-0001", "SUB-0002", "VIP-7", wholeId}},
        {"a whole ID", 1, {"SUB-0002", "", 0, 1, 100}, 1, {"SUB-0002"}},
        {"part of the IDs", 1, {"*SUB", "", 0, 1, 100}, 2, {"SUB-0001", "SUB-0002"}},
        {"part of the names", 1, {"", "*Berg", 0, 1, 100}, 2, {"SUB-0001", "VIP-7"}},
        {"a star alone", 1, {"*", "", 0, 1, 100}, 4, {"SUB-0001", "SUB-0002", "VIP-7", wholeId}},
        {"an ID that fills the field", 1, {wholeId, "", 0, 1, 100}, 1, {wholeId}},
        {"a slot", 1, {"", "", 10200, 1, 100}, 1, {wholeId}},
        {"a port", 1, {"", "", kAdslPort3, 1, 100}, 1, {"VIP-7"}},
        {"another NE", 2, {"", "", 0, 1, 100}, 0, {}},
        {"a window", 0, {"", "", 0, 2, 2}, 4, {"SUB-0002", "VIP-7"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Answer answer = Send(admin_, kEmsOpQuery, kReqSubscriber, row.neId, row.criteria);
        ASSERT_TRUE(answer.Ok()) << answer.refusal;
        EXPECT_EQ(answer.total, row.total);
        std::vector<std::string> ids;
        for (const SubscriberRecord& rec : answer.Records<SubscriberRecord>())
            ids.push_back(rec.subscriberId);
        EXPECT_EQ(ids, row.ids);
    }
    const Answer window = Send(admin_, kEmsOpQuery, kReqSubscriber, 0, SubscriberCriteria{"", "", 0, 2, 2});
    EXPECT_EQ(window.Records<SubscriberRecord>().front().rowNumber, 2u) << "the row in the whole result";
}

TEST_F(SimOperatorsTest, ASubscriberIsAddedChangedAndDeletedOnItsPort)
{
    SubscriberRecord rec;
    rec.neId = 1;
    rec.entityId = kAdslPort3;
    rec.subscriberId = "SUB-1";
    rec.name = "Anna Berg";
    // The manager's rights hold 'q' on subscribers: no add.
    EXPECT_EQ(Send(manager_, kEmsOpModify, kReqSubscriberAdd, 1, rec).refusal, "No privilege");
    ASSERT_TRUE(Send(admin_, kEmsOpModify, kReqSubscriberAdd, 1, rec).Ok());

    // The same request changes the port's subscriber, ID and all; no other port may take its ID.
    rec.subscriberId = "SUB-9";
    rec.telephone = "+1 555 0100";
    ASSERT_TRUE(Send(admin_, kEmsOpModify, kReqSubscriberAdd, 1, rec).Ok());
    EXPECT_EQ(database_.Subscribers().Size(), 1u);
    EXPECT_EQ(database_.Subscribers().OfPort(1, kAdslPort3)->telephone, "+1 555 0100");
    SubscriberRecord other = rec;
    other.entityId = 10101;
    EXPECT_EQ(Send(admin_, kEmsOpModify, kReqSubscriberAdd, 1, other).refusal, "Subscriber ID already exists");
    // A subscriber needs a line port of an NE the server keeps.
    other.subscriberId = "SUB-10";
    other.entityId = 10100;
    EXPECT_EQ(Send(admin_, kEmsOpModify, kReqSubscriberAdd, 1, other).refusal, "Port does not exist");
    other.neId = 77;
    EXPECT_EQ(Send(admin_, kEmsOpModify, kReqSubscriberAdd, 77, other).refusal, "NE does not exist");

    SubscriberRecord wrong = rec;
    wrong.subscriberId = "SUB-1";
    EXPECT_EQ(Send(admin_, kEmsOpModify, kReqSubscriberDelete, 1, wrong).refusal, "Subscriber does not exist");
    EXPECT_TRUE(Send(admin_, kEmsOpModify, kReqSubscriberDelete, 1, rec).Ok());
    EXPECT_EQ(database_.Subscribers().Size(), 0u);
}

TEST_F(SimOperatorsTest, MadeUpSubscribersFillTheLinePortsInOrder)
{
    database_.GenerateSubscribers(30);
    EXPECT_EQ(database_.Subscribers().Size(), 30u);
    const Answer first = Send(admin_, kEmsOpQuery, kReqSubscriber, 0, SubscriberCriteria{"", "", 0, 1, 1});
    ASSERT_EQ(first.records.size(), 1u);
    const SubscriberRecord rec = first.Records<SubscriberRecord>().front();
    EXPECT_EQ(rec.neId, 1u);
    EXPECT_EQ(rec.entityId, 10101u);
    EXPECT_EQ(rec.subscriberId, "SUB-0000001");
}

TEST_F(SimOperatorsTest, TheScenarioSeedsSubscribersOnTheirPorts)
{
    CSimDatabase seeded;
    std::string error;
    ASSERT_TRUE(seeded.Load(world_, kNow, &error)) << error;
    EXPECT_EQ(seeded.Subscribers().Size(), 4u);
    ASSERT_NE(seeded.Subscribers().OfPort(2, 10201), nullptr) << "the subscriber's NE comes from its section";
    EXPECT_EQ(seeded.Subscribers().OfPort(2, 10201)->subscriberId, "SUB-0201");
    EXPECT_EQ(seeded.Subscribers().OfPort(1, 10201)->subscriberClass, 2u);
}

} // namespace
