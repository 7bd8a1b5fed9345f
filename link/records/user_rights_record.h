#pragma once
// The rights record of request 15 (384 bytes): the rights strings of the three roles, one 128-byte slot each in the
// order Administrator, Manager, User. A slot's text ends at its first zero byte; one letter per function.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kUserRightsSlotSize = 128;
inline constexpr size_t kUserRightsRoleCount = 3;
inline constexpr size_t kUserRightsRecordSize = kUserRightsSlotSize * kUserRightsRoleCount;

struct UserRightsRecord {
    std::array<std::string, kUserRightsRoleCount> rights; // by role: 0 Administrator, 1 Manager, 2 User
    bool operator==(const UserRightsRecord&) const = default;
};

// Each text is cut to 127 letters and ends with a zero; the rest of its slot is zero.
void EncodeUserRightsRecord(const UserRightsRecord& rec, uint8_t* out);
std::array<uint8_t, kUserRightsRecordSize> EncodeUserRightsRecord(const UserRightsRecord& rec);
// A slot without a zero byte gives 128 letters (the rights tables keep the first 127).
bool DecodeUserRightsRecord(const uint8_t* data, size_t size, UserRightsRecord* out);
