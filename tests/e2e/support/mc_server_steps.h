#pragma once
// Steps of the multicast end-to-end tests on the simulated server: a record written on North-1 through the server's
// probe, as another workstation would write it (the server must take it), North-1's multicast service profile
// "basic", and a channel on a port of North-1 that names it.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_test.h"

#include "link/records/mc_channel_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/request_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace e2e {

template <class Rec> void WriteOnNorth1(CProgram& program, uint16_t code, const Rec& rec)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const std::optional<Frame> reply =
        probe.ReplyTo(probe.Send(2, code, kNorth1, EncodeRecords(std::vector<Rec>{rec}), kRecordSize<Rec>));
    EXPECT_TRUE(reply && reply->header.status == 0);
}

inline void AddBasicServiceProfile(CProgram& program)
{
    McServiceProfileRec basic;
    basic.name = "basic";
    basic.status = 1;
    WriteOnNorth1(program, kReqMcServiceProfileAdd, basic);
}

// Adds the channel (VPI 0, service profile "basic") on the port; `state` 1 enabled, 2 disabled.
inline void AddChannelOnNorth1(CProgram& program, uint32_t portId, uint16_t vci, uint16_t vlanId, uint8_t limit,
                               uint32_t state)
{
    McChannelRec channel;
    channel.portId = portId;
    channel.vci = vci;
    channel.vlanId = vlanId;
    channel.channelLimit = limit;
    channel.profile = "basic";
    channel.adminState = state;
    WriteOnNorth1(program, kReqMcChannelAdd, channel);
}

} // namespace e2e
