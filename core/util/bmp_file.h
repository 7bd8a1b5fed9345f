#pragma once
// A device-independent bitmap written as a .bmp file: the 14-byte file header, the 40-byte information header, the
// colour table of a picture of at most 8 bits per pixel, then the pixel rows bottom-up, each padded to a multiple of
// 4 bytes. Window-free: the caller hands the pixels over as rows in memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t kBmpFileHeaderSize = 14;
inline constexpr size_t kBmpInfoHeaderSize = 40;

struct BmpPicture {
    int width = 0;
    int height = 0;
    // 1, 4 or 8 (indexes into the palette, the leftmost pixel in the high bits of a byte), 24 (blue, green, red) or
    // 32 (blue, green, red, unused).
    int bitsPerPixel = 24;
    // The colour table of 1, 4 and 8 bits per pixel, 0x00RRGGBB, at most 2^bitsPerPixel entries; empty otherwise.
    std::vector<uint32_t> palette;
    // The rows top-down, `stride` bytes apart; each holds at least (width * bitsPerPixel + 7) / 8 bytes.
    const uint8_t* rows = nullptr;
    size_t stride = 0;
};

// The bytes of a row in the file: the pixels rounded up to whole bytes, then up to a multiple of 4.
size_t BmpRowSize(int width, int bitsPerPixel);

// The whole file; empty for a picture it cannot describe (no pixels, a size of 0 or below, a depth other than
// 1, 4, 8, 24, 32, a palette that does not fit the depth or is missing for a depth of 8 or less).
std::vector<uint8_t> EncodeBmp(const BmpPicture& picture);

// Writes the file, replacing one that exists; false, with *error naming the file and the reason, when the picture
// cannot be encoded or the file cannot be written whole.
bool WriteBmpFile(const std::string& path, const BmpPicture& picture, std::string* error = nullptr);
