#pragma once
// The framing of a wave file, read before the alarm sound is handed to the platform's player, so that what the player
// decodes is a file of a shape it knows and of a bounded size:
//
//     "RIFF", u32 size, "WAVE", then chunks: 4-byte id, u32 size, the data, a pad byte after an odd size
//     "fmt " (16 bytes at least): u16 format (1 PCM, 3 float, 0xFFFE extensible), u16 channels, u32 sample rate,
//            u32 byte rate, u16 block align, u16 bits per sample
//     "data": the samples; the first one after "fmt " ends the reading
//
// All numbers are little-endian. Chunks of other ids are skipped.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The largest wave file played: an alarm sound is a few seconds long.
inline constexpr size_t kWaveFileMax = 16 * 1024 * 1024;

struct WaveFormat {
    uint16_t format = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    size_t dataOffset = 0; // where the samples start
    size_t dataSize = 0;   // bytes of samples in the file, whole frames
};

// The format of the wave file in `bytes`; nullopt for what is no playable wave file: another framing, a format,
// channel count, rate or sample size the player does not take, a block alignment that does not fit them, no samples,
// or more than kWaveFileMax bytes.
std::optional<WaveFormat> ReadWaveFormat(const uint8_t* bytes, size_t size);
// The same for the file at `path`, which is read only when it is no larger than kWaveFileMax.
std::optional<WaveFormat> ReadWaveFile(const std::string& path);
