#pragma once
// Texts cross the links in UTF-8, in fields of a fixed number of bytes. A field holds whole characters only: what is
// cut to fit, and what an older peer sent cut, ends before the character the cut went through.

#include <cstddef>
#include <string_view>

// The longest start of `text` within `maxBytes` bytes that does not end inside a character: a multi-byte character
// the limit cuts through, and an incomplete one the text itself ends with, are left out, and so is what such a cut
// leaves at the end that starts a character without its continuation. Other bytes that are no UTF-8 are kept as they
// are. The result is its own whole prefix: a text cut once stays as it is.
std::string_view Utf8WholePrefix(std::string_view text, size_t maxBytes);
