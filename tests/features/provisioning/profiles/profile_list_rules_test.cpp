// What the Profile List opens with: the tabs of its group that the operator may see, the tab it selects, why it does
// not open; and which of Save All as Templates and Download All to NEs it offers.

#include "features/provisioning/profiles/profile_list_rules.h"

#include "core/tables/access_rights.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct TabsCase {
    const char* what;
    int group;
    int initialTab;
    std::set<int> rights; // the items with 'q'
    ProfileListTabs tabs;
};

TEST(ProfileListRulesTest, TheTabsFollowTheRights)
{
    using K = ProfileKindId;
    const std::set<int> all = {kRightLineProfiles,      kRightPmThresholdProfiles, kRightTrafficPolicingProfiles,
                               kRightIpTrafficProfiles, kRightMcChannelProfiles,   kRightMcServiceProfiles};
    const TabsCase cases[] = {
        {"every right: line first",
         kProfileGroupAdsl,
         0,
         all,
         {0, {K::kAdslLine, K::kXdslPmThreshold, K::kTrafficPolicing}, K::kAdslLine}},
        {"opened at the PM threshold tab",
         kProfileGroupAdsl,
         1,
         all,
         {0, {K::kAdslLine, K::kXdslPmThreshold, K::kTrafficPolicing}, K::kXdslPmThreshold}},
        {"PM thresholds only, at tab 0: no privilege",
         kProfileGroupAdsl,
         0,
         {kRightPmThresholdProfiles},
         {kStrNoPrivilege, {}, std::nullopt}},
        {"PM thresholds only, at tab 1: one tab",
         kProfileGroupAdsl,
         1,
         {kRightPmThresholdProfiles},
         {0, {K::kXdslPmThreshold}, K::kXdslPmThreshold}},
        {"a tab beyond the group's: the first page",
         kProfileGroupAdsl,
         5,
         all,
         {0, {K::kAdslLine, K::kXdslPmThreshold, K::kTrafficPolicing}, K::kAdslLine}},
        {"the SHDSL group at tab 2, which it has not: the first page",
         kProfileGroupShdsl,
         2,
         all,
         {0, {K::kShdslLine, K::kShdslPmThreshold}, K::kShdslLine}},
        {"no right of the group", kProfileGroupAdsl, 5, {kRightMcChannelProfiles}, {kStrNoPrivilege, {}, std::nullopt}},
        {"the multicast channel tab of the VLAN group",
         kProfileGroupVlan,
         1,
         all,
         {0, {K::kIpTraffic, K::kMcChannel, K::kMcService}, K::kMcChannel}},
        {"the multicast channel tab needs its own right",
         kProfileGroupVlan,
         1,
         {kRightIpTrafficProfiles},
         {kStrNoPrivilege, {}, std::nullopt}},
        {"the multicast service page needs its own right",
         kProfileGroupVlan,
         0,
         {kRightIpTrafficProfiles, kRightMcChannelProfiles},
         {0, {K::kIpTraffic, K::kMcChannel}, K::kIpTraffic}},
        {"an unknown group", 3, 0, all, {kStrInternalError, {}, std::nullopt}},
    };
    for (const TabsCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ProfileListTabsFor(
                      c.group, c.initialTab, [&](int right) { return c.rights.contains(right); }),
                  c.tabs);
    }
}

TEST(ProfileListRulesTest, SaveAllForAnNeDownloadForTheTemplatesNeitherInDirectMode)
{
    EXPECT_EQ(ProfileListButtonsFor(false, false), (ProfileListButtons{true, false}));
    EXPECT_EQ(ProfileListButtonsFor(true, false), (ProfileListButtons{false, true}));
    EXPECT_EQ(ProfileListButtonsFor(false, true), (ProfileListButtons{false, false}));
    EXPECT_EQ(ProfileListButtonsFor(true, true), (ProfileListButtons{false, false}));
}

} // namespace
