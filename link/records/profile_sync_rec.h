#pragma once
// ProfileSyncRec (28 bytes, requests 50 to 52): one word per class of NE data. In a download or synchronisation
// (51) 1 selects the class, in the reply to a verification (52) 1 says the NE's copy is identical; an upload (50)
// sets the first word.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kProfileSyncRecSize = 28;

struct ProfileSyncRec {
    uint32_t first = 0; // 0, or 1 for a whole upload or download of the configuration
    uint32_t lineProfiles = 0;
    uint32_t pmThresholdProfiles = 0;
    uint32_t mcChannelProfiles = 0;
    uint32_t mcServiceProfiles = 0;
    uint32_t ipTrafficProfiles = 0;
    uint32_t alarmDefs = 0;
    bool operator==(const ProfileSyncRec&) const = default;
};

template <> struct RecordTable<ProfileSyncRec> {
    using R = ProfileSyncRec;
    static constexpr const char* kName = "ProfileSyncRec";
    static constexpr uint32_t kSize = kProfileSyncRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::first>("first", 0),
        U32<&R::lineProfiles>("lineProfiles", 4),
        U32<&R::pmThresholdProfiles>("pmThresholdProfiles", 8),
        U32<&R::mcChannelProfiles>("mcChannelProfiles", 12),
        U32<&R::mcServiceProfiles>("mcServiceProfiles", 16),
        U32<&R::ipTrafficProfiles>("ipTrafficProfiles", 20),
        U32<&R::alarmDefs>("alarmDefs", 24),
    };
};
