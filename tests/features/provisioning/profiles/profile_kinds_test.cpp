// The profile kinds as the Profile List and every profile page and editor use them: group and tab, tab title, right
// item, template and NE codes, the count asked before an add with its limit and refusal, Save All's batch and the
// export stem. The rows are the system's table, written out here on their own.

#include "features/provisioning/profiles/profile_kinds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KindRow {
    ProfileKindId id;
    int group;
    int tab;
    const char* title;
    int right;
    uint16_t templateCode;
    uint16_t neCode;
    uint16_t countCode;
    uint32_t limit;
    uint32_t limitTextId;
    uint32_t batch;
    const char* stem;
};

constexpr KindRow kTable[] = {
    {ProfileKindId::kAdslLine, 0, 0, "Line", 12, 120, 640, 644, 60, 20018, 5, "AdslLineProf"},
    {ProfileKindId::kXdslPmThreshold, 0, 1, "PM Threshold", 13, 124, 650, 654, 60, 20018, 20, "xDslAlmProf"},
    {ProfileKindId::kTrafficPolicing, 0, 2, "Traffic Policing", 57, 140, 460, 464, 60, 20018, 20, "xDslTrfPoliceProf"},
    {ProfileKindId::kShdslLine, 1, 0, "Line", 12, 150, 800, 812, 60, 20018, 5, "ShdslLineProf"},
    {ProfileKindId::kShdslPmThreshold, 1, 1, "PM Threshold", 13, 154, 804, 812, 60, 20018, 20, "ShslAlmProf"},
    {ProfileKindId::kIpTraffic, 2, 0, "IP Traffic", 41, 128, 430, 435, 60, 20018, 20, "xDslIpProf"},
    {ProfileKindId::kMcChannel, 2, 1, "Multicast Channel", 29, 132, 440, 444, 800, 20022, 20, "xDslTVProf"},
    {ProfileKindId::kMcService, 2, 2, "Multicast Service", 42, 136, 450, 454, 60, 20018, 10, "xDslMcSvcProf"},
};

TEST(ProfileKindsTest, EveryKindHasTheValuesOfTheTable)
{
    for (const KindRow& row : kTable) {
        SCOPED_TRACE(row.stem);
        const ProfileKind& kind = GetProfileKind(row.id);
        EXPECT_EQ(kind.group, row.group);
        EXPECT_EQ(kind.tab, row.tab);
        EXPECT_EQ(std::string(kind.tabTitle), row.title);
        EXPECT_EQ(kind.right, row.right);
        EXPECT_EQ(kind.templateCode, row.templateCode);
        EXPECT_EQ(kind.neCode, row.neCode);
        EXPECT_EQ(kind.countCode.value, row.countCode);
        EXPECT_EQ(kind.limit, row.limit);
        EXPECT_EQ(kind.limitTextId, row.limitTextId);
        EXPECT_EQ(kind.saveAllBatch, row.batch);
        EXPECT_EQ(std::string(kind.exportStem), row.stem);
        const ProfileKind* atTab = FindProfileKind(row.group, row.tab);
        ASSERT_NE(atTab, nullptr);
        EXPECT_EQ(atTab->id, row.id) << "the group's tab " << row.tab;
    }
}

TEST(ProfileKindsTest, TheGroupsHoldTheirTabsAndNoMore)
{
    const struct {
        int group;
        size_t tabs;
    } groups[] = {{0, 3}, {1, 2}, {2, 3}, {3, 0}, {-1, 0}};
    for (const auto& group : groups) {
        SCOPED_TRACE(group.group);
        EXPECT_EQ(ProfileGroupKinds(group.group).size(), group.tabs);
        EXPECT_EQ(FindProfileKind(group.group, static_cast<int>(group.tabs)), nullptr) << "one past the last tab";
    }
}

} // namespace
