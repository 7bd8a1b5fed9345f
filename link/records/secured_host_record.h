#pragma once
// SecuredHostRecord (16 bytes, request 319): one numbered address section of the NE's secured hosts and the management
// services its hosts may use. The NE has a fixed set of sections: they are changed, never added or deleted. Request
// 320 switches the restriction on (1) or off (0).

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kSecuredHostRecordSize = 16;

struct SecuredHostRecord {
    uint8_t section = 0;
    std::array<uint8_t, 4> firstIp{}; // first number first
    std::array<uint8_t, 4> lastIp{};
    uint32_t services = 0; // mask: 0x80 SNMP, 0x40 TELNET, 0x20 FTP, 0x10 TFTP
    bool operator==(const SecuredHostRecord&) const = default;
};

template <> struct RecordTable<SecuredHostRecord> {
    using R = SecuredHostRecord;
    static constexpr const char* kName = "SecuredHostRecord";
    static constexpr uint32_t kSize = kSecuredHostRecordSize;
    static constexpr RecordField kFields[] = {
        U8<&R::section>("section", 0).Key().Column(1),
        Ipv4<&R::firstIp>("firstIp", 1).Column(2, kColumnWritable),
        Ipv4<&R::lastIp>("lastIp", 5).Column(3, kColumnWritable),
        Reserved(9, 3),
        U32<&R::services>("services", 12).Column(4, kColumnWritable),
    };
};
