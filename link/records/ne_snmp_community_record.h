#pragma once
// NeSnmpCommunityRecord (32 bytes, requests 307 to 309): one SNMP community configured on an NE.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeSnmpCommunityRecordSize = 32;
inline constexpr size_t kNeSnmpCommunityNameWidth = 24;

struct NeSnmpCommunityRecord {
    std::string community;   // at most 20 characters on the wire of the dialogs, 23 fit
    uint32_t permission = 0; // 1 read-only, 2 read / write / create
    uint32_t state = 0;      // 1 in service
    bool operator==(const NeSnmpCommunityRecord&) const = default;
};

void EncodeNeSnmpCommunityRecord(const NeSnmpCommunityRecord& rec, uint8_t* out);
std::array<uint8_t, kNeSnmpCommunityRecordSize> EncodeNeSnmpCommunityRecord(const NeSnmpCommunityRecord& rec);
bool DecodeNeSnmpCommunityRecord(const uint8_t* data, size_t size, NeSnmpCommunityRecord* out);
