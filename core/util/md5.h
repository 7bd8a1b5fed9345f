#pragma once
// MD5 message digest (RFC 1321): the incremental operations, the digest of the rest of a stream, and the hex text
// form used for password digests and configuration side files.

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

using Md5Digest = std::array<uint8_t, 16>;

struct Md5Context {
    uint32_t state[4] = {};
    uint64_t bitCount = 0; // message length so far, in bits (modulo 2^64)
    uint8_t buffer[64] = {};
};

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const void* data, size_t length);
// Pads, writes the digest and wipes the context.
void Md5Final(Md5Context& context, Md5Digest& digest);
// One 64-byte block into the chaining state.
void Md5Transform(uint32_t state[4], const uint8_t block[64]);

// The digest of everything from the stream's position to its end, read in blocks of 2048 bytes. 0, or -1 when the
// stream is not readable at the start or a read fails. The stream is left at its end with its end-of-file state
// cleared, so that the caller can go on using it.
int Md5OfStream(std::istream& stream, Md5Digest& digest);

// 32 lower-case hexadecimal digits of a digest.
std::string Md5DigestToHex(const Md5Digest& digest);
// The digest of the text's characters (no terminator) as 32 lower-case hexadecimal digits.
std::string Md5HexString(std::string_view text);
