#include "link/records/ne_alarm_log_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeNeAlarmLogRec(const NeAlarmLogRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.recordNo);
    PutU32(out, 4, rec.entityId);
    PutU32(out, 8, rec.plannedType);
    PutU32(out, 12, rec.actualType);
    PutU32(out, 16, rec.alarmMask);
    PutU32(out, 20, rec.occurUptime);
    PutU32(out, 24, rec.alarmType);
    PutBytes(out, 28, rec.reserved);
}

std::array<uint8_t, kNeAlarmLogRecSize> EncodeNeAlarmLogRec(const NeAlarmLogRec& rec)
{
    std::array<uint8_t, kNeAlarmLogRecSize> bytes{};
    EncodeNeAlarmLogRec(rec, bytes.data());
    return bytes;
}

bool DecodeNeAlarmLogRec(const uint8_t* data, size_t size, NeAlarmLogRec* out)
{
    if (data == nullptr || out == nullptr || size < kNeAlarmLogRecSize)
        return false;
    out->recordNo = GetU32(data, 0);
    out->entityId = GetU32(data, 4);
    out->plannedType = GetU32(data, 8);
    out->actualType = GetU32(data, 12);
    out->alarmMask = GetU32(data, 16);
    out->occurUptime = GetU32(data, 20);
    out->alarmType = GetU32(data, 24);
    out->reserved = GetBytes<12>(data, 28);
    return true;
}
