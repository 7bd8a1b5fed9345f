#pragma once
// One parsed shape of the shape language: front panels, entity skins, selection marks and dialog decorations are
// described by one-line shape strings ("B3,10,20,5,15,0xff,2,1") that ParseShape turns into this record.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

struct FontSpec;

// Shape codes, numbered in the order the language lists them; 0 is no shape.
enum ShapeCode : uint8_t {
    kShapeNone = 0,
    kShapeB3 = 1,
    kShapeBG,
    kShapeBR,
    kShapeBB,
    kShapeRL,
    kShapeRS,
    kShapeRG,
    kShapeRPH,
    kShapeRPF,
    kShapeRPR,
    kShapeQ,
    kShapeQS,
    kShapeQG,
    kShapeT,
    kShapeTS,
    kShapeTM,
    kShapeTN,
    kShapeTT,
    kShapeTL,
    kShapeTA,
    kShapeTE,
    kShapeTG,
    kShapeTPH,
    kShapeTPF,
    kShapeTPR,
    kShapeR,
    kShapeR2,
    kShapeC,
    kShapeL,
    kShapeLA,
    kShapeTR,
    kShapeTRS,
    kShapeTRG,
    kShapePL,
    kShapePS,
    kShapePG,
};

inline constexpr int kShapeCodeCount = 36;

// Texts longer than this are cut before they are split into tokens.
inline constexpr size_t kMaxShapeTextLength = 255;

// Upper bound of the point count of "PL", "PS" and "PG". A 255-character string cannot spell out more than about 60
// points, so a larger count only asks for a large allocation of zero points and is refused.
inline constexpr int kMaxShapePoints = 127;

struct ShapeRecord {
    uint8_t code = kShapeNone;
    // Packed coordinates (see shape_coord.h): left, top, right, bottom for the rectangle codes, otherwise points as
    // x, y pairs. After ResolveShapeRecord plain device coordinates.
    std::vector<int32_t> coords;
    int32_t color1 = 0; // 0x00BBGGRR, or the image handle of "RPF"/"TPF", or a bitmap resource id of "RPR"/"TPR"
    int32_t color2 = 0; // second colour, or the mask image
    int32_t opt1 = 0;
    int32_t opt2 = 0;
    int32_t opt3 = 0;
    int32_t size = 0;   // packed coordinate (pen width, frame depth); "TR" holds a plain integer
    std::string text;   // the text of the text codes, upper case as parsed
    int32_t index = 0;  // text codes: zero-based font index (-1 none); "PL", "PS", "PG": number of points
    int32_t extra1 = 0; // third colour, mode, packed text offsets, or a real ("LA")
    int32_t extra2 = 0; // fourth colour, mode, text layout word, or a real ("LA")
    // Text codes: the font definition `index` names, filled in when a drawing template resolves its fonts; null draws
    // no text. Borrowed from the template that owns the font list.
    const FontSpec* font = nullptr;
};

// Releases what the record owns and clears its code: -1 for a null record, else 0.
int FreeShape(ShapeRecord* record);

// The name of a shape code ("B3"), or "" outside 1..36.
const char* ShapeCodeName(int code);

inline bool IsShapeTextCode(int code)
{
    return code >= kShapeT && code <= kShapeTPR;
}

// "LA" keeps its two reals in extra1 and extra2 as 32-bit floats.
inline float ShapeWordToReal(int32_t word)
{
    return std::bit_cast<float>(word);
}
inline int32_t ShapeRealToWord(float value)
{
    return std::bit_cast<int32_t>(value);
}

// Two 16-bit halves of one word, as the text codes keep their offsets and layer counts.
inline int32_t PackShapeHalves(uint32_t low, uint32_t high)
{
    return static_cast<int32_t>((low & 0xFFFFu) | (high << 16));
}
inline uint32_t ShapeLowHalf(int32_t word)
{
    return static_cast<uint32_t>(word) & 0xFFFFu;
}
inline uint32_t ShapeHighHalf(int32_t word)
{
    return static_cast<uint32_t>(word) >> 16;
}
