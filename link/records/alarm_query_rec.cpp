#include "link/records/alarm_query_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeAlarmQueryRec(const AlarmQueryRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.firstEntity);
    PutU32(out, 4, rec.lastEntity);
    PutU32(out, 8, rec.severity);
    PutU32(out, 12, rec.fromTime);
    PutU32(out, 16, rec.toTime);
    PutU32(out, 20, rec.firstRecord);
    PutU32(out, 24, rec.recordCount);
    PutU32(out, 28, rec.locationId);
    PutU32(out, 32, rec.modelId);
    PutU32(out, 36, rec.alarmMask);
    PutU32(out, 40, rec.ackOnly);
    PutU32(out, 44, rec.queryMode);
}

std::array<uint8_t, kAlarmQueryRecSize> EncodeAlarmQueryRec(const AlarmQueryRec& rec)
{
    std::array<uint8_t, kAlarmQueryRecSize> bytes{};
    EncodeAlarmQueryRec(rec, bytes.data());
    return bytes;
}

bool DecodeAlarmQueryRec(const uint8_t* data, size_t size, AlarmQueryRec* out)
{
    if (data == nullptr || out == nullptr || size < kAlarmQueryRecSize)
        return false;
    out->firstEntity = GetU32(data, 0);
    out->lastEntity = GetU32(data, 4);
    out->severity = GetU32(data, 8);
    out->fromTime = GetU32(data, 12);
    out->toTime = GetU32(data, 16);
    out->firstRecord = GetU32(data, 20);
    out->recordCount = GetU32(data, 24);
    out->locationId = GetU32(data, 28);
    out->modelId = GetU32(data, 32);
    out->alarmMask = GetU32(data, 36);
    out->ackOnly = GetU32(data, 40);
    out->queryMode = GetU32(data, 44);
    return true;
}
