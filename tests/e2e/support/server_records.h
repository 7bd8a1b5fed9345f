#pragma once
// A record added through the simulated server's probe, as another workstation would add it.

#include "tests/e2e/support/e2e_harness.h"

#include "link/records/record_bytes.h"
#include "link/records/record_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace e2e {

// The server's answer carries the new record's id first; 0 when it refuses the record.
template <typename Rec> uint32_t AddThroughServer(CProgram& program, uint16_t code, const Rec& record, uint32_t size)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto bytes = EncodeRecord(record);
    const std::optional<Frame> reply = probe.ReplyTo(probe.Send(2, code, 0, {bytes.begin(), bytes.end()}, size));
    EXPECT_TRUE(reply && reply->header.status == 0 && reply->payload.size() >= 4) << code;
    return reply && reply->payload.size() >= 4 ? record_bytes::GetU32(reply->payload.data(), 0) : 0;
}

} // namespace e2e
