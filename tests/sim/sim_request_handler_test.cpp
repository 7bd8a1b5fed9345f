// The simulated server's answers as its network changes: the states it sends when notifications are turned on and
// the alarms it makes up name the NEs there are, whichever came or went.
#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "core/entity/entity_model_loader.h"
#include "link/ems_msg.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/word_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_generated_world.h"
#include "sim/server/sim_request_handler.h"
#include "tarvik_test_paths.h"

namespace {

constexpr uint32_t kNow = 1700000000;

class SimRequestHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        std::string error;
        ASSERT_TRUE(database_.Load(GenerateSimScenario(4), kNow, &error)) << error;
        session_.loggedIn = true;
        session_.user = "admin";
    }

    SimHandled Modify(uint16_t code, uint32_t neId, const std::vector<uint8_t>& record)
    {
        Frame request;
        request.header.operation = kEmsOpModify;
        request.header.requestCode = code;
        request.header.neId = neId;
        request.header.count = 1;
        request.header.total = 1;
        request.header.recordSize = static_cast<uint32_t>(record.size());
        request.header.sequence = ++sequence_;
        request.payload = record;
        return handler_.Handle(session_, request, kNow);
    }

    static std::vector<uint8_t> Bytes(const NeKeyRecord& rec)
    {
        const auto bytes = EncodeRecord(rec);
        return {bytes.begin(), bytes.end()};
    }

    // Every NE's key record as a login reads them.
    std::vector<NeKeyRecord> AllNeKeys()
    {
        Frame request;
        request.header.operation = kEmsOpQuery;
        request.header.requestCode = kReqNeKeyAll;
        request.header.count = 1;
        request.header.total = 1;
        request.header.recordSize = 1;
        request.header.sequence = ++sequence_;
        request.payload = {0};
        std::vector<NeKeyRecord> keys;
        for (const Frame& reply : ReplyFrames(handler_.Handle(session_, request, kNow))) {
            EXPECT_EQ(reply.header.status, 0u);
            std::vector<NeKeyRecord> some;
            EXPECT_TRUE(DecodeRecords(reply.payload.data(), reply.header.count, reply.header.recordSize, &some));
            keys.insert(keys.end(), some.begin(), some.end());
        }
        return keys;
    }

    // The states each NE is sent once notifications are turned on, read as a workstation reads them.
    std::map<uint32_t, std::vector<EntityStateRec>> StatesSentOnTurningOn()
    {
        SimHandled on = Modify(kReqNotificationsOn, 0, {1, 0, 0, 0});
        std::map<uint32_t, std::vector<EntityStateRec>> sent;
        const auto take = [&](const SimNotice& notice) {
            std::vector<uint8_t> bytes =
                notice.encoded != nullptr ? *notice.encoded : EncodeNotification(notice, kMaxEmsRecordBytes);
            CFrameDecoder decoder;
            decoder.Append(bytes.data(), bytes.size());
            Frame frame;
            while (decoder.Next(frame) == FrameStatus::Complete) {
                EXPECT_EQ(frame.header.requestCode, kReqEntityState);
                std::vector<EntityStateRec>& states = sent[frame.header.neId];
                EXPECT_TRUE(DecodeRecords(frame.payload.data(), frame.header.count, frame.header.recordSize, &states));
            }
            EXPECT_EQ(decoder.BufferedBytes(), 0u);
        };
        while (on.laterNotices && on.laterNotices(take)) {
        }
        return sent;
    }

    std::map<uint32_t, std::vector<EntityStateRec>> StatesInTheDatabase() const
    {
        std::map<uint32_t, std::vector<EntityStateRec>> states;
        for (const uint32_t id : database_.NeIds())
            states[id] = database_.EntityStates(*database_.FindNe(id));
        return states;
    }

    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    SimSession session_;
    uint32_t sequence_ = 0;
};

TEST_F(SimRequestHandlerTest, StatesAndAlarmsNameTheNesThereAreAfterOnesCameAndWent)
{
    NeKeyRecord added;
    added.neName = "added";
    added.modelId = 2;
    added.ipAddress = {10, 99, 0, 1};
    added.port = 161;
    ASSERT_EQ(Modify(kReqNeKeyAdd, 0, Bytes(added)).replies.at(0).header.status, 0u);
    NeKeyRecord removed;
    removed.neId = 2;
    ASSERT_EQ(Modify(kReqNeKeyDelete, 2, Bytes(removed)).replies.at(0).header.status, 0u);
    const std::vector<uint32_t> there{1, 3, 4, 5};
    EXPECT_EQ(database_.NeIds(), there);

    SimHandled on = Modify(kReqNotificationsOn, 0, {1, 0, 0, 0});
    ASSERT_TRUE(on.laterNotices);
    std::vector<uint32_t> stated;
    const auto take = [&](const SimNotice& notice) {
        EXPECT_EQ(notice.code, kReqEntityState);
        EXPECT_TRUE(!notice.records.empty() || (notice.encoded != nullptr && !notice.encoded->empty()));
        stated.push_back(notice.neId);
    };
    // NE 4 goes while the states are on their way: the series takes the NEs as they are when it comes to them.
    ASSERT_TRUE(on.laterNotices(take));
    NeKeyRecord goneMeanwhile;
    goneMeanwhile.neId = 4;
    ASSERT_EQ(Modify(kReqNeKeyDelete, 4, Bytes(goneMeanwhile)).replies.at(0).header.status, 0u);
    while (on.laterNotices(take)) {
    }
    EXPECT_EQ(stated, (std::vector<uint32_t>{1, 3, 5}));

    std::mt19937 random(7);
    std::set<uint32_t> alarmed;
    for (int i = 0; i < 300; ++i) {
        for (const SimNotice& notice : handler_.GenerateAlarmEvent(random, kNow))
            alarmed.insert(notice.neId);
    }
    EXPECT_EQ(alarmed, (std::set<uint32_t>{1, 3, 5}));
}

TEST_F(SimRequestHandlerTest, EveryNeKeyIsReadAsTheNesAreAfterOnesCameWentAndChanged)
{
    ASSERT_EQ(AllNeKeys(), database_.NeKeys());
    NeKeyRecord added;
    added.neName = "added";
    added.modelId = 2;
    added.ipAddress = {10, 99, 0, 1};
    added.port = 161;
    ASSERT_EQ(Modify(kReqNeKeyAdd, 0, Bytes(added)).replies.at(0).header.status, 0u);
    EXPECT_EQ(AllNeKeys(), database_.NeKeys());
    NeKeyRecord renamed = database_.FindNe(3)->Key();
    renamed.neName = "renamed";
    ASSERT_EQ(Modify(kReqNeKey, 3, Bytes(renamed)).replies.at(0).header.status, 0u);
    EXPECT_EQ(AllNeKeys(), database_.NeKeys());
    NeKeyRecord removed;
    removed.neId = 2;
    ASSERT_EQ(Modify(kReqNeKeyDelete, 2, Bytes(removed)).replies.at(0).header.status, 0u);
    const std::vector<NeKeyRecord> keys = AllNeKeys();
    EXPECT_EQ(keys, database_.NeKeys());
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[1].neName, "renamed");
}

TEST_F(SimRequestHandlerTest, StatesSentAtTurningOnAreTheNesStatesThenWhateverChangedBefore)
{
    ASSERT_EQ(StatesSentOnTurningOn(), StatesInTheDatabase());

    // The first NE becomes of the second's model, which rebuilds its tree; alarms come on some NEs.
    NeKeyRecord changed = database_.FindNe(1)->Key();
    changed.modelId = database_.FindNe(2)->Key().modelId;
    ASSERT_NE(changed.modelId, database_.FindNe(1)->Key().modelId);
    ASSERT_EQ(Modify(kReqNeKey, 1, Bytes(changed)).replies.at(0).header.status, 0u);
    std::mt19937 random(11);
    for (int i = 0; i < 200 && !database_.AlarmLog().HasAnyOf(3); ++i)
        handler_.GenerateAlarmEvent(random, kNow);
    ASSERT_TRUE(database_.AlarmLog().HasAnyOf(3));

    const auto now = StatesInTheDatabase();
    EXPECT_EQ(StatesSentOnTurningOn(), now);
    // And again once the alarms are gone: the NEs' states without alarms.
    database_.AlarmLog() = CSimAlarmLog();
    EXPECT_EQ(StatesSentOnTurningOn(), StatesInTheDatabase());
    EXPECT_NE(StatesInTheDatabase(), now);
}

// Each alarm raised or cleared, and each acknowledgement, alone between two workstations turning notifications on.
TEST_F(SimRequestHandlerTest, StatesSentAtTurningOnFollowEveryAlarmRaisedClearedOrAcknowledgedMeanwhile)
{
    std::mt19937 random(5);
    size_t cleared = 0;
    for (uint32_t step = 1; step <= 60; ++step) {
        handler_.GenerateAlarmEvent(random, kNow + step);
        ASSERT_EQ(StatesSentOnTurningOn(), StatesInTheDatabase()) << "after the alarm event of step " << step;
        if (step % 4 != 0)
            continue;
        // The operator acknowledges the first entity with an active alarm not acknowledged yet; then the NE clears
        // one of its alarms.
        std::optional<std::pair<uint32_t, EntityStateRec>> alarmed;
        for (const auto& [neId, states] : StatesInTheDatabase()) {
            for (const EntityStateRec& state : states) {
                if (!alarmed && state.stateBits != 0 && state.acknowledged == 0)
                    alarmed.emplace(neId, state);
            }
        }
        if (!alarmed)
            continue;
        const auto& [neId, state] = *alarmed;
        const auto ack = EncodeRecord(AlarmAckRec{state.entityId, "north", kNow + step, ""});
        ASSERT_EQ(Modify(kReqAlarmAck, neId, {ack.begin(), ack.end()}).replies.at(0).header.status, 0u);
        ASSERT_EQ(StatesSentOnTurningOn(), StatesInTheDatabase()) << "after the acknowledgement of step " << step;
        const auto bit = static_cast<uint32_t>(std::countr_zero(state.stateBits));
        ASSERT_TRUE(database_.ToggleAlarm(neId, state.entityId, bit, kNow + step).has_value());
        ASSERT_EQ(StatesSentOnTurningOn(), StatesInTheDatabase()) << "after the clear of step " << step;
        ++cleared;
    }
    EXPECT_GT(cleared, 5u);
}

} // namespace
