#include "core/util/md5.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kStreamBlock = 2048;

// Per-step left rotations and additive constants (floor(abs(sin(i + 1)) * 2^32)).
// clang-format off
constexpr uint32_t kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
// clang-format on

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

uint32_t RotateLeft(uint32_t x, uint32_t n)
{
    return (x << n) | (x >> (32 - n));
}

uint32_t LoadLittleEndian(const uint8_t* p)
{
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

void StoreLittleEndian(uint32_t v, uint8_t* p)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

} // namespace

void Md5Transform(uint32_t state[4], const uint8_t block[64])
{
    uint32_t m[16];
    for (size_t i = 0; i < 16; ++i)
        m[i] = LoadLittleEndian(block + 4 * i);

    uint32_t a = state[0];
    uint32_t b = state[1];
    uint32_t c = state[2];
    uint32_t d = state[3];
    for (uint32_t i = 0; i < 64; ++i) {
        uint32_t f = 0;
        uint32_t g = 0;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
        }
        const uint32_t next = b + RotateLeft(a + f + kSine[i] + m[g], kShift[i]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

void Md5Init(Md5Context& context)
{
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
    context.bitCount = 0;
    std::memset(context.buffer, 0, sizeof context.buffer);
}

void Md5Update(Md5Context& context, const void* data, size_t length)
{
    if (length == 0)
        return;
    const auto* input = static_cast<const uint8_t*>(data);
    size_t used = static_cast<size_t>((context.bitCount / 8) % 64);
    context.bitCount += static_cast<uint64_t>(length) * 8;

    if (used > 0) {
        const size_t take = std::min(length, 64 - used);
        std::memcpy(context.buffer + used, input, take);
        used += take;
        input += take;
        length -= take;
        if (used < 64)
            return;
        Md5Transform(context.state, context.buffer);
    }
    for (; length >= 64; input += 64, length -= 64)
        Md5Transform(context.state, input);
    if (length > 0)
        std::memcpy(context.buffer, input, length);
}

void Md5Final(Md5Context& context, Md5Digest& digest)
{
    uint8_t lengthBytes[8];
    for (size_t i = 0; i < 8; ++i)
        lengthBytes[i] = static_cast<uint8_t>(context.bitCount >> (8 * i));

    const size_t used = static_cast<size_t>((context.bitCount / 8) % 64);
    const size_t padding = used < 56 ? 56 - used : 120 - used;
    static constexpr uint8_t kPadding[64] = {0x80};
    Md5Update(context, kPadding, padding);
    Md5Update(context, lengthBytes, sizeof lengthBytes);

    for (size_t i = 0; i < 4; ++i)
        StoreLittleEndian(context.state[i], digest.data() + 4 * i);
    context = Md5Context{};
}

int Md5OfStream(std::istream& stream, Md5Digest& digest)
{
    if (!stream.good())
        return -1;
    Md5Context context;
    Md5Init(context);
    char block[kStreamBlock];
    while (stream) {
        stream.read(block, sizeof block);
        if (stream.bad())
            return -1;
        const std::streamsize got = stream.gcount();
        if (got > 0)
            Md5Update(context, block, static_cast<size_t>(got));
    }
    if (!stream.eof())
        return -1;
    stream.clear();
    Md5Final(context, digest);
    return 0;
}

std::string Md5DigestToHex(const Md5Digest& digest)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(32, '0');
    for (size_t i = 0; i < digest.size(); ++i) {
        text[2 * i] = kHex[digest[i] >> 4];
        text[2 * i + 1] = kHex[digest[i] & 0x0F];
    }
    return text;
}

std::string Md5HexString(std::string_view text)
{
    Md5Context context;
    Md5Init(context);
    Md5Update(context, text.data(), text.size());
    Md5Digest digest{};
    Md5Final(context, digest);
    return Md5DigestToHex(digest);
}
