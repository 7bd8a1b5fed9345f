#include "tests/ui/framework/shapes/shape_test_support.h"

namespace {

using namespace shape_test;

TEST(Circle, FilledOnTheSquareInTheMiddle)
{
    const QImage image = Draw("C,0,40,0,20,0x0000FF", 41, 21);
    EXPECT_EQ(PixelOf(image, 20, 10), kRed);
    EXPECT_EQ(PixelOf(image, 5, 10), kWhite); // outside the square 10..30
    EXPECT_EQ(PixelOf(image, 35, 10), kWhite);
    EXPECT_EQ(PixelOf(image, 10, 0), kWhite); // the square's corner
}

TEST(Circle, RingAndCircleOfZeroWidthDrawNothing)
{
    EXPECT_TRUE(InkBounds(Draw("C,5,5,0,10,0x0000FF", 11, 11), kWhite).isNull());
    EXPECT_TRUE(InkBounds(Draw("R,5,5,0,10,0x0000FF,0,2,0", 11, 11), kWhite).isNull());
}

TEST(Ring, OutlineOfItsWidthInside)
{
    const QImage image = Draw("R,0,20,0,20,0x0000FF,0,2,0", 21, 21);
    EXPECT_EQ(PixelOf(image, 10, 0), kRed);
    EXPECT_EQ(PixelOf(image, 10, 1), kRed);
    EXPECT_EQ(PixelOf(image, 10, 2), kWhite);
    EXPECT_EQ(PixelOf(image, 10, 10), kWhite);
    EXPECT_EQ(PixelOf(image, 0, 10), kRed);
}

TEST(Ring, BlendedRingsFromTheSecondColourOutside)
{
    const QImage image = Draw("R,0,20,0,20,0x0000FF,0xFF0000,3,1", 21, 21);
    // Rings two pixels wide, each inset by one more pixel: the inner one covers half of the one before.
    EXPECT_EQ(PixelOf(image, 10, 0), kBlue);                        // ring 0: the second colour
    EXPECT_EQ(PixelOf(image, 10, 1), MixColors(kBlue, 1, kRed, 1)); // ring 1
    EXPECT_EQ(PixelOf(image, 10, 2), kRed);                         // ring 2: the first colour
    EXPECT_EQ(PixelOf(image, 10, 3), kRed);
    EXPECT_EQ(PixelOf(image, 10, 4), kWhite);
}

TEST(Ring3d, HalvesSplitAlongADiagonal)
{
    const QImage image = Draw("R2,0,20,0,20,0x0000FF,0xFF0000,2,0,0", 21, 21);
    EXPECT_EQ(PixelOf(image, 10, 0), kRed);   // top: the upper-left half
    EXPECT_EQ(PixelOf(image, 0, 10), kRed);   // left
    EXPECT_EQ(PixelOf(image, 20, 10), kBlue); // right: the lower-right half
    EXPECT_EQ(PixelOf(image, 10, 20), kBlue); // bottom
    EXPECT_EQ(PixelOf(image, 10, 10), kWhite);

    // The string has no operand for the other diagonal; records made by the program set it.
    ShapeRecord otherDiagonal = Parsed("R2,0,20,0,20,0x0000FF,0xFF0000,2,0");
    otherDiagonal.opt2 = 1;
    const QImage other = DrawRecord(otherDiagonal, 21, 21);
    EXPECT_EQ(PixelOf(other, 10, 0), kRed); // the upper-right half
    EXPECT_EQ(PixelOf(other, 20, 10), kRed);
    EXPECT_EQ(PixelOf(other, 0, 10), kBlue); // the lower-left half
    EXPECT_EQ(PixelOf(other, 10, 20), kBlue);
}

TEST(Ring3d, BlendedRingEndsInThePureColours)
{
    // Size 2: ring 0 blends, ring 1 is pure.
    const QImage image = Draw("R2,0,20,0,20,0x0000FF,0xFF0000,2,1,0", 21, 21);
    EXPECT_EQ(PixelOf(image, 10, 0), MixColors(kRed, 2, kBlue, 1));
    EXPECT_EQ(PixelOf(image, 10, 2), kRed);
    EXPECT_EQ(PixelOf(image, 10, 20), MixColors(kBlue, 2, kRed, 1));
}

TEST(Ring3d, TwoPixelsWideDrawsNothing)
{
    EXPECT_TRUE(InkBounds(Draw("R2,0,1,0,1,0x0000FF,0xFF0000,1,0,0", 4, 4), kWhite).isNull());
}

} // namespace
