#pragma once
// ShdslLineProfileRec (72 bytes): one SHDSL line profile, named by its name: the NE's profiles (requests 800 query and
// modify, 801 add, 802 delete) and the server's templates of them (150 to 153, NE 0). A query sends the record with
// the name set.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kShdslLineProfileRecSize = 72;
inline constexpr size_t kShdslLineProfileNameWidth = 33;

struct ShdslLineProfileRec {
    std::string name;           // at most 32 characters
    uint32_t wireInterface = 0; // 1 two-wire, 2 four-wire
    uint32_t minRate = 0;       // bit/s
    uint32_t maxRate = 0;       // bit/s; equal to the minimum: fixed rate
    // Target margins in dB, -10..21, each a signed byte.
    uint8_t currentMarginDown = 0;
    uint8_t worstMarginDown = 0;
    uint8_t currentMarginUp = 0;
    uint8_t worstMarginUp = 0;
    // The margins that apply: 0x80 current down, 0x40 worst down, 0x20 current up, 0x10 worst up.
    uint32_t usedMargins = 0;
    uint32_t annex = 0;     // 0x80 annex A, 0x40 annex B, 0xC0 both
    uint32_t psdMask = 0;   // 1 symmetric, 2 asymmetric
    uint32_t lineProbe = 0; // 1 disabled, 2 enabled
    uint32_t rowState = 0;  // the editor writes 1; lists grey other values
    bool operator==(const ShdslLineProfileRec&) const = default;
};

template <> struct RecordTable<ShdslLineProfileRec> {
    using R = ShdslLineProfileRec;
    static constexpr const char* kName = "ShdslLineProfileRec";
    static constexpr uint32_t kSize = kShdslLineProfileRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kShdslLineProfileNameWidth).Key().Column(1),
        Reserved(33, 3),
        U32<&R::wireInterface>("wireInterface", 36).Column(2, kColumnWritable),
        U32<&R::minRate>("minRate", 40).Column(3, kColumnWritable),
        U32<&R::maxRate>("maxRate", 44).Column(4, kColumnWritable),
        U8<&R::currentMarginDown>("currentMarginDown", 48).Column(5, kColumnWritable),
        U8<&R::worstMarginDown>("worstMarginDown", 49).Column(6, kColumnWritable),
        U8<&R::currentMarginUp>("currentMarginUp", 50).Column(7, kColumnWritable),
        U8<&R::worstMarginUp>("worstMarginUp", 51).Column(8, kColumnWritable),
        U32<&R::usedMargins>("usedMargins", 52).Column(9, kColumnWritable),
        U32<&R::annex>("annex", 56).Column(10, kColumnWritable),
        U32<&R::psdMask>("psdMask", 60).Column(11, kColumnWritable),
        U32<&R::lineProbe>("lineProbe", 64).Column(12, kColumnWritable),
        U32<&R::rowState>("rowState", 68).Column(13, kColumnWritable),
    };
};
