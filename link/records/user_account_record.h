#pragma once
// UserAccountRecord (216 bytes, requests 10 query and modify, 13 add, 14 delete): one operator account of the
// management server. The role travels as one letter: "A" Administrator, "B" Manager, "C" User.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kUserAccountRecordSize = 216;
inline constexpr size_t kUserAccountNameWidth = 11;
inline constexpr size_t kUserAccountDigestWidth = 11;
inline constexpr size_t kUserAccountTextWidth = 21; // full name, telephone, division
inline constexpr size_t kUserAccountAddressWidth = 63;
inline constexpr size_t kUserAccountRoleWidth = 3;
inline constexpr size_t kUserAccountCommentWidth = 61;

struct UserAccountRecord {
    std::string name;           // the account's user ID, at most 10 characters
    std::string passwordDigest; // first 10 lower-case hex digits of the password's MD5
    std::string fullName;
    std::string telephone;
    std::string division;
    std::string address;
    uint32_t locationId = 0; // 0 = the root of the location tree
    std::string roleLetter;  // "A", "B", "C", or empty
    std::string comment;
    bool operator==(const UserAccountRecord&) const = default;
};

template <> struct RecordTable<UserAccountRecord> {
    using R = UserAccountRecord;
    static constexpr const char* kName = "UserAccountRecord";
    static constexpr uint32_t kSize = kUserAccountRecordSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kUserAccountNameWidth).Key(),
        Text<&R::passwordDigest>("passwordDigest", 11, kUserAccountDigestWidth).Secret(),
        Text<&R::fullName>("fullName", 22, kUserAccountTextWidth),
        Text<&R::telephone>("telephone", 43, kUserAccountTextWidth),
        Text<&R::division>("division", 64, kUserAccountTextWidth),
        Text<&R::address>("address", 85, kUserAccountAddressWidth),
        U32<&R::locationId>("locationId", 148),
        Text<&R::roleLetter>("roleLetter", 152, kUserAccountRoleWidth),
        Text<&R::comment>("comment", 155, kUserAccountCommentWidth),
    };
};

// The letter of a role number 0..2; empty for any other.
std::string RoleLetterFromIndex(int role);
