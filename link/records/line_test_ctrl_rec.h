#pragma once
// LineTestCtrlRec (16 bytes, requests 665 loop monitoring and 667 single-ended loop test): the control of one line
// test of an ADSL port. A state query sends the port's packed entity id (WordRecord) and is answered with control
// records; a command sends the whole record, with zero in the fields it does not set. In direct mode a command is a
// write of the port's row.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kLineTestCtrlRecSize = 16;

struct LineTestCtrlRec {
    uint32_t entityId = 0;      // packed entity id of the port
    uint32_t command = 0;       // 1 start, 2 stop
    uint32_t testState = 0;     // 0 idle, 1 running, 2 succeeded, 3 failed, 4 cancelled
    uint32_t failureReason = 0; // 1..17, valid in state 3
    bool operator==(const LineTestCtrlRec&) const = default;
};

template <> struct RecordTable<LineTestCtrlRec> {
    using R = LineTestCtrlRec;
    static constexpr const char* kName = "LineTestCtrlRec";
    static constexpr uint32_t kSize = kLineTestCtrlRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::command>("command", 4).Column(2, kColumnWritable),
        U32<&R::testState>("testState", 8).Column(3),
        U32<&R::failureReason>("failureReason", 12).Column(4),
    };
};
