#pragma once
// The check every fixed-size record codec meets on arbitrary bytes: decoding fails only on too few bytes, and what
// it decodes reaches a fixed point after one encode (a text cut at its first zero byte encodes without what
// followed it).

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

template <typename Rec> void CheckRecordRoundTrip(const uint8_t* data, size_t size)
{
    auto fail = [](const char* what) {
        std::fprintf(stderr, "record round trip: %s\n", what);
        std::abort();
    };
    Rec rec;
    if (!DecodeRecord(data, size, &rec)) {
        if (size >= kRecordSize<Rec>)
            fail("a whole record did not decode");
        return;
    }
    const auto once = EncodeRecord(rec);
    Rec again;
    if (!DecodeRecord(once.data(), once.size(), &again))
        fail("an encoded record did not decode");
    if (EncodeRecord(again) != once)
        fail("the second encoding differs from the first");
}
