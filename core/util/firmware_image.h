#pragma once
// Firmware image files, as NE firmware travels to and from the NEs: a 64-byte header, the payload and an MD5 digest
// (RFC 1321) of header and payload. The workstation never reads the payload; it checks an image's framing before it
// uploads a local image, after it downloads one from an NE and when it shows what a local image is.
//
//     offset 0    u32 payload length L, big-endian
//     offset 4    firmware type name, 16 bytes, zero-terminated ("RLX4100FW")
//     offset 20   firmware version, 44 bytes, zero-terminated
//     offset 64   L bytes of payload
//     offset 64+L 16 bytes: the MD5 of bytes 0 .. 64+L-1
//
// The file is exactly L + 80 bytes long.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kFirmwareHeaderSize = 64;
inline constexpr size_t kFirmwareTypeOffset = 4;
inline constexpr size_t kFirmwareTypeWidth = 16;
inline constexpr size_t kFirmwareVersionOffset = 20;
inline constexpr size_t kFirmwareVersionWidth = 44;
inline constexpr size_t kFirmwareDigestSize = 16;
// The blocks the check reads the payload in.
inline constexpr size_t kFirmwareReadBlock = 2048;

struct FirmwareImageHeader {
    std::array<uint8_t, kFirmwareHeaderSize> bytes{};

    uint32_t PayloadLength() const;
    // The texts of the header, up to their terminator (or their field's end).
    std::string TypeName() const;
    std::string Version() const;
};

// The size of the file in bytes; -1 when it cannot be opened, its size cannot be read or it does not fit 31 bits.
int32_t GetFileSizeByPath(const std::string& path);

// 0 when the file at `path` is a sound image, -1 otherwise; on success the header is copied to `header` when one is
// given. A file whose size is not L + 80 fails before any digest is taken.
int CheckImageFile(const std::string& path, FirmwareImageHeader* header = nullptr);

// A sound image of the payload, as an NE's firmware build makes one (type and version cut to their fields).
std::vector<uint8_t> BuildFirmwareImage(std::string_view typeName, std::string_view version,
                                        const std::vector<uint8_t>& payload);
