#include "link/server/frame_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<uint8_t> Prefix(uint32_t length)
{
    return {static_cast<uint8_t>(length >> 24), static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 8),
            static_cast<uint8_t>(length)};
}

// A frame put together by hand: prefix, header text, payload.
std::vector<uint8_t> RawFrame(uint32_t length, const std::string& header, size_t payloadSize)
{
    std::vector<uint8_t> frame = Prefix(length);
    frame.insert(frame.end(), header.begin(), header.end());
    frame.resize(frame.size() + payloadSize, 0xAB);
    return frame;
}

// Operation `op`, NE 7, code 330, total 0, the count and size given, status 0, more 0, sequence 42, op-log 1.
std::string HeaderText(const std::string& op, uint32_t count, uint32_t size)
{
    char numbers[21];
    std::snprintf(numbers, sizeof numbers, "%010u%010u", count, size);
    return op + "0000000007" + "00330" + "0000000000" + numbers + "00000" + "0" + "0000000042" + "1" + "000001";
}

FrameHeader SampleHeader()
{
    FrameHeader header;
    header.operation = kEmsOpQuery;
    header.neId = 7;
    header.requestCode = kReqEntityStateChange;
    header.total = 1;
    header.count = 2;
    header.recordSize = 60;
    header.status = 0;
    header.more = 0;
    header.sequence = 42;
    header.opLog = true;
    return header;
}

TEST(FrameHeader, EncodesTheGoldenSeventyCharacters)
{
    uint8_t out[kFrameHeaderSize];
    ASSERT_TRUE(EncodeFrameHeader(SampleHeader(), out));
    const std::string golden = "01"
                               "0000000007"
                               "00330"
                               "0000000001"
                               "0000000002"
                               "0000000060"
                               "00000"
                               "0"
                               "0000000042"
                               "1"
                               "000001";
    ASSERT_EQ(golden.size(), kFrameHeaderSize);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), kFrameHeaderSize), golden);
}

// The codes of the login, the shell, the dispatcher and the fault requests, and the keep-alive, as the code field
// carries them.
TEST(FrameHeader, EachRequestCarriesItsOwnNumber)
{
    const std::pair<uint16_t, const char*> cases[] = {
        {kReqKeepAlive, "00001"},
        {kReqOperatorMail, "00008"},
        {kReqUserAccount, "00010"},
        {kReqLogon, "00011"},
        {kReqLogoff, "00012"},
        {kReqUserAccountAdd, "00013"},
        {kReqUserAccountDelete, "00014"},
        {kReqUserRights, "00015"},
        {kReqLocation, "00020"},
        {kReqLocationAdd, "00021"},
        {kReqLocationDelete, "00022"},
        {kReqNeKey, "00030"},
        {kReqNeKeyAdd, "00031"},
        {kReqNeKeyDelete, "00032"},
        {kReqNeKeyAll, "00033"},
        {kReqLoginQuery, "00034"},
        {kReqAlarmTrigger, "00035"},
        {kReqAlarmTriggerAdd, "00036"},
        {kReqAlarmTriggerDelete, "00037"},
        {kReqConfigUpload, "00050"},
        {kReqConfigDownload, "00051"},
        {kReqAlarmDefTemplate, "00145"},
        {kReqNeTime, "00300"},
        {kReqNeConfig, "00303"},
        {kReqNeSnmpCommunity, "00307"},
        {kReqNeUserAccount, "00316"},
        {kReqBoardSetting, "00323"},
        {kReqEntityState, "00325"},
        {kReqAlarmDef, "00327"},
        {kReqAlarmEvent, "00328"},
        {kReqNeAlarmLog, "00329"},
        {kReqEntityStateChange, "00330"},
        {kReqAlarmStatistics, "00331"},
        {kReqAlarmSync, "00332"},
        {kReqAlarmAck, "00333"},
        {kReqNotificationsOn, "00334"},
        {kReqNeAlarmInput, "00336"},
        {kReqHwMonitor, "00337"},
        {kReqHwMonThreshold, "00338"},
        {kReqNeAlarmOutput, "00339"},
        {kReqNeReboot, "00340"},
        {kReqCardReset, "00341"},
        {kReqPortReset, "00342"},
        {kReqFlashWrite, "00343"},
        {kReqFlashErase, "00347"},
        {kReqIgmpSetting, "00495"},
    };
    for (const auto& [code, text] : cases) {
        FrameHeader header = SampleHeader();
        header.requestCode = code;
        uint8_t out[kFrameHeaderSize];
        ASSERT_TRUE(EncodeFrameHeader(header, out));
        EXPECT_EQ(std::string(reinterpret_cast<char*>(out) + 12, 5), text);
    }
}

TEST(FrameHeader, EncodesEveryFieldAtItsLargestValue)
{
    FrameHeader header;
    header.operation = 99;
    header.neId = 4294967295u;
    header.requestCode = std::numeric_limits<uint16_t>::max();
    header.total = 4294967295u;
    header.count = 4294967295u;
    header.recordSize = 4294967295u;
    header.status = 32029;
    header.more = 1;
    header.sequence = 4294967295u;
    header.opLog = false;
    uint8_t out[kFrameHeaderSize];
    ASSERT_TRUE(EncodeFrameHeader(header, out));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), kFrameHeaderSize),
              "9942949672956553542949672954294967295429496729532029142949672950000001");
    FrameHeader back;
    ASSERT_TRUE(DecodeFrameHeader(out, back));
    EXPECT_EQ(back, header);
}

// Every count of digits a field may have, each field alone: the digits land at the field's end, zeros before them,
// and read back the same.
TEST(FrameHeader, EveryFieldRoundTripsAtEachCountOfDigits)
{
    struct Field {
        const char* name;
        size_t offset;
        size_t width;
        uint32_t FrameHeader::*member;
    };
    const Field fields[] = {
        {"neId", 2, 10, &FrameHeader::neId},       {"total", 17, 10, &FrameHeader::total},
        {"count", 27, 10, &FrameHeader::count},    {"recordSize", 37, 10, &FrameHeader::recordSize},
        {"status", 47, 5, &FrameHeader::status},   {"sequence", 53, 10, &FrameHeader::sequence},
        {"version", 64, 6, &FrameHeader::version},
    };
    for (const Field& field : fields) {
        uint64_t value = 0;
        for (size_t digits = 1; digits <= field.width; ++digits) {
            for (const uint64_t candidate : {value, value + 1, value * 10 + 9}) {
                if (candidate > std::numeric_limits<uint32_t>::max() ||
                    std::to_string(candidate).size() > field.width) {
                    continue;
                }
                FrameHeader header = SampleHeader();
                header.*field.member = static_cast<uint32_t>(candidate);
                uint8_t out[kFrameHeaderSize];
                ASSERT_TRUE(EncodeFrameHeader(header, out)) << field.name << " " << candidate;
                std::string expected = std::to_string(candidate);
                expected.insert(0, field.width - expected.size(), '0');
                EXPECT_EQ(std::string(reinterpret_cast<const char*>(out) + field.offset, field.width), expected)
                    << field.name;
                FrameHeader decoded;
                ASSERT_TRUE(DecodeFrameHeader(out, decoded)) << field.name << " " << candidate;
                EXPECT_EQ(decoded, header) << field.name << " " << candidate;
            }
            value = value * 10 + 9;
        }
    }
}

TEST(FrameHeader, DecodeRefusesANonDigitAtAnyPlace)
{
    uint8_t good[kFrameHeaderSize];
    ASSERT_TRUE(EncodeFrameHeader(SampleHeader(), good));
    for (size_t at = 0; at < kFrameHeaderSize; ++at) {
        // Around the digits, and a digit with its high bit set.
        for (const uint8_t wrong : {uint8_t{'/'}, uint8_t{':'}, uint8_t{' '}, uint8_t{'0' | 0x80}, uint8_t{0}}) {
            uint8_t bad[kFrameHeaderSize];
            std::memcpy(bad, good, sizeof bad);
            bad[at] = wrong;
            FrameHeader header;
            EXPECT_FALSE(DecodeFrameHeader(bad, header)) << "character " << int{wrong} << " at " << at;
        }
    }
}

TEST(FrameHeader, EveryByteAtEveryPlaceIsReadAsItsDigitOrRefused)
{
    // Digits of every value in each field. A 10-digit field whose first digit is 4 or more is over 32 bits, the
    // request code over 16 bits from a first digit of 7.
    const std::string base = "25"
                             "1987654321"
                             "12345"
                             "1987654321"
                             "1987654321"
                             "1987654321"
                             "98765"
                             "9"
                             "1987654321"
                             "1"
                             "987654";
    ASSERT_EQ(base.size(), kFrameHeaderSize);
    const std::map<size_t, char> largestFirstDigit = {{2, '3'}, {12, '6'}, {17, '3'}, {27, '3'}, {37, '3'}, {53, '3'}};
    constexpr size_t kOpLogPlace = 63; // any digit but 0 sets the flag, which is written back as 1
    for (size_t at = 0; at < kFrameHeaderSize; ++at) {
        for (int value = 0; value <= 0xFF; ++value) {
            std::string text = base;
            text[at] = static_cast<char>(value);
            FrameHeader header;
            const bool decoded = DecodeFrameHeader(reinterpret_cast<const uint8_t*>(text.data()), header);
            const auto first = largestFirstDigit.find(at);
            const bool accepted = value >= '0' && value <= (first == largestFirstDigit.end() ? '9' : first->second);
            ASSERT_EQ(decoded, accepted) << "character " << value << " at " << at;
            if (!decoded) {
                continue;
            }
            if (at == kOpLogPlace) {
                EXPECT_EQ(header.opLog, value != '0') << "character " << value;
                continue;
            }
            uint8_t again[kFrameHeaderSize];
            ASSERT_TRUE(EncodeFrameHeader(header, again)) << "character " << value << " at " << at;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(again), kFrameHeaderSize), text)
                << "character " << value << " at " << at;
        }
    }
}

TEST(FrameHeader, RefusesValuesWiderThanTheirField)
{
    FrameHeader header = SampleHeader();
    header.operation = 100;
    uint8_t out[kFrameHeaderSize];
    EXPECT_FALSE(EncodeFrameHeader(header, out));
    header = SampleHeader();
    header.status = 100000;
    EXPECT_FALSE(EncodeFrameHeader(header, out));
    header = SampleHeader();
    header.more = 10;
    EXPECT_FALSE(EncodeFrameHeader(header, out));
}

TEST(FrameHeader, DecodeRefusesNonDigitsAndOutOfRangeFields)
{
    const std::string good = HeaderText("04", 1, 4);
    FrameHeader header;
    ASSERT_TRUE(DecodeFrameHeader(reinterpret_cast<const uint8_t*>(good.data()), header));
    EXPECT_EQ(header.operation, kEmsOpReply);
    EXPECT_EQ(header.requestCode, kReqEntityStateChange);
    EXPECT_EQ(header.sequence, 42u);

    struct Case {
        size_t offset;
        std::string text;
    };
    const Case cases[] = {
        {0, " 4"},          // operation with a blank
        {2, "9999999999"},  // NE id above 32 bits
        {12, "65536"},      // request code above 16 bits
        {27, "-000000001"}, // a sign
        {53, "000000004x"}, // sequence with a letter
        {64, "00000\x01"},  // control character in the version
    };
    for (const Case& c : cases) {
        std::string text = good;
        text.replace(c.offset, c.text.size(), c.text);
        EXPECT_FALSE(DecodeFrameHeader(reinterpret_cast<const uint8_t*>(text.data()), header)) << c.text;
    }
}

TEST(Frame, EncodesPrefixHeaderAndPayload)
{
    std::vector<uint8_t> payload(120);
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<uint8_t>(i);
    }
    const std::vector<uint8_t> frame = EncodeFrame(SampleHeader(), payload.data(), payload.size());
    ASSERT_EQ(frame.size(), 4u + 70u + 120u);
    EXPECT_EQ(std::vector<uint8_t>(frame.begin(), frame.begin() + 4), Prefix(190));
    EXPECT_EQ(std::memcmp(frame.data() + 74, payload.data(), payload.size()), 0);

    Frame decoded;
    ASSERT_EQ(DecodeDatagram(frame.data(), frame.size(), decoded), FrameStatus::Complete);
    EXPECT_EQ(decoded.header, SampleHeader());
    EXPECT_EQ(decoded.payload, payload);
}

TEST(Frame, EncodeRefusesAPayloadOverTheCap)
{
    std::vector<uint8_t> payload(kMaxEmsRecordBytes + 1);
    EXPECT_TRUE(EncodeFrame(SampleHeader(), payload.data(), payload.size()).empty());
}

// The header of a payload of `bytes` records of one byte.
FrameHeader HeaderOfBytes(size_t bytes)
{
    FrameHeader header = SampleHeader();
    header.count = static_cast<uint32_t>(bytes);
    header.total = header.count;
    header.recordSize = 1;
    return header;
}

TEST(Frame, EncodingIntoAKeptBufferLeavesNothingOfTheFrameBefore)
{
    const std::vector<uint8_t> large(300, 0xCD);
    const std::vector<uint8_t> small{1, 2, 3};
    std::vector<uint8_t> kept;
    ASSERT_TRUE(EncodeFrameInto(HeaderOfBytes(large.size()), large.data(), large.size(), kept));
    EXPECT_EQ(kept, EncodeFrame(HeaderOfBytes(large.size()), large.data(), large.size()));

    ASSERT_TRUE(EncodeFrameInto(HeaderOfBytes(small.size()), small.data(), small.size(), kept));
    EXPECT_EQ(kept, EncodeFrame(HeaderOfBytes(small.size()), small.data(), small.size()));
    Frame decoded;
    ASSERT_EQ(DecodeDatagram(kept.data(), kept.size(), decoded), FrameStatus::Complete);
    EXPECT_EQ(decoded.header, HeaderOfBytes(small.size()));
    EXPECT_EQ(decoded.payload, small);

    // A refusal leaves no bytes of the earlier frame to be sent by mistake.
    const std::vector<uint8_t> overCap(kMaxEmsRecordBytes + 1);
    EXPECT_FALSE(EncodeFrameInto(SampleHeader(), overCap.data(), overCap.size(), kept));
    EXPECT_TRUE(kept.empty());
    ASSERT_TRUE(EncodeFrameInto(HeaderOfBytes(small.size()), small.data(), small.size(), kept));
    FrameHeader wide = HeaderOfBytes(small.size());
    wide.operation = 100;
    EXPECT_FALSE(EncodeFrameInto(wide, small.data(), small.size(), kept));
    EXPECT_TRUE(kept.empty());
}

struct RejectionCase {
    const char* name;
    std::vector<uint8_t> bytes;
};

class FrameRejection : public ::testing::TestWithParam<RejectionCase> {};

TEST_P(FrameRejection, StreamAndDatagramBothRefuse)
{
    const RejectionCase& c = GetParam();
    CFrameDecoder decoder;
    decoder.Append(c.bytes.data(), c.bytes.size());
    Frame frame;
    EXPECT_EQ(decoder.Next(frame), FrameStatus::Invalid);
    // Once broken, the stream stays broken whatever follows.
    const std::vector<uint8_t> good = EncodeFrame(SampleHeader(), std::vector<uint8_t>(120).data(), 120);
    decoder.Append(good.data(), good.size());
    EXPECT_EQ(decoder.Next(frame), FrameStatus::Invalid);
    EXPECT_EQ(DecodeDatagram(c.bytes.data(), c.bytes.size(), frame), FrameStatus::Invalid);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FrameRejection,
    ::testing::Values(
        RejectionCase{"LengthBelowHeader", RawFrame(69, HeaderText("04", 0, 0).substr(0, 69), 0)},
        RejectionCase{"LengthZero", Prefix(0)}, RejectionCase{"PayloadOverCap", Prefix(70 + kMaxEmsRecordBytes + 1)},
        RejectionCase{"LengthAllOnes", Prefix(0xFFFFFFFFu)},
        RejectionCase{"PayloadShorterThanCountTimesSize", RawFrame(70 + 7, HeaderText("04", 2, 4), 7)},
        RejectionCase{"PayloadLongerThanCountTimesSize", RawFrame(70 + 9, HeaderText("04", 2, 4), 9)},
        RejectionCase{"CountTimesSizeWrapsThirtyTwoBits", RawFrame(70, HeaderText("04", 65536, 65536), 0)},
        RejectionCase{"RecordsOfZeroBytes", RawFrame(70, HeaderText("04", 5, 0), 0)},
        RejectionCase{"HeaderNotDigits", RawFrame(70, std::string(70, 'x'), 0)},
        RejectionCase{"AnotherProtocolVersion", RawFrame(74, HeaderText("04", 1, 4).replace(64, 6, "000002"), 4)}),
    [](const ::testing::TestParamInfo<RejectionCase>& info) { return std::string(info.param.name); });

TEST(FrameDecoder, TextReplyNeedNotMatchCountTimesSize)
{
    const std::vector<uint8_t> frame = RawFrame(70 + 5, HeaderText("06", 1, 99), 5);
    CFrameDecoder decoder;
    decoder.Append(frame.data(), frame.size());
    Frame decoded;
    ASSERT_EQ(decoder.Next(decoded), FrameStatus::Complete);
    EXPECT_EQ(decoded.header.operation, kEmsOpTextReply);
    EXPECT_EQ(decoded.payload.size(), 5u);
}

TEST(FrameDecoder, AcceptsTheLargestPayload)
{
    const uint32_t count = kMaxEmsRecordBytes / 4;
    FrameHeader header = SampleHeader();
    header.count = count;
    header.recordSize = 4;
    std::vector<uint8_t> payload(kMaxEmsRecordBytes);
    const std::vector<uint8_t> frame = EncodeFrame(header, payload.data(), payload.size());
    ASSERT_FALSE(frame.empty());
    CFrameDecoder decoder;
    decoder.Append(frame.data(), frame.size());
    Frame decoded;
    ASSERT_EQ(decoder.Next(decoded), FrameStatus::Complete);
    EXPECT_EQ(decoded.payload.size(), kMaxEmsRecordBytes);
}

TEST(FrameDecoder, FramesAfterALargeOneComeWhole)
{
    // A frame far larger than a read, then small ones arriving in pieces: the buffer the large one needed goes once
    // it is read, and what follows is decoded from a new one.
    std::vector<uint8_t> stream;
    std::vector<std::vector<uint8_t>> payloads;
    for (const uint32_t count : {140000u, 3u, 0u, 70000u, 5u}) {
        FrameHeader header = SampleHeader();
        header.sequence = static_cast<uint32_t>(payloads.size() + 1);
        header.count = count;
        header.recordSize = 4;
        std::vector<uint8_t> payload(size_t{count} * 4);
        for (size_t i = 0; i < payload.size(); ++i)
            payload[i] = static_cast<uint8_t>(i * 7 + count);
        const std::vector<uint8_t> frame = EncodeFrame(header, payload.data(), payload.size());
        ASSERT_FALSE(frame.empty());
        stream.insert(stream.end(), frame.begin(), frame.end());
        payloads.push_back(std::move(payload));
    }
    for (const size_t chunk : {size_t{65536}, size_t{1000}, stream.size()}) {
        CFrameDecoder decoder;
        std::vector<Frame> frames;
        for (size_t at = 0; at < stream.size(); at += chunk) {
            decoder.Append(stream.data() + at, std::min(chunk, stream.size() - at));
            Frame frame;
            while (decoder.Next(frame) == FrameStatus::Complete)
                frames.push_back(frame);
        }
        ASSERT_EQ(frames.size(), payloads.size()) << "chunk " << chunk;
        for (size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].header.sequence, i + 1);
            EXPECT_EQ(frames[i].payload, payloads[i]) << "frame " << i << ", chunk " << chunk;
        }
        EXPECT_EQ(decoder.BufferedBytes(), 0u);
    }
}

TEST(FrameDecoder, ReassemblesFramesSplitAnywhere)
{
    std::vector<uint8_t> stream;
    std::vector<FrameHeader> headers;
    for (uint32_t i = 0; i < 5; ++i) {
        FrameHeader header = SampleHeader();
        header.sequence = i + 1;
        header.count = i;
        header.recordSize = 3;
        std::vector<uint8_t> payload(i * 3, static_cast<uint8_t>(i));
        const auto frame = EncodeFrame(header, payload.data(), payload.size());
        stream.insert(stream.end(), frame.begin(), frame.end());
        headers.push_back(header);
    }
    for (size_t chunk : {size_t{1}, size_t{3}, size_t{73}, size_t{1000}}) {
        CFrameDecoder decoder;
        std::vector<FrameHeader> got;
        for (size_t pos = 0; pos < stream.size(); pos += chunk) {
            decoder.Append(stream.data() + pos, std::min(chunk, stream.size() - pos));
            Frame frame;
            FrameStatus status;
            while ((status = decoder.Next(frame)) == FrameStatus::Complete) {
                EXPECT_EQ(frame.payload, std::vector<uint8_t>(frame.header.count * 3,
                                                              static_cast<uint8_t>(frame.header.sequence - 1)));
                got.push_back(frame.header);
            }
            ASSERT_EQ(status, FrameStatus::NeedMore) << "chunk " << chunk;
        }
        EXPECT_EQ(got, headers) << "chunk " << chunk;
        EXPECT_EQ(decoder.BufferedBytes(), 0u);
    }
}

TEST(Datagram, MustHoldExactlyOneFrame)
{
    std::vector<uint8_t> frame = EncodeFrame(SampleHeader(), std::vector<uint8_t>(120).data(), 120);
    Frame decoded;
    std::vector<uint8_t> longer = frame;
    longer.push_back(0);
    EXPECT_EQ(DecodeDatagram(longer.data(), longer.size(), decoded), FrameStatus::Invalid);
    EXPECT_EQ(DecodeDatagram(frame.data(), frame.size() - 1, decoded), FrameStatus::Invalid);
    EXPECT_EQ(DecodeDatagram(nullptr, 0, decoded), FrameStatus::Invalid);
}

} // namespace
