// The simulated management server's control request, for tests: one request code that no workstation function uses,
// carrying a 16-byte record {u32 action, u32 three arguments}. It is served only when the server runs with
// --test-control.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/records/record_bytes.h"

inline constexpr uint16_t kSimControlCode = 9000;
inline constexpr size_t kSimControlRecSize = 16;

// Actions.
// Push a burst of entity-state notifications (code 330) of the request's NE: arg1 records, arg2 the channel. Record
// i carries i in its value field, so that the order can be checked. Answered after the burst has been handed out.
inline constexpr uint32_t kSimPushEntityStates = 1;
// At most this many records in one push (arg1); more are refused with "invalid parameter".
inline constexpr uint32_t kSimMaxPushedStates = 1000000;
// Leave the next arg1 requests of this connection unanswered (this one is answered).
inline constexpr uint32_t kSimStaySilent = 2;
// Close this connection at once, without answering.
inline constexpr uint32_t kSimDropConnection = 3;
// Answer this request in protocol version arg1.
inline constexpr uint32_t kSimAnswerInVersion = 4;

// Channels of kSimPushEntityStates.
inline constexpr uint32_t kSimChannelTcp = 1;
inline constexpr uint32_t kSimChannelUdp = 2;

struct SimControlRec {
    uint32_t action = 0;
    uint32_t arg1 = 0;
    uint32_t arg2 = 0;
    uint32_t arg3 = 0;
};

inline std::array<uint8_t, kSimControlRecSize> EncodeSimControlRec(const SimControlRec& rec)
{
    std::array<uint8_t, kSimControlRecSize> bytes{};
    record_bytes::PutU32(bytes.data(), 0, rec.action);
    record_bytes::PutU32(bytes.data(), 4, rec.arg1);
    record_bytes::PutU32(bytes.data(), 8, rec.arg2);
    record_bytes::PutU32(bytes.data(), 12, rec.arg3);
    return bytes;
}

inline bool DecodeSimControlRec(const uint8_t* data, size_t size, SimControlRec* out)
{
    if (data == nullptr || out == nullptr || size < kSimControlRecSize) {
        return false;
    }
    out->action = record_bytes::GetU32(data, 0);
    out->arg1 = record_bytes::GetU32(data, 4);
    out->arg2 = record_bytes::GetU32(data, 8);
    out->arg3 = record_bytes::GetU32(data, 12);
    return true;
}
