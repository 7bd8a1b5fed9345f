#include "link/records/alarm_event_rec.h"

#include "link/records/record_bytes.h"

#include <cstring>

using namespace record_bytes;

void EncodeAlarmEventRec(const AlarmEventRec& rec, uint8_t* out)
{
    std::memset(out, 0, kAlarmEventRecSize);
    PutU32(out, 0, rec.recordNo);
    PutU32(out, 4, rec.entityId);
    PutU32(out, 8, rec.alarmMask);
    PutU32(out, 12, rec.severity);
    PutU32(out, 16, rec.kind);
    PutU32(out, 20, rec.plannedType);
    PutU32(out, 24, rec.actualType);
    PutU32(out, 28, rec.occurTime);
    PutU32(out, 32, rec.receiveTime);
    PutU32(out, 36, rec.clearTime);
    PutText(out, 40, kAlarmEventNameWidth, rec.locationName);
    PutText(out, 61, kAlarmEventNameWidth, rec.neName);
    PutText(out, 82, kAlarmEventAckPersonWidth, rec.ackPerson);
    PutU32(out, 96, rec.ackTime);
    PutU32(out, 100, rec.alarmType);
}

std::array<uint8_t, kAlarmEventRecSize> EncodeAlarmEventRec(const AlarmEventRec& rec)
{
    std::array<uint8_t, kAlarmEventRecSize> bytes{};
    EncodeAlarmEventRec(rec, bytes.data());
    return bytes;
}

bool DecodeAlarmEventRec(const uint8_t* data, size_t size, AlarmEventRec* out)
{
    if (data == nullptr || out == nullptr || size < kAlarmEventRecSize)
        return false;
    out->recordNo = GetU32(data, 0);
    out->entityId = GetU32(data, 4);
    out->alarmMask = GetU32(data, 8);
    out->severity = GetU32(data, 12);
    out->kind = GetU32(data, 16);
    out->plannedType = GetU32(data, 20);
    out->actualType = GetU32(data, 24);
    out->occurTime = GetU32(data, 28);
    out->receiveTime = GetU32(data, 32);
    out->clearTime = GetU32(data, 36);
    out->locationName = GetText(data, 40, kAlarmEventNameWidth);
    out->neName = GetText(data, 61, kAlarmEventNameWidth);
    out->ackPerson = GetText(data, 82, kAlarmEventAckPersonWidth);
    out->ackTime = GetU32(data, 96);
    out->alarmType = GetU32(data, 100);
    return true;
}
