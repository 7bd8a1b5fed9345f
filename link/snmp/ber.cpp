#include "link/snmp/ber.h"

#include <cstring>

const char* BerErrorText(BerError error)
{
    switch (error) {
    case BerError::None:
        return "no error";
    case BerError::Truncated:
        return "element runs past the end of its data";
    case BerError::IndefiniteLength:
        return "indefinite length form";
    case BerError::LengthTooLong:
        return "length of more than four octets";
    case BerError::HighTagNumber:
        return "multi-byte tag";
    case BerError::UnexpectedTag:
        return "unexpected tag";
    case BerError::EmptyInteger:
        return "integer without content";
    case BerError::IntegerTooWide:
        return "integer wider than its type";
    case BerError::IntegerOutOfRange:
        return "integer out of range";
    case BerError::BadNull:
        return "null value with content";
    case BerError::EmptyOid:
        return "empty object identifier";
    case BerError::OidTooLong:
        return "object identifier of more than 128 sub-identifiers";
    case BerError::OidSubIdTooBig:
        return "object identifier sub-identifier beyond 32 bits";
    case BerError::BadOidEncoding:
        return "malformed object identifier";
    case BerError::BadIpAddress:
        return "IP address not of four octets";
    case BerError::TrailingData:
        return "trailing data";
    case BerError::BadVersion:
        return "unsupported SNMP version";
    case BerError::BadPduType:
        return "PDU type not allowed";
    case BerError::BadValueForVersion:
        return "value type not allowed here";
    case BerError::MessageTooBig:
        return "message longer than 65507 bytes";
    }
    return "unknown error";
}

bool CBerReader::Fail(BerError error)
{
    if (error_ == BerError::None)
        error_ = error;
    return false;
}

bool CBerReader::ReadElement(uint8_t* tag, const uint8_t** content, size_t* length)
{
    if (error_ != BerError::None)
        return false;
    if (pos_ >= size_)
        return Fail(BerError::Truncated);
    uint8_t t = data_[pos_];
    if ((t & 0x1F) == 0x1F)
        return Fail(BerError::HighTagNumber);
    if (pos_ + 1 >= size_)
        return Fail(BerError::Truncated);
    size_t p = pos_ + 1;
    uint8_t first = data_[p++];
    size_t len = 0;
    if (first < 0x80) {
        len = first;
    } else if (first == 0x80) {
        return Fail(BerError::IndefiniteLength);
    } else {
        size_t octets = first & 0x7F;
        if (octets > 4)
            return Fail(BerError::LengthTooLong);
        if (size_ - p < octets)
            return Fail(BerError::Truncated);
        for (size_t i = 0; i < octets; ++i)
            len = (len << 8) | data_[p++];
    }
    if (size_ - p < len)
        return Fail(BerError::Truncated);
    *tag = t;
    *content = data_ + p;
    *length = len;
    pos_ = p + len;
    return true;
}

bool CBerReader::ReadTagged(uint8_t expectedTag, const uint8_t** content, size_t* length)
{
    uint8_t tag = 0;
    if (!ReadElement(&tag, content, length))
        return false;
    return tag == expectedTag ? true : Fail(BerError::UnexpectedTag);
}

bool CBerReader::ReadConstructed(uint8_t expectedTag, CBerReader* inner)
{
    const uint8_t* content = nullptr;
    size_t length = 0;
    if (!ReadTagged(expectedTag, &content, &length))
        return false;
    *inner = CBerReader(content, length);
    return true;
}

bool CBerReader::ReadSigned32(uint8_t expectedTag, int32_t* value)
{
    const uint8_t* content = nullptr;
    size_t length = 0;
    if (!ReadTagged(expectedTag, &content, &length))
        return false;
    int64_t v = 0;
    BerError e = BerDecodeSigned(content, length, 4, &v);
    if (e != BerError::None)
        return Fail(e);
    *value = static_cast<int32_t>(v);
    return true;
}

bool CBerReader::ReadOctets(uint8_t expectedTag, std::vector<uint8_t>* value)
{
    const uint8_t* content = nullptr;
    size_t length = 0;
    if (!ReadTagged(expectedTag, &content, &length))
        return false;
    value->assign(content, content + length);
    return true;
}

bool CBerReader::ReadOid(CSnmpOid* value)
{
    const uint8_t* content = nullptr;
    size_t length = 0;
    if (!ReadTagged(ber_tag::kObjectId, &content, &length))
        return false;
    BerError e = BerDecodeOid(content, length, value);
    return e == BerError::None ? true : Fail(e);
}

bool CBerReader::ExpectEnd()
{
    if (error_ != BerError::None)
        return false;
    return AtEnd() ? true : Fail(BerError::TrailingData);
}

BerError BerDecodeSigned(const uint8_t* content, size_t length, size_t maxBytes, int64_t* value)
{
    if (length == 0)
        return BerError::EmptyInteger;
    if (length > maxBytes)
        return BerError::IntegerTooWide;
    int64_t v = (content[0] & 0x80) ? -1 : 0;
    for (size_t i = 0; i < length; ++i)
        v = static_cast<int64_t>(static_cast<uint64_t>(v) << 8) | content[i];
    *value = v;
    return BerError::None;
}

BerError BerDecodeUnsigned(const uint8_t* content, size_t length, unsigned bits, uint64_t* value)
{
    if (length == 0)
        return BerError::EmptyInteger;
    size_t width = bits / 8;
    // The one extra octet is only the zero that keeps a value with the top bit set positive.
    if (length > width + 1 || (length == width + 1 && content[0] != 0))
        return BerError::IntegerTooWide;
    uint64_t v = 0;
    for (size_t i = 0; i < length; ++i)
        v = (v << 8) | content[i];
    // Some agents send large unsigned values without the leading zero; the bits are the value.
    if (bits < 64)
        v &= (uint64_t{1} << bits) - 1;
    *value = v;
    return BerError::None;
}

BerError BerDecodeOid(const uint8_t* content, size_t length, CSnmpOid* value)
{
    if (length == 0)
        return BerError::EmptyOid;
    std::vector<uint32_t> subIds;
    subIds.reserve(16);
    size_t i = 0;
    bool first = true;
    while (i < length) {
        if (content[i] == 0x80)
            return BerError::BadOidEncoding;
        uint64_t v = 0;
        while (true) {
            if (i >= length)
                return BerError::BadOidEncoding;
            uint8_t b = content[i++];
            v = (v << 7) | (b & 0x7F);
            // The first sub-identifier packs two arcs and may reach 2 * 40 + 2^32 - 1.
            if (v > (first ? 0xFFFFFFFFull + 80 : 0xFFFFFFFFull))
                return BerError::OidSubIdTooBig;
            if ((b & 0x80) == 0)
                break;
        }
        if (first) {
            uint32_t arc0 = v < 40 ? 0 : (v < 80 ? 1 : 2);
            uint64_t arc1 = v - uint64_t{arc0} * 40;
            if (arc1 > 0xFFFFFFFFull)
                return BerError::OidSubIdTooBig;
            subIds.push_back(arc0);
            subIds.push_back(static_cast<uint32_t>(arc1));
            first = false;
        } else {
            subIds.push_back(static_cast<uint32_t>(v));
        }
        if (subIds.size() > kSnmpMaxOidLength)
            return BerError::OidTooLong;
    }
    *value = CSnmpOid(std::move(subIds));
    return BerError::None;
}

void CBerWriter::WriteLength(size_t length)
{
    if (length < 0x80) {
        out_->push_back(static_cast<uint8_t>(length));
        return;
    }
    uint8_t bytes[4];
    size_t n = 0;
    while (length != 0 && n < 4) {
        bytes[n++] = static_cast<uint8_t>(length);
        length >>= 8;
    }
    out_->push_back(static_cast<uint8_t>(0x80 | n));
    while (n > 0)
        out_->push_back(bytes[--n]);
}

void CBerWriter::WriteSigned(uint8_t tag, int64_t value)
{
    uint8_t bytes[8];
    size_t n = 0;
    // Minimal two's complement: drop leading octets that only repeat the sign.
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes[n++] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> shift);
    size_t start = 0;
    while (start < 7 && ((bytes[start] == 0x00 && (bytes[start + 1] & 0x80) == 0) ||
                         (bytes[start] == 0xFF && (bytes[start + 1] & 0x80) != 0)))
        ++start;
    out_->push_back(tag);
    WriteLength(n - start);
    out_->insert(out_->end(), bytes + start, bytes + n);
}

void CBerWriter::WriteUnsigned(uint8_t tag, uint64_t value)
{
    uint8_t bytes[9];
    bytes[0] = 0;
    for (int i = 0; i < 8; ++i)
        bytes[1 + i] = static_cast<uint8_t>(value >> (56 - 8 * i));
    size_t start = 0;
    while (start < 8 && bytes[start] == 0 && (bytes[start + 1] & 0x80) == 0)
        ++start;
    out_->push_back(tag);
    WriteLength(9 - start);
    out_->insert(out_->end(), bytes + start, bytes + 9);
}

void CBerWriter::WriteOctets(uint8_t tag, const uint8_t* data, size_t size)
{
    out_->push_back(tag);
    WriteLength(size);
    if (size != 0)
        out_->insert(out_->end(), data, data + size);
}

void CBerWriter::WriteEmpty(uint8_t tag)
{
    out_->push_back(tag);
    out_->push_back(0);
}

void CBerWriter::WriteOid(const CSnmpOid& oid)
{
    std::vector<uint8_t> content;
    const auto& ids = oid.SubIds();
    auto put = [&content](uint64_t v) {
        uint8_t tmp[10];
        size_t n = 0;
        do {
            tmp[n++] = static_cast<uint8_t>(v & 0x7F);
            v >>= 7;
        } while (v != 0);
        while (n > 0) {
            --n;
            content.push_back(static_cast<uint8_t>(tmp[n] | (n != 0 ? 0x80 : 0)));
        }
    };
    if (ids.size() >= 2) {
        put(uint64_t{ids[0]} * 40 + ids[1]);
        for (size_t i = 2; i < ids.size(); ++i)
            put(ids[i]);
    } else if (ids.size() == 1) {
        put(uint64_t{ids[0]} * 40);
    } else {
        put(0); // the empty OID travels as 0.0
    }
    WriteOctets(ber_tag::kObjectId, content.data(), content.size());
}

void CBerWriter::BeginConstructed(uint8_t tag)
{
    out_->push_back(tag);
    out_->push_back(0); // length placeholder, widened in EndConstructed when needed
    open_.push_back(out_->size());
}

void CBerWriter::EndConstructed()
{
    size_t start = open_.back();
    open_.pop_back();
    size_t length = out_->size() - start;
    if (length < 0x80) {
        (*out_)[start - 1] = static_cast<uint8_t>(length);
        return;
    }
    uint8_t bytes[5];
    size_t n = 0;
    for (size_t l = length; l != 0; l >>= 8)
        bytes[++n] = static_cast<uint8_t>(l);
    uint8_t header[5];
    header[0] = static_cast<uint8_t>(0x80 | n);
    for (size_t i = 0; i < n; ++i)
        header[1 + i] = bytes[n - i];
    (*out_)[start - 1] = header[0];
    out_->insert(out_->begin() + static_cast<std::ptrdiff_t>(start), header + 1, header + 1 + n);
}
