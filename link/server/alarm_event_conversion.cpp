#include "link/server/alarm_event_conversion.h"

#include <vector>

#include "link/ems_msg.h"

namespace {

constexpr size_t kLocationNameMax = 20;
constexpr size_t kNeNameMax = 20;
constexpr size_t kAckPersonMax = 10;
constexpr size_t kMaskDigitsMax = 8;

std::string Cut(const std::string& text, size_t max)
{
    return text.size() <= max ? text : text.substr(0, max);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<uint32_t> ParseServerAlarmMask(std::string_view text)
{
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > kMaskDigitsMax) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

AlarmEventRec ConvertServerAlarmEvent(const ServerAlarmEventRec& rec, std::string_view rootLocationName)
{
    AlarmEventRec out;
    out.recordNo = rec.recordNo;
    out.entityId = rec.entityId;
    out.alarmMask = ParseServerAlarmMask(rec.alarmMask).value_or(0);
    out.severity = rec.severity;
    out.kind = rec.kind;
    out.plannedType = rec.plannedType;
    out.actualType = rec.actualType;
    out.occurTime = rec.occurTime;
    out.receiveTime = rec.receiveTime;
    out.clearTime = rec.clearTime;
    out.locationName = rec.locationName.empty() ? std::string(rootLocationName) : rec.locationName;
    out.locationName = Cut(out.locationName, kLocationNameMax);
    out.neName = Cut(rec.neName, kNeNameMax);
    out.ackPerson = Cut(rec.ackPerson, kAckPersonMax);
    out.ackTime = rec.ackTime;
    out.alarmType = rec.alarmType;
    return out;
}

bool IsServerAlarmEventReply(const FrameHeader& header)
{
    return header.requestCode == kReqAlarmEvent && header.operation == kEmsOpReply && header.status == 0;
}

bool ConvertServerAlarmEventFrame(Frame& frame, std::string_view rootLocationName)
{
    const uint32_t count = frame.header.count;
    if (count == 0) {
        frame.header.recordSize = static_cast<uint32_t>(kAlarmEventRecSize);
        frame.payload.clear();
        return true;
    }
    if (frame.header.recordSize != kServerAlarmEventRecSize ||
        frame.payload.size() != static_cast<size_t>(count) * kServerAlarmEventRecSize) {
        return false;
    }
    std::vector<uint8_t> converted(static_cast<size_t>(count) * kAlarmEventRecSize);
    for (uint32_t i = 0; i < count; ++i) {
        ServerAlarmEventRec wire;
        DecodeRecord(frame.payload.data() + static_cast<size_t>(i) * kServerAlarmEventRecSize, kServerAlarmEventRecSize,
                     &wire);
        EncodeRecord(ConvertServerAlarmEvent(wire, rootLocationName),
                     converted.data() + static_cast<size_t>(i) * kAlarmEventRecSize);
    }
    frame.payload = std::move(converted);
    frame.header.recordSize = static_cast<uint32_t>(kAlarmEventRecSize);
    return true;
}
