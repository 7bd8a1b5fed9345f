// The body of the logon request (code 11) as the management server receives it: the driver replaces the caller's
// 1-byte record by this 24-byte record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr size_t kLogonRecSize = 24;
inline constexpr size_t kLogonNameSize = 11;   // 10 characters and the terminating zero
inline constexpr size_t kLogonDigestSize = 11; // the first 10 lower-case hex digits of the password's MD5
inline constexpr size_t kLogonNameOffset = 0;
inline constexpr size_t kLogonDigestOffset = 11;
inline constexpr size_t kLogonTrapPortOffset = 22;

struct LogonRec {
    std::string userName;
    std::string passwordDigest;
    uint16_t trapPort = 0; // the UDP port notifications go to; 0 = none

    bool operator==(const LogonRec&) const = default;
};

// Texts longer than their field are cut; the port is little-endian.
std::array<uint8_t, kLogonRecSize> EncodeLogonRec(const LogonRec& rec);

// False when `size` is not the record size.
bool DecodeLogonRec(const uint8_t* data, size_t size, LogonRec& rec);
