#pragma once
// The data bytes of an echo request: a small header of the engine's own followed by a fill. Multi-byte fields are
// little-endian. The reply echoes these bytes, which is how a reply's sequence number is read back.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

inline constexpr size_t kEchoTypeOffset = 0;     // 8, echo request
inline constexpr size_t kEchoCodeOffset = 1;     // 0
inline constexpr size_t kEchoChecksumOffset = 2; // InternetChecksum of all data bytes, computed with this field 0
inline constexpr size_t kEchoThreadOffset = 4;   // low 16 bits of the sending thread's id
inline constexpr size_t kEchoSequenceOffset = 6; // sequence number
inline constexpr size_t kEchoTickOffset = 8;     // millisecond tick taken just before the send
inline constexpr size_t kEchoFillOffset = 12;    // kEchoFillByte up to the end
inline constexpr uint8_t kEchoRequestType = 8;
inline constexpr uint8_t kEchoFillByte = 0x45; // 'E'

// Writes type, code, a zero checksum, the thread id and sequence 0 into the first 8 bytes and the fill from byte 12
// on; bytes 8 to 11 are left as they are. Data shorter than a field gets only what fits.
void FillEchoRequest(std::span<uint8_t> data);

// Puts the sequence number and the tick into filled data and then its checksum.
void StampEchoRequest(std::span<uint8_t> data, uint16_t sequence, uint32_t tick);

// The sequence number held in echoed data, or nullopt when the data is too short to hold one.
std::optional<uint16_t> EchoSequenceOf(std::span<const uint8_t> data);

// Low 16 bits of the calling thread's id.
uint16_t CurrentThreadTag();
