#include "features/provisioning/profiles/profile_kinds.h"

#include "core/tables/access_rights.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/string_ids.h"

#include <array>
#include <utility>

namespace {

constexpr uint32_t kProfileLimit = 60;
constexpr uint32_t kChannelProfileLimit = 800;

// By group, then tab.
constexpr std::array<ProfileKind, 8> kKinds = {{
    {ProfileKindId::kAdslLine, kProfileGroupAdsl, 0, "Line", kRightLineProfiles, kReqAdslLineProfileTemplate,
     kReqAdslLineProfile, kReqAdslLineProfileCount, kProfileLimit, kStrProfileTableFull, 5, "AdslLineProf"},
    {ProfileKindId::kXdslPmThreshold, kProfileGroupAdsl, 1, "PM Threshold", kRightPmThresholdProfiles,
     kReqPmThresholdProfileTemplate, kReqPmThresholdProfile, kReqPmThresholdProfileCount, kProfileLimit,
     kStrProfileTableFull, 20, "xDslAlmProf"},
    {ProfileKindId::kTrafficPolicing, kProfileGroupAdsl, 2, "Traffic Policing", kRightTrafficPolicingProfiles,
     kReqTrafficPolicingProfileTemplate, kReqTrafficPolicingProfile, kReqTrafficPolicingProfileCount, kProfileLimit,
     kStrProfileTableFull, 20, "xDslTrfPoliceProf"},
    {ProfileKindId::kShdslLine, kProfileGroupShdsl, 0, "Line", kRightLineProfiles, kReqShdslLineProfileTemplate,
     kReqShdslLineProfile, kReqShdslProfileCount, kProfileLimit, kStrProfileTableFull, 5, "ShdslLineProf"},
    {ProfileKindId::kShdslPmThreshold, kProfileGroupShdsl, 1, "PM Threshold", kRightPmThresholdProfiles,
     kReqShdslPmThresholdProfileTemplate, kReqShdslPmThresholdProfile, kReqShdslProfileCount, kProfileLimit,
     kStrProfileTableFull, 20, "ShslAlmProf"},
    {ProfileKindId::kIpTraffic, kProfileGroupVlan, 0, "IP Traffic", kRightIpTrafficProfiles,
     kReqIpTrafficProfileTemplate, kReqIpTrafficProfile, kReqIpTrafficProfileCount, kProfileLimit, kStrProfileTableFull,
     20, "xDslIpProf"},
    {ProfileKindId::kMcChannel, kProfileGroupVlan, 1, "Multicast Channel", kRightMcChannelProfiles,
     kReqMcChannelProfileTemplate, kReqMcChannelProfile, kReqMcChannelProfileCount, kChannelProfileLimit,
     kStrChannelProfileTableFull, 20, "xDslTVProf"},
    {ProfileKindId::kMcService, kProfileGroupVlan, 2, "Multicast Service", kRightMcServiceProfiles,
     kReqMcServiceProfileTemplate, kReqMcServiceProfile, kReqMcServiceProfileCount, kProfileLimit, kStrProfileTableFull,
     10, "xDslMcSvcProf"},
}};

// Where each group's kinds start in the table, and how many it has.
constexpr std::array<std::pair<size_t, size_t>, kProfileGroupCount> kGroups = {{{0, 3}, {3, 2}, {5, 3}}};

} // namespace

const ProfileKind& GetProfileKind(ProfileKindId id)
{
    return kKinds[static_cast<size_t>(id)];
}

std::span<const ProfileKind> ProfileGroupKinds(int group)
{
    if (group < 0 || group >= kProfileGroupCount)
        return {};
    const auto [first, count] = kGroups[static_cast<size_t>(group)];
    return std::span<const ProfileKind>(kKinds).subspan(first, count);
}

const ProfileKind* FindProfileKind(int group, int tab)
{
    const std::span<const ProfileKind> kinds = ProfileGroupKinds(group);
    return tab >= 0 && static_cast<size_t>(tab) < kinds.size() ? &kinds[static_cast<size_t>(tab)] : nullptr;
}
