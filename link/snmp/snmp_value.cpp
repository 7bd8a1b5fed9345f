#include "link/snmp/snmp_value.h"

#include <cstdio>

SnmpValue SnmpValue::Integer(int32_t v)
{
    SnmpValue value;
    value.type = SnmpType::Integer;
    value.integer = v;
    return value;
}

namespace {

SnmpValue Unsigned(SnmpType type, uint64_t v)
{
    SnmpValue value;
    value.type = type;
    value.number = v;
    return value;
}

} // namespace

SnmpValue SnmpValue::Gauge32(uint32_t v)
{
    return Unsigned(SnmpType::Gauge32, v);
}

SnmpValue SnmpValue::Counter32(uint32_t v)
{
    return Unsigned(SnmpType::Counter32, v);
}

SnmpValue SnmpValue::TimeTicks(uint32_t v)
{
    return Unsigned(SnmpType::TimeTicks, v);
}

SnmpValue SnmpValue::Counter64(uint64_t v)
{
    return Unsigned(SnmpType::Counter64, v);
}

SnmpValue SnmpValue::Octets(std::string_view text)
{
    SnmpValue value;
    value.type = SnmpType::OctetString;
    value.bytes.assign(text.begin(), text.end());
    return value;
}

SnmpValue SnmpValue::Octets(std::vector<uint8_t> data)
{
    SnmpValue value;
    value.type = SnmpType::OctetString;
    value.bytes = std::move(data);
    return value;
}

SnmpValue SnmpValue::IpAddress(const std::array<uint8_t, 4>& address)
{
    SnmpValue value;
    value.type = SnmpType::IpAddress;
    value.bytes.assign(address.begin(), address.end());
    return value;
}

SnmpValue SnmpValue::ObjectId(CSnmpOid oidValue)
{
    SnmpValue value;
    value.type = SnmpType::ObjectId;
    value.oid = std::move(oidValue);
    return value;
}

SnmpValue SnmpValue::Exception(SnmpType type)
{
    SnmpValue value;
    value.type = type;
    return value;
}

bool SnmpValue::IsException() const
{
    return type == SnmpType::NoSuchObject || type == SnmpType::NoSuchInstance || type == SnmpType::EndOfMibView;
}

bool SnmpValue::IsNumeric32() const
{
    return type == SnmpType::Integer || type == SnmpType::Counter32 || type == SnmpType::Gauge32 ||
           type == SnmpType::TimeTicks;
}

std::string FormatVarBind(const SnmpVarBind& vb)
{
    std::string text = vb.oid.Format() + " = ";
    const SnmpValue& v = vb.value;
    switch (v.type) {
    case SnmpType::Integer:
        return text + "INTEGER: " + std::to_string(v.integer);
    case SnmpType::Counter32:
        return text + "Counter32: " + std::to_string(v.number);
    case SnmpType::Gauge32:
        return text + "Gauge32: " + std::to_string(v.number);
    case SnmpType::TimeTicks:
        return text + "Timeticks: " + std::to_string(v.number);
    case SnmpType::Counter64:
        return text + "Counter64: " + std::to_string(v.number);
    case SnmpType::Null:
        return text + "NULL";
    case SnmpType::ObjectId:
        return text + "OID: " + v.oid.Format();
    case SnmpType::NoSuchObject:
        return text + "noSuchObject";
    case SnmpType::NoSuchInstance:
        return text + "noSuchInstance";
    case SnmpType::EndOfMibView:
        return text + "endOfMibView";
    case SnmpType::IpAddress:
        if (v.bytes.size() == 4) {
            char buf[20];
            std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", v.bytes[0], v.bytes[1], v.bytes[2], v.bytes[3]);
            return text + "IpAddress: " + buf;
        }
        return text + "IpAddress: ?";
    case SnmpType::OctetString:
    case SnmpType::Opaque: {
        bool printable = true;
        for (uint8_t b : v.bytes)
            printable = printable && b >= 0x20 && b < 0x7F;
        text += v.type == SnmpType::Opaque ? "Opaque: " : "STRING: ";
        if (printable)
            return text + "\"" + v.Text() + "\"";
        for (uint8_t b : v.bytes) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%02X ", b);
            text += buf;
        }
        return text;
    }
    }
    return text + "?";
}
