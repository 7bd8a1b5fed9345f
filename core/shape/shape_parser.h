#pragma once
// Parsing of one shape string into a ShapeRecord. Pure text: the parser reads only the characters it is given.

#include "core/shape/shape_record.h"

#include <string_view>

// Parses a shape string: 0 on success with `record` filled, -1 on failure with `record` cleared (code 0). The text is
// cut at its first NUL and at 255 characters, upper-cased, loses a trailing carriage return and line feed, and is
// split at tabs and commas (runs of them count as one). Missing trailing operands read as 0, an index as -1.
// Failures: fewer than 2 characters, no token, an unknown code, a text code without its text, a point count below 1 or
// above kMaxShapePoints.
int ParseShape(std::string_view text, ShapeRecord& record);

// The same for a C string; -1 for a null text or record.
int ParseShape(const char* text, ShapeRecord* record);
