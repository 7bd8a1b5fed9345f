#include "core/util/bmp_file.h"

#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

// A 3 x 3 picture of 24 bits: each row's pixels hold its number, so that the order of the rows in the file shows.
TEST(BmpFile, OddSizeTrueColourPictureRunsBottomUpWithRowsPaddedToFourBytes)
{
    std::vector<uint8_t> rows;
    const size_t stride = 10; // wider than the 9 bytes of pixels, as a screen picture's rows may be
    for (uint8_t row = 1; row <= 3; ++row) {
        for (int x = 0; x < 9; ++x)
            rows.push_back(static_cast<uint8_t>(row * 16 + x));
        rows.push_back(0xEE); // beyond the pixels: never copied
    }
    const std::vector<uint8_t> bytes = EncodeBmp({3, 3, 24, {}, rows.data(), stride});

    const std::vector<uint8_t> header = {
        'B',  'M',  90, 0, 0, 0, // file size: 54 + 3 rows of 12 bytes
        0,    0,    0,  0,       // reserved
        54,   0,    0,  0,       // pixel offset
        40,   0,    0,  0,       // information header size
        3,    0,    0,  0,       // width
        3,    0,    0,  0,       // height, positive: bottom-up
        1,    0,                 // planes
        24,   0,                 // bits per pixel
        0,    0,    0,  0,       // no compression
        36,   0,    0,  0,       // image size
        0xC4, 0x0E, 0,  0,       // 3780 pixels per metre across
        0xC4, 0x0E, 0,  0,       // and down
        0,    0,    0,  0,       // no colour table
        0,    0,    0,  0,
    };
    ASSERT_EQ(bytes.size(), 90u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 54), header);
    for (int fileRow = 0; fileRow < 3; ++fileRow) {
        const uint8_t pictureRow = static_cast<uint8_t>(3 - fileRow); // the middle row stays in the middle
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(bytes[54 + fileRow * 12 + x], pictureRow * 16 + x) << fileRow << "," << x;
        for (int pad = 9; pad < 12; ++pad)
            EXPECT_EQ(bytes[54 + fileRow * 12 + pad], 0) << "padding of row " << fileRow;
    }
}

TEST(BmpFile, IndexedPictureCarriesItsColourTable)
{
    const std::vector<uint8_t> rows = {0, 1, 2, 1, 0, 2, 2, 2, 1, 1};
    const std::vector<uint8_t> bytes = EncodeBmp({5, 2, 8, {0xFF0000, 0x00FF00, 0x102030}, rows.data(), 5});

    ASSERT_EQ(bytes.size(), 54u + 12u + 16u);
    EXPECT_EQ(U32At(bytes, 2), 82u);  // file size
    EXPECT_EQ(U32At(bytes, 10), 66u); // pixels after the three entries of the table
    EXPECT_EQ(bytes[28], 8);          // bits per pixel
    EXPECT_EQ(U32At(bytes, 34), 16u); // two rows of 8 bytes
    EXPECT_EQ(U32At(bytes, 46), 3u);  // colours in the table
    const std::vector<uint8_t> table = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0x30, 0x20, 0x10, 0}; // blue, green, red, 0
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 54, bytes.begin() + 66), table);
    const std::vector<uint8_t> pixels = {2, 2, 2, 1, 1, 0, 0, 0, 0, 1, 2, 1, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 66, bytes.end()), pixels);
}

TEST(BmpFile, RowSizesRoundUpToWholeWords)
{
    const struct {
        int width;
        int bits;
        size_t size;
    } rows[] = {{1, 1, 4}, {33, 1, 8}, {7, 4, 4},   {9, 4, 8},   {3, 8, 4},
                {5, 8, 8}, {1, 24, 4}, {4, 24, 12}, {5, 24, 16}, {3, 32, 12}};
    for (const auto& row : rows)
        EXPECT_EQ(BmpRowSize(row.width, row.bits), row.size) << row.width << " x " << row.bits;
}

TEST(BmpFile, RefusesWhatItCannotDescribe)
{
    const std::vector<uint8_t> pixels(64, 0);
    const BmpPicture cases[] = {
        {0, 2, 24, {}, pixels.data(), 12},      // no width
        {2, -1, 24, {}, pixels.data(), 12},     // no height
        {2, 2, 16, {}, pixels.data(), 12},      // a depth without a layout here
        {2, 2, 8, {}, pixels.data(), 4},        // indexes without a table
        {2, 2, 1, {0, 1, 2}, pixels.data(), 4}, // more colours than the depth can name
        {2, 2, 24, {0}, pixels.data(), 12},     // a table for true colour
        {2, 2, 24, {}, nullptr, 12},            // no pixels
        {4, 2, 24, {}, pixels.data(), 8},       // rows shorter than their pixels
    };
    for (const BmpPicture& picture : cases)
        EXPECT_TRUE(EncodeBmp(picture).empty())
            << picture.width << " x " << picture.height << " x " << picture.bitsPerPixel;
}

TEST(BmpFile, WritesTheFileOrSaysWhyNot)
{
    CTempDir dir;
    const std::vector<uint8_t> pixels(12, 0x7F);
    const BmpPicture picture{2, 2, 24, {}, pixels.data(), 6};
    const std::string path = (dir.Path() / "panel.bmp").string();
    std::string error;
    ASSERT_TRUE(WriteBmpFile(path, picture, &error)) << error;
    EXPECT_EQ(ReadText(path).size(), 54u + 16u);

    const std::string unwritable = (dir.Path() / "missing" / "panel.bmp").string();
    EXPECT_FALSE(WriteBmpFile(unwritable, picture, &error));
    EXPECT_NE(error.find(unwritable), std::string::npos) << error;
}

} // namespace
