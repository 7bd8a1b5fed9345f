#pragma once
// Little-endian field access at explicit offsets of a packed record buffer. Records cross the links as byte images
// of fixed size; these helpers keep every codec free of struct layout and host byte order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace record_bytes {

inline void PutU8(uint8_t* rec, size_t offset, uint8_t value)
{
    rec[offset] = value;
}

inline void PutU16(uint8_t* rec, size_t offset, uint16_t value)
{
    rec[offset] = static_cast<uint8_t>(value);
    rec[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(uint8_t* rec, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        rec[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void PutI16(uint8_t* rec, size_t offset, int16_t value)
{
    PutU16(rec, offset, static_cast<uint16_t>(value));
}

inline void PutI32(uint8_t* rec, size_t offset, int32_t value)
{
    PutU32(rec, offset, static_cast<uint32_t>(value));
}

inline void PutF32(uint8_t* rec, size_t offset, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(rec, offset, bits);
}

// Writes a zero-terminated text into a field of `width` bytes: at most width - 1 bytes, the rest zero.
inline void PutText(uint8_t* rec, size_t offset, size_t width, std::string_view text)
{
    size_t n = text.size() < width ? text.size() : width - 1;
    std::memset(rec + offset, 0, width);
    std::memcpy(rec + offset, text.data(), n);
}

template <size_t N> inline void PutBytes(uint8_t* rec, size_t offset, const std::array<uint8_t, N>& bytes)
{
    std::memcpy(rec + offset, bytes.data(), N);
}

inline uint8_t GetU8(const uint8_t* rec, size_t offset)
{
    return rec[offset];
}

inline uint16_t GetU16(const uint8_t* rec, size_t offset)
{
    return static_cast<uint16_t>(rec[offset] | (rec[offset + 1] << 8));
}

inline uint32_t GetU32(const uint8_t* rec, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(rec[offset + i]) << (8 * i);
    return value;
}

inline int16_t GetI16(const uint8_t* rec, size_t offset)
{
    return static_cast<int16_t>(GetU16(rec, offset));
}

inline int32_t GetI32(const uint8_t* rec, size_t offset)
{
    return static_cast<int32_t>(GetU32(rec, offset));
}

inline float GetF32(const uint8_t* rec, size_t offset)
{
    uint32_t bits = GetU32(rec, offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Reads a text field up to its first zero byte; a field without one ends at its width.
inline std::string GetText(const uint8_t* rec, size_t offset, size_t width)
{
    const auto* begin = reinterpret_cast<const char*>(rec + offset);
    size_t n = 0;
    while (n < width && begin[n] != '\0')
        ++n;
    return std::string(begin, n);
}

template <size_t N> inline std::array<uint8_t, N> GetBytes(const uint8_t* rec, size_t offset)
{
    std::array<uint8_t, N> bytes{};
    std::memcpy(bytes.data(), rec + offset, N);
    return bytes;
}

} // namespace record_bytes
