#pragma once
// What the fault views and dialogs show of one entity's alarm state: the entity model its alarm bits refer to, the
// names of its active alarms, and the severity text and image.

#include "ui/framework/messages/string_ids.h"

#include <cstdint>
#include <optional>
#include <string>

class CEntityType;
class CNeRecord;

// Entity level images of the lists: NE, shelf, slot, port.
inline constexpr int kImageLevelNe = 55;

// A type id that names no model: kept empty (1) or unknown (0x7FFFFFFF).
bool IsEmptyEntityType(uint32_t type);

// The model an entity's alarm bits refer to: for an empty planned type the model that the parent's model draws for
// the entity's position, else the planned type's model. Null when there is none (also for an entity the NE's tree
// does not hold).
const CEntityType* FindPlannedEntityModel(const CNeRecord* ne, uint32_t entityId, uint32_t plannedType);

// The names of the model's defined alarms among the set bits, bits 0..31 in order, joined by ","; empty for no bits,
// nullopt when bits are set but none of them is defined.
std::optional<std::string> AlarmNamesOfBits(const CEntityType& model, uint32_t bits);

// The built-in alarm (129..132) that stands for an entity without a model, by its planned and online types; nullopt
// when both are empty.
std::optional<uint8_t> BuiltinAlarmOfTypes(uint32_t plannedType, uint32_t onlineType, bool isNe);

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
