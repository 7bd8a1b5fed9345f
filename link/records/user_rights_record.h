#pragma once
// The rights record of request 15 (384 bytes): the rights strings of the three roles, one 128-byte slot each in the
// order Administrator, Manager, User. A slot's text ends at its first zero byte; one letter per function. Each text
// is cut to 127 letters when encoded; a slot without a zero byte decodes to 128 letters (the rights tables keep the
// first 127).

#include "link/records/record_codec.h"

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

template <> struct RecordTable<UserRightsRecord> {
    using R = UserRightsRecord;
    static constexpr const char* kName = "UserRightsRecord";
    static constexpr uint32_t kSize = kUserRightsRecordSize;
    static constexpr RecordField kFields[] = {
        TextItem<&R::rights, 0>("administrator", 0, kUserRightsSlotSize),
        TextItem<&R::rights, 1>("manager", 128, kUserRightsSlotSize),
        TextItem<&R::rights, 2>("user", 256, kUserRightsSlotSize),
    };
};
