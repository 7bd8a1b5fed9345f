#pragma once
// NeUserAccountRecord (44 bytes, requests 316 to 318): one login account kept by an NE.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeUserAccountRecordSize = 44;
inline constexpr size_t kNeUserNameWidth = 17;
inline constexpr size_t kNeUserPasswordWidth = 19;

struct NeUserAccountRecord {
    std::string userName; // at most 16 characters
    std::string password; // clear text, at most 16 characters
    uint32_t role = 0;    // 2 Administrator, 1 Guest
    uint32_t state = 0;   // 1 in service
    bool operator==(const NeUserAccountRecord&) const = default;
};

void EncodeNeUserAccountRecord(const NeUserAccountRecord& rec, uint8_t* out);
std::array<uint8_t, kNeUserAccountRecordSize> EncodeNeUserAccountRecord(const NeUserAccountRecord& rec);
bool DecodeNeUserAccountRecord(const uint8_t* data, size_t size, NeUserAccountRecord* out);
