#include "link/server/alarm_def_apply.h"

#include "core/entity/entity_type_ids.h"
#include "link/records/alarm_def_rec.h"

namespace {

bool IsAlarmIndex(uint8_t index)
{
    return index < kEntityAlarmCount || (index >= kEntityAlarmMissing && index <= kEntityAlarmOffline);
}

} // namespace

void ApplyAlarmDefs(CAlarmDefValues& values, const EmsMsg& msg)
{
    const uint32_t count = UsableRecordCount(msg, kAlarmDefRecSize).value_or(0);
    for (uint32_t i = 0; i < count; ++i) {
        AlarmDefRec rec;
        DecodeRecord(EmsRecordAt(msg, i), kAlarmDefRecSize, &rec);
        if (!IsAlarmIndex(rec.alarmIndex)) {
            continue;
        }
        values.Set(rec.modelId, rec.alarmIndex, {rec.severity, rec.reporting, rec.suppressionMask});
    }
}
