#include "link/records/server_alarm_event_rec.h"

#include <cstdio>

std::string FormatServerAlarmMask(uint32_t mask)
{
    char text[kServerAlarmMaskWidth] = {};
    std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(mask));
    return text;
}
