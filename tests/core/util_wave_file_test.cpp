// The wave file of the alarm sound as it is read before the player gets it: the program's own sound and the common
// shapes of a wave file are taken with their format and samples, and what the player could not play, or what would
// make it read past the file, is refused.
#include "core/util/wave_file.h"
#include "tarvik_test_paths.h"

#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string U16(uint16_t value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string U32(uint32_t value)
{
    return U16(static_cast<uint16_t>(value)) + U16(static_cast<uint16_t>(value >> 16));
}

std::string Chunk(const std::string& id, const std::string& body)
{
    return id + U32(static_cast<uint32_t>(body.size())) + body + (body.size() % 2 != 0 ? std::string(1, '\0') : "");
}

std::string Fmt(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits, uint16_t blockAlign = 0)
{
    const uint16_t align = blockAlign != 0 ? blockAlign : static_cast<uint16_t>(channels * bits / 8);
    return Chunk("fmt ", U16(format) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits));
}

std::string Riff(const std::string& chunks)
{
    return "RIFF" + U32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

std::optional<WaveFormat> Read(const std::string& bytes)
{
    return ReadWaveFormat(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(WaveFile, TheProgramsAlarmSoundIsTaken)
{
    const std::optional<WaveFormat> format = ReadWaveFile(std::string(TARVIK_RESOURCES_DIR) + "/Sound/Alarm.wav");
    ASSERT_TRUE(format);
    EXPECT_EQ(format->format, 1);
    EXPECT_EQ(format->channels, 1);
    EXPECT_EQ(format->sampleRate, 22050u);
    EXPECT_EQ(format->bitsPerSample, 16);
    EXPECT_EQ(format->dataOffset, 44u);
    EXPECT_EQ(format->dataSize, 46304u);
}

TEST(WaveFile, CommonShapesAreTakenWithTheirSamples)
{
    const std::string samples(100, '\x10');
    const struct {
        const char* name;
        std::string bytes;
        size_t dataOffset;
        size_t dataSize;
    } cases[] = {
        {"8-bit stereo", Riff(Fmt(1, 2, 8000, 8) + Chunk("data", samples)), 36 + 8, 100},
        {"a chunk of odd size before the format",
         Riff(Chunk("LIST", "abc") + Fmt(1, 1, 44100, 16) + Chunk("data", samples)), 48 + 8, 100},
        {"float", Riff(Fmt(3, 1, 48000, 32) + Chunk("data", samples)), 44, 100},
        {"cut short: the samples that are there, whole frames",
         Riff(Fmt(1, 2, 8000, 16) + Chunk("data", samples)).substr(0, 44 + 37), 44, 36},
    };
    for (const auto& c : cases) {
        const std::optional<WaveFormat> format = Read(c.bytes);
        ASSERT_TRUE(format) << c.name;
        EXPECT_EQ(format->dataOffset, c.dataOffset) << c.name;
        EXPECT_EQ(format->dataSize, c.dataSize) << c.name;
    }
}

TEST(WaveFile, WhatThePlayerCannotPlayIsRefused)
{
    const std::string samples(100, '\x10');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"no RIFF", "RIFX" + Riff(Fmt(1, 1, 8000, 8) + Chunk("data", samples)).substr(4)},
        {"samples before the format", Riff(Chunk("data", samples) + Fmt(1, 1, 8000, 8))},
        {"no samples", Riff(Fmt(1, 1, 8000, 8) + Chunk("data", ""))},
        {"a compressed format", Riff(Fmt(2, 1, 8000, 4) + Chunk("data", samples))},
        {"no channel", Riff(Fmt(1, 0, 8000, 8) + Chunk("data", samples))},
        {"nine channels", Riff(Fmt(1, 9, 8000, 8) + Chunk("data", samples))},
        {"12-bit samples", Riff(Fmt(1, 1, 8000, 12, 2) + Chunk("data", samples))},
        {"a block alignment that does not fit", Riff(Fmt(1, 2, 8000, 16, 2) + Chunk("data", samples))},
        {"a rate of 999", Riff(Fmt(1, 1, 999, 8) + Chunk("data", samples))},
        {"a chunk larger than the file",
         Riff(Chunk("LIST", "abc").substr(0, 4) + U32(0xFFFFFFF0u) + Fmt(1, 1, 8000, 8))},
        {"a format chunk of 15 bytes", Riff(Chunk("fmt ", std::string(15, '\1')) + Chunk("data", samples))},
        {"empty", ""},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Read(c.bytes)) << c.name;
}

TEST(WaveFile, AFileLargerThanAnAlarmSoundIsNotRead)
{
    CTempDir dir;
    std::string bytes = Riff(Fmt(1, 1, 8000, 8) + Chunk("data", std::string(kWaveFileMax, '\x10')));
    WriteText(dir.Path() / "long.wav", bytes);
    EXPECT_FALSE(ReadWaveFile((dir.Path() / "long.wav").string()));
    bytes.resize(kWaveFileMax);
    WriteText(dir.Path() / "long.wav", bytes);
    EXPECT_TRUE(ReadWaveFile((dir.Path() / "long.wav").string())) << "at the limit";
}

} // namespace
