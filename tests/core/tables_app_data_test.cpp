#include "core/tables/app_data.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class AppDataTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        // 1 North (2 Harbour (3 Pier), 4 Hill), 5 South; location 9 is unknown.
        AddLocation(1, 0, "North");
        AddLocation(2, 1, "Harbour");
        AddLocation(3, 2, "Pier");
        AddLocation(4, 1, "Hill");
        AddLocation(5, 0, "South");
        uint8_t host = 1;
        for (uint32_t location : {0u, 1u, 3u, 4u, 5u, 9u}) {
            CNeRecord ne;
            ne.neId = 100 + location;
            ne.name = "ne" + std::to_string(location);
            ne.locationId = location;
            ne.address = {10, 0, 0, host++};
            ASSERT_EQ(data_.nes.AddNe(ne), NeResult::kOk);
            CUserAccount account;
            account.name = "user" + std::to_string(location);
            account.locationId = location;
            ASSERT_NE(data_.accounts.UpsertAccount(account), nullptr);
        }
    }

    void AddLocation(uint32_t id, uint32_t parent, const char* name)
    {
        CLocationNode node;
        node.id = id;
        node.parentId = parent;
        node.name = name;
        ASSERT_EQ(data_.locations.UpsertLocation(node), LocationResult::kOk);
    }

    // In-scope flags as a text: locations 0..5, then NEs and accounts at locations 0, 1, 3, 4, 5, 9.
    std::string Flags() const
    {
        std::string text;
        for (uint32_t id = 0; id <= 5; ++id) {
            text += std::to_string(data_.locations.FindLocation(id)->inScope);
        }
        text += " ";
        for (uint32_t location : {0u, 1u, 3u, 4u, 5u, 9u}) {
            text += std::to_string(data_.nes.FindNeById(100 + location)->inScope);
        }
        text += " ";
        for (uint32_t location : {0u, 1u, 3u, 4u, 5u, 9u}) {
            text += std::to_string(data_.accounts.FindUserAccount("user" + std::to_string(location))->inScope);
        }
        return text;
    }

    CAppData data_;
};

struct ScopeRow {
    uint32_t scope;
    const char* flags;
};

class ScopeTest : public AppDataTest, public ::testing::WithParamInterface<ScopeRow> {};

TEST_P(ScopeTest, MarksTheScopeAndEverythingBelowIt)
{
    data_.SetUserLocationScope(GetParam().scope);
    EXPECT_EQ(data_.scopeLocationId, GetParam().scope);
    EXPECT_EQ(Flags(), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScopeTest,
                         ::testing::Values(ScopeRow{0, "111111 111111 111111"}, ScopeRow{1, "011110 011100 011100"},
                                           ScopeRow{2, "001100 001000 001000"}, ScopeRow{3, "000100 001000 001000"},
                                           ScopeRow{5, "000001 000010 000010"},
                                           // An unknown scope leaves nothing but what names it.
                                           ScopeRow{9, "000000 000001 000001"}));

TEST_F(AppDataTest, ScopeCanBeLiftedAgain)
{
    data_.SetUserLocationScope(3);
    data_.SetUserLocationScope(0);
    EXPECT_EQ(Flags(), "111111 111111 111111");
}

TEST_F(AppDataTest, LoginTextsAreCutAndResetClearsEverything)
{
    data_.SetLoginUserName("administrator");
    data_.SetLoginPassword("0123456789abc");
    EXPECT_EQ(data_.GetLoginUserName(), "administra");
    EXPECT_EQ(data_.GetLoginPassword(), "0123456789");

    data_.role = kRoleManager;
    data_.SetUserLocationScope(2);
    data_.neListChanged = data_.neNamesChanged = data_.neAddressesChanged = true;
    data_.locationTreeChanged = data_.mapsChanged = true;
    data_.SetAlarmSeverityCount(1, 4);
    data_.locations.Root().name = "Company";

    data_.Reset();
    EXPECT_EQ(data_.GetLoginUserName(), "");
    EXPECT_EQ(data_.GetLoginPassword(), "");
    EXPECT_EQ(data_.role, kRoleNone);
    EXPECT_EQ(data_.scopeLocationId, 0u);
    EXPECT_FALSE(data_.neListChanged || data_.neNamesChanged || data_.neAddressesChanged || data_.locationTreeChanged ||
                 data_.mapsChanged);
    EXPECT_EQ(data_.GetAlarmSeverityCount(1), 0u);
    EXPECT_EQ(data_.nes.Count(), 0u);
    EXPECT_EQ(data_.locations.Count(), 0u);
    EXPECT_EQ(data_.accounts.Count(), 0u);
    EXPECT_EQ(data_.locations.Root().name, "<Root>");
    EXPECT_EQ(data_.locations.Root().inScope, 1u);
}

} // namespace
