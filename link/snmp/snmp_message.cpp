#include "link/snmp/snmp_message.h"

#include <algorithm>

namespace {

bool DecodeValue(CBerReader& reader, SnmpVersion version, SnmpPduType pduType, SnmpValue* value)
{
    uint8_t tag = 0;
    const uint8_t* content = nullptr;
    size_t length = 0;
    if (!reader.ReadElement(&tag, &content, &length))
        return false;
    value->type = static_cast<SnmpType>(tag);
    BerError e = BerError::None;
    switch (tag) {
    case ber_tag::kInteger:
        e = BerDecodeSigned(content, length, 4, &value->integer);
        break;
    case ber_tag::kCounter32:
    case ber_tag::kGauge32:
    case ber_tag::kTimeTicks:
        e = BerDecodeUnsigned(content, length, 32, &value->number);
        break;
    case ber_tag::kCounter64:
        if (version == SnmpVersion::V1)
            return reader.Fail(BerError::BadValueForVersion);
        e = BerDecodeUnsigned(content, length, 64, &value->number);
        break;
    case ber_tag::kOctetString:
    case ber_tag::kOpaque:
        value->bytes.assign(content, content + length);
        break;
    case ber_tag::kIpAddress:
        if (length != 4)
            return reader.Fail(BerError::BadIpAddress);
        value->bytes.assign(content, content + length);
        break;
    case ber_tag::kObjectId:
        e = BerDecodeOid(content, length, &value->oid);
        break;
    case ber_tag::kNull:
        if (length != 0)
            return reader.Fail(BerError::BadNull);
        break;
    case ber_tag::kNoSuchObject:
    case ber_tag::kNoSuchInstance:
    case ber_tag::kEndOfMibView:
        // Exceptions exist only in v2c responses.
        if (version == SnmpVersion::V1 || pduType != SnmpPduType::Response)
            return reader.Fail(BerError::BadValueForVersion);
        if (length != 0)
            return reader.Fail(BerError::BadNull);
        break;
    default:
        return reader.Fail(BerError::UnexpectedTag);
    }
    return e == BerError::None ? true : reader.Fail(e);
}

bool DecodeVarBinds(CBerReader& reader, SnmpVersion version, SnmpPduType pduType, std::vector<SnmpVarBind>* out)
{
    CBerReader list;
    if (!reader.ReadConstructed(ber_tag::kSequence, &list))
        return false;
    while (!list.AtEnd()) {
        CBerReader item;
        SnmpVarBind vb;
        if (!list.ReadConstructed(ber_tag::kSequence, &item) || !item.ReadOid(&vb.oid) ||
            !DecodeValue(item, version, pduType, &vb.value) || !item.ExpectEnd())
            return reader.Fail(item.Error() != BerError::None ? item.Error() : list.Error());
        out->push_back(std::move(vb));
    }
    return true;
}

bool DecodePdu(CBerReader& pduReader, SnmpVersion version, SnmpPdu* pdu)
{
    if (pdu->type == SnmpPduType::TrapV1) {
        std::vector<uint8_t> address;
        if (!pduReader.ReadOid(&pdu->enterprise) || !pduReader.ReadOctets(ber_tag::kIpAddress, &address))
            return false;
        if (address.size() != 4)
            return pduReader.Fail(BerError::BadIpAddress);
        std::copy(address.begin(), address.end(), pdu->agentAddress.begin());
        if (!pduReader.ReadSigned32(ber_tag::kInteger, &pdu->genericTrap) ||
            !pduReader.ReadSigned32(ber_tag::kInteger, &pdu->specificTrap))
            return false;
        if (pdu->genericTrap < kSnmpTrapColdStart || pdu->genericTrap > kSnmpTrapEnterpriseSpecific)
            return pduReader.Fail(BerError::IntegerOutOfRange);
        uint8_t tag = 0;
        const uint8_t* content = nullptr;
        size_t length = 0;
        if (!pduReader.ReadElement(&tag, &content, &length))
            return false;
        if (tag != ber_tag::kTimeTicks)
            return pduReader.Fail(BerError::UnexpectedTag);
        uint64_t ticks = 0;
        BerError e = BerDecodeUnsigned(content, length, 32, &ticks);
        if (e != BerError::None)
            return pduReader.Fail(e);
        pdu->timeStamp = static_cast<uint32_t>(ticks);
    } else {
        if (!pduReader.ReadSigned32(ber_tag::kInteger, &pdu->requestId) ||
            !pduReader.ReadSigned32(ber_tag::kInteger, &pdu->errorStatus) ||
            !pduReader.ReadSigned32(ber_tag::kInteger, &pdu->errorIndex))
            return false;
        if (pdu->type == SnmpPduType::GetBulkRequest) {
            // Negative non-repeaters and max-repetitions count as zero.
            pdu->errorStatus = std::max(pdu->errorStatus, 0);
            pdu->errorIndex = std::max(pdu->errorIndex, 0);
        } else if (pdu->errorStatus < kSnmpNoError || pdu->errorStatus > kSnmpInconsistentName ||
                   (version == SnmpVersion::V1 && pdu->errorStatus > kSnmpGenErr) || pdu->errorIndex < 0) {
            return pduReader.Fail(BerError::IntegerOutOfRange);
        }
    }
    if (!DecodeVarBinds(pduReader, version, pdu->type, &pdu->varbinds) || !pduReader.ExpectEnd())
        return false;
    if (pdu->type != SnmpPduType::GetBulkRequest && pdu->type != SnmpPduType::TrapV1 &&
        static_cast<size_t>(pdu->errorIndex) > pdu->varbinds.size())
        return pduReader.Fail(BerError::IntegerOutOfRange);
    return true;
}

void EncodeValue(CBerWriter& writer, const SnmpValue& value)
{
    uint8_t tag = static_cast<uint8_t>(value.type);
    switch (value.type) {
    case SnmpType::Integer:
        writer.WriteSigned(tag, static_cast<int32_t>(value.integer));
        break;
    case SnmpType::Counter32:
    case SnmpType::Gauge32:
    case SnmpType::TimeTicks:
        writer.WriteUnsigned(tag, static_cast<uint32_t>(value.number));
        break;
    case SnmpType::Counter64:
        writer.WriteUnsigned(tag, value.number);
        break;
    case SnmpType::OctetString:
    case SnmpType::Opaque:
    case SnmpType::IpAddress:
        writer.WriteOctets(tag, value.bytes.data(), value.bytes.size());
        break;
    case SnmpType::ObjectId:
        writer.WriteOid(value.oid);
        break;
    case SnmpType::Null:
    case SnmpType::NoSuchObject:
    case SnmpType::NoSuchInstance:
    case SnmpType::EndOfMibView:
        writer.WriteEmpty(tag);
        break;
    }
}

} // namespace

bool SnmpPduAllowed(SnmpVersion version, SnmpPduType type)
{
    switch (type) {
    case SnmpPduType::GetRequest:
    case SnmpPduType::GetNextRequest:
    case SnmpPduType::Response:
    case SnmpPduType::SetRequest:
        return true;
    case SnmpPduType::TrapV1:
        return version == SnmpVersion::V1;
    case SnmpPduType::GetBulkRequest:
    case SnmpPduType::InformRequest:
    case SnmpPduType::TrapV2:
        return version == SnmpVersion::V2c;
    }
    return false;
}

BerError DecodeSnmpMessage(const uint8_t* data, size_t size, SnmpMessage* message)
{
    if (data == nullptr || message == nullptr)
        return BerError::Truncated;
    if (size > kSnmpMaxMessageSize)
        return BerError::MessageTooBig;
    CBerReader top(data, size);
    CBerReader body;
    if (!top.ReadConstructed(ber_tag::kSequence, &body) || !top.ExpectEnd())
        return top.Error();
    int32_t version = 0;
    std::vector<uint8_t> community;
    if (!body.ReadSigned32(ber_tag::kInteger, &version))
        return body.Error();
    if (version != 0 && version != 1)
        return BerError::BadVersion;
    message->version = static_cast<SnmpVersion>(version);
    if (!body.ReadOctets(ber_tag::kOctetString, &community))
        return body.Error();
    message->community.assign(community.begin(), community.end());

    uint8_t tag = 0;
    const uint8_t* content = nullptr;
    size_t length = 0;
    if (!body.ReadElement(&tag, &content, &length))
        return body.Error();
    if (tag < 0xA0 || tag > 0xA7 || !SnmpPduAllowed(message->version, static_cast<SnmpPduType>(tag)))
        return BerError::BadPduType;
    if (!body.ExpectEnd())
        return body.Error();
    message->pdu = SnmpPdu{};
    message->pdu.type = static_cast<SnmpPduType>(tag);
    CBerReader pduReader(content, length);
    if (!DecodePdu(pduReader, message->version, &message->pdu))
        return pduReader.Error();
    return BerError::None;
}

BerError EncodeSnmpMessage(const SnmpMessage& message, std::vector<uint8_t>* out)
{
    if (!SnmpPduAllowed(message.version, message.pdu.type))
        return BerError::BadPduType;
    out->clear();
    out->reserve(64 + message.pdu.varbinds.size() * 32);
    CBerWriter writer(out);
    writer.BeginConstructed(ber_tag::kSequence);
    writer.WriteSigned(ber_tag::kInteger, static_cast<int32_t>(message.version));
    writer.WriteOctets(ber_tag::kOctetString, reinterpret_cast<const uint8_t*>(message.community.data()),
                       message.community.size());
    const SnmpPdu& pdu = message.pdu;
    writer.BeginConstructed(static_cast<uint8_t>(pdu.type));
    if (pdu.type == SnmpPduType::TrapV1) {
        writer.WriteOid(pdu.enterprise);
        writer.WriteOctets(ber_tag::kIpAddress, pdu.agentAddress.data(), pdu.agentAddress.size());
        writer.WriteSigned(ber_tag::kInteger, pdu.genericTrap);
        writer.WriteSigned(ber_tag::kInteger, pdu.specificTrap);
        writer.WriteUnsigned(ber_tag::kTimeTicks, pdu.timeStamp);
    } else {
        writer.WriteSigned(ber_tag::kInteger, pdu.requestId);
        writer.WriteSigned(ber_tag::kInteger, pdu.errorStatus);
        writer.WriteSigned(ber_tag::kInteger, pdu.errorIndex);
    }
    writer.BeginConstructed(ber_tag::kSequence);
    for (const SnmpVarBind& vb : pdu.varbinds) {
        writer.BeginConstructed(ber_tag::kSequence);
        writer.WriteOid(vb.oid);
        EncodeValue(writer, vb.value);
        writer.EndConstructed();
    }
    writer.EndConstructed();
    writer.EndConstructed();
    writer.EndConstructed();
    if (out->size() > kSnmpMaxMessageSize)
        return BerError::MessageTooBig;
    return BerError::None;
}
