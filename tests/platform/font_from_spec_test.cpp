#include "platform/font_from_spec.h"
#include "tests/platform/qt_test_app.h"

#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

TEST(FontFromSpec, FacesResolveToInstalledMetricCompatibleFonts)
{
    const QFont font = FontFromSpec(FontSpec{"Arial", 90, true, true, true, true});
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.0);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    const QFont plain = FontFromSpec(FontSpec{"Arial", 80});
    EXPECT_FALSE(plain.bold() || plain.italic() || plain.underline() || plain.strikeOut());
}

TEST(FontFromSpec, PixelHeightsAreTakenAt96DotsPerInch)
{
    EXPECT_EQ(FontPixelHeight(FontSpec{"Arial", 80}), 11); // 8 pt
    EXPECT_EQ(FontPixelHeight(FontSpec{"Arial", 120}), 16);
    EXPECT_EQ(FontPixelHeight(FontSpec{"Arial", 0}), 0);
    const QFont font = FontFromSpec(FontSpec{"Arial", 120}, 16);
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_EQ(QFontInfo(font).pixelSize(), 16);
}

} // namespace
