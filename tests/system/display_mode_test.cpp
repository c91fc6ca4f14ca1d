#include "system/display_mode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr uint32_t kA8R8G8B8 = 21, kX8R8G8B8 = 22, kR5G6B5 = 23;
const DisplayMode kWanted{800, 600, 50, kA8R8G8B8};
}  // namespace

TEST(DisplayModeScore, FormatAndRefreshTerms) {
  EXPECT_EQ(ScoreDisplayMode({800, 600, 60, kX8R8G8B8}, kWanted), -32);
  EXPECT_EQ(ScoreDisplayMode({800, 600, 60, kR5G6B5}, kWanted), -33);
  EXPECT_EQ(ScoreDisplayMode({800, 600, 75, kX8R8G8B8}, kWanted), -47);
  EXPECT_EQ(ScoreDisplayMode({800, 600, 48, kX8R8G8B8}, kWanted), -222);
  EXPECT_EQ(ScoreDisplayMode(kWanted, kWanted), 0);
}

TEST(DisplayModeScore, FallingShortCostsAHundredTimesMore) {
  // One pixel narrower costs as much as a hundred wider (the aspect term aside).
  const DisplayMode narrower{799, 600, 50, kA8R8G8B8};
  const DisplayMode wider{900, 600, 50, kA8R8G8B8};
  EXPECT_EQ(ScoreDisplayMode(narrower, kWanted), -100 - 0);  // 100*799/600 = 133, as 800's
  EXPECT_EQ(ScoreDisplayMode(wider, kWanted), -100 - 17);    // 150 against 133
  // 1024 x 768 keeps 4:3.
  EXPECT_EQ(ScoreDisplayMode({1024, 768, 50, kA8R8G8B8}, kWanted), -224 - 168);
}

TEST(DisplayModeChoice, BestWinsAndTheFirstOfEqualModes) {
  const std::vector<DisplayMode> modes = {{640, 480, 60, kX8R8G8B8}, {800, 600, 75, kX8R8G8B8},
                                          {800, 600, 60, kX8R8G8B8}, {800, 600, 60, kR5G6B5},
                                          {800, 600, 60, kX8R8G8B8}, {800, 600, 48, kX8R8G8B8}};
  EXPECT_EQ(ChooseBestDisplayMode(modes, kWanted), 2);
  EXPECT_EQ(ChooseBestDisplayMode({}, kWanted), -1);
}

TEST(DisplayModeChoice, ModesWithoutSizeAreNeverChosen) {
  const std::vector<DisplayMode> modes = {
      {0, 0, 50, kA8R8G8B8}, {1920, 0, 50, kA8R8G8B8}, {1920, 1080, 60, kX8R8G8B8}};
  EXPECT_EQ(ChooseBestDisplayMode(modes, kWanted), 2);
  EXPECT_EQ(ChooseBestDisplayMode(std::span(modes.data(), 2), kWanted), -1);
}
