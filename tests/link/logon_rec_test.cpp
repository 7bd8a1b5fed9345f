#include "link/records/logon_rec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/util/md5.h"
#include "tests/link/record_golden.h"

namespace {

TEST(LogonRec, EncodesTheGoldenBytes)
{
    LogonRec rec;
    rec.userName = "operator01";
    rec.passwordDigest = Md5HexString("admin").substr(0, 10); // 21232f297a57a5a743894a0e4a801fc3
    rec.trapPort = 19462;
    const std::vector<uint8_t> golden = {
        'o',  'p',  'e', 'r', 'a', 't', 'o', 'r', '0', '1', 0, // user name, 11 bytes
        '2',  '1',  '2', '3', '2', 'f', '2', '9', '7', 'a', 0, // digest, 11 bytes
        0x06, 0x4C,                                            // 19462 little-endian
    };
    record_golden::ExpectGolden(rec, golden, &LogonRec::userName, &LogonRec::passwordDigest);
    LogonRec back;
    ASSERT_TRUE(DecodeLogonRec(golden.data(), golden.size(), back));
    EXPECT_EQ(back, rec);
}

TEST(LogonRec, DecodeWantsExactlyTheRecordSize)
{
    std::array<uint8_t, kLogonRecSize + 1> bytes{};
    LogonRec rec;
    EXPECT_FALSE(DecodeLogonRec(bytes.data(), kLogonRecSize - 1, rec));
    EXPECT_FALSE(DecodeLogonRec(bytes.data(), kLogonRecSize + 1, rec));
    EXPECT_FALSE(DecodeLogonRec(nullptr, kLogonRecSize, rec));
}

TEST(LogonRec, UnterminatedFieldsStopAtTheirWidth)
{
    std::array<uint8_t, kLogonRecSize> bytes;
    bytes.fill('z');
    LogonRec rec;
    ASSERT_TRUE(DecodeLogonRec(bytes.data(), bytes.size(), rec));
    EXPECT_EQ(rec.userName, "zzzzzzzzzz");
    EXPECT_EQ(rec.passwordDigest, "zzzzzzzzzz");
}

// A name that fills its field with a two-byte character across the place of its terminating zero: the server keeps
// whole characters, so the name it reads is the one the workstation would send back.
TEST(LogonRec, AnUnterminatedNameIsCutBeforeAHalfCharacter)
{
    std::array<uint8_t, kLogonRecSize> bytes{};
    const std::string name = "abcdefghi\xC3\xA9"; // nine letters and an e with an acute accent
    std::copy(name.begin(), name.end(), bytes.begin());
    LogonRec rec;
    ASSERT_TRUE(DecodeLogonRec(bytes.data(), bytes.size(), rec));
    EXPECT_EQ(rec.userName, "abcdefghi");
    LogonRec again;
    const auto encoded = EncodeRecord(rec);
    ASSERT_TRUE(DecodeLogonRec(encoded.data(), encoded.size(), again));
    EXPECT_EQ(again, rec);
}

} // namespace
