#pragma once
// SNMP v1 and v2c messages: SEQUENCE { version, community, PDU }, with every PDU of the two versions.

#include "link/snmp/ber.h"
#include "link/snmp/snmp_value.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

enum class SnmpVersion : int32_t { V1 = 0, V2c = 1 };

enum class SnmpPduType : uint8_t {
    GetRequest = 0xA0,
    GetNextRequest = 0xA1,
    Response = 0xA2,
    SetRequest = 0xA3,
    TrapV1 = 0xA4,
    GetBulkRequest = 0xA5,
    InformRequest = 0xA6,
    TrapV2 = 0xA7,
};

// Error status values of a Response (v1 uses 0..5).
enum SnmpErrorStatus : int32_t {
    kSnmpNoError = 0,
    kSnmpTooBig = 1,
    kSnmpNoSuchName = 2,
    kSnmpBadValue = 3,
    kSnmpReadOnly = 4,
    kSnmpGenErr = 5,
    kSnmpNoAccess = 6,
    kSnmpWrongType = 7,
    kSnmpWrongLength = 8,
    kSnmpWrongEncoding = 9,
    kSnmpWrongValue = 10,
    kSnmpNoCreation = 11,
    kSnmpInconsistentValue = 12,
    kSnmpResourceUnavailable = 13,
    kSnmpCommitFailed = 14,
    kSnmpUndoFailed = 15,
    kSnmpAuthorizationError = 16,
    kSnmpNotWritable = 17,
    kSnmpInconsistentName = 18,
};

// Generic trap numbers of the v1 Trap-PDU.
enum SnmpGenericTrap : int32_t {
    kSnmpTrapColdStart = 0,
    kSnmpTrapWarmStart = 1,
    kSnmpTrapLinkDown = 2,
    kSnmpTrapLinkUp = 3,
    kSnmpTrapAuthenticationFailure = 4,
    kSnmpTrapEgpNeighborLoss = 5,
    kSnmpTrapEnterpriseSpecific = 6,
};

struct SnmpPdu {
    SnmpPduType type = SnmpPduType::GetRequest;
    int32_t requestId = 0;
    // error-status and error-index; a GetBulkRequest carries non-repeaters and max-repetitions here.
    int32_t errorStatus = 0;
    int32_t errorIndex = 0;
    std::vector<SnmpVarBind> varbinds;
    // v1 Trap-PDU only.
    CSnmpOid enterprise;
    std::array<uint8_t, 4> agentAddress{};
    int32_t genericTrap = 0;
    int32_t specificTrap = 0;
    uint32_t timeStamp = 0;

    int32_t NonRepeaters() const { return errorStatus; }
    int32_t MaxRepetitions() const { return errorIndex; }
    bool operator==(const SnmpPdu&) const = default;
};

struct SnmpMessage {
    SnmpVersion version = SnmpVersion::V1;
    std::string community;
    SnmpPdu pdu;
    bool operator==(const SnmpMessage&) const = default;
};

// Decodes one datagram. On failure the message is left in an unspecified state.
BerError DecodeSnmpMessage(const uint8_t* data, size_t size, SnmpMessage* message);

// Encodes a message; MessageTooBig when it would exceed 65507 bytes, BadPduType when the PDU does not exist in the
// message's version.
BerError EncodeSnmpMessage(const SnmpMessage& message, std::vector<uint8_t>* out);

// True when `type` exists in `version`.
bool SnmpPduAllowed(SnmpVersion version, SnmpPduType type);
