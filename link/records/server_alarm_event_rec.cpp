#include "link/records/server_alarm_event_rec.h"

#include "link/records/record_bytes.h"

#include <cstdio>
#include <cstring>

using namespace record_bytes;

void EncodeServerAlarmEventRec(const ServerAlarmEventRec& rec, uint8_t* out)
{
    std::memset(out, 0, kServerAlarmEventRecSize);
    PutU32(out, 0, rec.recordNo);
    PutU32(out, 4, rec.entityId);
    PutText(out, 8, kServerAlarmMaskWidth, rec.alarmMask);
    PutU32(out, 20, rec.severity);
    PutU32(out, 24, rec.kind);
    PutU32(out, 28, rec.plannedType);
    PutU32(out, 32, rec.actualType);
    PutU32(out, 36, rec.occurTime);
    PutU32(out, 40, rec.receiveTime);
    PutU32(out, 44, rec.clearTime);
    PutText(out, 48, kServerAlarmNameWidth, rec.locationName);
    PutText(out, 69, kServerAlarmNameWidth, rec.neName);
    PutText(out, 90, kServerAlarmAckPersonWidth, rec.ackPerson);
    PutU32(out, 104, rec.ackTime);
    PutU32(out, 108, rec.alarmType);
}

std::array<uint8_t, kServerAlarmEventRecSize> EncodeServerAlarmEventRec(const ServerAlarmEventRec& rec)
{
    std::array<uint8_t, kServerAlarmEventRecSize> bytes{};
    EncodeServerAlarmEventRec(rec, bytes.data());
    return bytes;
}

bool DecodeServerAlarmEventRec(const uint8_t* data, size_t size, ServerAlarmEventRec* out)
{
    if (data == nullptr || out == nullptr || size < kServerAlarmEventRecSize)
        return false;
    out->recordNo = GetU32(data, 0);
    out->entityId = GetU32(data, 4);
    out->alarmMask = GetText(data, 8, kServerAlarmMaskWidth);
    out->severity = GetU32(data, 20);
    out->kind = GetU32(data, 24);
    out->plannedType = GetU32(data, 28);
    out->actualType = GetU32(data, 32);
    out->occurTime = GetU32(data, 36);
    out->receiveTime = GetU32(data, 40);
    out->clearTime = GetU32(data, 44);
    out->locationName = GetText(data, 48, kServerAlarmNameWidth);
    out->neName = GetText(data, 69, kServerAlarmNameWidth);
    out->ackPerson = GetText(data, 90, kServerAlarmAckPersonWidth);
    out->ackTime = GetU32(data, 104);
    out->alarmType = GetU32(data, 108);
    return true;
}

std::string FormatServerAlarmMask(uint32_t mask)
{
    char text[kServerAlarmMaskWidth] = {};
    std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(mask));
    return text;
}
