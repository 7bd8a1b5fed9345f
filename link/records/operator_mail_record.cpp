#include "link/records/operator_mail_record.h"

#include "link/records/record_bytes.h"

#include <cstring>

using namespace record_bytes;

void EncodeOperatorMailRecord(const OperatorMailRecord& rec, uint8_t* out)
{
    std::memset(out, 0, kOperatorMailRecordSize);
    PutText(out, 0, kOperatorMailNameWidth, rec.sender);
    PutBytes(out, 11, rec.senderIp);
    PutText(out, 15, kOperatorMailNameWidth, rec.addressee);
    PutText(out, 26, kOperatorMailTextWidth, rec.text);
}

std::array<uint8_t, kOperatorMailRecordSize> EncodeOperatorMailRecord(const OperatorMailRecord& rec)
{
    std::array<uint8_t, kOperatorMailRecordSize> bytes{};
    EncodeOperatorMailRecord(rec, bytes.data());
    return bytes;
}

bool DecodeOperatorMailRecord(const uint8_t* data, size_t size, OperatorMailRecord* out)
{
    if (data == nullptr || out == nullptr || size < kOperatorMailRecordSize)
        return false;
    out->sender = GetText(data, 0, kOperatorMailNameWidth);
    out->senderIp = GetBytes<4>(data, 11);
    out->addressee = GetText(data, 15, kOperatorMailNameWidth);
    out->text = GetText(data, 26, kOperatorMailTextWidth);
    return true;
}

bool IsForceLogoutMail(const OperatorMailRecord& rec)
{
    return rec.text == ForceLogoutMarker;
}
