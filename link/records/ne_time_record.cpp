#include "link/records/ne_time_record.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeNeTimeRecord(const NeTimeRecord& rec, uint8_t* out)
{
    PutU32(out, 0, rec.upTime);
    PutU32(out, 4, rec.neClock);
    PutI16(out, 8, rec.timeZone);
    PutU16(out, 10, rec.unused);
}

std::array<uint8_t, kNeTimeRecordSize> EncodeNeTimeRecord(const NeTimeRecord& rec)
{
    std::array<uint8_t, kNeTimeRecordSize> bytes{};
    EncodeNeTimeRecord(rec, bytes.data());
    return bytes;
}

bool DecodeNeTimeRecord(const uint8_t* data, size_t size, NeTimeRecord* out)
{
    if (data == nullptr || out == nullptr || size < kNeTimeRecordSize)
        return false;
    out->upTime = GetU32(data, 0);
    out->neClock = GetU32(data, 4);
    out->timeZone = GetI16(data, 8);
    out->unused = GetU16(data, 10);
    return true;
}
