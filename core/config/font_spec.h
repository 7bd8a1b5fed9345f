#pragma once
// A font as the configuration and the template files describe it: "face,size,flags", the size in tenths of a point and
// the flags any of the letters B (bold), I (italic), U (underline) and S (strike-out), e.g. "Arial,80,B". Core keeps
// the description only; turning it into a screen font is the user interface's business.

#include <string>

struct FontSpec {
    static constexpr size_t kMaxFaceLength = 31;

    std::string face; // at most kMaxFaceLength characters; empty = no font
    int size = 0;     // tenths of a point; 0 draws no text
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    // False while the description still has to be completed from the face (character set, pitch and family) by the
    // text drawer, as the template files' fonts are kept.
    bool complete = true;

    bool operator==(const FontSpec&) const = default;
};

// Parses "face,size,flags". Blanks around the parts and between flag letters are ignored, flag letters may come in
// any order and case, other flag characters are ignored, and a missing size or flag part means 0 / none. A face longer
// than kMaxFaceLength is cut. False, with `out` untouched, when the face is empty or the size is not a number in
// 0..32767. A parsed font is complete.
bool CreateFontFromSpec(const std::string& spec, FontSpec& out);

// The spec text of a font: "face,size" followed by ",flags" (in the order B, I, U, S) when any flag is set.
std::string FormatFontSpec(const FontSpec& font);
