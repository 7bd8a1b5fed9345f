#include "tests/platform/qt_test_app.h"

#include "ui/framework/shapes/shape_pictures.h"

#include <gtest/gtest.h>

namespace {

QString Picture(const char* name)
{
    return QString::fromUtf8(TARVIK_TEST_DATA_DIR) + QStringLiteral("/pictures/") + QString::fromUtf8(name);
}

TEST(ShapePicturesTest, APictureFileIsLoadedWithinThePictureLimits)
{
    CShapePictures pictures;
    const int32_t handle = pictures.Load(Picture("two_colors.png"));
    ASSERT_NE(handle, 0);
    EXPECT_EQ(pictures.Find(handle)->size(), QSize(40, 20));
    // Wider than a picture may be, though small enough for the platform's own limits; and one whose header asks for
    // more pixels than a picture may have: refused before a pixel is decoded.
    EXPECT_EQ(pictures.Load(Picture("too_wide.png")), 0);
    EXPECT_EQ(pictures.Load(Picture("huge_announced.png")), 0);
    EXPECT_EQ(pictures.Load(Picture("missing.png")), 0);
}

} // namespace
