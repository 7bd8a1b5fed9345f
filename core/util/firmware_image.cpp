#include "core/util/firmware_image.h"

#include "core/util/md5.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

namespace {

std::string FieldText(const std::array<uint8_t, kFirmwareHeaderSize>& bytes, size_t offset, size_t width)
{
    const auto* begin = reinterpret_cast<const char*>(bytes.data() + offset);
    return std::string(begin, strnlen(begin, width));
}

void PutField(std::vector<uint8_t>& image, size_t offset, size_t width, std::string_view text)
{
    const size_t length = std::min(text.size(), width - 1);
    std::memcpy(image.data() + offset, text.data(), length);
}

} // namespace

uint32_t FirmwareImageHeader::PayloadLength() const
{
    return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
           (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

std::string FirmwareImageHeader::TypeName() const
{
    return FieldText(bytes, kFirmwareTypeOffset, kFirmwareTypeWidth);
}

std::string FirmwareImageHeader::Version() const
{
    return FieldText(bytes, kFirmwareVersionOffset, kFirmwareVersionWidth);
}

int32_t GetFileSizeByPath(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > std::numeric_limits<int32_t>::max())
        return -1;
    return static_cast<int32_t>(info.st_size);
}

int CheckImageFile(const std::string& path, FirmwareImageHeader* header)
{
    const int32_t size = GetFileSizeByPath(path);
    if (size < 0)
        return -1;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::printf("Error opening file %s\n", path.c_str());
        return -1;
    }
    FirmwareImageHeader read;
    if (!file.read(reinterpret_cast<char*>(read.bytes.data()), kFirmwareHeaderSize))
        return -1;
    const uint64_t length = read.PayloadLength();
    if (static_cast<uint64_t>(size) != length + kFirmwareHeaderSize + kFirmwareDigestSize)
        return -1;

    Md5Context context;
    Md5Init(context);
    Md5Update(context, read.bytes.data(), kFirmwareHeaderSize);
    char block[kFirmwareReadBlock];
    for (uint64_t left = length; left > 0;) {
        const auto step = static_cast<std::streamsize>(std::min<uint64_t>(left, sizeof block));
        if (!file.read(block, step))
            return -1;
        Md5Update(context, block, static_cast<size_t>(step));
        left -= static_cast<uint64_t>(step);
    }
    Md5Digest stored{};
    if (!file.read(reinterpret_cast<char*>(stored.data()), kFirmwareDigestSize))
        return -1;
    Md5Digest computed{};
    Md5Final(context, computed);
    if (computed != stored)
        return -1;
    if (header != nullptr)
        *header = read;
    return 0;
}

std::vector<uint8_t> BuildFirmwareImage(std::string_view typeName, std::string_view version,
                                        const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> image(kFirmwareHeaderSize + payload.size() + kFirmwareDigestSize, 0);
    const auto length = static_cast<uint32_t>(payload.size());
    image[0] = static_cast<uint8_t>(length >> 24);
    image[1] = static_cast<uint8_t>(length >> 16);
    image[2] = static_cast<uint8_t>(length >> 8);
    image[3] = static_cast<uint8_t>(length);
    PutField(image, kFirmwareTypeOffset, kFirmwareTypeWidth, typeName);
    PutField(image, kFirmwareVersionOffset, kFirmwareVersionWidth, version);
    std::copy(payload.begin(), payload.end(), image.begin() + kFirmwareHeaderSize);
    Md5Context context;
    Md5Init(context);
    Md5Update(context, image.data(), kFirmwareHeaderSize + payload.size());
    Md5Digest digest{};
    Md5Final(context, digest);
    std::copy(digest.begin(), digest.end(), image.end() - kFirmwareDigestSize);
    return image;
}
