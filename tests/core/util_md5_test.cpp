#include "core/util/md5.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

struct Vector {
    const char* text;
    const char* digest;
};

// The test suite of RFC 1321, appendix A.5.
const Vector kRfcVectors[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

std::string DigestInChunks(const std::string& text, size_t chunk)
{
    Md5Context context;
    Md5Init(context);
    for (size_t pos = 0; pos < text.size(); pos += chunk)
        Md5Update(context, text.data() + pos, std::min(chunk, text.size() - pos));
    Md5Digest digest{};
    Md5Final(context, digest);
    return Md5DigestToHex(digest);
}

TEST(Md5, RfcVectors)
{
    for (const auto& v : kRfcVectors) {
        SCOPED_TRACE(v.text);
        EXPECT_EQ(Md5HexString(v.text), v.digest);
    }
}

TEST(Md5, RfcVectorsInOddChunks)
{
    for (const auto& v : kRfcVectors) {
        for (size_t chunk : {1, 3, 7, 13, 55, 56, 63, 64, 65}) {
            SCOPED_TRACE(std::string(v.text) + " chunk " + std::to_string(chunk));
            EXPECT_EQ(DigestInChunks(v.text, chunk), v.digest);
        }
    }
}

TEST(Md5, PaddingBoundaries)
{
    // Lengths around the 56-byte padding limit and block ends take different padding paths.
    for (size_t length : {55, 56, 57, 63, 64, 65, 119, 120, 121, 128}) {
        const std::string text(length, 'x');
        EXPECT_EQ(DigestInChunks(text, 1), Md5HexString(text)) << length;
        EXPECT_EQ(DigestInChunks(text, 17), Md5HexString(text)) << length;
    }
    EXPECT_EQ(Md5HexString(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5, TextWithZeroBytesIsHashedWhole)
{
    const std::string withNul("a\0b", 3);
    EXPECT_NE(Md5HexString(withNul), Md5HexString("a"));
    EXPECT_EQ(Md5HexString(withNul), DigestInChunks(withNul, 1));
}

TEST(Md5OfStream, FromCurrentPositionToTheEnd)
{
    std::istringstream in(std::string("HEADER") + "message digest", std::ios::binary);
    in.seekg(6);
    Md5Digest digest{};
    ASSERT_EQ(Md5OfStream(in, digest), 0);
    EXPECT_EQ(Md5DigestToHex(digest), "f96b697d7cb7938d525a2f31aaf161d0");
    // Left at its end and usable.
    EXPECT_TRUE(in.good());
    EXPECT_EQ(in.tellg(), std::streampos(20));
    ASSERT_EQ(Md5OfStream(in, digest), 0);
    EXPECT_EQ(Md5DigestToHex(digest), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5OfStream, EmptyAndBlockMultipleLengths)
{
    Md5Digest digest{};
    std::istringstream empty("", std::ios::binary);
    ASSERT_EQ(Md5OfStream(empty, digest), 0);
    EXPECT_EQ(Md5DigestToHex(digest), "d41d8cd98f00b204e9800998ecf8427e");

    for (size_t length : {2047, 2048, 2049, 4096, 6144 + 5}) {
        std::string data(length, '\0');
        for (size_t i = 0; i < length; ++i)
            data[i] = static_cast<char>(i * 7 + 3);
        std::istringstream in(data, std::ios::binary);
        ASSERT_EQ(Md5OfStream(in, digest), 0) << length;
        EXPECT_EQ(Md5DigestToHex(digest), Md5HexString(data)) << length;
    }
}

TEST(Md5OfStream, FailedStreamGivesMinusOne)
{
    std::istringstream in("abc");
    in.setstate(std::ios::badbit);
    Md5Digest digest{};
    EXPECT_EQ(Md5OfStream(in, digest), -1);

    std::stringbuf* none = nullptr;
    std::istream noBuffer(none);
    EXPECT_EQ(Md5OfStream(noBuffer, digest), -1);
}

} // namespace
