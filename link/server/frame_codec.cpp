#include "link/server/frame_codec.h"

#include <bit>
#include <cstring>

namespace {

struct FieldLayout {
    size_t offset;
    size_t width;
};

constexpr FieldLayout kOperation{0, 2};
constexpr FieldLayout kNeId{2, 10};
constexpr FieldLayout kRequestCode{12, 5};
constexpr FieldLayout kTotal{17, 10};
constexpr FieldLayout kCount{27, 10};
constexpr FieldLayout kRecordSize{37, 10};
constexpr FieldLayout kStatus{47, 5};
constexpr FieldLayout kMore{52, 1};
constexpr FieldLayout kSequence{53, 10};
constexpr FieldLayout kOpLog{63, 1};

// A buffer left larger than this by a large frame (the NE list of a login) goes once the frame is read: the stream's
// reads are smaller.
constexpr size_t kKeptBufferBytes = 256 * 1024;
constexpr FieldLayout kVersion{64, 6};

// The largest value a field of each width holds (no field is wider than 10 digits).
constexpr uint64_t kMaxOfWidth[] = {0, 9, 99, 999, 9999, 99999, 999999, 9999999, 99999999, 999999999, 9999999999};

// Two digits a step: every request and reply codes and decodes a header, on both sides of the connection.
constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// Over zeros already written, the value's own digits: most fields are small. The caller has checked that the value
// fits the field's width.
template <FieldLayout kField> void PutDigits(uint8_t* out, uint32_t value)
{
    uint8_t* end = out + kField.offset + kField.width;
    for (; value >= 100; value /= 100) {
        const uint32_t pair = value % 100;
        end -= 2;
        end[0] = static_cast<uint8_t>(kDigitPairs[pair * 2]);
        end[1] = static_cast<uint8_t>(kDigitPairs[pair * 2 + 1]);
    }
    if (value >= 10) {
        end -= 2;
        end[0] = static_cast<uint8_t>(kDigitPairs[value * 2]);
        end[1] = static_cast<uint8_t>(kDigitPairs[value * 2 + 1]);
    } else {
        *--end = static_cast<uint8_t>('0' + value);
    }
}

// Whether a value fits its field; the field is known when compiling, so that a check of a wide field folds away.
template <FieldLayout kField> bool Fits(uint32_t value)
{
    return value <= kMaxOfWidth[kField.width];
}

// Eight header characters as one word, the first in its lowest byte.
uint64_t LoadEight(const uint8_t* p)
{
    uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    return word;
}

// The bits by which eight characters are not all '0'..'9' (none when they are): a digit's high nibble is 3, and stays
// 3 when 6 is added (a low nibble above 9 carries into it). Where every high nibble is 3 no byte carries into the next.
uint64_t NonDigitBits(uint64_t word)
{
    constexpr uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0u;
    constexpr uint64_t kThrees = 0x3030303030303030u;
    constexpr uint64_t kSixes = 0x0606060606060606u;
    return ((word & kHighNibbles) ^ kThrees) | (((word + kSixes) & kHighNibbles) ^ kThrees);
}

bool AreAllDigits(const uint8_t* in)
{
    static_assert(kFrameHeaderSize >= 8);
    uint64_t nonDigits = NonDigitBits(LoadEight(in + kFrameHeaderSize - 8));
    for (size_t at = 0; at + 8 <= kFrameHeaderSize; at += 8) {
        nonDigits |= NonDigitBits(LoadEight(in + at));
    }
    return nonDigits == 0;
}

// The value of eight digits, the most significant in the lowest byte: neighbouring digits are joined into pairs,
// the pairs into fours, the fours into the whole, each step a multiply and a shift over every lane at once.
uint32_t EightDigitsValue(uint64_t word)
{
    word &= 0x0F0F0F0F0F0F0F0Fu;
    word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFu;
    word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFu;
    return static_cast<uint32_t>(word * 10000 + (word >> 32));
}

// Up to eight known digits read as one word, whose characters outside the field count as zeros. The field is known
// when compiling, so that each read is a load, a shift and the steps of the value.
template <FieldLayout kField> uint32_t ShortFieldValue(const uint8_t* in)
{
    static_assert(kField.width >= 1 && kField.width <= 8);
    constexpr unsigned kOutside = 8 * (8 - kField.width);
    if constexpr (kField.offset + 8 <= kFrameHeaderSize) {
        return EightDigitsValue(LoadEight(in + kField.offset) << kOutside);
    } else {
        return EightDigitsValue(LoadEight(in + kField.offset + kField.width - 8) >> kOutside << kOutside);
    }
}

// A field of known digits; a wider one than eight as its leading digits and its last eight.
template <FieldLayout kField> uint64_t FieldValue(const uint8_t* in)
{
    if constexpr (kField.width <= 8) {
        return ShortFieldValue<kField>(in);
    } else {
        constexpr size_t kLeading = kField.width - 8;
        return uint64_t{ShortFieldValue<FieldLayout{kField.offset, kLeading}>(in)} * 100000000u +
               ShortFieldValue<FieldLayout{kField.offset + kLeading, 8}>(in);
    }
}

uint32_t ReadBigEndian32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

void WriteBigEndian32(uint8_t* p, uint32_t value)
{
    p[0] = static_cast<uint8_t>(value >> 24);
    p[1] = static_cast<uint8_t>(value >> 16);
    p[2] = static_cast<uint8_t>(value >> 8);
    p[3] = static_cast<uint8_t>(value);
}

} // namespace

bool EncodeFrameHeader(const FrameHeader& header, uint8_t* out)
{
    const uint32_t opLog = header.opLog ? 1u : 0u;
    if (!Fits<kOperation>(header.operation) || !Fits<kNeId>(header.neId) || !Fits<kRequestCode>(header.requestCode) ||
        !Fits<kTotal>(header.total) || !Fits<kCount>(header.count) || !Fits<kRecordSize>(header.recordSize) ||
        !Fits<kStatus>(header.status) || !Fits<kMore>(header.more) || !Fits<kSequence>(header.sequence) ||
        !Fits<kOpLog>(opLog) || !Fits<kVersion>(header.version)) {
        return false;
    }
    std::memset(out, '0', kFrameHeaderSize);
    PutDigits<kOperation>(out, header.operation);
    PutDigits<kNeId>(out, header.neId);
    PutDigits<kRequestCode>(out, header.requestCode);
    PutDigits<kTotal>(out, header.total);
    PutDigits<kCount>(out, header.count);
    PutDigits<kRecordSize>(out, header.recordSize);
    PutDigits<kStatus>(out, header.status);
    PutDigits<kMore>(out, header.more);
    PutDigits<kSequence>(out, header.sequence);
    PutDigits<kOpLog>(out, opLog);
    PutDigits<kVersion>(out, header.version);
    return true;
}

void PutFrameTotal(uint8_t* header, uint32_t total)
{
    std::memset(header + kTotal.offset, '0', kTotal.width);
    PutDigits<kTotal>(header, total);
}

bool DecodeFrameHeader(const uint8_t* in, FrameHeader& header)
{
    if (!AreAllDigits(in)) {
        return false;
    }
    const uint64_t op = FieldValue<kOperation>(in);
    const uint64_t neId = FieldValue<kNeId>(in);
    const uint64_t code = FieldValue<kRequestCode>(in);
    const uint64_t total = FieldValue<kTotal>(in);
    const uint64_t count = FieldValue<kCount>(in);
    const uint64_t size = FieldValue<kRecordSize>(in);
    const uint64_t status = FieldValue<kStatus>(in);
    const uint64_t more = FieldValue<kMore>(in);
    const uint64_t sequence = FieldValue<kSequence>(in);
    const uint64_t opLog = FieldValue<kOpLog>(in);
    const uint64_t version = FieldValue<kVersion>(in);
    constexpr uint64_t kU32 = 0xFFFFFFFFu;
    if (op > 0xFF || neId > kU32 || code > 0xFFFF || total > kU32 || count > kU32 || size > kU32 || status > kU32 ||
        sequence > kU32 || version > kU32) {
        return false;
    }
    header.operation = static_cast<uint8_t>(op);
    header.neId = static_cast<uint32_t>(neId);
    header.requestCode = static_cast<uint16_t>(code);
    header.total = static_cast<uint32_t>(total);
    header.count = static_cast<uint32_t>(count);
    header.recordSize = static_cast<uint32_t>(size);
    header.status = static_cast<uint32_t>(status);
    header.more = static_cast<uint32_t>(more);
    header.sequence = static_cast<uint32_t>(sequence);
    header.opLog = opLog != 0;
    header.version = static_cast<uint32_t>(version);
    return true;
}

std::vector<uint8_t> EncodeFrame(const FrameHeader& header, const void* payload, size_t payloadSize)
{
    std::vector<uint8_t> frame;
    EncodeFrameInto(header, payload, payloadSize, frame);
    return frame;
}

bool EncodeFrameInto(const FrameHeader& header, const void* payload, size_t payloadSize, std::vector<uint8_t>& frame)
{
    frame.clear();
    if (payloadSize > kMaxEmsRecordBytes || (payloadSize != 0 && payload == nullptr)) {
        return false;
    }
    frame.resize(kFramePrefixSize + kFrameHeaderSize + payloadSize);
    if (!EncodeFrameHeader(header, frame.data() + kFramePrefixSize)) {
        frame.clear();
        return false;
    }
    WriteBigEndian32(frame.data(), static_cast<uint32_t>(kFrameHeaderSize + payloadSize));
    if (payloadSize != 0) {
        std::memcpy(frame.data() + kFramePrefixSize + kFrameHeaderSize, payload, payloadSize);
    }
    return true;
}

FrameHeader FrameHeaderFromMsg(const EmsMsg& msg)
{
    FrameHeader header;
    header.operation = msg.operation;
    header.neId = msg.neId;
    header.requestCode = msg.requestCode;
    header.total = msg.total;
    header.count = msg.count < 0 ? 0u : static_cast<uint32_t>(msg.count);
    header.recordSize = msg.recordSize;
    header.status = msg.status;
    header.more = msg.more;
    header.sequence = msg.sequence;
    return header;
}

EmsMsg MsgFromFrame(const Frame& frame)
{
    EmsMsg msg;
    msg.operation = frame.header.operation;
    msg.neId = frame.header.neId;
    msg.requestCode = frame.header.requestCode;
    msg.total = frame.header.total;
    msg.count = static_cast<int32_t>(frame.header.count);
    msg.recordSize = frame.header.recordSize;
    msg.records = frame.payload.empty() ? nullptr : frame.payload.data();
    msg.status = frame.header.status;
    msg.more = frame.header.more;
    msg.sequence = frame.header.sequence;
    return msg;
}

bool IsFrameLengthAcceptable(uint32_t length)
{
    return length >= kFrameHeaderSize && length - kFrameHeaderSize <= kMaxEmsRecordBytes;
}

bool IsFramePayloadConsistent(const FrameHeader& header, size_t payloadSize)
{
    if (payloadSize > kMaxEmsRecordBytes) {
        return false;
    }
    if (header.operation == kEmsOpTextReply) {
        return true; // a text reply's record is the text, whatever its header says
    }
    // Records of zero bytes would let any count through, and a count beyond the signed descriptor count.
    if (header.count != 0 && header.recordSize == 0) {
        return false;
    }
    return static_cast<uint64_t>(header.count) * header.recordSize == payloadSize;
}

bool IsFrameVersionSpoken(uint32_t version)
{
    return version == kFrameProtocolVersion;
}

FrameStatus CFrameDecoder::Refuse(FrameFault fault, const FrameHeader& header)
{
    broken_ = true;
    fault_ = fault;
    faultyHeader_ = header;
    return FrameStatus::Invalid;
}

void CFrameDecoder::Append(const uint8_t* data, size_t size)
{
    if (broken_ || size == 0) {
        return;
    }
    if (readPos_ > 0 && readPos_ >= buffer_.size() / 2) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(readPos_));
        readPos_ = 0;
    }
    buffer_.insert(buffer_.end(), data, data + size);
}

FrameStatus CFrameDecoder::Next(Frame& frame)
{
    if (broken_) {
        return FrameStatus::Invalid;
    }
    const size_t available = buffer_.size() - readPos_;
    if (available < kFramePrefixSize) {
        return FrameStatus::NeedMore;
    }
    const uint8_t* p = buffer_.data() + readPos_;
    const uint32_t length = ReadBigEndian32(p);
    // Judge the prefix before waiting for the rest, so that a bad length never makes us buffer the stream.
    if (!IsFrameLengthAcceptable(length)) {
        return Refuse(FrameFault::kMalformed);
    }
    if (available < kFramePrefixSize + kFrameHeaderSize) {
        return FrameStatus::NeedMore;
    }
    FrameHeader header;
    const size_t payloadSize = length - kFrameHeaderSize;
    if (!DecodeFrameHeader(p + kFramePrefixSize, header)) {
        return Refuse(FrameFault::kMalformed);
    }
    // The version is judged first: another version may lay out its records differently.
    if (!IsFrameVersionSpoken(header.version)) {
        return Refuse(FrameFault::kUnsupportedVersion, header);
    }
    if (!IsFramePayloadConsistent(header, payloadSize)) {
        return Refuse(FrameFault::kMalformed);
    }
    if (available < kFramePrefixSize + length) {
        return FrameStatus::NeedMore;
    }
    const uint8_t* payload = p + kFramePrefixSize + kFrameHeaderSize;
    frame.header = header;
    frame.payload.assign(payload, payload + payloadSize);
    readPos_ += kFramePrefixSize + length;
    if (readPos_ == buffer_.size()) {
        if (buffer_.capacity() > kKeptBufferBytes) {
            std::vector<uint8_t>().swap(buffer_);
        } else {
            buffer_.clear();
        }
        readPos_ = 0;
    }
    return FrameStatus::Complete;
}

void CFrameDecoder::Reset()
{
    buffer_.clear();
    readPos_ = 0;
    broken_ = false;
    fault_ = FrameFault::kNone;
}

FrameStatus DecodeDatagram(const uint8_t* data, size_t size, Frame& frame, FrameFault* fault)
{
    auto refuse = [fault](FrameFault why) {
        if (fault != nullptr) {
            *fault = why;
        }
        return FrameStatus::Invalid;
    };
    if (fault != nullptr) {
        *fault = FrameFault::kNone;
    }
    if (data == nullptr || size < kFramePrefixSize + kFrameHeaderSize) {
        return refuse(FrameFault::kMalformed);
    }
    const uint32_t length = ReadBigEndian32(data);
    if (!IsFrameLengthAcceptable(length) || size != kFramePrefixSize + length) {
        return refuse(FrameFault::kMalformed);
    }
    FrameHeader header;
    const size_t payloadSize = length - kFrameHeaderSize;
    if (!DecodeFrameHeader(data + kFramePrefixSize, header)) {
        return refuse(FrameFault::kMalformed);
    }
    if (!IsFrameVersionSpoken(header.version)) {
        return refuse(FrameFault::kUnsupportedVersion);
    }
    if (!IsFramePayloadConsistent(header, payloadSize)) {
        return refuse(FrameFault::kMalformed);
    }
    const uint8_t* payload = data + kFramePrefixSize + kFrameHeaderSize;
    frame.header = header;
    frame.payload.assign(payload, payload + payloadSize);
    return FrameStatus::Complete;
}
