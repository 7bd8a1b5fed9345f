#pragma once
// Notifications an NE sends: v1 Trap-PDUs, v2c SNMPv2-Trap and InformRequest PDUs, classified for the link.

#include "link/records/entity_state_rec.h"
#include "link/snmp/snmp_message.h"

#include <cstdint>
#include <vector>

enum class SnmpTrapKind : uint8_t {
    EntityStateChange, // the private entityStateChange notification: one entity's state
    ColdStart,
    WarmStart,
    Other,
};

enum class SnmpTrapDecodeResult : uint8_t {
    Ok,
    Malformed,        // not a well-formed SNMP message
    NotANotification, // a well-formed message of another PDU type
    BadContent,       // a notification whose bindings break its definition
};

struct SnmpTrapEvent {
    SnmpMessage message;
    SnmpTrapKind kind = SnmpTrapKind::Other;
    bool inform = false;  // must be answered with a Response
    uint32_t upTime = 0;  // hundredths of a second (v1 time-stamp, v2c sysUpTime.0)
    EntityStateRec state; // EntityStateChange only
    // EntityStateChange: bit c-1 set when column c of the entity state table was in the notification; the fields
    // of the columns left out hold no news.
    uint32_t stateColumns = 0;
};

SnmpTrapDecodeResult DecodeSnmpTrap(const uint8_t* data, size_t size, SnmpTrapEvent* event);

// The Response that acknowledges an InformRequest: same version, community, request-id and bindings.
bool EncodeInformResponse(const SnmpMessage& inform, std::vector<uint8_t>* out);

// The entityStateChange notification of one entity's state, as the NE sends it.
SnmpMessage BuildEntityStateChangeTrap(SnmpVersion version, const std::string& community, uint32_t upTime,
                                       const EntityStateRec& state, int32_t requestId,
                                       const std::array<uint8_t, 4>& agentAddress);
