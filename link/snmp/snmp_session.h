#pragma once
// The manager side of one SNMP v1/v2c session with one agent: request-ids, time-outs, retries and the matching of
// responses to requests by request-id and source.

#include "link/snmp/snmp_message.h"
#include "link/snmp/udp_socket.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SnmpSessionConfig {
    UdpEndpoint agent;
    std::string community;
    SnmpVersion version = SnmpVersion::V1;
    uint32_t timeoutMs = 3000; // per attempt
    uint32_t retries = 3;      // attempts after the first
};

struct SnmpSessionStats {
    uint64_t exchanges = 0;
    uint64_t attempts = 0;
    uint64_t timeouts = 0;           // exchanges that ran out of attempts
    uint64_t foreignResponses = 0;   // datagrams from another source or with another request-id, dropped
    uint64_t malformedResponses = 0; // datagrams that did not decode, dropped
};

// SNMP error-status (and the v2c exceptions) as a driver result code.
int SnmpErrorStatusToResult(int32_t errorStatus);
int SnmpExceptionToResult(SnmpType type);

class CSnmpSession {
public:
    CSnmpSession() = default;
    CSnmpSession(const CSnmpSession&) = delete;
    CSnmpSession& operator=(const CSnmpSession&) = delete;

    // Opens a socket on a free local port. 0, or kDrvConnectFailed.
    int Open(const SnmpSessionConfig& config);
    void Close();
    bool IsOpen() const { return socket_.IsOpen(); }
    uint16_t LocalPort() const { return socket_.LocalPort(); }

    const SnmpSessionConfig& Config() const { return config_; }
    void SetVersion(SnmpVersion version) { config_.version = version; }
    void SetTimeout(uint32_t timeoutMs, uint32_t retries);
    // Polled while waiting: true ends the exchange with kDrvCancelled.
    void SetCancelCheck(std::function<bool()> check) { cancelCheck_ = std::move(check); }
    // Called after every exchange that got its response: the agent is alive, however long the whole query takes.
    void SetProgressNotice(std::function<void()> notice) { progressNotice_ = std::move(notice); }

    // One request and its response, with retries. 0 with the response (its error-status not yet looked at), or
    // kDrvTimeout, kDrvCancelled, kDrvSendFailed, kDrvReceiveFailed, kDrvSnmpTooBig (the request does not fit
    // in one message), kDrvSnmpDecodeError (the agent answered, but no answer could be read). For GetBulk, a and b
    // are non-repeaters and max-repetitions.
    int Exchange(SnmpPduType type, const std::vector<SnmpVarBind>& varbinds, SnmpPdu* response, int32_t a = 0,
                 int32_t b = 0);

    // GET of each OID; 0 with the values in request order, or the result code of the first failure (error-status,
    // an exception value, or a response that does not answer the request).
    int Get(const std::vector<CSnmpOid>& oids, std::vector<SnmpVarBind>* values);
    // SET of the bindings in one PDU.
    int Set(const std::vector<SnmpVarBind>& varbinds);

    SnmpSessionStats Stats() const;

private:
    int32_t NextRequestId();

    SnmpSessionConfig config_;
    CUdpSocket socket_;
    int32_t requestId_ = 0;
    std::function<bool()> cancelCheck_;
    std::function<void()> progressNotice_;
    std::vector<uint8_t> sendBuffer_;
    std::vector<uint8_t> receiveBuffer_;
    SnmpSessionStats stats_;
};
