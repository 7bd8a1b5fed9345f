#include "core/util/wave_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr size_t kChunkHeader = 8;
constexpr size_t kFormatMin = 16;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint16_t kMostChannels = 8;
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 384000;

uint16_t U16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t U32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

bool SampleSizeTaken(uint16_t format, uint16_t bits)
{
    if (format == kFormatFloat)
        return bits == 32;
    return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

std::optional<WaveFormat> ReadWaveFormat(const uint8_t* bytes, size_t size)
{
    if (size > kWaveFileMax || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return std::nullopt;
    // The RIFF size may say less than the file holds (trailing bytes) or more (a file cut short): the chunks are read
    // within both.
    const size_t end = std::min<size_t>(size, static_cast<size_t>(U32(bytes + 4)) + 8);
    std::optional<WaveFormat> format;
    for (size_t at = 12; end >= kChunkHeader && at <= end - kChunkHeader;) {
        const uint8_t* chunk = bytes + at;
        const size_t chunkSize = U32(chunk + 4);
        const size_t body = at + kChunkHeader;
        const size_t room = end - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize < kFormatMin || chunkSize > room)
                return std::nullopt;
            WaveFormat read;
            const uint8_t* f = bytes + body;
            read.format = U16(f);
            read.channels = U16(f + 2);
            read.sampleRate = U32(f + 4);
            const uint16_t blockAlign = U16(f + 12);
            read.bitsPerSample = U16(f + 14);
            const uint16_t sampleFormat = read.format == kFormatExtensible ? kFormatPcm : read.format;
            if ((read.format != kFormatPcm && read.format != kFormatFloat && read.format != kFormatExtensible) ||
                read.channels == 0 || read.channels > kMostChannels || read.sampleRate < kLowestRate ||
                read.sampleRate > kHighestRate || !SampleSizeTaken(sampleFormat, read.bitsPerSample) ||
                blockAlign != read.channels * read.bitsPerSample / 8)
                return std::nullopt;
            format = read;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!format)
                return std::nullopt;
            const size_t frame = static_cast<size_t>(format->channels) * format->bitsPerSample / 8;
            const size_t samples = std::min(chunkSize, room);
            format->dataOffset = body;
            format->dataSize = samples - samples % frame;
            if (format->dataSize == 0)
                return std::nullopt;
            return format;
        }
        // The next chunk, after the pad byte of an odd size.
        if (chunkSize > room)
            return std::nullopt;
        at = body + chunkSize + (chunkSize & 1);
    }
    return std::nullopt;
}

std::optional<WaveFormat> ReadWaveFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<uint64_t>(size) > kWaveFileMax)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return ReadWaveFormat(bytes.data(), bytes.size());
}
