#include "link/records/entity_state_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeEntityStateRec(const EntityStateRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.entityId);
    PutU32(out, 4, rec.stateBits);
    PutI32(out, 8, rec.severity);
    PutU32(out, 12, rec.secondaryStatus);
    PutU32(out, 16, rec.onlineType);
    PutU32(out, 20, rec.plannedType);
    PutU32(out, 24, rec.alarmMasked);
    PutU32(out, 28, rec.acknowledged);
    PutU32(out, 32, rec.occurTime);
    PutU32(out, 36, rec.receiveTime);
    PutText(out, 40, kEntityStateTextWidth, rec.text);
    PutU32(out, 52, rec.value);
    PutU32(out, 56, rec.alarmClass);
}

std::array<uint8_t, kEntityStateRecSize> EncodeEntityStateRec(const EntityStateRec& rec)
{
    std::array<uint8_t, kEntityStateRecSize> bytes{};
    EncodeEntityStateRec(rec, bytes.data());
    return bytes;
}

bool DecodeEntityStateRec(const uint8_t* data, size_t size, EntityStateRec* out)
{
    if (data == nullptr || out == nullptr || size < kEntityStateRecSize)
        return false;
    out->entityId = GetU32(data, 0);
    out->stateBits = GetU32(data, 4);
    out->severity = GetI32(data, 8);
    out->secondaryStatus = GetU32(data, 12);
    out->onlineType = GetU32(data, 16);
    out->plannedType = GetU32(data, 20);
    out->alarmMasked = GetU32(data, 24);
    out->acknowledged = GetU32(data, 28);
    out->occurTime = GetU32(data, 32);
    out->receiveTime = GetU32(data, 36);
    out->text = GetText(data, 40, kEntityStateTextWidth);
    out->value = GetU32(data, 52);
    out->alarmClass = GetU32(data, 56);
    return true;
}

bool DecodeEntityStateRecs(const uint8_t* data, size_t count, std::vector<EntityStateRec>* out)
{
    if (data == nullptr || out == nullptr)
        return false;
    out->assign(count, EntityStateRec{});
    for (size_t i = 0; i < count; ++i)
        DecodeEntityStateRec(data + i * kEntityStateRecSize, kEntityStateRecSize, &(*out)[i]);
    return true;
}
