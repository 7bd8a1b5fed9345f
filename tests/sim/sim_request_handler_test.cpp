// The simulated server's answers as its network changes: the states it sends when notifications are turned on and
// the alarms it makes up name the NEs there are, whichever came or went.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "core/entity/entity_model_loader.h"
#include "link/ems_msg.h"
#include "link/records/ne_key_record.h"
#include "link/records/word_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_generated_world.h"
#include "sim/server/sim_request_handler.h"

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
        EXPECT_FALSE(notice.records.empty());
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

} // namespace
