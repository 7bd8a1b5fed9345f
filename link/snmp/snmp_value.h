#pragma once
// The value of one variable binding and the binding itself.

#include "link/snmp/snmp_oid.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class SnmpType : uint8_t {
    Integer = 0x02,
    OctetString = 0x04,
    Null = 0x05,
    ObjectId = 0x06,
    IpAddress = 0x40,
    Counter32 = 0x41,
    Gauge32 = 0x42,
    TimeTicks = 0x43,
    Opaque = 0x44,
    Counter64 = 0x46,
    NoSuchObject = 0x80,
    NoSuchInstance = 0x81,
    EndOfMibView = 0x82,
};

struct SnmpValue {
    SnmpType type = SnmpType::Null;
    int64_t integer = 0;        // Integer
    uint64_t number = 0;        // Counter32, Gauge32, TimeTicks, Counter64
    std::vector<uint8_t> bytes; // OctetString, Opaque, IpAddress (4 bytes)
    CSnmpOid oid;               // ObjectId

    static SnmpValue Null() { return SnmpValue{}; }
    static SnmpValue Integer(int32_t v);
    static SnmpValue Gauge32(uint32_t v);
    static SnmpValue Counter32(uint32_t v);
    static SnmpValue TimeTicks(uint32_t v);
    static SnmpValue Counter64(uint64_t v);
    static SnmpValue Octets(std::string_view text);
    static SnmpValue Octets(std::vector<uint8_t> data);
    static SnmpValue IpAddress(const std::array<uint8_t, 4>& address);
    static SnmpValue ObjectId(CSnmpOid value);
    static SnmpValue Exception(SnmpType type);

    // noSuchObject, noSuchInstance or endOfMibView.
    bool IsException() const;
    // Integer, Counter32, Gauge32 or TimeTicks (the 32-bit numeric syntaxes).
    bool IsNumeric32() const;
    std::string Text() const { return std::string(bytes.begin(), bytes.end()); }

    bool operator==(const SnmpValue&) const = default;
};

struct SnmpVarBind {
    CSnmpOid oid;
    SnmpValue value;
    bool operator==(const SnmpVarBind&) const = default;
};

// One line of readable text for logs: "OID = TYPE: value".
std::string FormatVarBind(const SnmpVarBind& vb);
