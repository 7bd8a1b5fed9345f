#include "core/config/font_spec.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

FontSpec Font(std::string face, int size, bool b = false, bool i = false, bool u = false, bool s = false)
{
    return FontSpec{std::move(face), size, b, i, u, s, true};
}

TEST(FontSpec, ParsesFaceSizeAndFlags)
{
    struct Row {
        const char* spec;
        std::optional<FontSpec> expected; // nullopt: refused
    };
    const Row rows[] = {
        {"Arial,80,B", Font("Arial", 80, true)},
        {"Arial,80,b", Font("Arial", 80, true)},
        {"Arial,100,SUIB", Font("Arial", 100, true, true, true, true)},
        {"Arial,100,iS", Font("Arial", 100, false, true, false, true)},
        {" Times New Roman , 120 , B I ", Font("Times New Roman", 120, true, true)},
        {"Arial,80,", Font("Arial", 80)},
        {"Arial,80", Font("Arial", 80)},
        {"Arial", Font("Arial", 0)}, // no size: height 0 draws no text
        {"Arial,,U", Font("Arial", 0, false, false, true)},
        {"Arial,80,BX?", Font("Arial", 80, true)}, // unknown flag characters carry no meaning
        {"Arial,80,B,I", Font("Arial", 80, true, true)},
        {"Arial,+80", Font("Arial", 80)},
        {"Arial,32767", Font("Arial", 32767)},
        {"", std::nullopt},
        {"  ,80,B", std::nullopt},
        {",80", std::nullopt},
        {"Arial,80pt", std::nullopt},
        {"Arial,-10", std::nullopt},
        {"Arial,32768", std::nullopt},
        {"Arial,8 0", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.spec);
        FontSpec font = Font("Untouched", 1);
        const bool ok = CreateFontFromSpec(row.spec, font);
        ASSERT_EQ(ok, row.expected.has_value());
        EXPECT_EQ(font, ok ? *row.expected : Font("Untouched", 1));
    }
}

TEST(FontSpec, ALongFaceIsCutTo31Characters)
{
    FontSpec font;
    ASSERT_TRUE(CreateFontFromSpec(std::string(40, 'F') + ",90,U", font));
    EXPECT_EQ(font.face, std::string(31, 'F'));
    EXPECT_EQ(font.size, 90);
    EXPECT_TRUE(font.underline);
}

TEST(FontSpec, FormatsAndParsesBack)
{
    const std::pair<FontSpec, const char*> rows[] = {
        {Font("Arial", 80, true), "Arial,80,B"},
        {Font("Arial", 80), "Arial,80"},
        {Font("Courier New", 100, true, true, true, true), "Courier New,100,BIUS"},
        {Font("Tahoma", 0, false, true, false, true), "Tahoma,0,IS"},
    };
    for (const auto& [font, text] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FormatFontSpec(font), text);
        FontSpec back;
        ASSERT_TRUE(CreateFontFromSpec(FormatFontSpec(font), back));
        EXPECT_EQ(back, font);
    }
}

} // namespace
