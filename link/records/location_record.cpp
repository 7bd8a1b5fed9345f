#include "link/records/location_record.h"

#include "link/records/record_bytes.h"

#include <cstring>

using namespace record_bytes;

void EncodeLocationRecord(const LocationRecord& rec, uint8_t* out)
{
    std::memset(out, 0, kLocationRecordSize);
    PutU32(out, 0, rec.id);
    PutText(out, 4, kLocationNameWidth, rec.name);
    PutU32(out, 28, rec.parentId);
    PutText(out, 32, kLocationCommentWidth, rec.comment);
    PutU32(out, 96, rec.mapId);
    PutText(out, 100, kLocationPhoneWidth, rec.contact);
    PutText(out, 121, kLocationPhoneWidth, rec.telephone);
    PutText(out, 142, kLocationPhoneWidth, rec.mobile);
    PutText(out, 163, kLocationEmailWidth, rec.email);
}

std::array<uint8_t, kLocationRecordSize> EncodeLocationRecord(const LocationRecord& rec)
{
    std::array<uint8_t, kLocationRecordSize> bytes{};
    EncodeLocationRecord(rec, bytes.data());
    return bytes;
}

bool DecodeLocationRecord(const uint8_t* data, size_t size, LocationRecord* out)
{
    if (data == nullptr || out == nullptr || size < kLocationRecordSize)
        return false;
    out->id = GetU32(data, 0);
    out->name = GetText(data, 4, kLocationNameWidth);
    out->parentId = GetU32(data, 28);
    out->comment = GetText(data, 32, kLocationCommentWidth);
    out->mapId = GetU32(data, 96);
    out->contact = GetText(data, 100, kLocationPhoneWidth);
    out->telephone = GetText(data, 121, kLocationPhoneWidth);
    out->mobile = GetText(data, 142, kLocationPhoneWidth);
    out->email = GetText(data, 163, kLocationEmailWidth);
    return true;
}
