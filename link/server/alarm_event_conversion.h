// The server form of the alarm and event records of request 328, turned into the AlarmEventRec that the alarm lists
// read. The server link converts each reply frame as it arrives, so that callers only ever see AlarmEventRec.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "link/records/alarm_event_rec.h"
#include "link/records/request_codes.h"
#include "link/records/server_alarm_event_rec.h"
#include "link/server/frame_codec.h"

// The mask text as a number: optional "0x", then at most eight hexadecimal digits, ending at the text's end.
// nullopt for anything else.
std::optional<uint32_t> ParseServerAlarmMask(std::string_view text);

// One record: fields copied, the mask parsed (0 when it does not parse), the location name, NE name and
// acknowledging person cut to 20, 20 and 10 characters; an empty location name becomes `rootLocationName`.
AlarmEventRec ConvertServerAlarmEvent(const ServerAlarmEventRec& rec, std::string_view rootLocationName);

// A frame whose records the conversion applies to: a reply of request 328 with a success status.
bool IsServerAlarmEventReply(const FrameHeader& header);

// Converts every record of such a frame in place; the total is kept. False, and the frame unchanged, when its
// records are not of the server record's size.
bool ConvertServerAlarmEventFrame(Frame& frame, std::string_view rootLocationName);
