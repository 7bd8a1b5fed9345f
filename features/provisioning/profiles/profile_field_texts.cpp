#include "features/provisioning/profiles/profile_field_texts.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<uint32_t, kUpstreamRateChoices - 1> kUpstreamKbps = {32, 64, 128, 256, 384, 512, 768};

constexpr std::array<uint32_t, kPolicingActionChoices> kActionTexts = {
    kStrPolicingNoAction, kStrDrop,         kStrPolicingBestEffort, kStrPolicingAf11,
    kStrPolicingAf12,     kStrPolicingAf13, kStrPolicingAf21,       kStrPolicingAf22,
    kStrPolicingAf23,     kStrPolicingAf31, kStrPolicingAf32,       kStrPolicingAf33,
    kStrPolicingAf41,     kStrPolicingAf42, kStrPolicingAf43,       kStrPolicingExpedited};

std::vector<std::string> Texts(std::initializer_list<uint32_t> ids)
{
    std::vector<std::string> texts;
    for (uint32_t id : ids)
        texts.push_back(LoadString(id));
    return texts;
}

} // namespace

std::vector<std::string> QueueChoices()
{
    return Texts({kStrQueueLow, kStrQueueMedium, kStrQueueHigh, kStrQueueUrgent});
}

std::vector<std::string> UpstreamRateChoices()
{
    std::vector<std::string> texts{LoadString(kStrNoRateLimit)};
    for (uint32_t kbps : kUpstreamKbps)
        texts.push_back(std::to_string(kbps));
    return texts;
}

std::vector<std::string> PolicingActionChoices()
{
    std::vector<std::string> texts;
    for (uint32_t id : kActionTexts)
        texts.push_back(LoadString(id));
    return texts;
}

std::vector<std::string> BroadcastChoices()
{
    return Texts({kStrDrop, kStrForward});
}

std::string QueueText(uint32_t queue)
{
    if (queue >= kQueueChoices - 1)
        return LoadString(kStrQueueHighest);
    return QueueChoices()[queue];
}

std::string UpstreamRateText(uint32_t index)
{
    return UpstreamRateChoices()[std::min<uint32_t>(index, kUpstreamRateChoices - 1)];
}

std::string PolicingActionText(uint32_t action)
{
    return action < kPolicingActionChoices ? LoadString(kActionTexts[action]) : LoadString(kStrDrop);
}
