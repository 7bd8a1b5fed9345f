#pragma once
// The rows of the active alarm list, read from an NE's entity tree as the dispatcher keeps it: one row per entity
// that has a defined alarm active, under the list's target (the NE, a shelf, a slot or a port), that passes the
// list's filters. Window-free, so that the alarm summary counts the same rows the list shows.

#include "core/entity/entity_index.h"
#include "features/fault/alarm_lists/alarm_name_filter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CNeRecord;

struct ActiveAlarmFilter {
    // kRowFilter* bits (alarm_list_look.h): the severities and acknowledgement states shown.
    uint16_t bits = 0;
    // Only entities with an alarm of one of these names; none: every entity.
    std::optional<CAlarmNameFilter> names;
};

// Every severity and both acknowledgement states.
ActiveAlarmFilter AllActiveAlarms();

struct ActiveAlarmRow {
    uint32_t entityId = 0; // packed
    int level = 0;         // 1 NE .. 4 port
    int severity = 0;      // 1..5; the entity's own, any value but 1..4 counting as info
    std::string modelName;
    // The names of the active alarms, the critical ones first, then major, minor, warning and the others.
    std::string alarms;
    uint32_t alarmClass = 0;
    uint32_t occurTime = 0;
    uint32_t receiveTime = 0;
    bool acknowledged = false;
    uint32_t ackTime = 0;
    std::string ackPerson;
    bool operator==(const ActiveAlarmRow&) const = default;
};

// The rows of the entities at and below the target (an empty index: the NE), in tree order. A disconnected NE
// gives at most its own row (when it is the target); the children of an entity that is not connected, or of unknown
// or empty type, are not walked.
std::vector<ActiveAlarmRow> CollectActiveAlarmRows(const CNeRecord& ne, const CEntityIndex& target,
                                                   const ActiveAlarmFilter& filter);
