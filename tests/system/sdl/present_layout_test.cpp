#include "system/sdl/present_layout.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PresentLayout, WindowOfThePictureSizeIsACopyAtOneToOne) {
  const PresentLayout layout = ComputePresentLayout(800, 600, 800, 600);
  EXPECT_EQ(layout.dstX, 0);
  EXPECT_EQ(layout.dstY, 0);
  EXPECT_EQ(layout.dstW, 800);
  EXPECT_EQ(layout.dstH, 600);
  EXPECT_EQ(layout.factor, 1);
  EXPECT_FALSE(layout.linear);
  EXPECT_FALSE(layout.NeedsIntermediate());
}

TEST(PresentLayout, WholeMultiplesStayNearest) {
  const PresentLayout layout = ComputePresentLayout(1600, 1200, 800, 600);
  EXPECT_EQ(layout.factor, 2);
  EXPECT_EQ(layout.dstW, 1600);
  EXPECT_FALSE(layout.linear);
  EXPECT_FALSE(layout.NeedsIntermediate());
}

TEST(PresentLayout, WideScreensArePillarboxedAndFilteredAfterTheWholeFactor) {
  const PresentLayout hd = ComputePresentLayout(1920, 1080, 800, 600);
  EXPECT_EQ(hd.dstW, 1440);
  EXPECT_EQ(hd.dstH, 1080);
  EXPECT_EQ(hd.dstX, 240);
  EXPECT_EQ(hd.dstY, 0);
  EXPECT_EQ(hd.factor, 1);
  EXPECT_TRUE(hd.linear);
  EXPECT_FALSE(hd.NeedsIntermediate());  // one filtered step from the picture itself

  const PresentLayout qhd = ComputePresentLayout(2560, 1440, 800, 600);
  EXPECT_EQ(qhd.dstW, 1920);
  EXPECT_EQ(qhd.dstH, 1440);
  EXPECT_EQ(qhd.dstX, 320);
  EXPECT_EQ(qhd.factor, 2);
  EXPECT_TRUE(qhd.NeedsIntermediate());
}

TEST(PresentLayout, TallScreensAreLetterboxed) {
  const PresentLayout layout = ComputePresentLayout(1280, 1024, 800, 600);
  EXPECT_EQ(layout.dstW, 1280);
  EXPECT_EQ(layout.dstH, 960);
  EXPECT_EQ(layout.dstY, 32);
  EXPECT_EQ(layout.dstX, 0);
}

TEST(PresentLayout, SmallerOutputsShrinkLinearly) {
  const PresentLayout layout = ComputePresentLayout(640, 480, 800, 600);
  EXPECT_EQ(layout.dstW, 640);
  EXPECT_EQ(layout.dstH, 480);
  EXPECT_EQ(layout.factor, 1);
  EXPECT_TRUE(layout.linear);
}

TEST(PresentLayout, EmptyOutputGivesAnEmptyRectangle) {
  const PresentLayout layout = ComputePresentLayout(0, 600, 800, 600);
  EXPECT_EQ(layout.dstW, 0);
  EXPECT_EQ(layout.dstH, 0);
}

// Window points to game pixels: the corners of the picture, the bars, a high-density output.
TEST(PictureFromWindow, MapsThroughTheScalingAndTheBars) {
  struct Case {
    double wx, wy;
    int windowW, windowH, outputW, outputH;
    int x, y;
    bool inside;
  };
  const Case cases[] = {
      {0, 0, 800, 600, 800, 600, 0, 0, true},  // a window of the picture's size
      {799.9, 599.9, 800, 600, 800, 600, 799, 599, true},
      {800, 300, 800, 600, 800, 600, 799, 300, false},  // just past the right edge
      {100, 50, 1600, 1200, 1600, 1200, 50, 25, true},  // twice the size
      {240, 0, 1920, 1080, 1920, 1080, 0, 0, true},     // full screen 16:9: bars of 240 each
      {239, 540, 1920, 1080, 1920, 1080, 0, 300, false},
      {960, 540, 1920, 1080, 1920, 1080, 400, 300, true},
      {1679, 1079, 1920, 1080, 1920, 1080, 799, 599, true},
      {1700, 540, 1920, 1080, 1920, 1080, 799, 300, false},
      {422, 195, 844, 390, 1688, 780, 400, 300, true},  // a phone: points, twice as many pixels
      {422, 20, 844, 390, 1688, 780, 400, 30, true},
      {40, 195, 844, 390, 1688, 780, 0, 300, false},     // in the left bar
      {195, 422, 390, 844, 1170, 2532, 400, 300, true},  // a phone upright: bars above and below
      {195, 100, 390, 844, 1170, 2532, 400, 0, false},
      {-50, -70, 800, 600, 800, 600, 0, 0, false},  // a drag gone past the window
      {5000, 1e9, 800, 600, 800, 600, 799, 599, false},
  };
  for (const Case& c : cases) {
    const PicturePoint p =
        PictureFromWindow(c.wx, c.wy, c.windowW, c.windowH, c.outputW, c.outputH, 800, 600);
    EXPECT_EQ(p.x, c.x) << c.wx << "," << c.wy << " in " << c.windowW << "x" << c.windowH;
    EXPECT_EQ(p.y, c.y) << c.wx << "," << c.wy << " in " << c.windowW << "x" << c.windowH;
    EXPECT_EQ(p.inside, c.inside) << c.wx << "," << c.wy;
  }
}

TEST(PictureFromWindow, EmptyWindowsAndNonsenseGiveTheCornerOutside) {
  EXPECT_FALSE(PictureFromWindow(10, 10, 0, 0, 0, 0, 800, 600).inside);
  const PicturePoint nan = PictureFromWindow(std::nan(""), 10, 800, 600, 800, 600, 800, 600);
  EXPECT_FALSE(nan.inside);
  EXPECT_EQ(nan.x, 0);
}
