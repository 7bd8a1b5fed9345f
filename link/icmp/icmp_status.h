#pragma once
// Status codes of an echo and of a ping run, their texts, and how ICMP messages and send errors map to them. A text's
// string id is its status code, so the user interface's string table carries the same texts under the same ids.

#include <cstdint>
#include <span>
#include <string_view>

inline constexpr uint32_t kIcmpStatusSuccess = 0;
inline constexpr uint32_t kIcmpStatusNotAnswered = 11000; // no echo of the run has been answered yet
inline constexpr uint32_t kIcmpStatusBufferTooSmall = 11001;
inline constexpr uint32_t kIcmpStatusDestNetUnreachable = 11002;
inline constexpr uint32_t kIcmpStatusDestHostUnreachable = 11003;
inline constexpr uint32_t kIcmpStatusDestProtocolUnreachable = 11004;
inline constexpr uint32_t kIcmpStatusDestPortUnreachable = 11005;
inline constexpr uint32_t kIcmpStatusNoResources = 11006;
inline constexpr uint32_t kIcmpStatusBadOption = 11007;
inline constexpr uint32_t kIcmpStatusHardwareError = 11008;
inline constexpr uint32_t kIcmpStatusPacketTooBig = 11009;
inline constexpr uint32_t kIcmpStatusTimedOut = 11010;
inline constexpr uint32_t kIcmpStatusBadRequest = 11011;
inline constexpr uint32_t kIcmpStatusBadRoute = 11012;
inline constexpr uint32_t kIcmpStatusTtlExpiredTransit = 11013;
inline constexpr uint32_t kIcmpStatusTtlExpiredReassembly = 11014;
inline constexpr uint32_t kIcmpStatusParameterProblem = 11015;
inline constexpr uint32_t kIcmpStatusSourceQuench = 11016;
inline constexpr uint32_t kIcmpStatusOptionTooBig = 11017;
inline constexpr uint32_t kIcmpStatusBadDestination = 11018;
// An ICMP message of a kind no other code covers.
inline constexpr uint32_t kIcmpStatusGeneralFailure = 11050;

struct IcmpStatusTextEntry {
    uint32_t code; // also the string id
    std::string_view text;
};

// Every status with a text of its own, in code order.
std::span<const IcmpStatusTextEntry> IcmpStatusTexts();

inline constexpr std::string_view kIcmpUnknownStatusText = "unknown error";

// The text of a status; "unknown error" for any code without one. The longest text has 32 characters.
std::string_view IcmpStatusText(uint32_t code);

// The status of an ICMP message answering an echo request: 0 for an echo reply, else the error's code.
uint32_t IcmpStatusFromMessage(uint8_t type, uint8_t code);
