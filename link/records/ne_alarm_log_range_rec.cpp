#include "link/records/ne_alarm_log_range_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeNeAlarmLogRangeRec(const NeAlarmLogRangeRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.first);
    PutU32(out, 4, rec.second);
}

std::array<uint8_t, kNeAlarmLogRangeRecSize> EncodeNeAlarmLogRangeRec(const NeAlarmLogRangeRec& rec)
{
    std::array<uint8_t, kNeAlarmLogRangeRecSize> bytes{};
    EncodeNeAlarmLogRangeRec(rec, bytes.data());
    return bytes;
}

bool DecodeNeAlarmLogRangeRec(const uint8_t* data, size_t size, NeAlarmLogRangeRec* out)
{
    if (data == nullptr || out == nullptr || size < kNeAlarmLogRangeRecSize)
        return false;
    out->first = GetU32(data, 0);
    out->second = GetU32(data, 4);
    return true;
}
