#pragma once
// ProfileNameRec (33 bytes): the name of a profile, zero-terminated in 33 bytes, as a query of the profiles whose
// records do not lead with it as a whole record sends it (the xDSL and SHDSL PM threshold, traffic policing and
// multicast service profiles): empty asks for every profile, a name for that one.

#include "link/records/record_codec.h"

#include <cstddef>
#include <string>

inline constexpr size_t kProfileNameRecSize = 33;

struct ProfileNameRec {
    std::string name; // at most 32 characters
    bool operator==(const ProfileNameRec&) const = default;
};

template <> struct RecordTable<ProfileNameRec> {
    using R = ProfileNameRec;
    static constexpr const char* kName = "ProfileNameRec";
    static constexpr uint32_t kSize = kProfileNameRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kProfileNameRecSize),
    };
};
