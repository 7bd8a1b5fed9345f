// The simulated server's SHDSL lines: the port records listed below the entity a query names and written only with
// profiles the NE has, the rates that follow a port's line profile, and the PM counters of both sides.

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/shdsl_rate_status_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"
#include "tarvik_test_paths.h"

#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1699999200 + 300; // 300 seconds into a quarter hour
constexpr uint32_t kNe = 1;
constexpr uint32_t kShdslCard = 10200; // NE 1, slot 2
constexpr uint32_t kFirstPort = 10201;
constexpr uint32_t kAdslPort = 10101;

class SimShdslTest : public ::testing::Test {
protected:
    SimShdslTest()
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        SimScenario world;
        std::string error;
        EXPECT_TRUE(LoadSimScenario(std::string(TARVIK_TEST_DATA_DIR) + "/server/sim_world.ini", &world, &error))
            << error;
        EXPECT_TRUE(database_.Load(world, kNow, &error)) << error;
        admin_.loggedIn = true;
        admin_.user = "admin";
    }

    // The records of the reply, or none with the refusal's text.
    template <class Rec, class Body>
    std::vector<Rec> Send(uint8_t operation, uint16_t code, const Body& body, std::string* refusal = nullptr)
    {
        Frame frame;
        frame.header.operation = operation;
        frame.header.requestCode = code;
        frame.header.neId = kNe;
        frame.header.count = 1;
        frame.header.recordSize = kRecordSize<Body>;
        const auto bytes = EncodeRecord(body);
        frame.payload.assign(bytes.begin(), bytes.end());
        std::vector<Rec> records;
        for (const Frame& reply : handler_.Handle(admin_, frame, kNow).replies) {
            if (reply.header.operation == kEmsOpTextReply && refusal != nullptr)
                *refusal = std::string(reinterpret_cast<const char*>(reply.payload.data()));
            for (uint32_t i = 0; i < reply.header.count && reply.header.recordSize == kRecordSize<Rec>; ++i) {
                Rec rec;
                DecodeRecord(reply.payload.data() + static_cast<size_t>(i) * kRecordSize<Rec>, kRecordSize<Rec>, &rec);
                records.push_back(rec);
            }
        }
        return records;
    }

    std::vector<ShdslPortRec> Ports(uint32_t below)
    {
        ShdslPortRec query;
        query.entityId = below;
        return Send<ShdslPortRec>(kEmsOpQuery, kReqShdslPort, query);
    }

    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    SimSession admin_;
};

TEST_F(SimShdslTest, PortsAreListedBelowTheEntityAQueryNames)
{
    const std::vector<ShdslPortRec> all = Ports(1);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front().entityId, kFirstPort);
    EXPECT_EQ(all.front().lineProfile, "shdsl-2m") << "started with the NE's first profiles";
    EXPECT_EQ(all.front().enableState, 1u);
    EXPECT_EQ(Ports(kShdslCard).size(), all.size()) << "every SHDSL port is on the card";
    ASSERT_EQ(Ports(kFirstPort).size(), 1u);
    EXPECT_TRUE(Ports(kAdslPort).empty());
}

TEST_F(SimShdslTest, APortIsWrittenOnlyWithProfilesTheNeHasAndKeepsItsState)
{
    ShdslPortRec write;
    write.entityId = kFirstPort;
    write.lineProfile = "no-such-profile";
    write.enableState = 2;
    std::string refusal;
    Send<ShdslPortRec>(kEmsOpModify, kReqShdslPort, write, &refusal);
    EXPECT_EQ(refusal, "No such profile");
    EXPECT_EQ(Ports(kFirstPort).front().lineProfile, "shdsl-2m");

    write.lineProfile = "shdsl-fixed-1m";
    write.pmThresholdProfile = "";
    Send<ShdslPortRec>(kEmsOpModify, kReqShdslPort, write);
    const ShdslPortRec kept = Ports(kFirstPort).front();
    EXPECT_EQ(kept.lineProfile, "shdsl-fixed-1m");
    EXPECT_EQ(kept.enableState, 2u);
    EXPECT_EQ(kept.operState, 1u);

    write.entityId = kAdslPort;
    refusal.clear();
    Send<ShdslPortRec>(kEmsOpModify, kReqShdslPort, write, &refusal);
    EXPECT_EQ(refusal, "The entity is not an SHDSL port");
}

TEST_F(SimShdslTest, ThePortsRateFollowsItsLineProfile)
{
    EXPECT_EQ(Send<ShdslRateStatusRec>(kEmsOpQuery, kReqShdslRateStatus, WordRecord{kFirstPort}).front().currentRate,
              2312000u);
    ShdslPortRec write = Ports(kFirstPort).front();
    write.lineProfile = "shdsl-fixed-1m";
    Send<ShdslPortRec>(kEmsOpModify, kReqShdslPort, write);
    const ShdslRateStatusRec rate =
        Send<ShdslRateStatusRec>(kEmsOpQuery, kReqShdslRateStatus, WordRecord{kFirstPort}).front();
    EXPECT_EQ(rate.currentRate, 1032000u);
    EXPECT_EQ(rate.mode, 0x40u);
}

TEST_F(SimShdslTest, PmCountersGrowWithTheirIntervalOnBothSides)
{
    const std::vector<ShdslPmRec> co = Send<ShdslPmRec>(kEmsOpQuery, kReqShdslPm, ShdslPmQueryRec{kFirstPort, 1});
    ASSERT_EQ(co.size(), 1u);
    EXPECT_EQ(co.front().elapsed15Min, 300u);
    EXPECT_LE(co.front().current15Min.es, 300u);
    EXPECT_LE(co.front().currentDay.es, co.front().elapsedDay);
    const ShdslPmRec rt = Send<ShdslPmRec>(kEmsOpQuery, kReqShdslPm, ShdslPmQueryRec{kFirstPort, 2}).front();
    EXPECT_GT(rt.previousDay.es, co.front().previousDay.es) << "the remote side errs more";

    const auto intervals =
        Send<ShdslIntervalRec>(kEmsOpQuery, kReqShdslHistory, ShdslHistoryQueryRec{kFirstPort, 2, 0});
    ASSERT_FALSE(intervals.empty());
    EXPECT_EQ(intervals.front().createTime % 900, 0u);
    EXPECT_GT(intervals.front().createTime, intervals.back().createTime) << "the latest first";
    EXPECT_EQ(intervals.front().side, 2u);

    std::string refusal;
    Send<ShdslPmRec>(kEmsOpQuery, kReqShdslPm, ShdslPmQueryRec{kAdslPort, 1}, &refusal);
    EXPECT_EQ(refusal, "The entity is not an SHDSL port");
}

} // namespace
