#include "core/config/ini_readers.h"

#include <gtest/gtest.h>

#include "temp_file_test.h"

#include <filesystem>
#include <limits>

namespace {

using Address = IniIpv4Address;

// Each case runs against the file on disk and against the parsed text, the two forms every reader has.
class IniReaderSource : public ::testing::TestWithParam<bool> {
  protected:
    bool FromFile() const { return GetParam(); }

    // Stores text as the file and returns what the readers are given.
    void Use(const std::string& text)
    {
        WriteText(path_, text);
        ini_ = CIniFile::Parse(text);
    }
    void UseValue(const std::string& value) { Use("[S]\nK=" + value + "\n"); }

    template <typename Read> auto With(Read read) { return FromFile() ? read(path_) : read(ini_); }

    CTempDir dir_;
    std::string path_ = (dir_.Path() / "Tarvik.ini").string();
    CIniFile ini_ = CIniFile::Parse("");
};

INSTANTIATE_TEST_SUITE_P(Readers, IniReaderSource, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "FromPath" : "FromParsedFile"; });

TEST_P(IniReaderSource, AbsentAndEmptyKeysAreToldApartByEveryReader)
{
    Use("[S]\nEMPTY=\n");
    for (const char* key : {"EMPTY", "ABSENT"}) {
        SCOPED_TRACE(key);
        const bool empty = std::string(key) == "EMPTY";
        EXPECT_EQ(With([&](const auto& f) { return ReadIniString("S", key, "def", f); }), empty ? "" : "def");
        EXPECT_EQ(With([&](const auto& f) { return ReadIniString("s", key, kIniAbsentKey, f); }),
                  empty ? "" : std::string(kIniAbsentKey));
        EXPECT_EQ(With([&](const auto& f) { return ReadIniString("S", key, std::nullopt, f); }),
                  empty ? std::optional<std::string>("") : std::nullopt);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniStringN("S", key, "default", f, 4); }), empty ? "" : "def");
        EXPECT_TRUE(With([&](const auto& f) { return ReadIniBool("S", key, true, f); }));
        EXPECT_FALSE(With([&](const auto& f) { return ReadIniBool("S", key, false, f); }));
        EXPECT_EQ(With([&](const auto& f) { return ReadIniWord("S", key, 23, f); }), 23);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniLong("S", key, -7, f); }), -7);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniIntInRange("S", key, 50, f, 10, 100, true); }), 50u);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniSignedInRange("S", key, -50, f, -100, 0, true); }), -50);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniColor("S", key, 0x123456, f); }), 0x123456u);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniIpAddress("S", key, f); }), (Address{0, 0, 0, 0}));
        const IniIpRange range = With([&](const auto& f) { return ReadIniIpRange("S", key, f, true); });
        EXPECT_EQ(range.first, (Address{0, 0, 0, 0}));
        EXPECT_EQ(range.last, (Address{0, 0, 0, 0}));
        EXPECT_EQ(With([&](const auto& f) { return ReadIniFont("S", key, "Arial,80,B", f); }),
                  (FontSpec{"Arial", 80, true}));
    }
}

TEST_P(IniReaderSource, BoolWordsInEitherCase)
{
    struct Row {
        const char* text;
        int expected; // 1 true, 0 false, -1 the default
    };
    const Row rows[] = {
        {"1", 1},  {"ON", 1},  {"on", 1},       {"Yes", 1}, {"TRUE", 1},   {"true", 1},    {"OK", 1}, {"ok", 1},
        {"0", 0},  {"OFF", 0}, {"off", 0},      {"No", 0},  {"FALSE", 0},  {"false", 0},   {"2", -1}, {"-1", -1},
        {"Y", -1}, {"N", -1},  {"enabled", -1}, {"01", -1}, {"\"ON\"", 1}, {"  yes  ", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        UseValue(row.text);
        for (bool defaultValue : {false, true}) {
            const bool expected = row.expected < 0 ? defaultValue : row.expected == 1;
            EXPECT_EQ(With([&](const auto& f) { return ReadIniBool("S", "K", defaultValue, f); }), expected);
        }
    }
}

TEST_P(IniReaderSource, UnsignedInRangeClampsOrGivesTheDefault)
{
    struct Row {
        const char* text;
        std::uint32_t defaultValue, minimum, maximum;
        bool clamp;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {"100", 35000, 3000, 900000, true, 3000},      // a server time-out below its bound is raised to it
        {"900001", 35000, 3000, 900000, true, 900000}, //
        {"100", 35000, 3000, 900000, false, 35000},    //
        {"5000", 35000, 3000, 900000, true, 5000},     //
        {"3000", 35000, 3000, 900000, false, 3000},    // the bounds belong to the range
        {"900000", 35000, 3000, 900000, false, 900000},
        {"12abc", 7, 0, 100, true, 7}, // trailing junk is not a number
        {"abc", 7, 0, 100, true, 7},
        {"", 7, 0, 100, true, 7},
        {"0x10", 7, 0, 100, true, 7}, // decimal only
        {"1 2", 7, 0, 100, true, 7},
        {"+42", 7, 0, 100, true, 42},
        {"042", 7, 0, 100, true, 42}, // leading zeros are not octal
        {"-5", 7, 1, 100, true, 1},   // a negative number lies below the minimum
        {"-5", 7, 1, 100, false, 7},
        {"99999999999999999999999", 7, 0, 100, true, 100}, // beyond 64 bits it still lies above the maximum
        {"4294967295", 7, 0, 4294967295u, false, 4294967295u},
        {"4294967296", 7, 0, 4294967295u, true, 4294967295u},
        {"4294967296", 7, 0, 4294967295u, false, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + (row.clamp ? " clamp" : " default"));
        UseValue(row.text);
        EXPECT_EQ(With([&](const auto& f) {
                      return ReadIniIntInRange("S", "K", row.defaultValue, f, row.minimum, row.maximum, row.clamp);
                  }),
                  row.expected);
    }
}

TEST_P(IniReaderSource, SignedInRangeClampsOrGivesTheDefault)
{
    struct Row {
        const char* text;
        bool clamp;
        std::int32_t expected;
    };
    // Ports: [1..65535], default 19460.
    const Row rows[] = {
        {"0", false, 19460},    {"70000", false, 19460}, {"1", false, 1},        {"65535", false, 65535},
        {"-1", false, 19460},   {"0", true, 1},          {"70000", true, 65535}, {"-99999999999", true, 1},
        {"161x", false, 19460}, {"", true, 19460},       {"+161", false, 161},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + (row.clamp ? " clamp" : " default"));
        UseValue(row.text);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniSignedInRange("S", "K", 19460, f, 1, 65535, row.clamp); }),
                  row.expected);
    }
}

TEST_P(IniReaderSource, WordAndLongTakeOnlyNumbersOfTheirRange)
{
    struct Row {
        const char* text;
        std::uint16_t word;
        std::int32_t longValue;
    };
    const Row rows[] = {
        {"0", 0, 0},
        {"23", 23, 23},
        {"65535", 65535, 65535},
        {"65536", 99, 65536},
        {"-1", 99, -1},
        {"-2147483648", 99, std::numeric_limits<std::int32_t>::min()},
        {"2147483647", 99, std::numeric_limits<std::int32_t>::max()},
        {"2147483648", 99, -99},
        {"-2147483649", 99, -99},
        {"23x", 99, -99},
        {"", 99, -99},
        {"-", 99, -99},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        UseValue(row.text);
        EXPECT_EQ(With([](const auto& f) { return ReadIniWord("S", "K", 99, f); }), row.word);
        EXPECT_EQ(With([](const auto& f) { return ReadIniLong("S", "K", -99, f); }), row.longValue);
    }
}

TEST_P(IniReaderSource, ColoursAreHexadecimalUpTo0xFFFFFF)
{
    struct Row {
        const char* text;
        std::uint32_t expected;
    };
    constexpr std::uint32_t kDefault = 0xC0FFFF;
    const Row rows[] = {
        {"0x800000", 0x800000},  {"800000", 0x800000},
        {"0XffFFff", 0xFFFFFF},  {"0", 0},
        {"0x0000FF", 0xFF},      {"1000000", kDefault},
        {"0x1000000", kDefault}, {"-1", kDefault},
        {"0x", kDefault},        {"GG", kDefault},
        {"12 34", kDefault},     {"", kDefault},
        {"#FF0000", kDefault},   {"0x00000000000000FF", 0xFF},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        UseValue(row.text);
        EXPECT_EQ(With([&](const auto& f) { return ReadIniColor("S", "K", kDefault, f); }), row.expected);
    }
}

TEST_P(IniReaderSource, IpAddressesAreFourDottedBytes)
{
    struct Row {
        const char* text;
        Address expected;
    };
    const Row rows[] = {
        {"10.1.2.3", {10, 1, 2, 3}},
        {"255.255.255.255", {255, 255, 255, 255}},
        {"001.002.003.004", {1, 2, 3, 4}},
        {"256.1.1.1", {}},
        {"1.2.3", {}},
        {"1.2.3.4.5", {}},
        {"1..2.3", {}},
        {"1.2.3.4444", {}},
        {"1.2.3.4 x", {}},
        {"-1.2.3.4", {}},
        {"a.b.c.d", {}},
        {"", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        UseValue(row.text);
        EXPECT_EQ(With([](const auto& f) { return ReadIniIpAddress("S", "K", f); }), row.expected);
    }
}

TEST_P(IniReaderSource, IpRangesNeedBothAddressesAndMayBeOrdered)
{
    struct Row {
        const char* text;
        bool ascending;
        Address first, last;
    };
    const Row rows[] = {
        {"224.0.0.1,224.0.0.9", true, {224, 0, 0, 1}, {224, 0, 0, 9}},
        {"224.0.0.9,224.0.0.1", true, {224, 0, 0, 1}, {224, 0, 0, 9}},
        {"224.0.0.9,224.0.0.1", false, {224, 0, 0, 9}, {224, 0, 0, 1}},
        {"10.0.0.1,9.255.255.255", true, {9, 255, 255, 255}, {10, 0, 0, 1}}, // ordered as numbers, first byte first
        {" 1.1.1.1 , 2.2.2.2 ", true, {1, 1, 1, 1}, {2, 2, 2, 2}},
        {"1.1.1.1", true, {}, {}},
        {"1.1.1.1,", true, {}, {}},
        {",1.1.1.1", true, {}, {}},
        {"1.1.1.1,bad", true, {}, {}},
        {"1.1.1.1,2.2.2.2,3.3.3.3", true, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        UseValue(row.text);
        const IniIpRange range = With([&](const auto& f) { return ReadIniIpRange("S", "K", f, row.ascending); });
        EXPECT_EQ(range.first, row.first);
        EXPECT_EQ(range.last, row.last);
    }
}

TEST_P(IniReaderSource, StringsAreCutToTheirLength)
{
    UseValue(std::string(600, 'x'));
    EXPECT_EQ(With([](const auto& f) { return ReadIniString("S", "K", "", f); }), std::string(511, 'x'));
    EXPECT_EQ(With([](const auto& f) { return *ReadIniString("S", "K", std::nullopt, f); }), std::string(511, 'x'));
    EXPECT_EQ(With([](const auto& f) { return ReadIniStringN("S", "K", "", f, 11); }), std::string(10, 'x'));
    EXPECT_EQ(With([](const auto& f) { return ReadIniStringN("S", "K", "", f, 1); }), "");
    EXPECT_EQ(With([](const auto& f) { return ReadIniStringN("S", "K", "", f, 0); }), "");
    EXPECT_EQ(With([](const auto& f) { return ReadIniStringN("S", "K", "", f, 1000); }), std::string(511, 'x'));
    EXPECT_EQ(With([](const auto& f) { return ReadIniStringN("S", "ABSENT", "abcdef", f, 4); }), "abc");
}

TEST_P(IniReaderSource, ACutNeverSplitsACharacter)
{
    UseValue("ab\xC3\xA9\xE2\x82\xAC"); // "abé€": bytes 2-3 and 4-6 form one character each
    const std::pair<size_t, const char*> rows[] = {
        {3, "ab"}, {4, "ab"}, {5, "ab\xC3\xA9"}, {6, "ab\xC3\xA9"}, {7, "ab\xC3\xA9"}, {8, "ab\xC3\xA9\xE2\x82\xAC"},
    };
    for (const auto& [n, expected] : rows) {
        SCOPED_TRACE(n);
        EXPECT_EQ(With([n = n](const auto& f) { return ReadIniStringN("S", "K", "", f, n); }), expected);
    }
}

TEST_P(IniReaderSource, FontsFallBackToTheDefaultSpec)
{
    const std::pair<const char*, FontSpec> rows[] = {
        {"Courier New, 100, bi", {"Courier New", 100, true, true}},
        {"Arial,90", {"Arial", 90}},
        {",80,B", {"Arial", 80, true}},       // no face: the default
        {"Arial,big,B", {"Arial", 80, true}}, // size not a number: the default
        {"", {"Arial", 80, true}},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        UseValue(text);
        EXPECT_EQ(With([](const auto& f) { return ReadIniFont("S", "K", "Arial,80,B", f); }), expected);
    }
    UseValue("");
    EXPECT_EQ(With([](const auto& f) { return ReadIniFont("S", "K", "", f); }), FontSpec{});
}

TEST(IniReaders, AMissingOrUnreadableFileGivesEveryDefault)
{
    const std::string missing = "/nonexistent-dir/Tarvik.ini";
    const std::string directory = std::filesystem::temp_directory_path().string();
    for (const std::string& path : {missing, directory}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ReadIniString("S", "K", "d", path), "d");
        EXPECT_EQ(ReadIniString("S", "K", std::nullopt, path), std::nullopt);
        EXPECT_TRUE(ReadIniBool("S", "K", true, path));
        EXPECT_EQ(ReadIniIntInRange("S", "K", 5, path, 1, 10, true), 5u);
        EXPECT_EQ(ReadIniColor("S", "K", 0xAB, path), 0xABu);
        EXPECT_EQ(ReadIniIpAddress("S", "K", path), (Address{0, 0, 0, 0}));
    }
}

} // namespace
