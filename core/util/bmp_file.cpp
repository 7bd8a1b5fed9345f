#include "core/util/bmp_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

// Pixels per metre of a 96 dots-per-inch screen.
constexpr uint32_t kScreenResolution = 3780;

void PutU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    PutU16(out, value & 0xFFFFu);
    PutU16(out, value >> 16);
}

bool IsDescribable(const BmpPicture& picture)
{
    if (picture.rows == nullptr || picture.width <= 0 || picture.height <= 0)
        return false;
    switch (picture.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
        return !picture.palette.empty() && picture.palette.size() <= (size_t{1} << picture.bitsPerPixel);
    case 24:
    case 32:
        return picture.palette.empty();
    default:
        return false;
    }
}

} // namespace

size_t BmpRowSize(int width, int bitsPerPixel)
{
    const size_t bits = static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel);
    return (bits + 31) / 32 * 4;
}

std::vector<uint8_t> EncodeBmp(const BmpPicture& picture)
{
    if (!IsDescribable(picture))
        return {};
    const size_t pixelBytes = (static_cast<size_t>(picture.width) * picture.bitsPerPixel + 7) / 8;
    if (picture.stride < pixelBytes)
        return {};
    const size_t rowSize = BmpRowSize(picture.width, picture.bitsPerPixel);
    const size_t imageSize = rowSize * static_cast<size_t>(picture.height);
    const size_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + picture.palette.size() * 4;
    if (offset + imageSize > UINT32_MAX)
        return {};

    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<uint32_t>(offset + imageSize));
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, static_cast<uint32_t>(offset));

    PutU32(out, kBmpInfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(picture.width));
    PutU32(out, static_cast<uint32_t>(picture.height)); // positive: the rows run bottom-up
    PutU16(out, 1);
    PutU16(out, static_cast<uint32_t>(picture.bitsPerPixel));
    PutU32(out, 0); // no compression
    PutU32(out, static_cast<uint32_t>(imageSize));
    PutU32(out, kScreenResolution);
    PutU32(out, kScreenResolution);
    PutU32(out, static_cast<uint32_t>(picture.palette.size()));
    PutU32(out, 0);

    for (uint32_t colour : picture.palette) {
        out.push_back(static_cast<uint8_t>(colour));       // blue
        out.push_back(static_cast<uint8_t>(colour >> 8));  // green
        out.push_back(static_cast<uint8_t>(colour >> 16)); // red
        out.push_back(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const uint8_t* row = picture.rows + static_cast<size_t>(y) * picture.stride;
        out.insert(out.end(), row, row + pixelBytes);
        out.insert(out.end(), rowSize - pixelBytes, 0);
    }
    return out;
}

bool WriteBmpFile(const std::string& path, const BmpPicture& picture, std::string* error)
{
    const std::vector<uint8_t> bytes = EncodeBmp(picture);
    if (bytes.empty()) {
        if (error != nullptr)
            *error = path + ": the picture cannot be written as a bitmap";
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file.is_open())
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.is_open())
        file.close();
    if (!file) {
        if (error != nullptr)
            *error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
