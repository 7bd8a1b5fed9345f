// The firmware image check: the exact size L + 80, the MD5 trailer over header and payload wherever L falls against
// the 2048-byte read blocks, and the header handed back only for a sound image. The images are made here byte by
// byte, apart from the builder whose output the check must accept.
#include "core/util/firmware_image.h"

#include "core/util/md5.h"
#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// An image of L payload bytes framed by hand: big-endian length, type, version, payload, digest.
Bytes HandMadeImage(uint32_t length, const std::string& type = "RLX4100FW", const std::string& version = "2.4.1")
{
    Bytes image(64, 0);
    image[0] = static_cast<uint8_t>(length >> 24);
    image[1] = static_cast<uint8_t>(length >> 16);
    image[2] = static_cast<uint8_t>(length >> 8);
    image[3] = static_cast<uint8_t>(length);
    std::copy(type.begin(), type.end(), image.begin() + 4);
    std::copy(version.begin(), version.end(), image.begin() + 20);
    for (uint32_t i = 0; i < length; ++i)
        image.push_back(static_cast<uint8_t>(i * 7 + 3));
    Md5Context context;
    Md5Init(context);
    Md5Update(context, image.data(), image.size());
    Md5Digest digest{};
    Md5Final(context, digest);
    image.insert(image.end(), digest.begin(), digest.end());
    return image;
}

class FirmwareImageTest : public TempFileTest {
protected:
    FirmwareImageTest() : TempFileTest("tarvik-image-", "image.enc") {}

    int Check(const Bytes& bytes, FirmwareImageHeader* header = nullptr)
    {
        Write(std::string(bytes.begin(), bytes.end()));
        return CheckImageFile(path_, header);
    }
};

TEST_F(FirmwareImageTest, OneImageAgainstEachWayOfSpoilingIt)
{
    const struct {
        const char* name;
        uint32_t length;
        std::function<void(Bytes&)> spoil;
        int result;
    } cases[] = {
        {"sound", 300, [](Bytes&) {}, 0},
        {"one byte more", 300, [](Bytes& b) { b.push_back(0); }, -1},
        {"one byte less", 300, [](Bytes& b) { b.pop_back(); }, -1},
        {"payload byte changed", 300, [](Bytes& b) { b[100] ^= 1; }, -1},
        {"header byte changed", 300, [](Bytes& b) { b[30] ^= 0x80; }, -1},
        {"last digest byte changed", 300, [](Bytes& b) { b.back() ^= 1; }, -1},
        {"length says one more", 300, [](Bytes& b) { b[3] += 1; }, -1},
        {"empty payload", 0, [](Bytes&) {}, 0},
        {"empty payload, digest changed", 0, [](Bytes& b) { b[70] ^= 1; }, -1},
        {"header only", 0, [](Bytes& b) { b.resize(64); }, -1},
        {"shorter than a header", 0, [](Bytes& b) { b.resize(20); }, -1},
        {"empty file", 0, [](Bytes& b) { b.clear(); }, -1},
    };
    for (const auto& c : cases) {
        Bytes image = HandMadeImage(c.length);
        c.spoil(image);
        EXPECT_EQ(Check(image), c.result) << c.name;
    }
}

TEST_F(FirmwareImageTest, TheDigestCoversExactlyThePayloadWhereverItEndsAgainstTheReadBlocks)
{
    for (uint32_t length : {1u, 1983u, 1984u, 1985u, 2047u, 2048u, 2049u, 4095u, 4096u, 4097u, 6144u + 13u}) {
        Bytes image = HandMadeImage(length);
        EXPECT_EQ(Check(image), 0) << length;
        image[64 + length - 1] ^= 0x10; // the payload's last byte
        EXPECT_EQ(Check(image), -1) << length;
    }
}

TEST_F(FirmwareImageTest, TheLengthWordIsBigEndian)
{
    Bytes image = HandMadeImage(256);
    ASSERT_EQ(image.size(), 336u);
    EXPECT_EQ((Bytes{image.begin(), image.begin() + 4}), (Bytes{0x00, 0x00, 0x01, 0x00}));
    FirmwareImageHeader header;
    ASSERT_EQ(Check(image, &header), 0);
    EXPECT_EQ(header.PayloadLength(), 256u);
}

TEST_F(FirmwareImageTest, TheHeaderComesBackOnlyFromASoundImage)
{
    FirmwareImageHeader header;
    header.bytes.fill(0xEE);
    Bytes image = HandMadeImage(10, "QX7200", "QX7200 v3.1.0 build 17");
    image.back() ^= 1;
    ASSERT_EQ(Check(image, &header), -1);
    EXPECT_EQ(header.bytes[4], 0xEE);

    image.back() ^= 1;
    ASSERT_EQ(Check(image, &header), 0);
    EXPECT_EQ(header.TypeName(), "QX7200");
    EXPECT_EQ(header.Version(), "QX7200 v3.1.0 build 17");
    EXPECT_EQ(header.PayloadLength(), 10u);
}

TEST_F(FirmwareImageTest, TextsThatFillTheirFieldsEndAtTheFieldsEnd)
{
    Bytes image = HandMadeImage(5, std::string(16, 'T'), std::string(44, 'V'));
    FirmwareImageHeader header;
    ASSERT_EQ(Check(image, &header), 0);
    EXPECT_EQ(header.TypeName(), std::string(16, 'T'));
    EXPECT_EQ(header.Version(), std::string(44, 'V'));
}

TEST_F(FirmwareImageTest, AMissingFileOrADirectoryIsNoImage)
{
    EXPECT_EQ(CheckImageFile((dir_ / "absent.enc").string()), -1);
    EXPECT_EQ(GetFileSizeByPath((dir_ / "absent.enc").string()), -1);
    EXPECT_EQ(CheckImageFile(dir_.string()), -1);
    EXPECT_EQ(GetFileSizeByPath(dir_.string()), -1);
}

TEST_F(FirmwareImageTest, TheBuilderFramesAnImageAsTheNeBuildsDo)
{
    const Bytes payload(5000, 0x5A);
    const Bytes built = BuildFirmwareImage("RLX4100BR", "1.0.7", payload);
    Bytes byHand = HandMadeImage(0, "RLX4100BR", "1.0.7");
    byHand.resize(64);
    byHand[0] = 0;
    byHand[2] = 0x13;
    byHand[3] = 0x88; // 5000
    byHand.insert(byHand.end(), payload.begin(), payload.end());
    Md5Context context;
    Md5Init(context);
    Md5Update(context, byHand.data(), byHand.size());
    Md5Digest digest{};
    Md5Final(context, digest);
    byHand.insert(byHand.end(), digest.begin(), digest.end());
    EXPECT_EQ(built, byHand);
    EXPECT_EQ(Check(built), 0);
    EXPECT_EQ(GetFileSizeByPath(path_), 5080);
}

} // namespace
