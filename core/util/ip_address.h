#pragma once
// IPv4 addresses as the records carry them: 4 bytes, first number first. Functions that take a pointer read 4 bytes
// from it and give null the meaning stated per function; the std::array overloads are for addresses we own.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using IpAddress = std::array<uint8_t, 4>;

// "%u.%u.%u.%u"; empty for null.
std::string FormatIpAddress(const uint8_t* address);
// "%3u.%3u.%3u.%3u": fixed width, so that text order is address order; empty for null.
std::string FormatIpAddressPadded(const uint8_t* address);

// The address of a dotted text, or 0.0.0.0 when the text is empty or not a valid address (IsValidIpAddressText).
IpAddress ParseIpAddress(std::string_view text);

// Four parts of one to three decimal digits, each 0..255, joined by "."; no blanks, under 32 characters.
// A strictness above 0 also refuses leading zeros ("010"), which some readers take as octal.
bool IsValidIpAddressText(std::string_view text, int strictness = 0);

// The address as one number with the first byte most significant (network order), so that number order is address
// order; 0 for null.
uint32_t IpToUInt32(const uint8_t* address);
IpAddress UInt32ToIp(uint32_t value);

// Copies 4 bytes; a null source clears the destination; a null destination is left alone.
void CopyIpAddress(uint8_t* destination, const uint8_t* source);
void ClearIpAddress(uint8_t* address);
// True for null and for 0.0.0.0.
bool IsZeroIpAddress(const uint8_t* address);

// -1, 0 or 1 comparing the bytes from the first; null sorts first, two nulls are equal.
int CompareIpv4(const uint8_t* a, const uint8_t* b);
// CompareIpv4 of two dotted texts, each parsed first.
int CompareIpText(std::string_view a, std::string_view b);
// -1, 0 or 1: address first, then port.
int CompareNeAddress(const uint8_t* addressA, uint16_t portA, const uint8_t* addressB, uint16_t portB);

// Flag bit 0 of IsValidHostIpAddress: 0.0.0.0 is accepted.
inline constexpr uint32_t kHostIpAllowZero = 0x01;

// Whether the address may be given to a host: 0.0.0.0 only with kHostIpAllowZero; otherwise first and last byte not
// 0, last byte not 255, not 127.x.x.x, not 224..239.x.x.x and not the reserved internal range
// 172.31.254.0..172.31.254.67. False for null.
bool IsValidHostIpAddress(const uint8_t* address, uint32_t flags);

inline std::string FormatIpAddress(const IpAddress& address)
{
    return FormatIpAddress(address.data());
}
inline std::string FormatIpAddressPadded(const IpAddress& address)
{
    return FormatIpAddressPadded(address.data());
}
inline uint32_t IpToUInt32(const IpAddress& address)
{
    return IpToUInt32(address.data());
}
inline bool IsZeroIpAddress(const IpAddress& address)
{
    return IsZeroIpAddress(address.data());
}
inline int CompareIpv4(const IpAddress& a, const IpAddress& b)
{
    return CompareIpv4(a.data(), b.data());
}
inline bool IsValidHostIpAddress(const IpAddress& address, uint32_t flags)
{
    return IsValidHostIpAddress(address.data(), flags);
}
