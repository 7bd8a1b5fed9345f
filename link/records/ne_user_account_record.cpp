#include "link/records/ne_user_account_record.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeNeUserAccountRecord(const NeUserAccountRecord& rec, uint8_t* out)
{
    PutText(out, 0, kNeUserNameWidth, rec.userName);
    PutText(out, 17, kNeUserPasswordWidth, rec.password);
    PutU32(out, 36, rec.role);
    PutU32(out, 40, rec.state);
}

std::array<uint8_t, kNeUserAccountRecordSize> EncodeNeUserAccountRecord(const NeUserAccountRecord& rec)
{
    std::array<uint8_t, kNeUserAccountRecordSize> bytes{};
    EncodeNeUserAccountRecord(rec, bytes.data());
    return bytes;
}

bool DecodeNeUserAccountRecord(const uint8_t* data, size_t size, NeUserAccountRecord* out)
{
    if (data == nullptr || out == nullptr || size < kNeUserAccountRecordSize)
        return false;
    out->userName = GetText(data, 0, kNeUserNameWidth);
    out->password = GetText(data, 17, kNeUserPasswordWidth);
    out->role = GetU32(data, 36);
    out->state = GetU32(data, 40);
    return true;
}
