#pragma once
// Basic Encoding Rules as SNMP v1/v2c use them: single-byte tags, definite lengths of at most four length octets,
// integers of at most their type's width. The reader is strict: anything else is an error, never a guess.

#include "link/snmp/snmp_oid.h"

#include <cstddef>
#include <cstdint>
#include <vector>

enum class BerError : uint8_t {
    None,
    Truncated,        // a header or content runs past the end of its enclosing data
    IndefiniteLength, // length octet 0x80
    LengthTooLong,    // more than four length octets
    HighTagNumber,    // multi-byte tag form
    UnexpectedTag,    // another tag than the syntax allows at this place
    EmptyInteger,
    IntegerTooWide,    // more content octets than the type's width allows
    IntegerOutOfRange, // a value outside the range of the field
    BadNull,           // NULL or an exception value with content
    EmptyOid,
    OidTooLong,         // more than 128 sub-ids
    OidSubIdTooBig,     // a sub-id beyond 32 bits
    BadOidEncoding,     // non-minimal sub-id or one cut short
    BadIpAddress,       // IpAddress other than four octets
    TrailingData,       // bytes after the last element of a sequence or after the message
    BadVersion,         // neither v1 nor v2c
    BadPduType,         // unknown PDU, or a PDU that the message's version does not have
    BadValueForVersion, // Counter64 or an exception value where the version or PDU does not allow it
    MessageTooBig,      // more than 65507 bytes
};

const char* BerErrorText(BerError error);

inline constexpr size_t kSnmpMaxMessageSize = 65507;

// Universal and SNMP application tags.
namespace ber_tag {
inline constexpr uint8_t kInteger = 0x02;
inline constexpr uint8_t kOctetString = 0x04;
inline constexpr uint8_t kNull = 0x05;
inline constexpr uint8_t kObjectId = 0x06;
inline constexpr uint8_t kSequence = 0x30;
inline constexpr uint8_t kIpAddress = 0x40;
inline constexpr uint8_t kCounter32 = 0x41;
inline constexpr uint8_t kGauge32 = 0x42;
inline constexpr uint8_t kTimeTicks = 0x43;
inline constexpr uint8_t kOpaque = 0x44;
inline constexpr uint8_t kCounter64 = 0x46;
inline constexpr uint8_t kNoSuchObject = 0x80;
inline constexpr uint8_t kNoSuchInstance = 0x81;
inline constexpr uint8_t kEndOfMibView = 0x82;
} // namespace ber_tag

// Reads TLVs from a byte range. Every read checks the tag, the length form and the bounds; the first failure
// sticks in Error() and makes later reads fail.
class CBerReader {
public:
    CBerReader() = default;
    CBerReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // Reads one element header and hands back its tag and content range.
    bool ReadElement(uint8_t* tag, const uint8_t** content, size_t* length);
    // Reads an element that must carry `expectedTag`; `inner` reads its content.
    bool ReadConstructed(uint8_t expectedTag, CBerReader* inner);
    bool ReadSigned32(uint8_t expectedTag, int32_t* value);
    bool ReadOctets(uint8_t expectedTag, std::vector<uint8_t>* value);
    bool ReadOid(CSnmpOid* value);
    // Fails with TrailingData unless every byte has been read.
    bool ExpectEnd();

    bool AtEnd() const { return pos_ == size_; }
    size_t Position() const { return pos_; }
    BerError Error() const { return error_; }
    bool Fail(BerError error);

private:
    // Reads an element that must carry `expectedTag` and hands back its content range.
    bool ReadTagged(uint8_t expectedTag, const uint8_t** content, size_t* length);

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    BerError error_ = BerError::None;
};

// Content decoders for primitive types. maxBytes is the type's width in content octets.
BerError BerDecodeSigned(const uint8_t* content, size_t length, size_t maxBytes, int64_t* value);
// Unsigned types of `bits` (32 or 64): one extra leading zero octet is allowed for values with the top bit set.
BerError BerDecodeUnsigned(const uint8_t* content, size_t length, unsigned bits, uint64_t* value);
BerError BerDecodeOid(const uint8_t* content, size_t length, CSnmpOid* value);

// Appends TLVs to a byte vector with minimal definite lengths.
class CBerWriter {
public:
    explicit CBerWriter(std::vector<uint8_t>* out) : out_(out) {}

    void WriteSigned(uint8_t tag, int64_t value);
    void WriteUnsigned(uint8_t tag, uint64_t value);
    void WriteOctets(uint8_t tag, const uint8_t* data, size_t size);
    void WriteEmpty(uint8_t tag);
    void WriteOid(const CSnmpOid& oid);
    // Starts a constructed element; EndConstructed closes the most recent open one.
    void BeginConstructed(uint8_t tag);
    void EndConstructed();

private:
    void WriteLength(size_t length);
    std::vector<uint8_t>* out_;
    std::vector<size_t> open_;
};
