// The server frame decoder on arbitrary bytes: as a TCP stream cut into chunks (the first byte chooses the chunk
// size) and as one datagram. Every frame it accepts must meet the frame rules and survive a round trip; the frames
// of one stream are also gathered as the reply of one request.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "link/request_slot_table.h"
#include "link/server/frame_codec.h"

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void CheckFrame(const Frame& frame)
{
    Check(frame.payload.size() <= kMaxEmsRecordBytes);
    if (frame.header.operation != kEmsOpTextReply) {
        Check(static_cast<uint64_t>(frame.header.count) * frame.header.recordSize == frame.payload.size());
    }
    // A decoded header always fits its fields again and reads back the same.
    uint8_t text[kFrameHeaderSize];
    Check(EncodeFrameHeader(frame.header, text));
    FrameHeader back;
    Check(DecodeFrameHeader(text, back) && back == frame.header);
}

// The first 70 bytes as a header: accepted only as digits that read back as the same characters (the op-log flag's
// digit back as 0 or 1).
void CheckHeaderText(const uint8_t* data, size_t size)
{
    if (size < kFrameHeaderSize) {
        return;
    }
    FrameHeader header;
    if (!DecodeFrameHeader(data, header)) {
        return;
    }
    uint8_t text[kFrameHeaderSize];
    Check(EncodeFrameHeader(header, text));
    constexpr size_t kOpLogPlace = 63;
    for (size_t at = 0; at < kFrameHeaderSize; ++at) {
        if (at == kOpLogPlace) {
            Check(data[at] >= '0' && data[at] <= '9' && text[at] == (data[at] == '0' ? '0' : '1'));
        } else {
            Check(text[at] == data[at]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const size_t chunk = data[0] % 97 + 1;
    ++data;
    --size;
    CheckHeaderText(data, size);

    CRequestSlotTable slots;
    const uint32_t sequence = slots.Acquire();
    CFrameDecoder decoder;
    Frame frame;
    for (size_t pos = 0; pos < size; pos += chunk) {
        decoder.Append(data + pos, std::min(chunk, size - pos));
        FrameStatus status;
        while ((status = decoder.Next(frame)) == FrameStatus::Complete) {
            CheckFrame(frame);
            EmsMsg msg = MsgFromFrame(frame);
            msg.sequence = sequence;
            slots.OfferReply(msg, frame.payload.data(), frame.payload.size());
        }
        if (status == FrameStatus::Invalid) {
            break;
        }
    }
    slots.Complete(sequence, 0);
    ReplyData reply;
    if (slots.Wait(sequence, std::chrono::steady_clock::now(), reply) == 0) {
        Check(reply.records.size() <= kMaxEmsRecordBytes + 1);
        if (reply.header.operation != kEmsOpTextReply && reply.header.recordSize != 0) {
            Check(static_cast<uint64_t>(reply.header.count) * reply.header.recordSize == reply.records.size());
        }
    }

    if (DecodeDatagram(data, size, frame) == FrameStatus::Complete) {
        CheckFrame(frame);
    }
    return 0;
}
