#include "sim/server/sim_alarm_log.h"

#include <algorithm>
#include <atomic>

#include "core/util/severity.h"

namespace {

bool InRange(uint32_t value, uint32_t first, uint32_t last)
{
    if (first == 0 && last == 0) {
        return true;
    }
    return value >= first && value <= last;
}

bool InTime(uint32_t time, uint32_t from, uint32_t to)
{
    return (from == 0 || time >= from) && (to == 0 || time <= to);
}

} // namespace

SimAlarmEntry* CSimAlarmLog::Find(uint32_t recordNo)
{
    auto it = entries_.find(recordNo);
    return it == entries_.end() ? nullptr : &it->second;
}

const SimAlarmEntry* CSimAlarmLog::Find(uint32_t recordNo) const
{
    return const_cast<CSimAlarmLog*>(this)->Find(recordNo);
}

bool CSimAlarmLog::Raise(const SimAlarmEntry& alarm)
{
    const AlarmKey key{alarm.neId, alarm.entityId, alarm.bit};
    if (open_.count(key) != 0) {
        return false;
    }
    SimAlarmEntry entry = alarm;
    entry.recordNo = nextRecordNo_++;
    entry.clearTime = 0;
    entry.ackPerson.clear();
    entry.ackTime = 0;
    entries_.emplace(entry.recordNo, entry);
    open_[key] = entry.recordNo;
    acks_.erase({alarm.neId, alarm.entityId});
    Trim();
    Touch(alarm.neId);
    return true;
}

bool CSimAlarmLog::Clear(uint32_t neId, uint32_t entityId, uint32_t bit, uint32_t time)
{
    auto it = open_.find({neId, entityId, bit});
    if (it == open_.end()) {
        return false;
    }
    if (SimAlarmEntry* entry = Find(it->second); entry != nullptr) {
        entry->clearTime = time == 0 ? 1 : time;
    }
    open_.erase(it);
    // An acknowledgement is of the active alarms: with the last one gone, so is it.
    if (StateBits(neId, entityId) == 0) {
        acks_.erase({neId, entityId});
    }
    Touch(neId);
    return true;
}

bool CSimAlarmLog::IsActive(uint32_t neId, uint32_t entityId, uint32_t bit) const
{
    return open_.count({neId, entityId, bit}) != 0;
}

bool CSimAlarmLog::HasAnyOf(uint32_t neId) const
{
    const auto open = open_.lower_bound({neId, 0, 0});
    const auto ack = acks_.lower_bound({neId, 0});
    return (open != open_.end() && std::get<0>(open->first) == neId) ||
           (ack != acks_.end() && ack->first.first == neId);
}

uint32_t CSimAlarmLog::StateBits(uint32_t neId, uint32_t entityId) const
{
    uint32_t bits = 0;
    for (auto it = open_.lower_bound({neId, entityId, 0}); it != open_.end(); ++it) {
        if (std::get<0>(it->first) != neId || std::get<1>(it->first) != entityId) {
            break;
        }
        bits |= 1u << std::get<2>(it->first);
    }
    return bits;
}

uint32_t CSimAlarmLog::Severity(uint32_t neId, uint32_t entityId) const
{
    int gravest = kSeverityCleared;
    for (auto it = open_.lower_bound({neId, entityId, 0}); it != open_.end(); ++it) {
        if (std::get<0>(it->first) != neId || std::get<1>(it->first) != entityId) {
            break;
        }
        const SimAlarmEntry* entry = Find(it->second);
        const int severity = entry != nullptr ? static_cast<int>(entry->severity) : kSeverityCleared;
        if (CompareSeverity(severity, gravest) > 0) {
            gravest = severity;
        }
    }
    return static_cast<uint32_t>(gravest);
}

uint32_t CSimAlarmLog::OccurTime(uint32_t neId, uint32_t entityId) const
{
    uint32_t newest = 0;
    for (auto it = open_.lower_bound({neId, entityId, 0}); it != open_.end(); ++it) {
        if (std::get<0>(it->first) != neId || std::get<1>(it->first) != entityId) {
            break;
        }
        if (const SimAlarmEntry* entry = Find(it->second); entry != nullptr) {
            newest = std::max(newest, entry->occurTime);
        }
    }
    return newest;
}

void CSimAlarmLog::Acknowledge(uint32_t neId, uint32_t entityId, const std::string& person, uint32_t time,
                               const std::string& comment)
{
    acks_[{neId, entityId}] = {person, time, comment};
    Touch(neId);
    for (auto it = open_.lower_bound({neId, entityId, 0}); it != open_.end(); ++it) {
        if (std::get<0>(it->first) != neId || std::get<1>(it->first) != entityId) {
            break;
        }
        if (SimAlarmEntry* entry = Find(it->second); entry != nullptr) {
            entry->ackPerson = person;
            entry->ackTime = time;
        }
    }
}

SimEntityAck CSimAlarmLog::Ack(uint32_t neId, uint32_t entityId) const
{
    auto it = acks_.find({neId, entityId});
    return it == acks_.end() ? SimEntityAck{} : it->second;
}

std::pair<uint32_t, std::vector<SimAlarmEntry>>
CSimAlarmLog::Query(uint32_t neId, const AlarmQueryRec& query,
                    const std::function<bool(uint32_t neId)>& neMatches) const
{
    auto matches = [&](const SimAlarmEntry& e) {
        return (neId == 0 || e.neId == neId) && InRange(e.entityId, query.firstEntity, query.lastEntity) &&
               (query.severity == 0 || e.severity == query.severity) &&
               InTime(e.occurTime, query.fromTime, query.toTime) &&
               (query.modelId == 0 || e.actualType == query.modelId || e.plannedType == query.modelId) &&
               (query.alarmMask == 0 || (query.alarmMask & (1u << e.bit)) != 0) &&
               (query.ackOnly == 0 || !e.ackPerson.empty()) && (!neMatches || neMatches(e.neId));
    };
    const uint32_t first = query.firstRecord == 0 ? 1 : query.firstRecord;
    const uint32_t wanted = std::min(query.recordCount, kAlarmQueryMaxRecords);
    uint32_t total = 0;
    std::vector<SimAlarmEntry> page;
    auto take = [&](const SimAlarmEntry& e) {
        if (!matches(e)) {
            return;
        }
        ++total;
        if (total >= first && page.size() < wanted) {
            page.push_back(e);
        }
    };
    if (query.queryMode == kAlarmQueryActive) {
        std::vector<uint32_t> active;
        for (const auto& [key, recordNo] : open_) {
            active.push_back(recordNo);
        }
        std::sort(active.begin(), active.end());
        for (uint32_t recordNo : active) {
            if (const SimAlarmEntry* entry = Find(recordNo); entry != nullptr) {
                take(*entry);
            }
        }
    } else {
        for (const auto& [recordNo, entry] : entries_) {
            take(entry);
        }
    }
    return {total, page};
}

std::vector<AlarmStatRec> CSimAlarmLog::Statistics(uint32_t neId, const AlarmStatQueryRec& query) const
{
    std::map<std::pair<uint32_t, uint32_t>, uint32_t> counts;
    for (const auto& [recordNo, e] : entries_) {
        if ((neId == 0 || e.neId == neId) && InRange(e.entityId, query.firstEntity, query.lastEntity) &&
            (query.severity == 0 || e.severity == query.severity) &&
            InTime(e.occurTime, query.fromTime, query.toTime) && e.severity >= 1 && e.severity <= 5) {
            ++counts[{e.entityId, e.severity}];
        }
    }
    std::vector<AlarmStatRec> out;
    for (const auto& [key, count] : counts) {
        out.push_back({key.first, key.second, count});
    }
    return out;
}

void CSimAlarmLog::RemoveNe(uint32_t neId)
{
    for (auto it = open_.begin(); it != open_.end();) {
        it = std::get<0>(it->first) == neId ? open_.erase(it) : std::next(it);
    }
    for (auto it = acks_.begin(); it != acks_.end();) {
        it = it->first.first == neId ? acks_.erase(it) : std::next(it);
    }
    Touch(neId);
}

uint64_t CSimAlarmLog::StatesStamp(uint32_t neId) const
{
    const auto it = statesStamps_.find(neId);
    return it == statesStamps_.end() ? 0 : it->second;
}

void CSimAlarmLog::Touch(uint32_t neId)
{
    // Counted across every log, so that a log put in another's place never repeats one of its stamps.
    static std::atomic<uint64_t> last{0};
    statesStamps_[neId] = ++last;
}

void CSimAlarmLog::Trim()
{
    // The oldest cleared entries go; an active alarm keeps its entry.
    for (auto it = entries_.begin(); entries_.size() > kMaxEntries && it != entries_.end();) {
        it = it->second.clearTime != 0 ? entries_.erase(it) : std::next(it);
    }
}
