#pragma once
// RemoteNeRecord (200 bytes, requests 162 query and modify, 163 add, 164 delete): one remote NE behind a cascaded
// management root, named by its id. The root keeps at most 100; request 165 counts them.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kRemoteNeRecordSize = 200;
inline constexpr size_t kRemoteNeNoteWidth = 129;
inline constexpr size_t kRemoteNeCommunityWidth = 21;
inline constexpr size_t kRemoteNeLoginWidth = 17; // user name and password

struct RemoteNeRecord {
    uint32_t remoteNeId = 0;            // 1..2147483647
    std::array<uint8_t, 4> ipAddress{}; // first number first
    std::string note;                   // at most 25 characters entered
    std::string community;              // at most 20 characters
    std::string loginUser;              // at most 16 characters
    std::string loginPassword;          // at most 16 characters
    uint32_t operStatus = 0;            // read only: 1 connected, 2 disconnected, other values not active
    uint32_t state = 0;                 // 1 enabled, 2 disabled
    bool operator==(const RemoteNeRecord&) const = default;
};

template <> struct RecordTable<RemoteNeRecord> {
    using R = RemoteNeRecord;
    static constexpr const char* kName = "RemoteNeRecord";
    static constexpr uint32_t kSize = kRemoteNeRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::remoteNeId>("remoteNeId", 0).Key().Column(1),
        Ipv4<&R::ipAddress>("ipAddress", 4).Column(2, kColumnWritable),
        Text<&R::note>("note", 8, kRemoteNeNoteWidth).Column(3, kColumnWritable),
        Text<&R::community>("community", 137, kRemoteNeCommunityWidth)
            .Secret()
            .Column(4, kColumnWritable | kColumnSecret),
        Text<&R::loginUser>("loginUser", 158, kRemoteNeLoginWidth).Column(5, kColumnWritable),
        Text<&R::loginPassword>("loginPassword", 175, kRemoteNeLoginWidth)
            .Secret()
            .Column(6, kColumnWritable | kColumnSecret),
        U32<&R::operStatus>("operStatus", 192).Column(7),
        U32<&R::state>("state", 196).Column(8, kColumnWritable),
    };
};
