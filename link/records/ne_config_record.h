#pragma once
// NeConfigRecord (1320 bytes, request 303): the NE's own system information and its management addresses. A write
// sets contact, system name, place and the addresses; the other fields are the NE's.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeConfigRecordSize = 1320;
inline constexpr size_t kNeConfigTextWidth = 256;

// Addresses and masks first number first; texts at most 255 characters.
struct NeConfigRecord {
    std::string sysDescription;
    std::string sysObjectId; // as dotted text
    uint32_t upTime = 0;     // seconds
    uint8_t services = 0;    // bit i set: layer i + 1 (bits 0..6)
    std::array<uint8_t, 6> ugeMac{};
    std::array<uint8_t, 6> nmeMac{};
    std::string contact;
    std::string sysName;
    std::string place;
    std::array<uint8_t, 4> ugeIp{};
    std::array<uint8_t, 4> ugeMask{};
    uint16_t vlanId = 0;
    std::array<uint8_t, 4> nmeIp{};
    std::array<uint8_t, 4> nmeMask{};
    std::array<uint8_t, 4> gateway{};
    bool operator==(const NeConfigRecord&) const = default;
};

template <> struct RecordTable<NeConfigRecord> {
    using R = NeConfigRecord;
    static constexpr const char* kName = "NeConfigRecord";
    static constexpr uint32_t kSize = kNeConfigRecordSize;
    static constexpr RecordField kFields[] = {
        Text<&R::sysDescription>("sysDescription", 0, kNeConfigTextWidth),
        Text<&R::sysObjectId>("sysObjectId", 256, kNeConfigTextWidth),
        U32<&R::upTime>("upTime", 512),
        U8<&R::services>("services", 516),
        Bytes<&R::ugeMac>("ugeMac", 517),
        Bytes<&R::nmeMac>("nmeMac", 523),
        Text<&R::contact>("contact", 529, kNeConfigTextWidth),
        Text<&R::sysName>("sysName", 785, kNeConfigTextWidth),
        Text<&R::place>("place", 1041, kNeConfigTextWidth),
        Ipv4<&R::ugeIp>("ugeIp", 1297),
        Ipv4<&R::ugeMask>("ugeMask", 1301),
        Reserved(1305, 1),
        U16<&R::vlanId>("vlanId", 1306),
        Ipv4<&R::nmeIp>("nmeIp", 1308),
        Ipv4<&R::nmeMask>("nmeMask", 1312),
        Ipv4<&R::gateway>("gateway", 1316),
    };
};
