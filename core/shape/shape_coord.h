#pragma once
// Packed coordinates of the shape language. A coordinate is either plain (an offset with its sign) or relative to the
// rectangle a shape is drawn into ("@R-3": three left of the right edge) or scaled by a unit length the caller
// supplies ("@S*3+10"). Bits:
//   0..10   offset magnitude (0..2047)      11  offset is negative
//   12..15  anchor (0x8 width, 0x9 left, 0xA right, 0xB horizontal centre, 0xC height, 0xD top, 0xE bottom,
//           0xF vertical centre)
//   16..28  scale factor magnitude (1..8191) 29  factor is negative   30  divide by the factor   31  scaled

#include "core/shape/shape_record.h"

#include <cstdint>
#include <string_view>

inline constexpr uint32_t kShapeOffsetMask = 0x7FFu;
inline constexpr uint32_t kShapeOffsetNegative = 0x800u;
inline constexpr int32_t kShapeMaxOffset = 2047;
inline constexpr uint32_t kShapeAnchorMask = 0xF000u;
inline constexpr uint32_t kShapeAnchorWidth = 0x8000u;
inline constexpr uint32_t kShapeAnchorLeft = 0x9000u;
inline constexpr uint32_t kShapeAnchorRight = 0xA000u;
inline constexpr uint32_t kShapeAnchorCenter = 0xB000u;
inline constexpr uint32_t kShapeAnchorHeight = 0xC000u;
inline constexpr uint32_t kShapeAnchorTop = 0xD000u;
inline constexpr uint32_t kShapeAnchorBottom = 0xE000u;
inline constexpr uint32_t kShapeAnchorVCenter = 0xF000u;
inline constexpr int kShapeFactorShift = 16;
inline constexpr uint32_t kShapeFactorMask = 0x1FFFu; // after the shift
inline constexpr int32_t kShapeMaxFactor = 8191;
inline constexpr uint32_t kShapeFactorNegative = 0x20000000u;
inline constexpr uint32_t kShapeFactorDivide = 0x40000000u;
inline constexpr uint32_t kShapeScaled = 0x80000000u;

// The token readers. An empty token gives the default. Integers are read in base 16 when the token contains "0x" or
// "0X" anywhere, else in base 10, after leading blanks and a sign, up to the first character that does not belong;
// values beyond the signed 32-bit range saturate. A flag is 1 for a non-zero value. Reals are decimal.
int32_t ParseShapeInt(std::string_view token, int32_t defaultValue);
int32_t ParseShapeFlag(std::string_view token, int32_t defaultValue);
float ParseShapeFloat(std::string_view token, float defaultValue);

// A coordinate token ("12", "-5", "@L", "@R-3", "@W", "@S*2+1", "@S/4", "@S+5") packed as above. Offsets beyond 2047
// and factors beyond 8191 are limited to those magnitudes. An unknown anchor letter or "@" alone gives the default.
int32_t ParseShapeCoord(std::string_view token, int32_t defaultValue);

// The absolute value of a packed coordinate within the rectangle left..right, top..bottom (both edges inside).
// `scale` is the unit length of scaled coordinates, `vertical` (0 or 1) picks their origin: the left or the top edge.
// Values the packing cannot produce are returned unchanged.
int32_t ResolveShapeCoord(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t value, int32_t scale,
                          int vertical);

// The codes whose `size` is a coordinate (a pen width or a frame depth), and those whose extra1 holds two packed
// text offsets (x in the low half, y in the high half).
bool ShapeSizeIsCoordinate(int code);
bool ShapeHasTextOffsets(int code);

// A copy of the record with every coordinate word resolved against the rectangle, ready for drawing: the coordinate
// array, `size` where the code gives it as a coordinate, and the text offsets of "TS", "TL", "TA" and "TE" (resolved
// into two signed 16-bit halves of extra1).
ShapeRecord ResolveShapeRecord(const ShapeRecord& record, int32_t left, int32_t top, int32_t right, int32_t bottom,
                               int32_t scale);
