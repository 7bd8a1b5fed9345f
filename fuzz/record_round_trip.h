#pragma once
// The check every fixed-size record codec meets on arbitrary bytes: decoding fails only on too few bytes, and what
// it decodes reaches a fixed point after one encode (a text cut at its first zero byte encodes without what
// followed it).

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

template <typename Rec, size_t N>
void CheckRecordRoundTrip(const uint8_t* data, size_t size, bool (*decode)(const uint8_t*, size_t, Rec*),
                          std::array<uint8_t, N> (*encode)(const Rec&))
{
    auto fail = [](const char* what) {
        std::fprintf(stderr, "record round trip: %s\n", what);
        std::abort();
    };
    Rec rec;
    if (!decode(data, size, &rec)) {
        if (size >= N)
            fail("a whole record did not decode");
        return;
    }
    const std::array<uint8_t, N> once = encode(rec);
    Rec again;
    if (!decode(once.data(), once.size(), &again))
        fail("an encoded record did not decode");
    if (encode(again) != once)
        fail("the second encoding differs from the first");
}
