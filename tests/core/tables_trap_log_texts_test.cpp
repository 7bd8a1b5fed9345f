#include "core/tables/trap_log_texts.h"
#include "tarvik_test_paths.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/trap_log_ring.h"
#include "core/tables/user_account.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Fields = std::array<std::string_view, CTrapLogTexts::kFieldCount>;

TEST(TrapLogTextsTest, EachFieldReadsBackAsGivenAndTextsCompareByContent)
{
    const Fields cases[] = {
        {"North", "alpha", "1-21-1", "ADSL line card", "LOS,LOF"},
        {"", "", "", "", ""},
        {"Zürich", "Ωmega", "", "", "Power Fail"},
    };
    for (const Fields& fields : cases) {
        const CTrapLogTexts texts(fields);
        EXPECT_TRUE(texts.HasRow());
        for (int field = 0; field < CTrapLogTexts::kFieldCount; ++field)
            EXPECT_EQ(texts.Get(static_cast<CTrapLogTexts::Field>(field)), fields[static_cast<size_t>(field)]);
        EXPECT_EQ(texts, CTrapLogTexts(fields));
    }
    // The same letters parted otherwise are other texts.
    EXPECT_NE(CTrapLogTexts({"ab", "c", "", "", ""}), CTrapLogTexts({"a", "bc", "", "", ""}));
    const CTrapLogTexts none;
    EXPECT_FALSE(none.HasRow());
    EXPECT_EQ(none.Get(CTrapLogTexts::kNe), "");
    EXPECT_NE(none, CTrapLogTexts({"", "", "", "", ""}));
}

constexpr uint32_t kNorth = 1;
constexpr uint32_t kSouth = 2;
constexpr uint32_t kAlpha = 10;
constexpr uint32_t kTwoShelfModel = 4;
constexpr uint32_t kPort = 12101; // shelf 1, slot 21, port 1
constexpr uint32_t kGeTrunk = 50; // the port's model

class LoggedTextsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        EntityModelLoadResult loaded =
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat");
        ASSERT_NE(loaded.models, nullptr) << loaded.error;
        ReplaceEntityModels(std::move(loaded.models));
        AppData().Reset();
        ClearUserRights();
        AppSettings() = CAppSettings{};
        ASSERT_EQ(SetUserRights(kRoleUser, "qqqqqqqqqq"), 0);
        AppData().role = kRoleUser;
        AddLocation(kNorth, "North");
        AddLocation(kSouth, "South");
        CNeRecord ne;
        ne.neId = kAlpha;
        ne.locationId = kNorth;
        ne.name = "alpha";
        ne.neModelId = kTwoShelfModel;
        ne.address = {10, 0, 0, 10};
        ASSERT_EQ(AppData().nes.AddNe(ne), NeResult::kOk);
        ASSERT_EQ(ring_.ResetTrapLog(10), 1);
    }
    void TearDown() override
    {
        AppData().Reset();
        ClearUserRights();
        AppSettings() = CAppSettings{};
        ReplaceEntityModels(nullptr);
    }

    static void AddLocation(uint32_t id, const char* name)
    {
        CLocationNode node;
        node.id = id;
        node.name = name;
        ASSERT_EQ(AppData().locations.UpsertLocation(node), LocationResult::kOk);
    }

    // Logs an alarm of the NE's port and reads back the newest record of the ring.
    TrapLogRecord LogAlarm(uint32_t bits)
    {
        TrapLogRecord state;
        state.entityId = kPort;
        state.alarmBits = bits;
        state.severity = 2;
        state.plannedType = kGeTrunk;
        state.onlineType = kGeTrunk;
        EXPECT_EQ(ring_.AddTrapLogRecords(kAlpha, &state, 1), 1);
        TrapLogRecord record;
        record.sequence = ring_.GetCount() - 2;
        if (ring_.GetCount() == 1)
            EXPECT_EQ(ring_.GetFirstTrapLogRecord(&record), 1u);
        else
            EXPECT_EQ(ring_.GetNextTrapLogRecord(&record), 1u);
        return record;
    }

    CTrapLogRing ring_;
};

TEST_F(LoggedTextsTest, ARecordKeepsTheNamesItWasLoggedWithWhateverTheTablesDoAfterwards)
{
    const TrapLogRecord logged = LogAlarm(1);
    ASSERT_TRUE(logged.texts.HasRow());
    EXPECT_EQ(logged.texts.Get(CTrapLogTexts::kLocation), "North");
    EXPECT_EQ(logged.texts.Get(CTrapLogTexts::kNe), "alpha");
    EXPECT_EQ(logged.texts.Get(CTrapLogTexts::kSlotPort), "1-21-GE1");
    EXPECT_EQ(logged.texts.Get(CTrapLogTexts::kAlarms), "LOS");
    const CTrapLogTexts asLogged = logged.texts;

    // The NE is renamed and moved: what is logged afterwards names it anew, the earlier record does not change.
    CNeRecord* ne = AppData().nes.FindNeById(kAlpha);
    ne->name = "alpha-2";
    ne->locationId = kSouth;
    const TrapLogRecord later = LogAlarm(1);
    EXPECT_EQ(later.texts.Get(CTrapLogTexts::kNe), "alpha-2");
    EXPECT_EQ(later.texts.Get(CTrapLogTexts::kLocation), "South");
    TrapLogRecord first;
    ASSERT_EQ(ring_.GetFirstTrapLogRecord(&first), 1u);
    EXPECT_EQ(first.texts, asLogged);

    // The NE goes: its records stay whole.
    ASSERT_EQ(AppData().nes.RemoveNe(kAlpha), NeResult::kOk);
    ASSERT_EQ(ring_.GetFirstTrapLogRecord(&first), 1u);
    EXPECT_EQ(first.texts, asLogged);
}

TEST_F(LoggedTextsTest, BitsTheModelDoesNotNameGiveNoRowAndNoBitsAnEmptyAlarmText)
{
    EXPECT_FALSE(LogAlarm(1u << 20).texts.HasRow());
    const TrapLogRecord cleared = LogAlarm(0);
    EXPECT_TRUE(cleared.texts.HasRow());
    EXPECT_EQ(cleared.texts.Get(CTrapLogTexts::kAlarms), "");
}

} // namespace
