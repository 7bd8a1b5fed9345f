#include "link/records/alarm_def_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeAlarmDefRec(const AlarmDefRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.modelId);
    PutU8(out, 4, rec.alarmIndex);
    PutBytes(out, 5, rec.padding);
    PutU32(out, 8, rec.neModelId);
    PutBytes(out, 12, rec.unfilled);
    PutU32(out, 112, rec.severity);
    PutU32(out, 116, rec.reporting);
    PutU32(out, 120, rec.suppressionMask);
}

std::array<uint8_t, kAlarmDefRecSize> EncodeAlarmDefRec(const AlarmDefRec& rec)
{
    std::array<uint8_t, kAlarmDefRecSize> bytes{};
    EncodeAlarmDefRec(rec, bytes.data());
    return bytes;
}

bool DecodeAlarmDefRec(const uint8_t* data, size_t size, AlarmDefRec* out)
{
    if (data == nullptr || out == nullptr || size < kAlarmDefRecSize)
        return false;
    out->modelId = GetU32(data, 0);
    out->alarmIndex = GetU8(data, 4);
    out->padding = GetBytes<3>(data, 5);
    out->neModelId = GetU32(data, 8);
    out->unfilled = GetBytes<100>(data, 12);
    out->severity = GetU32(data, 112);
    out->reporting = GetU32(data, 116);
    out->suppressionMask = GetU32(data, 120);
    return true;
}
