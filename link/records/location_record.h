#pragma once
// The location record (224 bytes, requests 20 query and modify, 21 add, 22 delete): one location of the operator's
// location tree as the management server keeps it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kLocationRecordSize = 224;
inline constexpr size_t kLocationNameWidth = 21;
inline constexpr size_t kLocationCommentWidth = 61;
inline constexpr size_t kLocationPhoneWidth = 21; // contact, telephone and mobile
inline constexpr size_t kLocationEmailWidth = 61;

struct LocationRecord {
    uint32_t id = 0; // 0 for a location not yet created
    std::string name;
    uint32_t parentId = 0; // 0 = top level
    std::string comment;
    uint32_t mapId = 0; // 0 = the world map
    std::string contact;
    std::string telephone;
    std::string mobile;
    std::string email;
    bool operator==(const LocationRecord&) const = default;
};

void EncodeLocationRecord(const LocationRecord& rec, uint8_t* out);
std::array<uint8_t, kLocationRecordSize> EncodeLocationRecord(const LocationRecord& rec);
bool DecodeLocationRecord(const uint8_t* data, size_t size, LocationRecord* out);
