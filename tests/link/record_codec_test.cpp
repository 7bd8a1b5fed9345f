// The generic record codec at its edges, on a record with a field of every type: little-endian widths, signed values,
// texts cut to leave their terminator (and whole characters) and read up to a zero or their width, reserved bytes,
// items and nested records; short buffers and strides refused.

#include "link/records/record_codec.h"
#include "link/records/word_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

struct Probe {
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    int16_t i16 = 0;
    int32_t i32 = 0;
    float f32 = 0;
    std::string text;
    std::array<uint8_t, 4> ip{};
    std::array<uint8_t, 3> bytes{};
    std::array<std::string, 2> items;
    WordRecord nested;
    bool operator==(const Probe&) const = default;
};

} // namespace

template <> struct RecordTable<Probe> {
    using R = Probe;
    static constexpr const char* kName = "Probe";
    static constexpr uint32_t kSize = 44;
    static constexpr RecordField kFields[] = {
        U8<&R::u8>("u8", 0),
        U16<&R::u16>("u16", 1),
        U32<&R::u32>("u32", 3),
        I16<&R::i16>("i16", 7),
        I32<&R::i32>("i32", 9),
        F32<&R::f32>("f32", 13),
        Text<&R::text>("text", 17, 6),
        Reserved(23, 1),
        Ipv4<&R::ip>("ip", 24),
        Bytes<&R::bytes>("bytes", 28),
        TextItem<&R::items, 0>("first", 31, 3),
        TextItem<&R::items, 1>("second", 34, 3),
        Nested<&R::nested>("nested", 37),
    };
};

namespace {

struct Row {
    const char* name;
    std::function<void(Probe&)> set;
    size_t offset;
    std::vector<uint8_t> bytes;
    std::function<void(Probe&)> decoded; // what decoding gives back, when not what was set
};

TEST(RecordCodec, EveryFieldTypeAtItsEdges)
{
    const Row rows[] = {
        {"u8", [](Probe& p) { p.u8 = 0xFF; }, 0, {0xFF}, {}},
        {"u16", [](Probe& p) { p.u16 = 0xBEEF; }, 1, {0xEF, 0xBE}, {}},
        {"u32", [](Probe& p) { p.u32 = 0x01020304; }, 3, {4, 3, 2, 1}, {}},
        {"i16", [](Probe& p) { p.i16 = -2; }, 7, {0xFE, 0xFF}, {}},
        {"i32", [](Probe& p) { p.i32 = std::numeric_limits<int32_t>::min(); }, 9, {0, 0, 0, 0x80}, {}},
        {"f32", [](Probe& p) { p.f32 = -33.25F; }, 13, {0x00, 0x00, 0x05, 0xC2}, {}},
        {"text that fits", [](Probe& p) { p.text = "abcde"; }, 17, {'a', 'b', 'c', 'd', 'e', 0}, {}},
        {"text cut to keep its terminator",
         [](Probe& p) { p.text = "abcdefgh"; },
         17,
         {'a', 'b', 'c', 'd', 'e', 0},
         [](Probe& p) { p.text = "abcde"; }},
        {"ipv4",
         [](Probe& p) {
             p.ip = {10, 0, 0, 7};
         },
         24,
         {10, 0, 0, 7},
         {}},
        {"bytes",
         [](Probe& p) {
             p.bytes = {1, 2, 3};
         },
         28,
         {1, 2, 3},
         {}},
        {"items",
         [](Probe& p) {
             p.items = {"xy", "xyz"};
         },
         31,
         {'x', 'y', 0, 'x', 'y', 0},
         [](Probe& p) {
             p.items = {"xy", "xy"};
         }},
        {"item cut before a letter of two bytes that does not fit",
         [](Probe& p) {
             p.items = {"a\xC3\xBC", "xy"};
         },
         31,
         {'a', 0, 0, 'x', 'y', 0},
         [](Probe& p) {
             p.items = {"a", "xy"};
         }},
        {"nested record", [](Probe& p) { p.nested.value = 7; }, 37, {7, 0, 0, 0}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Probe probe;
        row.set(probe);
        std::vector<uint8_t> expected(kRecordSize<Probe>, 0);
        std::copy(row.bytes.begin(), row.bytes.end(), expected.begin() + static_cast<std::ptrdiff_t>(row.offset));
        const auto bytes = EncodeRecord(probe);
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);

        Probe back;
        ASSERT_TRUE(DecodeRecord(bytes.data(), bytes.size(), &back));
        Probe wanted;
        (row.decoded ? row.decoded : row.set)(wanted);
        EXPECT_EQ(back, wanted);
    }
}

TEST(RecordCodec, DecodingReadsUpToAZeroOrTheWidthAndSkipsReservedBytes)
{
    std::array<uint8_t, 44> raw{};
    const char unterminated[] = "uvwxyz";
    std::copy(unterminated, unterminated + 6, raw.begin() + 17);
    raw[23] = 0xAA; // reserved
    raw[31] = 'a';
    raw[33] = 'b'; // after the item's zero
    Probe probe;
    ASSERT_TRUE(DecodeRecord(raw.data(), raw.size(), &probe));
    EXPECT_EQ(probe.text, "uvwxyz");
    EXPECT_EQ(probe.items[0], "a");
    EXPECT_EQ(EncodeRecord(probe)[23], 0) << "reserved bytes are sent as zero";
}

TEST(RecordCodec, ShortBuffersAndStridesAreRefused)
{
    const auto bytes = EncodeRecord(Probe{});
    Probe probe;
    probe.u8 = 9;
    EXPECT_FALSE(DecodeRecord(bytes.data(), bytes.size() - 1, &probe));
    EXPECT_FALSE(DecodeRecord(static_cast<const uint8_t*>(nullptr), bytes.size(), &probe));
    EXPECT_EQ(probe.u8, 9) << "a refused decode leaves the record";
    EXPECT_TRUE(DecodeRecord(bytes.data(), bytes.size() + 1, &probe)) << "bytes past the record are not looked at";

    // Records laid out wider than their size (as a reply may carry them) decode; narrower ones do not.
    std::vector<uint8_t> wide(2 * 48, 0);
    wide[48] = 5;
    std::vector<Probe> probes;
    ASSERT_TRUE(DecodeRecords(wide.data(), 2, 48, &probes));
    ASSERT_EQ(probes.size(), 2u);
    EXPECT_EQ(probes[1].u8, 5);
    EXPECT_FALSE(DecodeRecords(wide.data(), 2, 43, &probes));
}

} // namespace
