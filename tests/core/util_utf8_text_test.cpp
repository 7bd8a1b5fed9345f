#include "core/util/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PrefixRow {
    const char* what;
    std::string text;
    size_t maxBytes;
    std::string expected;
};

TEST(Utf8WholePrefix, EndsWithAWholeCharacter)
{
    const std::string euro = "\xE2\x82\xAC";     // 3 bytes
    const std::string clef = "\xF0\x9D\x84\x9E"; // 4 bytes
    const PrefixRow rows[] = {
        {"ASCII that fits", "abc", 5, "abc"},
        {"ASCII cut", "abcdef", 4, "abcd"},
        {"nothing fits", "abc", 0, ""},
        {"two-byte character that fits exactly", "ab\xC3\xBC", 4, "ab\xC3\xBC"},
        {"two-byte character cut after its lead", "abc\xC3\xBC", 4, "abc"},
        {"three-byte character cut after one byte", "ab" + euro, 3, "ab"},
        {"three-byte character cut after two bytes", "ab" + euro, 4, "ab"},
        {"three-byte character that fits exactly", "ab" + euro, 5, "ab" + euro},
        {"four-byte character cut after three bytes", "a" + clef, 4, "a"},
        {"four-byte character that fits exactly", "a" + clef, 5, "a" + clef},
        {"the whole name when there is room",
         "Nieder\xC3\xB6sterreich-S\xC3\xBC"
         "d",
         40,
         "Nieder\xC3\xB6sterreich-S\xC3\xBC"
         "d"},
        {"the name cut in its second umlaut",
         "Nieder\xC3\xB6sterreich-S\xC3\xBC"
         "d",
         20, "Nieder\xC3\xB6sterreich-S"},
        {"a text that ends in a lone lead byte", "abc\xC3", 10, "abc"},
        {"a text that ends in two bytes of three", "abc\xE2\x82", 10, "abc"},
        {"a stray continuation byte is kept",
         "ab\x80"
         "c",
         10,
         "ab\x80"
         "c"},
        {"a lead byte without its continuation is kept",
         "a\xC3"
         "bc",
         10,
         "a\xC3"
         "bc"},
        {"a byte that starts no character is kept", "a\xFF", 10, "a\xFF"},
        {"a run of characters' first bytes at the end goes whole", "ab\xEE\xEE\xEE", 10, "ab"},
        {"a first byte left at the end by the cut goes too", "ab\xE2\x82\xE2", 10, "ab"},
        {"continuation bytes alone are kept", "\x80\x80", 10, "\x80\x80"},
        {"more continuation bytes than a character holds are kept", "a\xE2\x82\x82\x82\x82", 10,
         "a\xE2\x82\x82\x82\x82"},
    };
    for (const PrefixRow& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(std::string(Utf8WholePrefix(row.text, row.maxBytes)), row.expected);
        EXPECT_EQ(std::string(Utf8WholePrefix(row.expected, row.maxBytes)), row.expected) << "not its own prefix";
    }
}

} // namespace
