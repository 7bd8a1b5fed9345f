// The simulated server's alarm log: every alarm raised, with its clear time once cleared, and the acknowledgement
// of each entity. The open entries are the active alarms; an entity's state bits are the bits of its open entries.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "link/records/alarm_query_rec.h"
#include "link/records/alarm_stat_query_rec.h"
#include "link/records/alarm_stat_rec.h"

struct SimAlarmEntry {
    uint32_t recordNo = 0;
    uint32_t neId = 0;
    uint32_t entityId = 0;
    uint32_t bit = 0;
    uint32_t severity = 0;
    uint32_t plannedType = 0;
    uint32_t actualType = 0;
    uint32_t alarmClass = 0;
    uint32_t occurTime = 0;
    uint32_t receiveTime = 0;
    uint32_t clearTime = 0; // 0 while active
    std::string ackPerson;
    uint32_t ackTime = 0;
};

struct SimEntityAck {
    std::string person; // empty: not acknowledged
    uint32_t time = 0;
    std::string comment;
};

class CSimAlarmLog {
public:
    // Entries kept; the oldest cleared ones go first when more arrive.
    static constexpr size_t kMaxEntries = 200000;

    // Opens an entry; false (nothing changed) when the alarm is active already. A new alarm ends the entity's
    // acknowledgement.
    bool Raise(const SimAlarmEntry& alarm);
    // Closes the entry of an active alarm; false when it is not active. Clearing the entity's last alarm ends its
    // acknowledgement.
    bool Clear(uint32_t neId, uint32_t entityId, uint32_t bit, uint32_t time);
    bool IsActive(uint32_t neId, uint32_t entityId, uint32_t bit) const;

    // The bits of the entity's active alarms, and the gravest of their severities (0 for none).
    uint32_t StateBits(uint32_t neId, uint32_t entityId) const;
    // The NE has an active alarm or an acknowledged entity.
    bool HasAnyOf(uint32_t neId) const;
    uint32_t Severity(uint32_t neId, uint32_t entityId) const;
    // The newest occur time of the entity's active alarms (0 for none).
    uint32_t OccurTime(uint32_t neId, uint32_t entityId) const;

    void Acknowledge(uint32_t neId, uint32_t entityId, const std::string& person, uint32_t time,
                     const std::string& comment = {});
    SimEntityAck Ack(uint32_t neId, uint32_t entityId) const;

    // Active alarms (query mode 1) or the whole log (0) that match, in record order: the number of matches and the
    // page asked for (first record 1-based, at most 5000 records). `neId` 0 means every NE; `neMatches` says
    // whether an NE lies in the location asked for.
    std::pair<uint32_t, std::vector<SimAlarmEntry>> Query(uint32_t neId, const AlarmQueryRec& query,
                                                          const std::function<bool(uint32_t neId)>& neMatches) const;
    // Logged alarms of the NE per entity and severity.
    std::vector<AlarmStatRec> Statistics(uint32_t neId, const AlarmStatQueryRec& query) const;

    // Forgets everything of an NE.
    void RemoveNe(uint32_t neId);
    // Changes whenever the NE's active alarms or acknowledgements change, in this log or for another log put in its
    // place: while it stays, so do the states of the NE's entities.
    uint64_t StatesStamp(uint32_t neId) const;
    size_t Size() const { return entries_.size(); }

private:
    using AlarmKey = std::tuple<uint32_t, uint32_t, uint32_t>; // NE, entity, bit
    SimAlarmEntry* Find(uint32_t recordNo);
    const SimAlarmEntry* Find(uint32_t recordNo) const;
    void Trim();
    void Touch(uint32_t neId);

    std::map<uint32_t, SimAlarmEntry> entries_; // by record number
    uint32_t nextRecordNo_ = 1;
    std::map<AlarmKey, uint32_t> open_; // record numbers of the active alarms
    std::map<std::pair<uint32_t, uint32_t>, SimEntityAck> acks_;
    std::unordered_map<uint32_t, uint64_t> statesStamps_; // by NE; none before its first change
};
