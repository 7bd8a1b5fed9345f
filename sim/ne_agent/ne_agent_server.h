#pragma once
// The simulated NE on UDP: answers SNMP v1 and v2c requests from its MIB, sends coldStart when it starts, runs the
// alarm generator and sends entityStateChange notifications. A datagram it cannot decode is counted and dropped.

#include "link/snmp/udp_socket.h"
#include "sim/ne_agent/ne_agent_mib.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

struct NeAgentServerOptions {
    std::array<uint8_t, 4> bindAddress{127, 0, 0, 1};
    uint16_t port = 161;
    std::optional<UdpEndpoint> trapTarget;
    bool trapV1 = false;
    std::string trapCommunity = "public";
    uint32_t alarmIntervalMs = 0;
    size_t maxMessageSize = 65507;
    bool bulkTooBig = false;
    uint32_t replyDelayMs = 0; // every answer waits this long: an NE that is slow but answers
};

class CNeAgentServer {
public:
    CNeAgentServer(CNeAgentMib& mib, NeAgentServerOptions options) : mib_(mib), options_(std::move(options)) {}

    // Binds the port. 0, or the errno value.
    int Open();
    uint16_t Port() const { return socket_.LocalPort(); }
    // Serves until `stop` is set.
    void Run(const std::atomic<bool>& stop);
    // Handles one datagram; the response to send, if any.
    std::optional<std::vector<uint8_t>> HandleDatagram(const uint8_t* data, size_t size);

    void SendColdStart();
    void SendStateChange(const EntityStateRec& state);

private:
    void SendNotification(const SnmpMessage& message);
    bool FitResponse(const SnmpMessage& request, SnmpMessage* response, std::vector<uint8_t>* out);

    CNeAgentMib& mib_;
    NeAgentServerOptions options_;
    CUdpSocket socket_;
    int32_t trapRequestId_ = 1;
};
