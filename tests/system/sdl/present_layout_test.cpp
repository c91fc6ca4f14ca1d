#include "system/sdl/present_layout.h"

#include <gtest/gtest.h>

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
