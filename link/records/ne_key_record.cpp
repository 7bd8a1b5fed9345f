#include "link/records/ne_key_record.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeNeKeyRecord(const NeKeyRecord& rec, uint8_t* out)
{
    PutU32(out, 0, rec.neId);
    PutU32(out, 4, rec.plannedFlag);
    PutText(out, 8, kNeKeyNameWidth, rec.neName);
    PutText(out, 29, kNeKeyFtpTextWidth, rec.ftpUser);
    PutText(out, 46, kNeKeyFtpTextWidth, rec.ftpPassword);
    PutU8(out, 63, 0);
    PutU32(out, 64, rec.locationId);
    PutU32(out, 68, rec.modelId);
    PutBytes(out, 72, rec.ipAddress);
    PutU16(out, 76, rec.port);
    PutBytes(out, 78, rec.secondIp);
    PutBytes(out, 82, rec.thirdIp);
    PutText(out, 86, kNeKeyCommunityWidth, rec.snmpCommunity);
    PutU8(out, 107, 0);
    PutU32(out, 108, rec.snmpVersion);
    PutF32(out, 112, rec.longitude);
    PutF32(out, 116, rec.latitude);
    PutU32(out, 120, rec.autoSync);
}

std::array<uint8_t, kNeKeyRecordSize> EncodeNeKeyRecord(const NeKeyRecord& rec)
{
    std::array<uint8_t, kNeKeyRecordSize> bytes{};
    EncodeNeKeyRecord(rec, bytes.data());
    return bytes;
}

bool DecodeNeKeyRecord(const uint8_t* data, size_t size, NeKeyRecord* out)
{
    if (data == nullptr || out == nullptr || size < kNeKeyRecordSize)
        return false;
    out->neId = GetU32(data, 0);
    out->plannedFlag = GetU32(data, 4);
    out->neName = GetText(data, 8, kNeKeyNameWidth);
    out->ftpUser = GetText(data, 29, kNeKeyFtpTextWidth);
    out->ftpPassword = GetText(data, 46, kNeKeyFtpTextWidth);
    out->locationId = GetU32(data, 64);
    out->modelId = GetU32(data, 68);
    out->ipAddress = GetBytes<4>(data, 72);
    out->port = GetU16(data, 76);
    out->secondIp = GetBytes<4>(data, 78);
    out->thirdIp = GetBytes<4>(data, 82);
    out->snmpCommunity = GetText(data, 86, kNeKeyCommunityWidth);
    out->snmpVersion = GetU32(data, 108);
    out->longitude = GetF32(data, 112);
    out->latitude = GetF32(data, 116);
    out->autoSync = GetU32(data, 120);
    return true;
}
