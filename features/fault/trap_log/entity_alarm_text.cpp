#include "features/fault/trap_log/entity_alarm_text.h"

SeverityLook AlarmSeverityLook(uint32_t alarmBits, int severity)
{
    if (alarmBits == 0)
        return {0, kStrCleared, 11};
    switch (severity) {
    case 1:
        return {1, kStrCritical, 12};
    case 2:
        return {2, kStrMajor, 13};
    case 3:
        return {3, kStrMinor, 14};
    case 4:
        return {4, kStrWarning, 15};
    default:
        return {5, kStrInfo, 16};
    }
}

int EntityLevelImage(int level)
{
    return level >= 1 && level <= 4 ? kImageLevelNe + level - 1 : -1;
}
