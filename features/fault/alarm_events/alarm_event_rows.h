#pragma once
// What the paged alarm lists show of a record: whether it gives a row at all, its severity and row image, the entity
// model and the names of its alarms, and the filter bits the local row filter tests. One builder for the server's
// records (AlarmEventRec) and one for the entries of an NE's own log (NeAlarmLogRec). Window-free.

#include "link/records/alarm_event_rec.h"
#include "link/records/ne_alarm_log_rec.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CNeRecord;

// Filter bits of a record whose entity has neither a planned nor an online model: no row, ever.
inline constexpr uint16_t kRowFilterNeverShown = 0xFFFF;
// Row image of a record of an NE outside the list's location.
inline constexpr int kImageOutsideLocation = 0;

struct AlarmRowLook {
    uint16_t flags = 0; // kRowFilter* bits; 0 (or kRowFilterNeverShown): no row
    int severity = 0;   // 1..5; 0 for a cleared entry of an NE's log
    int image = 0;      // the row's style: 11 cleared, 12..16 by severity, 0 for an NE outside the location
    int level = 0;      // of the entity: 1 NE .. 4 port
    std::string modelName;
    std::string alarms;     // the alarm names, joined by ","
    uint32_t alarmType = 0; // an NE log entry's, as the builder sets it

    bool HasRow() const;
};

struct AlarmEventContext {
    bool activeMode = false;
    uint32_t targetNeId = 0; // 0: none
    uint32_t locationId = 0; // the list's location; 0: all
};

// A record of the server: no row without an alarm bit, for an NE the workstation does not know, and (active alarms
// of a target NE) for an entity the NE does not have; an entity without a model shows its built-in alarm.
AlarmRowLook LookOfAlarmEvent(const AlarmEventRec& rec, const AlarmEventContext& context);

// An entry of an NE's own log, whose alarms have the model of the module online first, then the planned one; an
// entry without a defined alarm reports the alarms cleared.
AlarmRowLook LookOfNeAlarmLogEntry(const NeAlarmLogRec& rec, const CNeRecord* ne);

// One record of a page of the server's list, and one entry of a page of an NE's log, with what its row shows.
struct AlarmEventEntry {
    uint32_t index = 0; // in the page: the row's key
    AlarmEventRec record;
    AlarmRowLook look;
};
struct NeAlarmLogEntry {
    uint32_t index = 0;
    NeAlarmLogRec record;
    AlarmRowLook look;
    uint32_t occurTime = 0; // seconds since 1970, from the NE's start
};

// The pages a reply gives: its first records up to what a page holds (5000), whatever the reply carries.
std::vector<AlarmEventEntry> MakeAlarmEventPage(const std::vector<AlarmEventRec>& records,
                                                const AlarmEventContext& context);
std::vector<NeAlarmLogEntry> MakeNeAlarmLogPage(const std::vector<NeAlarmLogRec>& records, const CNeRecord* ne,
                                                int64_t bootTime);
// The keys of the entries that give a row, in the page's order.
template <class Entry> std::vector<uint32_t> RowKeysOf(const std::vector<Entry>& page)
{
    std::vector<uint32_t> keys;
    for (const Entry& entry : page) {
        if (entry.look.HasRow())
            keys.push_back(entry.index);
    }
    return keys;
}

// A sort key of several parts that orders, compared as bytes, by its first part, then its second and so on: texts
// without regard to case, numbers by value.
class CChainKey {
public:
    CChainKey& Text(std::string_view text);
    CChainKey& Number(uint64_t value);
    // A severity by gravity: cleared lowest, then info up to critical.
    CChainKey& Gravity(int severity);
    const std::string& Key() const { return key_; }
    operator std::string() const { return key_; }

private:
    std::string key_;
};
