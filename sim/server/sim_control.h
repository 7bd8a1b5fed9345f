// The simulated management server's control request, for tests: one request code that no workstation function uses,
// carrying a 16-byte record {u32 action, u32 three arguments}. It is served only when the server runs with
// --test-control.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/records/record_codec.h"
#include "link/records/request_codes.h"

inline constexpr size_t kSimControlRecSize = 16;

// Actions.
// Push a burst of entity-state notifications (code 330) of the request's NE: arg1 records, arg2 the channel. Record
// i carries i in its value field, so that the order can be checked. Answered after the burst has been handed out.
inline constexpr uint32_t kSimPushEntityStates = 1;
// At most this many records in one push (arg1); more are refused with "invalid parameter".
inline constexpr uint32_t kSimMaxPushedStates = 1000000;
// Leave the next arg1 requests of this connection unanswered (this one is answered); with arg2, only the requests of
// that code count (a keep-alive that comes between is answered).
inline constexpr uint32_t kSimStaySilent = 2;
// Close this connection at once, without answering.
inline constexpr uint32_t kSimDropConnection = 3;
// Answer this request in protocol version arg1.
inline constexpr uint32_t kSimAnswerInVersion = 4;
// Raise alarm arg2 of entity arg1 of the request's NE when it is not active, else clear it, and tell every
// workstation the entity's new state (code 330). Alarm 0 of the NE itself (entity 1) takes the NE off the network.
inline constexpr uint32_t kSimToggleAlarm = 5;
// Raise (arg3 1) or clear (arg3 0) alarm bit arg2 of entity arg1 of the request's NE, as the NE reports it: every
// workstation gets the entity's new state. An entity or alarm the NE does not have is refused.
inline constexpr uint32_t kSimSetAlarm = 7;
// Refuse the next change (operation 2) of request code arg1, from any workstation, with a reason.
inline constexpr uint32_t kSimRefuseNextChange = 6;
// Refuse the next request of code arg1, a query or a change, from any workstation, with a reason; with arg2, after
// that many more of the code have been served.
inline constexpr uint32_t kSimRefuseNextRequest = 8;
// Answer the next request of code arg1, from any workstation, as usual but name code arg2 in its reply frames.
inline constexpr uint32_t kSimRenameNextReply = 10;
// Lose the next arg1 notification datagrams to this workstation on their way, as a network would: each takes its
// number in the series, and none is sent.
inline constexpr uint32_t kSimLoseDatagrams = 9;
// Send, just before the next notification datagram to this workstation, a copy of it numbered arg1 past it, from the
// service port, as a process that forges the server's address would; the series goes on as if it had not been sent.
inline constexpr uint32_t kSimForgeDatagramAhead = 11;

// Channels of kSimPushEntityStates.
inline constexpr uint32_t kSimChannelTcp = 1;
inline constexpr uint32_t kSimChannelUdp = 2;

struct SimControlRec {
    uint32_t action = 0;
    uint32_t arg1 = 0;
    uint32_t arg2 = 0;
    uint32_t arg3 = 0;
};

template <> struct RecordTable<SimControlRec> {
    using R = SimControlRec;
    static constexpr const char* kName = "SimControlRec";
    static constexpr uint32_t kSize = kSimControlRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::action>("action", 0),
        U32<&R::arg1>("arg1", 4),
        U32<&R::arg2>("arg2", 8),
        U32<&R::arg3>("arg3", 12),
    };
};
