#pragma once
// LoopDiagCtrlRec (52 bytes, request 663): the control of the loop diagnosis test of one ADSL port. A state query
// sends the port's packed entity id (WordRecord) and is answered with control records; a command sends the whole
// record, with zero in the fields it does not set. In direct mode a command is a write of the port's row.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kLoopDiagCtrlRecSize = 52;
inline constexpr size_t kLoopDiagProfileNameWidth = 36;

struct LoopDiagCtrlRec {
    uint32_t entityId = 0;      // packed entity id of the port
    std::string lineProfile;    // the ADSL line profile the test runs with
    uint32_t command = 0;       // 1 start, 2 stop
    uint32_t testState = 0;     // 0 idle, 1 running, 2 succeeded, 3 failed, 4 cancelled
    uint32_t failureReason = 0; // 1..17, valid in state 3
    bool operator==(const LoopDiagCtrlRec&) const = default;
};

template <> struct RecordTable<LoopDiagCtrlRec> {
    using R = LoopDiagCtrlRec;
    static constexpr const char* kName = "LoopDiagCtrlRec";
    static constexpr uint32_t kSize = kLoopDiagCtrlRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Text<&R::lineProfile>("lineProfile", 4, kLoopDiagProfileNameWidth).Column(2, kColumnWritable),
        U32<&R::command>("command", 40).Column(3, kColumnWritable),
        U32<&R::testState>("testState", 44).Column(4),
        U32<&R::failureReason>("failureReason", 48).Column(5),
    };
};
