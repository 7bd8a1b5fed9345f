#include "link/records/alarm_stat_query_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeAlarmStatQueryRec(const AlarmStatQueryRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.firstEntity);
    PutU32(out, 4, rec.lastEntity);
    PutU32(out, 8, rec.severity);
    PutU32(out, 12, rec.fromTime);
    PutU32(out, 16, rec.toTime);
}

std::array<uint8_t, kAlarmStatQueryRecSize> EncodeAlarmStatQueryRec(const AlarmStatQueryRec& rec)
{
    std::array<uint8_t, kAlarmStatQueryRecSize> bytes{};
    EncodeAlarmStatQueryRec(rec, bytes.data());
    return bytes;
}

bool DecodeAlarmStatQueryRec(const uint8_t* data, size_t size, AlarmStatQueryRec* out)
{
    if (data == nullptr || out == nullptr || size < kAlarmStatQueryRecSize)
        return false;
    out->firstEntity = GetU32(data, 0);
    out->lastEntity = GetU32(data, 4);
    out->severity = GetU32(data, 8);
    out->fromTime = GetU32(data, 12);
    out->toTime = GetU32(data, 16);
    return true;
}
