#include "link/server/alarm_def_values.h"

void CAlarmDefValues::Set(uint32_t modelId, uint8_t alarmIndex, const ReceivedAlarmDef& values)
{
    values_[{modelId, alarmIndex}] = values;
}

std::optional<ReceivedAlarmDef> CAlarmDefValues::Find(uint32_t modelId, uint8_t alarmIndex) const
{
    auto it = values_.find({modelId, alarmIndex});
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

CAlarmDefValues& ReceivedAlarmDefValues()
{
    static CAlarmDefValues values;
    return values;
}
