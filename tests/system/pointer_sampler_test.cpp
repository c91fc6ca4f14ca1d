#include "system/pointer_sampler.h"

#include <gtest/gtest.h>

namespace {

TEST(PointerSampler, PressesOutsideThePictureStartNothing) {
  PointerSampler sampler;
  sampler.Press(0, 300, false);
  EXPECT_FALSE(sampler.Sample().Down());
  sampler.Release(0, 300);
  EXPECT_FALSE(sampler.Sample().Tapped());
}

TEST(PointerSampler, APressAfterATapInOneFrameWaitsForTheNextFrame) {
  PointerSampler sampler;
  sampler.Press(10, 10, true);
  sampler.Release(10, 10);
  sampler.Press(50, 50, true);
  PointerFrame frame = sampler.Sample();
  EXPECT_EQ(frame.flags, PointerTapped | PointerMoved);
  EXPECT_EQ(frame.x, 10);
  frame = sampler.Sample();
  EXPECT_EQ(frame.flags, PointerDown | PointerMoved);
  EXPECT_EQ(frame.x, 50);
  sampler.Release(50, 50);
  EXPECT_FALSE(sampler.Sample().Tapped()) << "held over a frame: a release, no tap";

  // A tap, a press and its release within one frame: the second tap comes a frame later.
  sampler.Press(1, 1, true);
  sampler.Release(1, 1);
  sampler.Press(2, 2, true);
  sampler.Release(2, 2);
  EXPECT_TRUE(sampler.Sample().Tapped());
  EXPECT_FALSE(sampler.Sample().Tapped()) << "two taps in 20 ms are one";
}

}  // namespace
