#include "core/config/font_spec.h"

#include "core/config/ini_value_text.h"

#include <cctype>
#include <cstdint>

namespace {

constexpr std::int64_t kMaxFontSize = 32767;

} // namespace

bool CreateFontFromSpec(const std::string& spec, FontSpec& out)
{
    const std::string_view text(spec);
    const size_t firstComma = text.find(',');
    const std::string_view face = TrimIniText(text.substr(0, firstComma));
    if (face.empty())
        return false;

    std::string_view sizeText;
    std::string_view flagText;
    if (firstComma != std::string_view::npos) {
        const std::string_view rest = text.substr(firstComma + 1);
        const size_t secondComma = rest.find(',');
        sizeText = TrimIniText(rest.substr(0, secondComma));
        if (secondComma != std::string_view::npos)
            flagText = rest.substr(secondComma + 1);
    }

    std::int64_t size = 0;
    if (!sizeText.empty() && (!ParseIniDecimal(sizeText, size) || size < 0 || size > kMaxFontSize))
        return false;

    FontSpec font;
    font.face = CutIniText(face, FontSpec::kMaxFaceLength);
    font.size = static_cast<int>(size);
    for (char c : flagText) {
        switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'B':
            font.bold = true;
            break;
        case 'I':
            font.italic = true;
            break;
        case 'U':
            font.underline = true;
            break;
        case 'S':
            font.strikeOut = true;
            break;
        default:
            break; // blanks, separators and unknown letters carry no meaning
        }
    }
    out = std::move(font);
    return true;
}

std::string FormatFontSpec(const FontSpec& font)
{
    std::string text = font.face + "," + std::to_string(font.size);
    std::string flags;
    if (font.bold)
        flags += 'B';
    if (font.italic)
        flags += 'I';
    if (font.underline)
        flags += 'U';
    if (font.strikeOut)
        flags += 'S';
    if (!flags.empty())
        text += "," + flags;
    return text;
}
