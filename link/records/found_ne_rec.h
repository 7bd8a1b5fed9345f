#pragma once
// FoundNeRec (264 bytes, requests 28 query and 29 drop): an NE that the management server's discovery found and that
// is not managed yet, named by its address. A query sends a 1-byte body.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kFoundNeRecSize = 264;
inline constexpr size_t kFoundNeDescriptionWidth = 256;

struct FoundNeRec {
    std::array<uint8_t, 4> ipAddress{}; // first number first
    uint32_t modelId = 0;               // entity model id
    std::string description;            // the NE's system description
    bool operator==(const FoundNeRec&) const = default;
};

template <> struct RecordTable<FoundNeRec> {
    using R = FoundNeRec;
    static constexpr const char* kName = "FoundNeRec";
    static constexpr uint32_t kSize = kFoundNeRecSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::ipAddress>("ipAddress", 0).Key(),
        U32<&R::modelId>("modelId", 4),
        Text<&R::description>("description", 8, kFoundNeDescriptionWidth),
    };
};
