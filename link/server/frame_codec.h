// Frames of the management-server protocol: [u32 length, big-endian][70-byte text header][records].
// The length counts the header and the records. The header holds fixed-width, zero-padded decimal fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/ems_msg.h"

inline constexpr size_t kFramePrefixSize = 4;
inline constexpr size_t kFrameHeaderSize = 70;
inline constexpr uint32_t kFrameProtocolVersion = 1;

struct FrameHeader {
    uint8_t operation = 0;
    uint32_t neId = 0;
    uint16_t requestCode = 0;
    uint32_t total = 0;
    uint32_t count = 0;
    uint32_t recordSize = 0;
    uint32_t status = 0;
    uint32_t more = 0;
    uint32_t sequence = 0;
    bool opLog = false; // the operator's actions are logged by the server only while set
    uint32_t version = kFrameProtocolVersion;

    bool operator==(const FrameHeader&) const = default;
};

struct Frame {
    FrameHeader header;
    std::vector<uint8_t> payload;
};

// Writes the 70 header characters. False (and nothing written) when a field does not fit its width.
bool EncodeFrameHeader(const FrameHeader& header, uint8_t* out);

// Rewrites the `total` field of 70 encoded header characters (a notification's number in its series).
void PutFrameTotal(uint8_t* header, uint32_t total);

// Reads 70 header characters. False when a field holds anything but decimal digits or exceeds its type.
bool DecodeFrameHeader(const uint8_t* in, FrameHeader& header);

// Length prefix, header and payload; empty when the header does not encode or the payload is over the cap.
std::vector<uint8_t> EncodeFrame(const FrameHeader& header, const void* payload, size_t payloadSize);
// The same into `frame`, whose storage is reused; false (and `frame` empty) where EncodeFrame gives nothing.
bool EncodeFrameInto(const FrameHeader& header, const void* payload, size_t payloadSize, std::vector<uint8_t>& frame);

// The header of a descriptor (its count and record size as given).
FrameHeader FrameHeaderFromMsg(const EmsMsg& msg);

// A descriptor over a decoded frame; its records point into `frame.payload`.
EmsMsg MsgFromFrame(const Frame& frame);

enum class FrameStatus { NeedMore, Complete, Invalid };

// Why a frame was refused. A frame of another protocol version is told apart, so that each side can say so: its
// header is read with the fields of this version, the rest of it is not.
enum class FrameFault { kNone, kMalformed, kUnsupportedVersion };

// The rules every received frame must meet, given its length prefix and decoded header.
bool IsFrameLengthAcceptable(uint32_t length);
bool IsFramePayloadConsistent(const FrameHeader& header, size_t payloadSize);
// Only the version this side speaks is accepted.
bool IsFrameVersionSpoken(uint32_t version);

// Decodes a byte stream into frames. After Invalid the stream is beyond repair: the connection must be closed.
class CFrameDecoder {
public:
    void Append(const uint8_t* data, size_t size);
    FrameStatus Next(Frame& frame);
    void Reset();
    size_t BufferedBytes() const { return buffer_.size() - readPos_; }
    // After Invalid: why, and for kUnsupportedVersion the refused frame's header.
    FrameFault Fault() const { return fault_; }
    const FrameHeader& FaultyHeader() const { return faultyHeader_; }

private:
    FrameStatus Refuse(FrameFault fault, const FrameHeader& header = {});

    std::vector<uint8_t> buffer_;
    size_t readPos_ = 0;
    bool broken_ = false;
    FrameFault fault_ = FrameFault::kNone;
    FrameHeader faultyHeader_;
};

// Decodes one datagram that must hold exactly one frame; *fault (when given) says why it was refused.
FrameStatus DecodeDatagram(const uint8_t* data, size_t size, Frame& frame, FrameFault* fault = nullptr);
