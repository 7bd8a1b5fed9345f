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

// In direct mode the texts, the object identifier, the up time and the services are the NE's MIB-II system group; its
// MACs and management addresses are scalars of the private subtree.
template <> struct RecordTable<NeConfigRecord> {
    using R = NeConfigRecord;
    static constexpr const char* kName = "NeConfigRecord";
    static constexpr uint32_t kSize = kNeConfigRecordSize;
    static constexpr RecordField kFields[] = {
        Text<&R::sysDescription>("sysDescription", 0, kNeConfigTextWidth).Column(1, 0, "1.3.6.1.2.1.1.1.0"),
        Text<&R::sysObjectId>("sysObjectId", 256, kNeConfigTextWidth).Column(2, kColumnObjectId, "1.3.6.1.2.1.1.2.0"),
        U32<&R::upTime>("upTime", 512).Column(3, kColumnUpTime, "1.3.6.1.2.1.1.3.0"),
        U8<&R::services>("services", 516).Column(4, 0, "1.3.6.1.2.1.1.7.0"),
        Bytes<&R::ugeMac>("ugeMac", 517).Column(5),
        Bytes<&R::nmeMac>("nmeMac", 523).Column(6),
        Text<&R::contact>("contact", 529, kNeConfigTextWidth).Column(7, kColumnWritable, "1.3.6.1.2.1.1.4.0"),
        Text<&R::sysName>("sysName", 785, kNeConfigTextWidth).Column(8, kColumnWritable, "1.3.6.1.2.1.1.5.0"),
        Text<&R::place>("place", 1041, kNeConfigTextWidth).Column(9, kColumnWritable, "1.3.6.1.2.1.1.6.0"),
        Ipv4<&R::ugeIp>("ugeIp", 1297).Column(10, kColumnWritable),
        Ipv4<&R::ugeMask>("ugeMask", 1301).Column(11, kColumnWritable),
        Reserved(1305, 1),
        U16<&R::vlanId>("vlanId", 1306).Column(12, kColumnWritable),
        Ipv4<&R::nmeIp>("nmeIp", 1308).Column(13, kColumnWritable),
        Ipv4<&R::nmeMask>("nmeMask", 1312).Column(14, kColumnWritable),
        Ipv4<&R::gateway>("gateway", 1316).Column(15, kColumnWritable),
    };
};
