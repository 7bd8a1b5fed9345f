#include "tarvik_test_paths.h"
#include "tests/platform/qt_test_app.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "platform/scripted_runners.h"
#include "ui/framework/shapes/shape_pictures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QString Picture(const char* name)
{
    return QString::fromUtf8(TARVIK_TEST_DATA_DIR) + QStringLiteral("/pictures/") + QString::fromUtf8(name);
}

TEST(ShapePicturesTest, APictureFileIsLoadedWithinThePictureLimits)
{
    ScriptedMessageBoxes boxes;
    CShapePictures pictures;
    const int32_t handle = pictures.Load(Picture("two_colors.png"));
    ASSERT_NE(handle, 0);
    EXPECT_EQ(pictures.Find(handle)->size(), QSize(40, 20));
    // Wider than a picture may be, though small enough for the platform's own limits; and one whose header asks for
    // more pixels than a picture may have: refused before a pixel is decoded.
    EXPECT_EQ(pictures.Load(Picture("too_wide.png")), 0);
    EXPECT_EQ(pictures.Load(Picture("huge_announced.png")), 0);
    EXPECT_EQ(pictures.Load(Picture("missing.png")), 0);
    EXPECT_EQ(boxes.Requests().size(), 3U) << "the loader reports each picture it could not have";
}

TEST(ShapePicturesTest, TheImageListOfTheDefinitionsIsLoadedThroughThePictureLoader)
{
    const std::string skin = "[SYSTEM]\nIMAGECNT=3\nIMAGE1=" + Picture("two_colors.bmp").toStdString() +
                             "\nIMAGE2=\nIMAGE3=" + Picture("not_a_picture.txt").toStdString() + "\n";
    EntityModelLoadResult loaded = LoadEntityModelSetFromText("", "", skin);
    ASSERT_NE(loaded.models, nullptr);
    ScriptedMessageBoxes boxes;
    LoadImageList(*loaded.models);

    const uintptr_t first = loaded.models->GetImageHandle(1);
    ASSERT_NE(first, 0U);
    const QImage* picture = ShapePictures().Find(static_cast<int32_t>(first));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size(), QSize(40, 20));
    EXPECT_EQ(loaded.models->GetImageHandle(2), 0U) << "an entry without a file";
    EXPECT_EQ(loaded.models->GetImageHandle(3), 0U) << "a file that is no picture";
    ASSERT_EQ(boxes.Requests().size(), 1U);
    EXPECT_EQ(boxes.Requests()[0].text, QStringLiteral("IPicture interface is not supported\t"));
    EXPECT_EQ(boxes.Requests()[0].caption, QStringLiteral("CIEPicture Error"));

    // Loaded again, the pictures of the first load are let go.
    LoadImageList(*loaded.models);
    EXPECT_EQ(ShapePictures().Find(static_cast<int32_t>(first)), nullptr);
    EXPECT_NE(loaded.models->GetImageHandle(1), 0U);
}

} // namespace
