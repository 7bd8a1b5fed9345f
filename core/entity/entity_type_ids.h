#pragma once
// Values with a meaning of their own in the entity model: the special type ids that stand wherever a model id is
// expected, the entity levels, the built-in alarm indexes and the class bytes that the program tests.

#include <cstdint>

// Special entity type ids.
inline constexpr uint32_t kEntityTypeEmpty = 1;            // the position is kept empty (also: no model)
inline constexpr uint32_t kEntityTypeAbsent = 2000000000;  // the position does not exist
inline constexpr uint32_t kPlannedTypeSame = 0x7FFFFFFE;   // as a planned type: the same as the type
inline constexpr uint32_t kEntityTypeUnknown = 0x7FFFFFFF; // unknown, any or none

// Ids a model of the definition files may have; the others are the special values above.
inline constexpr uint32_t kEntityModelIdMin = 2;
inline constexpr uint32_t kEntityModelIdMax = 1999999999;
// The NE model with one control module; every other NE model has a master and a slave control module.
inline constexpr uint32_t kNeModelOneControlModule = 2;

// An NE model id of 1 or 0x7FFFFFFF means the model belongs to no NE model and matches every NE.
constexpr bool NeModelMatchesAnyNe(uint32_t neModelId)
{
    return neModelId == kEntityTypeEmpty || neModelId == kEntityTypeUnknown;
}

// Entity levels: the first field of an entity index and the LEVEL of a model.
inline constexpr int kEntityLevelNone = 0;
inline constexpr int kEntityLevelNe = 1;
inline constexpr int kEntityLevelShelf = 2;
inline constexpr int kEntityLevelSlot = 3; // a module (board)
inline constexpr int kEntityLevelPort = 4;
inline constexpr int kEntityLevelFifth = 5;
inline constexpr int kEntityLevelCount = 5;

// Alarm definitions: 32 per model, and four built-in entity alarms that serve every model.
inline constexpr int kEntityAlarmCount = 32;
inline constexpr uint8_t kEntityAlarmMissing = 129;    // a planned module is missing
inline constexpr uint8_t kEntityAlarmWrongType = 130;  // a module of another type than planned
inline constexpr uint8_t kEntityAlarmUnexpected = 131; // a module present but not planned
inline constexpr uint8_t kEntityAlarmOffline = 132;    // the NE is not reachable
inline constexpr int kEntityBuiltinAlarmCount = 4;

// Provisioning class bytes (PROVCLASS) of boards and ports.
inline constexpr uint8_t kProvClassAdslLineCard = 9;
inline constexpr uint8_t kProvClassShdslLineCard = 28;
inline constexpr uint8_t kProvClassAdslPort = 0x40;
inline constexpr uint8_t kProvClassTrunkPort = 0x41; // also the class of a link aggregator's interface
inline constexpr uint8_t kProvClassShdslPort = 0x43;
inline constexpr uint8_t kProvClassNone = 0;

// Menu class bytes (MENUCLASS): the popup of the entity popup menu.
inline constexpr uint8_t kMenuClassAdslLineCard = 9;
inline constexpr uint8_t kMenuClassAdslPort = 12;
inline constexpr uint8_t kMenuClassAlarmIo = 25; // the module that carries the alarm inputs and outputs
inline constexpr uint8_t kMenuClassShdslLineCard = 28;
inline constexpr uint8_t kMenuClassShdslPort = 29;

// Model flag bits (FLAGS).
inline constexpr uint8_t kEntityFlagNoVlanId = 0x08; // the NE's lists have no VLAN ID column
