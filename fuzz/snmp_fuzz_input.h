#pragma once
// SNMP bindings built from fuzz input, for the fuzzers of the SNMP link and of the simulated NE. Building them as
// values and OIDs (instead of mutating BER) keeps a few changed bytes one well-formed binding away from another, so
// that the fuzzers reach what is done with the bindings, not only the BER decoder.

#include "fuzz/fuzz_bytes.h"
#include "link/snmp/snmp_value.h"

#include <cstdint>

// One sub-identifier: mostly small, sometimes any 32-bit value.
inline uint32_t FuzzSnmpArc(CFuzzBytes& in)
{
    const uint8_t b = in.Byte();
    return b < 0xF0 ? b : in.U32();
}

// An OID near `base`: extended, cut and extended, itself, anything, or with its last arc moved on. The mode byte
// holds the kind in its low three bits and the number of arcs added (one to four) in the next two.
inline CSnmpOid FuzzSnmpOid(CFuzzBytes& in, const CSnmpOid& base)
{
    const uint8_t mode = in.Byte();
    const uint32_t kind = (mode & 7u) % 5;
    uint32_t added = 1 + ((mode >> 3) & 3u);
    std::vector<uint32_t> arcs = base.SubIds();
    switch (kind) {
    case 0:
        break;
    case 1:
        arcs.resize(arcs.size() > added ? arcs.size() - added : 0);
        break;
    case 2:
        return base;
    case 3:
        arcs.clear();
        added += (mode >> 5) * 3u;
        break;
    default:
        if (!arcs.empty()) {
            arcs.back() += 1 + in.Byte();
            return CSnmpOid(arcs);
        }
        break;
    }
    for (uint32_t i = 0; i < added; ++i)
        arcs.push_back(FuzzSnmpArc(in));
    if (arcs.size() > kSnmpMaxOidLength)
        arcs.resize(kSnmpMaxOidLength);
    return CSnmpOid(arcs);
}

// A value of any type, now and then one that no encoder makes (an IpAddress of another length).
inline SnmpValue FuzzSnmpValue(CFuzzBytes& in)
{
    const uint8_t kind = in.Byte();
    switch (kind % 13) {
    case 0:
        return SnmpValue::Integer(static_cast<int32_t>(kind < 0x80 ? in.Byte() : in.U32()));
    case 1:
        return SnmpValue::Octets(in.Bytes(in.Byte() % 40));
    case 2:
        return SnmpValue::Null();
    case 3: {
        std::vector<uint32_t> arcs;
        for (uint8_t n = in.Byte() % 12; n > 0; --n)
            arcs.push_back(FuzzSnmpArc(in));
        return SnmpValue::ObjectId(CSnmpOid(arcs));
    }
    case 4: {
        SnmpValue value = SnmpValue::IpAddress({in.Byte(), in.Byte(), in.Byte(), in.Byte()});
        if (kind >= 0xE0)
            value.bytes.resize(kind % 8);
        return value;
    }
    case 5:
        return SnmpValue::Counter32(kind < 0x80 ? in.Byte() : in.U32());
    case 6:
        return SnmpValue::Gauge32(kind < 0x80 ? in.Byte() : in.U32());
    case 7:
        return SnmpValue::TimeTicks(kind < 0x80 ? in.Byte() : in.U32());
    case 8: {
        SnmpValue value = SnmpValue::Octets(in.Bytes(in.Byte() % 40));
        value.type = SnmpType::Opaque;
        return value;
    }
    case 9: {
        const uint64_t low = in.U32();
        return SnmpValue::Counter64(low | static_cast<uint64_t>(in.U32()) << 32);
    }
    case 10:
        return SnmpValue::Exception(SnmpType::NoSuchObject);
    case 11:
        return SnmpValue::Exception(SnmpType::NoSuchInstance);
    default:
        return SnmpValue::Exception(SnmpType::EndOfMibView);
    }
}
