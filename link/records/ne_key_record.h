#pragma once
// NeKeyRecord (124 bytes, requests 30 to 33): the key data of one NE as the NE table keeps it.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeKeyRecordSize = 124;
inline constexpr size_t kNeKeyNameWidth = 21;
inline constexpr size_t kNeKeyFtpTextWidth = 17;
inline constexpr size_t kNeKeyCommunityWidth = 21;

// The NE's built-in account: the FTP login of a new NE, and of the NE record in direct mode.
inline constexpr const char* kNeBuiltInAccount = "qurim";

struct NeKeyRecord {
    uint32_t neId = 0;
    uint32_t plannedFlag = 0;
    std::string neName;      // at most 20 characters
    std::string ftpUser;     // at most 16 characters
    std::string ftpPassword; // at most 16 characters
    uint32_t locationId = 0;
    uint32_t modelId = 0;               // entity model id of the NE
    std::array<uint8_t, 4> ipAddress{}; // first number first
    uint16_t port = 0;
    std::array<uint8_t, 4> secondIp{};
    std::array<uint8_t, 4> thirdIp{};
    std::string snmpCommunity; // at most 20 characters
    uint32_t snmpVersion = 0;  // 0 SNMP v1, 1 SNMP v2c
    float longitude = 0;
    float latitude = 0;
    uint32_t autoSync = 0; // 0 disabled, 1 NE-to-Server, 2 Server-to-NE
    bool operator==(const NeKeyRecord&) const = default;
};

// In direct mode the NE tells its model and SNMP version; the driver fills in the rest from its session.
template <> struct RecordTable<NeKeyRecord> {
    using R = NeKeyRecord;
    static constexpr const char* kName = "NeKeyRecord";
    static constexpr uint32_t kSize = kNeKeyRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::neId>("neId", 0).Key(),
        U32<&R::plannedFlag>("plannedFlag", 4),
        Text<&R::neName>("neName", 8, kNeKeyNameWidth),
        Text<&R::ftpUser>("ftpUser", 29, kNeKeyFtpTextWidth),
        Text<&R::ftpPassword>("ftpPassword", 46, kNeKeyFtpTextWidth).Secret(),
        Reserved(63, 1),
        U32<&R::locationId>("locationId", 64),
        U32<&R::modelId>("modelId", 68).Column(1),
        Ipv4<&R::ipAddress>("ipAddress", 72),
        U16<&R::port>("port", 76),
        Ipv4<&R::secondIp>("secondIp", 78),
        Ipv4<&R::thirdIp>("thirdIp", 82),
        Text<&R::snmpCommunity>("snmpCommunity", 86, kNeKeyCommunityWidth).Secret(),
        Reserved(107, 1),
        U32<&R::snmpVersion>("snmpVersion", 108).Column(2),
        F32<&R::longitude>("longitude", 112),
        F32<&R::latitude>("latitude", 116),
        U32<&R::autoSync>("autoSync", 120),
    };
};
