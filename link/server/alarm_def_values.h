// The alarm definition values (severity, reporting, suppression mask) that the NEs report through request 327. The
// entity model loaded from the definition files stays as loaded; a received value stands beside it and wins where
// both exist. Changed by the dispatcher under the dispatch lock; read under it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

struct ReceivedAlarmDef {
    uint32_t severity = 0; // 1 critical .. 5 info, 0 none
    uint32_t reporting = 0;
    uint32_t suppressionMask = 0;
    bool operator==(const ReceivedAlarmDef&) const = default;
};

class CAlarmDefValues {
public:
    void Set(uint32_t modelId, uint8_t alarmIndex, const ReceivedAlarmDef& values);
    // The values last received for that alarm of that model, or nullopt.
    std::optional<ReceivedAlarmDef> Find(uint32_t modelId, uint8_t alarmIndex) const;
    size_t Count() const { return values_.size(); }
    void Clear() { values_.clear(); }

private:
    std::map<std::pair<uint32_t, uint8_t>, ReceivedAlarmDef> values_;
};

// The program's received alarm definition values.
CAlarmDefValues& ReceivedAlarmDefValues();
