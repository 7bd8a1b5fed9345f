#include "link/records/board_setting_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeBoardSettingRec(const BoardSettingRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.entityId);
    PutU32(out, 4, rec.plannedType);
    PutU32(out, 8, rec.onlineType);
    PutText(out, 12, kBoardVersionWidth, rec.softwareVersion);
    PutText(out, 33, kBoardVersionWidth, rec.hardwareVersion);
    PutText(out, 54, kBoardSerialWidth, rec.serialNumber);
    PutU32(out, 116, rec.upTime);
    PutU32(out, 120, rec.reserved120);
    PutU32(out, 124, rec.aal5Encapsulation);
    PutU32(out, 128, rec.vlanTagPassThrough);
    PutU16(out, 132, rec.runtimeVlanTagPassThrough);
    PutU16(out, 134, rec.padding);
    PutU32(out, 136, rec.serviceTypeControl);
    PutU32(out, 140, rec.taggedMode);
    PutU32(out, 144, rec.runtimeTaggedMode);
}

std::array<uint8_t, kBoardSettingRecSize> EncodeBoardSettingRec(const BoardSettingRec& rec)
{
    std::array<uint8_t, kBoardSettingRecSize> bytes{};
    EncodeBoardSettingRec(rec, bytes.data());
    return bytes;
}

bool DecodeBoardSettingRec(const uint8_t* data, size_t size, BoardSettingRec* out)
{
    if (data == nullptr || out == nullptr || size < kBoardSettingRecSize)
        return false;
    out->entityId = GetU32(data, 0);
    out->plannedType = GetU32(data, 4);
    out->onlineType = GetU32(data, 8);
    out->softwareVersion = GetText(data, 12, kBoardVersionWidth);
    out->hardwareVersion = GetText(data, 33, kBoardVersionWidth);
    out->serialNumber = GetText(data, 54, kBoardSerialWidth);
    out->upTime = GetU32(data, 116);
    out->reserved120 = GetU32(data, 120);
    out->aal5Encapsulation = GetU32(data, 124);
    out->vlanTagPassThrough = GetU32(data, 128);
    out->runtimeVlanTagPassThrough = GetU16(data, 132);
    out->padding = GetU16(data, 134);
    out->serviceTypeControl = GetU32(data, 136);
    out->taggedMode = GetU32(data, 140);
    out->runtimeTaggedMode = GetU32(data, 144);
    return true;
}
