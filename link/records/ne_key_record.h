#pragma once
// NeKeyRecord (124 bytes, requests 30 to 33): the key data of one NE as the NE table keeps it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeKeyRecordSize = 124;
inline constexpr size_t kNeKeyNameWidth = 21;
inline constexpr size_t kNeKeyFtpTextWidth = 17;
inline constexpr size_t kNeKeyCommunityWidth = 21;

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

void EncodeNeKeyRecord(const NeKeyRecord& rec, uint8_t* out);
std::array<uint8_t, kNeKeyRecordSize> EncodeNeKeyRecord(const NeKeyRecord& rec);
bool DecodeNeKeyRecord(const uint8_t* data, size_t size, NeKeyRecord* out);
