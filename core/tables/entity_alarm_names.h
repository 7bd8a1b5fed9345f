#pragma once
// The names an entity's alarm state is shown by: the entity model its alarm bits refer to and the names of its active
// alarms, or the built-in alarm that stands for an entity without a model.

#include <cstdint>
#include <optional>
#include <string>

class CEntityType;
class CNeRecord;

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
