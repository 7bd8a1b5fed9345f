#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/platform/qt_test_app.h"

#include "platform/dc.h"
#include "platform/scripted_runners.h"
#include "ui/framework/skin/ie_picture.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace {

QString Picture(const char* name)
{
    return QString::fromUtf8(TARVIK_TEST_DATA_DIR) + QStringLiteral("/pictures/") + QString::fromUtf8(name);
}

struct LoadRow {
    const char* file;
    int result;
    int width;
    int height;
    const char* message; // the box's text, empty when none
};

class PictureLoadTest : public ::testing::TestWithParam<LoadRow> {};

TEST_P(PictureLoadTest, LoadsOrSaysWhyNot)
{
    const LoadRow& row = GetParam();
    ScriptedMessageBoxes boxes;
    CIEPicture picture;
    EXPECT_EQ(picture.LoadFromFile(Picture(row.file)), row.result) << row.file;
    EXPECT_EQ(picture.GetPixelWidth(), row.width) << row.file;
    EXPECT_EQ(picture.GetPixelHeight(), row.height) << row.file;
    EXPECT_EQ(picture.IsLoaded(), row.result == 1) << row.file;
    if (*row.message == '\0') {
        EXPECT_TRUE(boxes.Requests().empty()) << row.file;
        return;
    }
    ASSERT_EQ(boxes.Requests().size(), 1U) << row.file;
    EXPECT_EQ(boxes.Requests()[0].text, QString::fromUtf8(row.message)) << row.file;
    EXPECT_EQ(boxes.Requests()[0].caption, QStringLiteral("CIEPicture Error"));
    EXPECT_EQ(boxes.Requests()[0].type, MB_OK | MB_ICONHAND);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureLoadTest,
    ::testing::Values(LoadRow{"two_colors.png", 1, 40, 20, ""}, LoadRow{"two_colors.bmp", 1, 40, 20, ""},
                      LoadRow{"two_colors.gif", 1, 40, 20, ""}, LoadRow{"two_colors.jpg", 1, 40, 20, ""},
                      LoadRow{"empty.png", 0, 0, 0, "IPicture interface is not supported\t"},
                      LoadRow{"not_a_picture.txt", 0, 0, 0, "IPicture interface is not supported\t"},
                      LoadRow{"truncated.png", 0, 0, 0, "IPicture interface is not supported\t"},
                      LoadRow{"huge_announced.png", 0, 0, 0, "Can not allocate enough memory\t"},
                      LoadRow{"too_wide.png", 0, 0, 0, "Can not allocate enough memory\t"},
                      // A 1 x 1 frame on a screen of 65535 x 65535, which its reader decodes into.
                      LoadRow{"huge_screen.gif", 0, 0, 0, "Can not allocate enough memory\t"}));

// Without reports the loader refuses the same files, and says nothing.
TEST_P(PictureLoadTest, WithoutReportsRefusesTheSameInSilence)
{
    const LoadRow& row = GetParam();
    ScriptedMessageBoxes boxes;
    CIEPicture picture(CIEPicture::Reports::None);
    EXPECT_EQ(picture.LoadFromFile(Picture(row.file)), row.result) << row.file;
    EXPECT_EQ(picture.IsLoaded(), row.result == 1) << row.file;
    EXPECT_TRUE(boxes.Requests().empty()) << row.file;
}

TEST(PictureTest, AFileThatCannotBeOpenedIsReportedWithItsName)
{
    ScriptedMessageBoxes boxes;
    CIEPicture picture;
    EXPECT_EQ(picture.LoadFromFile(Picture("missing.png")), 0);
    EXPECT_FALSE(picture.IsLoaded());
    ASSERT_EQ(boxes.Requests().size(), 1U);
    EXPECT_TRUE(boxes.Requests()[0].text.startsWith(Picture("missing.png") + QStringLiteral(": ")));
    EXPECT_NE(boxes.Requests()[0].caption, QStringLiteral("CIEPicture Error"));
}

TEST(PictureFileTest, DecodedWithinTheLimitsOrToldWhyNot)
{
    struct Row {
        const char* file;
        PictureError error;
    };
    for (const Row& row :
         {Row{"two_colors.bmp", PictureError::None}, Row{"huge_announced.png", PictureError::TooLarge},
          Row{"too_wide.png", PictureError::TooLarge}, Row{"huge_screen.gif", PictureError::TooLarge},
          Row{"truncated.png", PictureError::NotAPicture}, Row{"missing.png", PictureError::NotAPicture}}) {
        const PictureDecodeResult decoded = DecodePictureFile(Picture(row.file));
        EXPECT_EQ(decoded.error, row.error) << row.file;
        EXPECT_EQ(decoded.image.isNull(), row.error != PictureError::None) << row.file;
        EXPECT_EQ(decoded.reason.isEmpty(), row.error == PictureError::None) << row.file;
    }
}

TEST(PictureFileTest, LimitsGivenHoldAtTheirBound)
{
    // two_colors.png: 40 x 20 pixels, 120 bytes.
    struct Row {
        const char* name;
        PictureLimits limits;
        PictureError error;
    };
    for (const Row& row : {Row{"file at its limit", {120, 800, 40}, PictureError::None},
                           Row{"file one byte over", {119, 800, 40}, PictureError::TooLarge},
                           Row{"pixels one over", {120, 799, 40}, PictureError::TooLarge},
                           Row{"width one over", {120, 800, 39}, PictureError::TooLarge}}) {
        const PictureDecodeResult decoded = DecodePictureFile(Picture("two_colors.png"), row.limits);
        EXPECT_EQ(decoded.error, row.error) << row.name;
        EXPECT_EQ(decoded.image.isNull(), row.error != PictureError::None) << row.name;
    }
}

TEST(PictureTest, HimetricSizeFromPixelsAt96PerInch)
{
    CIEPicture picture;
    ASSERT_EQ(picture.LoadFromFile(Picture("two_colors.png")), 1);
    EXPECT_EQ(picture.GetHimetricWidth(), 1058); // 40 x 2540 / 96 = 1058.3
    EXPECT_EQ(picture.GetHimetricHeight(), 529); // 20 x 2540 / 96 = 529.2
}

TEST(PictureTest, SecondLoadReleasesTheFirstAndAFailedOneLeavesNothing)
{
    ScriptedMessageBoxes boxes;
    CIEPicture picture;
    ASSERT_EQ(picture.LoadFromFile(Picture("two_colors.png")), 1);
    QFile bmp(Picture("two_colors.bmp"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray bytes = bmp.readAll();
    ASSERT_EQ(
        picture.LoadFromBuffer(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())),
        1);
    EXPECT_EQ(picture.GetImage().size(), QSize(40, 20));
    EXPECT_EQ(picture.LoadFromFile(Picture("not_a_picture.txt")), 0);
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.GetHimetricWidth(), 0);
    EXPECT_EQ(picture.LoadFromBuffer(nullptr, 0), 0);
}

TEST(PictureTest, RenderStretchesToTheRectangle)
{
    CIEPicture picture;
    ASSERT_EQ(picture.LoadFromFile(Picture("two_colors.png")), 1);
    QImage target(100, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        Dc dc(painter);
        EXPECT_EQ(picture.Render(&dc, 10, 2, 90, 8), 1);
        EXPECT_EQ(picture.Render(nullptr, 0, 0, 10, 10), 0);
    }
    // 80 x 6 pixels: red on the left half, blue on the right, nothing outside; no aspect is kept.
    EXPECT_EQ(QColor(target.pixel(5, 5)), QColor(Qt::white));
    EXPECT_EQ(QColor(target.pixel(12, 3)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(target.pixel(45, 7)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(target.pixel(55, 3)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(target.pixel(88, 7)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(target.pixel(50, 9)), QColor(Qt::white));

    CIEPicture empty;
    QPainter painter(&target);
    Dc dc(painter);
    EXPECT_EQ(empty.Render(&dc, 0, 0, 10, 10), 0);
}

TEST(PictureTest, PixelSizeFollowsTheDeviceResolution)
{
    CIEPicture picture;
    ASSERT_EQ(picture.LoadFromFile(Picture("two_colors.png")), 1);
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(7559); // 192 per inch
    device.setDotsPerMeterY(3780); // 96 per inch
    QPainter painter(&device);
    Dc dc(painter);
    EXPECT_EQ(picture.GetPixelSize(&dc), 1);
    EXPECT_EQ(picture.GetPixelWidth(), 80);
    EXPECT_EQ(picture.GetPixelHeight(), 20);
    EXPECT_EQ(picture.GetPixelSize(nullptr), 0);
    EXPECT_EQ(picture.GetPixelWidth(), 0);
    EXPECT_EQ(picture.GetPixelHeight(), 0);
}

TEST(PictureTest, SaveWritesThePictureInItsOwnFormatAndReportsAFailure)
{
    ScriptedMessageBoxes boxes;
    const CTempDir dir;
    CIEPicture picture;
    ASSERT_EQ(picture.LoadFromFile(Picture("two_colors.gif")), 1);
    const QString path = QString::fromStdString((dir.Path() / "map.gif").string());
    EXPECT_EQ(picture.SaveToStorage(path), 1);
    QFile original(Picture("two_colors.gif"));
    QFile saved(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), original.readAll());
    EXPECT_TRUE(boxes.Requests().empty());

    const QString nowhere = QString::fromStdString((dir.Path() / "no/such/folder/map.gif").string());
    EXPECT_EQ(picture.SaveToStorage(nowhere), 0);
    ASSERT_EQ(boxes.Requests().size(), 2U) << "the file's error, then the loader's box";
    EXPECT_TRUE(boxes.Requests()[0].text.startsWith(nowhere + QStringLiteral(": ")));
    EXPECT_EQ(boxes.Requests()[1].text, QStringLiteral("Can not allocate enough memory\t"));
    EXPECT_EQ(boxes.Requests()[1].caption, QStringLiteral("CIEPicture Error"));
    CIEPicture empty;
    EXPECT_EQ(empty.SaveToStorage(path), 0);
}

} // namespace
