#pragma once
// What the fault views and dialogs show of one entity's alarm state: its severity text and image, beside the names of
// its alarms (core/tables/entity_alarm_names.h), and the image of its level.

#include "core/tables/entity_alarm_names.h"
#include "ui/framework/messages/string_ids.h"

#include <cstdint>

// Entity level images of the lists: NE, shelf, slot, port.
inline constexpr int kImageLevelNe = 55;

// The severity as shown: "Cleared" with image 11 when no alarm bit is set, else by severity "Critical" (12), "Major"
// (13), "Minor" (14), "Warning" (15) and "Info" (16) for any other value.
struct SeverityLook {
    int severity = 0; // 0 cleared, 1..5
    uint32_t textId = kStrCleared;
    int image = 11;
};
SeverityLook AlarmSeverityLook(uint32_t alarmBits, int severity);

// The list image of an entity level 1..4 (55..58); -1 for other levels.
int EntityLevelImage(int level);
