#pragma once
// NeTimeRecord (12 bytes, request 300): the NE's up time, clock and time zone.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kNeTimeRecordSize = 12;

struct NeTimeRecord {
    uint32_t upTime = 0;  // seconds since the NE started (read only)
    uint32_t neClock = 0; // seconds since 1970-01-01 00:00:00
    int16_t timeZone = 0; // whole hours east of GMT
    uint16_t unused = 0;  // bytes 10..11
    bool operator==(const NeTimeRecord&) const = default;
};

// Writes kNeTimeRecordSize bytes to out.
void EncodeNeTimeRecord(const NeTimeRecord& rec, uint8_t* out);
std::array<uint8_t, kNeTimeRecordSize> EncodeNeTimeRecord(const NeTimeRecord& rec);
// False when data is null or shorter than the record.
bool DecodeNeTimeRecord(const uint8_t* data, size_t size, NeTimeRecord* out);
