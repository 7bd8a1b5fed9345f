// What the Profile List opens with: the tabs of its group that the operator may see and whose page is built, the tab
// it selects, why it does not open; and which of Save All as Templates and Download All to NEs it offers.

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

// The pages built so far: the ADSL line and xDSL PM threshold profiles.
bool Built(ProfileKindId kind)
{
    return kind == ProfileKindId::kAdslLine || kind == ProfileKindId::kXdslPmThreshold;
}

TEST(ProfileListRulesTest, TheTabsFollowTheRightsAndThePagesBuilt)
{
    using K = ProfileKindId;
    const std::set<int> all = {kRightLineProfiles,      kRightPmThresholdProfiles, kRightTrafficPolicingProfiles,
                               kRightIpTrafficProfiles, kRightMcChannelProfiles,   kRightMcServiceProfiles};
    const TabsCase cases[] = {
        {"every right: line first", kProfileGroupAdsl, 0, all, {0, {K::kAdslLine, K::kXdslPmThreshold}, K::kAdslLine}},
        {"opened at the PM threshold tab",
         kProfileGroupAdsl,
         1,
         all,
         {0, {K::kAdslLine, K::kXdslPmThreshold}, K::kXdslPmThreshold}},
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
         {0, {K::kAdslLine, K::kXdslPmThreshold}, K::kAdslLine}},
        {"the policing tab asked for, its page not built: the first page",
         kProfileGroupAdsl,
         2,
         all,
         {0, {K::kAdslLine, K::kXdslPmThreshold}, K::kAdslLine}},
        {"no right of the group", kProfileGroupAdsl, 5, {kRightMcChannelProfiles}, {kStrNoPrivilege, {}, std::nullopt}},
        {"a group whose pages are still to come", kProfileGroupVlan, 1, all, {kStrNotAvailableYet, {}, std::nullopt}},
        {"the multicast channel tab needs its own right",
         kProfileGroupVlan,
         1,
         {kRightIpTrafficProfiles},
         {kStrNoPrivilege, {}, std::nullopt}},
        {"an unknown group", 3, 0, all, {kStrInternalError, {}, std::nullopt}},
    };
    for (const TabsCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ProfileListTabsFor(
                      c.group, c.initialTab, [&](int right) { return c.rights.contains(right); }, Built),
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
