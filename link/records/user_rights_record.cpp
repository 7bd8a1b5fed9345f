#include "link/records/user_rights_record.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeUserRightsRecord(const UserRightsRecord& rec, uint8_t* out)
{
    for (size_t role = 0; role < kUserRightsRoleCount; ++role)
        PutText(out, role * kUserRightsSlotSize, kUserRightsSlotSize, rec.rights[role]);
}

std::array<uint8_t, kUserRightsRecordSize> EncodeUserRightsRecord(const UserRightsRecord& rec)
{
    std::array<uint8_t, kUserRightsRecordSize> bytes{};
    EncodeUserRightsRecord(rec, bytes.data());
    return bytes;
}

bool DecodeUserRightsRecord(const uint8_t* data, size_t size, UserRightsRecord* out)
{
    if (data == nullptr || out == nullptr || size < kUserRightsRecordSize)
        return false;
    for (size_t role = 0; role < kUserRightsRoleCount; ++role)
        out->rights[role] = GetText(data, role * kUserRightsSlotSize, kUserRightsSlotSize);
    return true;
}
