#include "app/time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fakes/fake_clock.h"

namespace {

class PacingTest : public ::testing::Test {
 protected:
  PacingTest() : time(&clock) { Restart(50); }
  // Starts the schedule at the clock's present time (the read itself moves the fake clock on).
  void Restart(int fps) {
    time.SetFps(fps);
    time.Restart();
    clock.SetNow(time.frameBase);
  }
  // A frame whose work took `us` microseconds, then the wait; returns the wait's sleeps in
  // microseconds.
  std::vector<uint32_t> FrameUs(uint64_t us) {
    clock.microSleeps.clear();
    clock.us += us;
    time.WaitFrame();
    EXPECT_TRUE(clock.sleeps.empty());  // pacing never sleeps whole milliseconds
    return clock.microSleeps;
  }
  std::vector<uint32_t> Frame(uint32_t ms) { return FrameUs(uint64_t{ms} * 1000); }
  FakeClock clock{5000};
  CTime time;
};

}  // namespace

TEST(FramePeriod, IsStoredInSixteenSixteenFixedPoint) {
  FakeClock clock;
  CTime time(&clock);
  EXPECT_EQ(time.targetFps, 60);
  EXPECT_EQ(time.framePeriod, 0x0010AAAAu);
  time.SetFps(50);
  EXPECT_EQ(time.framePeriod, 0x00140000u);
  time.SetFps(0);
  EXPECT_EQ(time.framePeriod, 0u);
}

TEST_F(PacingTest, EarlyFrameSleepsThenSpinsToTheBoundary) {
  const uint32_t base = time.frameBase;
  // 15 ms left: sleep all but the last 0.8 ms, spin through that.
  EXPECT_EQ(Frame(5), (std::vector<uint32_t>{14200}));
  EXPECT_EQ(time.frameBase, base + 20);
  // Released on the boundary, within one reading of the clock.
  EXPECT_EQ(clock.Now(), base + 20);
  EXPECT_LE(clock.us % 1000, clock.advancePerReadUs);
  EXPECT_LE(time.lateUs, clock.advancePerReadUs);
}

TEST_F(PacingTest, BoundaryIsTheMillisecondTickNotTheTimeSinceTheLastRead) {
  // The frame ends 0.3 ms into its fifth millisecond: the wait is 15.7 ms, not 15.
  const uint32_t base = time.frameBase;
  EXPECT_EQ(FrameUs(5300), (std::vector<uint32_t>{13900}));
  EXPECT_EQ(clock.Now(), base + 20);
  EXPECT_LE(clock.us % 1000, clock.advancePerReadUs);
}

TEST_F(PacingTest, NearlyFinishedFrameOnlySpins) {
  const uint32_t base = time.frameBase;
  EXPECT_TRUE(FrameUs(19500).empty());  // 0.5 ms early
  EXPECT_EQ(time.frameBase, base + 20);
  EXPECT_EQ(clock.Now(), base + 20);
}

TEST_F(PacingTest, SleepThatWakesLateMakesTheFrameLate) {
  clock.oversleepUs = 2500;
  const uint32_t base = time.frameBase;
  Frame(5);
  EXPECT_EQ(time.frameBase, base + 20);  // the schedule holds
  EXPECT_GE(time.lateUs, 1700u);
  EXPECT_LE(time.lateUs, 1700u + clock.advancePerReadUs);
}

TEST_F(PacingTest, LateFrameKeepsTheSchedule) {
  const uint32_t base = time.frameBase;
  EXPECT_TRUE(Frame(25).empty());  // over = 5
  EXPECT_EQ(time.frameBase, base + 20);
  EXPECT_EQ(time.lateUs, 5000u);
  // The next frame may be 5 ms shorter: 12 ms of work ends 3 ms early.
  EXPECT_EQ(Frame(12).size(), 1u);
  EXPECT_EQ(clock.Now(), base + 40);
  EXPECT_EQ(time.frameBase, base + 40);
}

TEST_F(PacingTest, FarLateFrameDropsTheBacklog) {
  const uint32_t base = time.frameBase;
  clock.Advance(30);  // over = 10
  const uint32_t now = clock.Now();
  time.WaitFrame();
  EXPECT_EQ(time.frameBase, now - 7);
  EXPECT_EQ(time.lateUs, 10000u);
  EXPECT_NE(time.frameBase, base + 20);
  // After a pause of seconds there is no burst of fast frames either.
  clock.Advance(5000);
  const uint32_t later = clock.Now();
  time.WaitFrame();
  EXPECT_EQ(time.frameBase, later - 7);
}

TEST_F(PacingTest, SixtyFramesPerSecondAlternatesSixteenAndSeventeen) {
  Restart(60);
  std::vector<uint32_t> periods;
  for (int i = 0; i < 9; ++i) {
    const uint32_t before = time.frameBase;
    Frame(1);
    periods.push_back(time.frameBase - before);
  }
  EXPECT_EQ(periods, (std::vector<uint32_t>{16, 17, 16, 17, 17, 16, 17, 17, 16}));
}

TEST_F(PacingTest, WrapOfTheMillisecondClock) {
  clock.SetNow(0xFFFFFFF0u);
  Restart(50);
  EXPECT_EQ(Frame(4), (std::vector<uint32_t>{15200}));
  EXPECT_EQ(clock.Now(), 4u);
  EXPECT_EQ(time.frameBase, 0xFFFFFFF0u + 20u);
}

TEST_F(PacingTest, ZeroFpsNeverWaits) {
  time.SetFps(0);
  const uint32_t base = time.frameBase;
  EXPECT_TRUE(Frame(1).empty());
  EXPECT_EQ(time.frameBase, base);
}

// The display calls back at its own rate; the frames due in between keep 50 a second with no
// burst, whatever the rate.
class DisplayPacingTest : public ::testing::TestWithParam<int> {};

TEST_P(DisplayPacingTest, KeepsFiftyFramesASecondAtAnyRefreshRate) {
  const int hz = GetParam();
  FakeClock clock{0};
  clock.advancePerRead = 0;
  CTime time(&clock);
  time.SetFps(50);
  time.Restart();
  int frames = 0;
  int run = 0, longestRun = 0;
  // Ten seconds of callbacks, timed in microseconds, read by the millisecond clock.
  for (int64_t call = 1; call * 1000000 / hz <= 10000000; ++call) {
    clock.SetNow(uint32_t(call * 1000000 / hz / 1000));
    const bool due = time.TakeDueFrame();
    frames += due;
    run = due ? run + 1 : 0;
    longestRun = std::max(longestRun, run);
  }
  EXPECT_NEAR(frames, 500, 1);
  if (hz == 60) {
    EXPECT_EQ(longestRun, 5);  // every sixth callback has no frame
  }
}

INSTANTIATE_TEST_SUITE_P(RefreshRates, DisplayPacingTest,
                         ::testing::Values(50, 60, 75, 120, 144, 240));

// A display-driven schedule at 50 fps on a clock that only moves when told, after its first
// frame has run.
class DisplayPacing : public ::testing::Test {
 protected:
  void SetUp() override {
    clock.advancePerRead = 0;
    time.SetFps(50);
    time.Restart();
    clock.Advance(20);
    ASSERT_TRUE(time.TakeDueFrame());
  }

  FakeClock clock{1000};
  CTime time{&clock};
};

TEST_F(DisplayPacing, AfterAGapTheScheduleRestartsWithoutABurst) {
  clock.Advance(5000);  // the page was in the background
  EXPECT_TRUE(time.TakeDueFrame());
  clock.Advance(7);  // the next callback of a 144 Hz display
  EXPECT_FALSE(time.TakeDueFrame());
  clock.Advance(7);
  EXPECT_FALSE(time.TakeDueFrame());
  clock.Advance(7);
  EXPECT_TRUE(time.TakeDueFrame());
}

// A stall of a few frames (a slow frame, a busy machine) is not caught up either, even when
// the display's callbacks then come bunched together.
TEST_F(DisplayPacing, AStallIsNotCaughtUp) {
  clock.Advance(60);
  EXPECT_TRUE(time.TakeDueFrame());
  for (int i = 0; i < 3; ++i) {
    clock.Advance(4);
    EXPECT_FALSE(time.TakeDueFrame()) << i;
  }
  clock.Advance(5);  // 17 ms after the late frame: the next is due (3 ms early at most)
  EXPECT_TRUE(time.TakeDueFrame());
}

TEST(DisplayPacingWithoutARate, EveryCallbackRunsAFrame) {
  FakeClock clock{0};
  CTime time(&clock);
  time.SetFps(0);
  EXPECT_TRUE(time.TakeDueFrame());
  EXPECT_TRUE(time.TakeDueFrame());
}
