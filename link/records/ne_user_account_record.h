#pragma once
// NeUserAccountRecord (44 bytes, requests 316 to 318): one login account kept by an NE.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeUserAccountRecordSize = 44;
inline constexpr size_t kNeUserNameWidth = 17;
inline constexpr size_t kNeUserPasswordWidth = 19;
inline constexpr uint32_t kNeUserLevelAdministrator = 2;

struct NeUserAccountRecord {
    std::string userName; // at most 16 characters
    std::string password; // clear text, at most 16 characters
    uint32_t role = 0;    // 2 Administrator, 1 Guest
    uint32_t state = 0;   // 1 in service
    bool operator==(const NeUserAccountRecord&) const = default;
};

template <> struct RecordTable<NeUserAccountRecord> {
    using R = NeUserAccountRecord;
    static constexpr const char* kName = "NeUserAccountRecord";
    static constexpr uint32_t kSize = kNeUserAccountRecordSize;
    static constexpr RecordField kFields[] = {
        Text<&R::userName>("userName", 0, kNeUserNameWidth).Key().Column(1),
        Text<&R::password>("password", 17, kNeUserPasswordWidth).Secret().Column(2, kColumnWritable | kColumnSecret),
        U32<&R::role>("role", 36).Column(3, kColumnWritable),
        U32<&R::state>("state", 40).Column(4, kColumnWritable),
    };
};
