#pragma once
// The values of the IGMP dialogs as the operator sees them, and how they are read from and written to the NE's
// records: a value the NE reports outside a field's range shows the nearer end of it, a mode other than snooping or
// proxy shows as disabled and is written back as such, and a version other than IGMPv3 or Auto shows as IGMPv2.
// Window-free.

#include <cstdint>

struct IgmpSettingRec;

inline constexpr uint32_t kMinIgmpAgingTime = 1;
inline constexpr uint32_t kMaxIgmpAgingTime = 600;
inline constexpr uint32_t kMinIgmpRetries = 1;
inline constexpr uint32_t kMaxIgmpRetries = 5;
inline constexpr uint32_t kMinIgmpInterval = 1;
inline constexpr uint32_t kMaxIgmpInterval = 6000; // tenths of a second
// The proxy's query response interval is one byte of seconds.
inline constexpr uint32_t kMaxIgmpProxySeconds = 255;

uint32_t ClampIgmpAgingTime(uint32_t seconds);
uint32_t ClampIgmpRetries(uint32_t retries);
uint32_t ClampIgmpInterval(uint32_t tenths);

// The mode choices of the combined dialog, in the order of its radio buttons.
enum IgmpModeChoice : int { kIgmpDisabledChoice = 0, kIgmpSnoopingChoice = 1, kIgmpProxyChoice = 2 };
// The version choices, in the order of the radio buttons: IGMPv2, IGMPv3, Auto.
enum IgmpVersionChoice : int { kIgmpV2Choice = 0, kIgmpV3Choice = 1, kIgmpAutoChoice = 2 };

// What the combined dialog shows and writes.
struct IgmpSettingValues {
    int mode = kIgmpDisabledChoice;
    uint32_t snoopingAgingTime = 30;
    uint32_t snoopingInterval = 100;
    uint32_t snoopingRetries = 2;
    int snoopingImmediateLeave = 1;
    uint32_t proxyInterval = 100;
    uint32_t proxyRetries = 2;
    int proxyImmediateLeave = 1;
    int queryVersion = kIgmpV2Choice;
    int reportVersion = kIgmpV2Choice;
    bool operator==(const IgmpSettingValues&) const = default;
};

IgmpSettingValues IgmpValuesOf(const IgmpSettingRec& rec);
IgmpSettingRec IgmpRecordOf(const IgmpSettingValues& values);
