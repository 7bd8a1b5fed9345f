#include "core/util/utf8_text.h"

namespace {

// The bytes of the character a lead byte starts; 1 for ASCII and for a byte that starts no character.
size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

bool IsContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

std::string_view Utf8WholePrefix(std::string_view text, size_t maxBytes)
{
    text = text.substr(0, maxBytes);
    // Each cut may leave the start of another character at the end: cut again until the text ends whole.
    for (;;) {
        size_t continuations = 0;
        while (continuations < 3 && continuations < text.size() &&
               IsContinuation(text[text.size() - 1 - continuations]))
            ++continuations;
        if (continuations == text.size())
            return text;
        const size_t lead = text.size() - 1 - continuations;
        if (SequenceLength(static_cast<unsigned char>(text[lead])) <= continuations + 1)
            return text;
        text = text.substr(0, lead);
    }
}
