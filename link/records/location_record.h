#pragma once
// The location record (224 bytes, requests 20 query and modify, 21 add, 22 delete): one location of the operator's
// location tree as the management server keeps it.

#include "link/records/record_codec.h"

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

template <> struct RecordTable<LocationRecord> {
    using R = LocationRecord;
    static constexpr const char* kName = "LocationRecord";
    static constexpr uint32_t kSize = kLocationRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::id>("id", 0).Key(),
        Text<&R::name>("name", 4, kLocationNameWidth),
        U32<&R::parentId>("parentId", 28),
        Text<&R::comment>("comment", 32, kLocationCommentWidth),
        U32<&R::mapId>("mapId", 96),
        Text<&R::contact>("contact", 100, kLocationPhoneWidth),
        Text<&R::telephone>("telephone", 121, kLocationPhoneWidth),
        Text<&R::mobile>("mobile", 142, kLocationPhoneWidth),
        Text<&R::email>("email", 163, kLocationEmailWidth),
    };
};
