#include "link/records/user_account_record.h"

#include "link/records/record_bytes.h"

#include <cstring>

using namespace record_bytes;

void EncodeUserAccountRecord(const UserAccountRecord& rec, uint8_t* out)
{
    std::memset(out, 0, kUserAccountRecordSize);
    PutText(out, 0, kUserAccountNameWidth, rec.name);
    PutText(out, 11, kUserAccountDigestWidth, rec.passwordDigest);
    PutText(out, 22, kUserAccountTextWidth, rec.fullName);
    PutText(out, 43, kUserAccountTextWidth, rec.telephone);
    PutText(out, 64, kUserAccountTextWidth, rec.division);
    PutText(out, 85, kUserAccountAddressWidth, rec.address);
    PutU32(out, 148, rec.locationId);
    PutText(out, 152, kUserAccountRoleWidth, rec.roleLetter);
    PutText(out, 155, kUserAccountCommentWidth, rec.comment);
}

std::array<uint8_t, kUserAccountRecordSize> EncodeUserAccountRecord(const UserAccountRecord& rec)
{
    std::array<uint8_t, kUserAccountRecordSize> bytes{};
    EncodeUserAccountRecord(rec, bytes.data());
    return bytes;
}

bool DecodeUserAccountRecord(const uint8_t* data, size_t size, UserAccountRecord* out)
{
    if (data == nullptr || out == nullptr || size < kUserAccountRecordSize)
        return false;
    out->name = GetText(data, 0, kUserAccountNameWidth);
    out->passwordDigest = GetText(data, 11, kUserAccountDigestWidth);
    out->fullName = GetText(data, 22, kUserAccountTextWidth);
    out->telephone = GetText(data, 43, kUserAccountTextWidth);
    out->division = GetText(data, 64, kUserAccountTextWidth);
    out->address = GetText(data, 85, kUserAccountAddressWidth);
    out->locationId = GetU32(data, 148);
    out->roleLetter = GetText(data, 152, kUserAccountRoleWidth);
    out->comment = GetText(data, 155, kUserAccountCommentWidth);
    return true;
}

std::string RoleLetterFromIndex(int role)
{
    switch (role) {
    case 0:
        return "A";
    case 1:
        return "B";
    case 2:
        return "C";
    default:
        return {};
    }
}
