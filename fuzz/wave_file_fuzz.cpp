// Bytes of any shape are read as the wave file of the alarm sound before the player gets it: a file taken has a
// format the player knows, and its samples are whole frames inside the file; the file read from disk is judged as
// its bytes are.
#include "core/util/wave_file.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_file.h"

#include <cstdint>

namespace {

constexpr size_t kInputMax = 256 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kInputMax)
        return 0;
    const std::optional<WaveFormat> format = ReadWaveFormat(data, size);
    if (format) {
        FuzzCheck(format->channels >= 1 && format->channels <= 8);
        FuzzCheck(format->bitsPerSample >= 8 && format->bitsPerSample % 8 == 0 && format->bitsPerSample <= 32);
        FuzzCheck(format->dataSize > 0 && format->dataOffset + format->dataSize <= size);
        FuzzCheck(format->dataSize % (format->channels * format->bitsPerSample / 8) == 0);
    }
    // The file as the player is given it, once in a while: the bytes decide alike.
    if (size % 8 == 0) {
        static CFuzzFile file("alarm.wav");
        const std::optional<WaveFormat> fromFile = ReadWaveFile(file.Write(data, size));
        FuzzCheck(fromFile.has_value() == format.has_value());
        FuzzCheck(!format || (fromFile->dataOffset == format->dataOffset && fromFile->dataSize == format->dataSize));
    }
    return 0;
}
