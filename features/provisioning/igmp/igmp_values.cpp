#include "features/provisioning/igmp/igmp_values.h"

#include "link/records/igmp_setting_rec.h"

#include <algorithm>

namespace {

constexpr uint32_t kModeDisabled = 3;
constexpr uint32_t kVersion2 = 2;
constexpr uint32_t kVersion3 = 3;
constexpr uint32_t kVersionAuto = 100;

int VersionChoiceOf(uint32_t version)
{
    switch (version) {
    case kVersion3:
        return kIgmpV3Choice;
    case kVersionAuto:
        return kIgmpAutoChoice;
    default:
        return kIgmpV2Choice;
    }
}

uint32_t VersionOf(int choice)
{
    switch (choice) {
    case kIgmpV3Choice:
        return kVersion3;
    case kIgmpAutoChoice:
        return kVersionAuto;
    default:
        return kVersion2;
    }
}

} // namespace

uint32_t ClampIgmpAgingTime(uint32_t seconds)
{
    return std::clamp(seconds, kMinIgmpAgingTime, kMaxIgmpAgingTime);
}

uint32_t ClampIgmpRetries(uint32_t retries)
{
    return std::clamp(retries, kMinIgmpRetries, kMaxIgmpRetries);
}

uint32_t ClampIgmpInterval(uint32_t tenths)
{
    return std::clamp(tenths, kMinIgmpInterval, kMaxIgmpInterval);
}

IgmpSettingValues IgmpValuesOf(const IgmpSettingRec& rec)
{
    IgmpSettingValues values;
    values.mode = rec.mode == kIgmpModeSnooping ? kIgmpSnoopingChoice
                  : rec.mode == kIgmpModeProxy  ? kIgmpProxyChoice
                                                : kIgmpDisabledChoice;
    values.snoopingAgingTime = ClampIgmpAgingTime(rec.snoopingAgingTime);
    values.snoopingInterval = ClampIgmpInterval(rec.snoopingQueryResponseInterval);
    values.snoopingRetries = ClampIgmpRetries(rec.snoopingQueryRetries);
    values.snoopingImmediateLeave = rec.snoopingImmediateLeave == 1 ? 1 : 0;
    values.proxyInterval = ClampIgmpInterval(rec.proxyQueryResponseInterval);
    values.proxyRetries = ClampIgmpRetries(rec.proxyQueryRetries);
    values.proxyImmediateLeave = rec.proxyImmediateLeave == 1 ? 1 : 0;
    values.queryVersion = VersionChoiceOf(rec.queryVersion);
    values.reportVersion = VersionChoiceOf(rec.reportVersion);
    return values;
}

IgmpSettingRec IgmpRecordOf(const IgmpSettingValues& values)
{
    IgmpSettingRec rec;
    rec.mode = values.mode == kIgmpSnoopingChoice ? kIgmpModeSnooping
               : values.mode == kIgmpProxyChoice  ? kIgmpModeProxy
                                                  : kModeDisabled;
    rec.snoopingAgingTime = values.snoopingAgingTime;
    rec.snoopingQueryResponseInterval = values.snoopingInterval;
    rec.snoopingQueryRetries = static_cast<uint8_t>(values.snoopingRetries);
    rec.snoopingImmediateLeave = values.snoopingImmediateLeave == 1 ? 1 : 0;
    rec.proxyQueryResponseInterval = values.proxyInterval;
    rec.proxyQueryRetries = static_cast<uint8_t>(values.proxyRetries);
    rec.proxyImmediateLeave = values.proxyImmediateLeave == 1 ? 1 : 0;
    rec.queryVersion = VersionOf(values.queryVersion);
    rec.reportVersion = VersionOf(values.reportVersion);
    return rec;
}
