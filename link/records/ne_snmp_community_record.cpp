#include "link/records/ne_snmp_community_record.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeNeSnmpCommunityRecord(const NeSnmpCommunityRecord& rec, uint8_t* out)
{
    PutText(out, 0, kNeSnmpCommunityNameWidth, rec.community);
    PutU32(out, 24, rec.permission);
    PutU32(out, 28, rec.state);
}

std::array<uint8_t, kNeSnmpCommunityRecordSize> EncodeNeSnmpCommunityRecord(const NeSnmpCommunityRecord& rec)
{
    std::array<uint8_t, kNeSnmpCommunityRecordSize> bytes{};
    EncodeNeSnmpCommunityRecord(rec, bytes.data());
    return bytes;
}

bool DecodeNeSnmpCommunityRecord(const uint8_t* data, size_t size, NeSnmpCommunityRecord* out)
{
    if (data == nullptr || out == nullptr || size < kNeSnmpCommunityRecordSize)
        return false;
    out->community = GetText(data, 0, kNeSnmpCommunityNameWidth);
    out->permission = GetU32(data, 24);
    out->state = GetU32(data, 28);
    return true;
}
