#pragma once
// NeSnmpCommunityRecord (32 bytes, requests 307 to 309): one SNMP community configured on an NE.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeSnmpCommunityRecordSize = 32;
inline constexpr size_t kNeSnmpCommunityNameWidth = 24;
inline constexpr uint32_t kNeAccessReadWrite = 2;

struct NeSnmpCommunityRecord {
    std::string community;   // at most 20 characters on the wire of the dialogs, 23 fit
    uint32_t permission = 0; // 1 read-only, 2 read / write / create
    uint32_t state = 0;      // 1 in service
    bool operator==(const NeSnmpCommunityRecord&) const = default;
};

// The community names its row, so the whole row is secret to a read-only community.
template <> struct RecordTable<NeSnmpCommunityRecord> {
    using R = NeSnmpCommunityRecord;
    static constexpr const char* kName = "NeSnmpCommunityRecord";
    static constexpr uint32_t kSize = kNeSnmpCommunityRecordSize;
    static constexpr RecordField kFields[] = {
        Text<&R::community>("community", 0, kNeSnmpCommunityNameWidth).Key().Secret().Column(1, kColumnSecret),
        U32<&R::permission>("permission", 24).Column(2, kColumnWritable),
        U32<&R::state>("state", 28).Column(3, kColumnWritable),
    };
};
