// The simulated server's xDSL profiles: a write puts a profile in place whether the table has it or not, an add
// refuses a taken name, neither goes past the table's limit; a synchronisation makes an NE's profiles of each chosen
// class the templates' (and its alarm definitions those of its model), and the verification says which classes are
// the same.

#include "sim/server/sim_profiles.h"
#include "tarvik_test_paths.h"

#include "core/entity/entity_model_loader.h"
#include "link/ems_msg.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/request_codes.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "sim/server/sim_ne.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kNe = 4;

AdslLineProfileRec Line(const std::string& name, uint32_t rate = 64000)
{
    AdslLineProfileRec rec;
    rec.name = name;
    rec.channelMode = 2;
    rec.downMaxRateFast = rate;
    rec.status = 1;
    return rec;
}

template <class Rec> GenericReply Write(CSimProfiles& profiles, uint16_t code, uint32_t neId, std::vector<Rec> recs)
{
    const SimProfileKind* kind = FindSimProfileKind(code);
    const std::vector<uint8_t> bytes = EncodeRecords(recs);
    return profiles.Handle(*kind, code, kEmsOpModify, neId, bytes.data(), static_cast<uint32_t>(recs.size()),
                           kRecordSize<Rec>);
}

template <class Rec> std::vector<Rec> Held(CGenericRecordStore& store, uint16_t code, uint32_t neId)
{
    std::vector<Rec> held;
    for (const std::vector<uint8_t>& bytes : store.KeptRecords(code, neId)) {
        Rec rec;
        EXPECT_TRUE(DecodeRecord(bytes.data(), bytes.size(), &rec));
        held.push_back(rec);
    }
    return held;
}

class SimProfilesTest : public ::testing::Test {
protected:
    SimProfilesTest()
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
    }
    CGenericRecordStore store_;
    CSimProfiles profiles_{store_};
};

TEST_F(SimProfilesTest, AWritePutsTheProfileInPlaceAndAnAddRefusesATakenName)
{
    EXPECT_EQ(Write(profiles_, kReqAdslLineProfile, kNe, std::vector{Line("a")}).status, 0u) << "not held: added";
    EXPECT_EQ(Write(profiles_, kReqAdslLineProfile, kNe, std::vector{Line("a", 128000)}).status, 0u);
    EXPECT_EQ((Held<AdslLineProfileRec>(store_, kReqAdslLineProfile, kNe)), std::vector{Line("a", 128000)});
    const GenericReply taken = Write(profiles_, kReqAdslLineProfileAdd, kNe, std::vector{Line("a")});
    EXPECT_EQ(taken.status, static_cast<uint32_t>(kDrvTextReply));
    EXPECT_EQ(taken.reason, "Record already exists");
    EXPECT_TRUE((Held<AdslLineProfileRec>(store_, kReqAdslLineProfile, kNe + 1)).empty()) << "each NE its own";
}

TEST_F(SimProfilesTest, NoTablePassesItsLimit)
{
    std::vector<AdslLineProfileRec> held;
    for (int i = 0; i < 59; ++i)
        held.push_back(Line("p" + std::to_string(i)));
    ASSERT_EQ(Write(profiles_, kReqAdslLineProfileAdd, kNe, held).status, 0u);
    const std::vector<AdslLineProfileRec> two = {Line("x"), Line("y")};
    for (uint16_t code : {kReqAdslLineProfileAdd.value, kReqAdslLineProfile.value}) {
        const GenericReply full = Write(profiles_, code, kNe, two);
        EXPECT_EQ(full.status, static_cast<uint32_t>(kDrvTextReply)) << code;
        EXPECT_EQ(full.reason, kSimProfileTableFull);
    }
    EXPECT_EQ(Write(profiles_, kReqAdslLineProfile, kNe, std::vector{Line("p3", 1), Line("x")}).status, 0u)
        << "one new profile has room, a changed one needs none";
    EXPECT_EQ(Held<AdslLineProfileRec>(store_, kReqAdslLineProfile, kNe).size(), 60u);
    // The templates have a table of their own, with the same limit.
    EXPECT_EQ(Write(profiles_, kReqAdslLineProfileTemplateAdd, 0, held).status, 0u);
    EXPECT_EQ(Write(profiles_, kReqAdslLineProfileTemplateAdd, 0, two).status, static_cast<uint32_t>(kDrvTextReply));
}

// The count asked before an add: an NE counts its own profiles, the server (NE 0) its templates; the SHDSL count is the
// fuller of the two SHDSL tables.
TEST_F(SimProfilesTest, TheCountBeforeAnAddIsOfTheTableItsNeHolds)
{
    std::vector<AdslLineProfileRec> three = {Line("a"), Line("b"), Line("c")};
    ASSERT_EQ(Write(profiles_, kReqAdslLineProfileAdd, kNe, three).status, 0u);
    ASSERT_EQ(Write(profiles_, kReqAdslLineProfileTemplateAdd, 0, std::vector{Line("t")}).status, 0u);
    EXPECT_TRUE(IsSimProfileCount(kReqAdslLineProfileCount));
    EXPECT_FALSE(IsSimProfileCount(kReqAdslLineProfile));
    EXPECT_EQ(profiles_.Count(kReqAdslLineProfileCount, kNe), 3u);
    EXPECT_EQ(profiles_.Count(kReqAdslLineProfileCount, 0), 1u) << "the templates";
    EXPECT_EQ(profiles_.Count(kReqPmThresholdProfileCount, kNe), 0u) << "another kind's table";

    ShdslLineProfileRec line;
    line.name = "s1";
    ASSERT_EQ(Write(profiles_, kReqShdslLineProfileAdd, kNe, std::vector{line}).status, 0u);
    EXPECT_EQ(profiles_.Count(kReqShdslProfileCount, kNe), 1u);
    std::vector<ShdslPmThresholdProfileRec> thresholds(2);
    thresholds[0].name = "m1";
    thresholds[1].name = "m2";
    ASSERT_EQ(Write(profiles_, kReqShdslPmThresholdProfileAdd, kNe, thresholds).status, 0u);
    EXPECT_EQ(profiles_.Count(kReqShdslProfileCount, kNe), 2u) << "the fuller SHDSL table";
    EXPECT_EQ(profiles_.Count(kReqShdslProfileCount, 0), 0u);
}

TEST_F(SimProfilesTest, ASynchronisationMakesTheChosenClassesTheTemplates)
{
    NeKeyRecord key;
    key.neId = kNe;
    key.neName = "Lab";
    key.modelId = 2;
    CSimNe ne(key, {});
    Write(profiles_, kReqAdslLineProfileTemplate, 0, std::vector{Line("t1"), Line("t2")});
    ShdslLineProfileRec shdsl;
    shdsl.name = "s1";
    Write(profiles_, kReqShdslLineProfileTemplate, 0, std::vector{shdsl});
    XdslPmThresholdProfileRec pm;
    pm.name = "pm";
    Write(profiles_, kReqPmThresholdProfileTemplate, 0, std::vector{pm});
    Write(profiles_, kReqAdslLineProfile, kNe, std::vector{Line("own")});
    AlarmDefRec def = ne.AlarmDefs().front();
    def.severity = def.severity == 1 ? 2 : 1;
    const auto bytes = EncodeRecord(def);
    store_.ReplaceRecords(kReqAlarmDefTemplate, 0, kAlarmDefRecSize, {{bytes.begin(), bytes.end()}});

    const ProfileSyncRec before = profiles_.Compare(ne);
    EXPECT_EQ(before.lineProfiles, 0u);
    EXPECT_EQ(before.pmThresholdProfiles, 0u);
    EXPECT_EQ(before.mcChannelProfiles, 1u) << "no templates and no profiles are the same";
    EXPECT_EQ(before.alarmDefs, 0u);

    profiles_.Synchronise(ne, ProfileSyncRec{0, 1, 0, 0, 0, 0, 1});
    EXPECT_EQ((Held<AdslLineProfileRec>(store_, kReqAdslLineProfile, kNe)), (std::vector{Line("t1"), Line("t2")}));
    EXPECT_EQ((Held<ShdslLineProfileRec>(store_, kReqShdslLineProfile, kNe)), std::vector{shdsl})
        << "the line class holds the SHDSL line profiles too";
    EXPECT_TRUE((Held<XdslPmThresholdProfileRec>(store_, kReqPmThresholdProfile, kNe)).empty()) << "not chosen";
    const ProfileSyncRec after = profiles_.Compare(ne);
    EXPECT_EQ(after.lineProfiles, 1u);
    EXPECT_EQ(after.pmThresholdProfiles, 0u);
    EXPECT_EQ(after.alarmDefs, 1u);
}

} // namespace
