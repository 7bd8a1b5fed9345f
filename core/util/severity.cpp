#include "core/util/severity.h"

namespace {

// Larger is graver; -1 outside the range.
int SeverityRank(int severity)
{
    if (severity == kSeverityCleared)
        return 0;
    if (severity >= kSeverityCritical && severity <= kSeverityInfo)
        return kSeverityInfo + 1 - severity;
    return -1;
}

int SecondaryStatusRank(int status)
{
    switch (status) {
    case 0:
        return 0;
    case 2:
    case 99:
        return 1;
    case 1:
        return 2;
    default:
        return -1;
    }
}

int CompareRanks(int a, int b)
{
    if (a < 0 || b < 0)
        return -2;
    return (a > b) - (a < b);
}

} // namespace

int CompareSeverity(int a, int b)
{
    return CompareRanks(SeverityRank(a), SeverityRank(b));
}

int CompareSecondaryStatus(int a, int b)
{
    return CompareRanks(SecondaryStatusRank(a), SecondaryStatusRank(b));
}

int NormalizeSeverity(int severity)
{
    if (severity == kSeverityServerCleared)
        return kSeverityCleared;
    if (severity < 0 || severity > kSeverityInfo)
        return kSeverityInfo;
    return severity;
}

const char* AlarmClassText(int alarmClass)
{
    switch (alarmClass) {
    case kAlarmClassNone:
        return "";
    case kAlarmClassEquipment:
        return "equipment";
    case kAlarmClassCommunication:
        return "communication";
    case kAlarmClassEnvironment:
        return "environment";
    default:
        return "other";
    }
}
