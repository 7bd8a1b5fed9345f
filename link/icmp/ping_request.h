#pragma once
// The parameter and result record of one ping run, and the limits the engine clamps it to.

#include "core/util/ip_address.h"

#include <cstdint>

class CPingOutput;

using PingAddress = IpAddress;

struct PingRequest {
    uint8_t id = 0;                // taken from a ping counter by NewPingId
    PingAddress address{};         // destination
    uint8_t count = 0;             // echo requests to send; 0 makes the request invalid
    int32_t timeout = 0;           // wait for each reply, ms
    uint16_t size = 0;             // data bytes of each echo request
    uint8_t ttl = 0;               // time-to-live of the echo requests
    uint8_t tos = 0;               // type-of-service byte
    uint32_t dontFragment = 0;     // non-zero sets the don't-fragment flag
    PingAddress replyAddress{};    // source of the last reply (result)
    uint8_t received = 0;          // echoes that got any reply (result)
    uint32_t minTime = 0;          // shortest round trip, ms (result)
    uint32_t maxTime = 0;          // longest round trip, ms (result)
    uint32_t totalTime = 0;        // sum of the round trips, ms; the average is totalTime / received (result)
    uint8_t replyTtl = 0;          // TTL of the last reply (result)
    uint32_t status = 0;           // summary status of the run (result)
    CPingOutput* output = nullptr; // text to which the run appends its lines, or none

    friend bool operator==(const PingRequest&, const PingRequest&) = default;
};

inline constexpr uint8_t kPingMinCount = 1;
inline constexpr uint8_t kPingMaxCount = 99;
inline constexpr int32_t kPingMinTimeout = 1000;
inline constexpr int32_t kPingMaxTimeout = 30000;
inline constexpr uint16_t kPingMinSize = 32;
inline constexpr uint16_t kPingMaxSize = 9996;
