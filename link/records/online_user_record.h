#pragma once
// OnlineUserRecord (224 bytes, the reply records of request 18): an operator logged in to the management server, with
// the account, when and from where.

#include "link/records/user_account_record.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kOnlineUserRecordSize = 224;

struct OnlineUserRecord {
    UserAccountRecord account;
    uint32_t loginTime = 0;           // seconds since 1970-01-01 00:00 UTC
    std::array<uint8_t, 4> address{}; // first number first
    bool operator==(const OnlineUserRecord&) const = default;
};

template <> struct RecordTable<OnlineUserRecord> {
    using R = OnlineUserRecord;
    static constexpr const char* kName = "OnlineUserRecord";
    static constexpr uint32_t kSize = kOnlineUserRecordSize;
    static constexpr RecordField kFields[] = {
        Nested<&R::account>("account", 0).Key(),
        U32<&R::loginTime>("loginTime", 216),
        Ipv4<&R::address>("address", 220),
    };
};
