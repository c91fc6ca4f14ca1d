#include "automation/frame_stats.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

FrameTimes Work(uint32_t frameUs, uint32_t lateUs = 0, bool paced = true) {
  FrameTimes times;
  times.updateUs = frameUs / 4;
  times.drawUs = frameUs / 2;
  times.presentUs = frameUs - frameUs / 4 - frameUs / 2;
  times.frameUs = frameUs;
  times.lateUs = lateUs;
  times.paced = paced;
  return times;
}

TEST(FrameStats, NearestRankPercentilesOfEveryPhase) {
  FrameStats stats;
  // Frames of 100, 200, ..., 10000 us, added out of order.
  for (uint32_t i = 0; i < 100; ++i) stats.Add(i + 1, "Play", Work((i * 37 % 100 + 1) * 100));
  const StatsSummary summary = stats.Summarise();
  EXPECT_EQ(summary.frames, 100u);
  EXPECT_EQ(summary.frameUs.p50, 5000u);
  EXPECT_EQ(summary.frameUs.p90, 9000u);
  EXPECT_EQ(summary.frameUs.p99, 9900u);
  EXPECT_EQ(summary.frameUs.max, 10000u);
  EXPECT_EQ(summary.drawUs.max, 5000u);
  EXPECT_EQ(summary.updateUs.p50, 1250u);

  // Few frames: the 99th percentile of three is the largest, the median the middle one.
  FrameStats few;
  for (uint32_t us : {300u, 100u, 200u}) few.Add(1, "Logo", Work(us));
  const StatsSummary small = few.Summarise();
  EXPECT_EQ(small.frameUs.p50, 200u);
  EXPECT_EQ(small.frameUs.p99, 300u);
}

TEST(FrameStats, KeepsTheFiveSlowestFramesWithTheirScenes) {
  FrameStats stats;
  const uint32_t costs[] = {500, 9000, 700, 42000, 800, 9000, 300, 15000, 600, 39000, 100};
  const char* scenes[] = {"Logo", "Logo", "Logo", "Title",  "Title", "Title",
                          "Play", "Play", "Play", "Option", "Option"};
  for (uint32_t i = 0; i < 11; ++i) stats.Add(i + 1, scenes[i], Work(costs[i]));
  const std::vector<WorstFrame> worst = stats.Summarise().worst;
  ASSERT_EQ(worst.size(), 5u);
  const uint32_t frames[] = {4, 10, 8, 2, 6};  // equal costs keep the earlier frame first
  const char* expectedScenes[] = {"Title", "Option", "Play", "Logo", "Title"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(worst[i].frame, frames[i]) << i;
    EXPECT_EQ(worst[i].scene, expectedScenes[i]) << i;
    EXPECT_EQ(worst[i].us, costs[frames[i] - 1]) << i;
  }
  FrameStats two;
  two.Add(1, "Logo", Work(10));
  two.Add(2, "Logo", Work(20));
  ASSERT_EQ(two.Summarise().worst.size(), 2u);
  EXPECT_EQ(two.Summarise().worst[0].frame, 2u);
}

TEST(FrameStats, PacingCountsOnlyScheduledFramesAndLateMeansOverOneMillisecond) {
  FrameStats stats;
  stats.Add(1, "Play", Work(100, 0, false));  // unpaced: no schedule to be late for
  stats.Add(2, "Play", Work(100, 50000, false));
  stats.Add(3, "Play", Work(100, 1000));  // exactly 1 ms: not late
  stats.Add(4, "Play", Work(100, 1001));
  stats.Add(5, "Play", Work(100, 20));
  stats.Add(6, "Play", Work(100, 7500));
  const StatsSummary summary = stats.Summarise();
  EXPECT_EQ(summary.pacedFrames, 4u);
  EXPECT_EQ(summary.lateFrames, 2u);
  EXPECT_EQ(summary.lateUs.p50, 1000u);
  EXPECT_EQ(summary.lateUs.max, 7500u);
}

TEST(FrameStats, ReportHoldsEveryFigureAndTheTableSaysTheSame) {
  FrameStats stats;
  for (uint32_t i = 1; i <= 10; ++i)
    stats.Add(i, i < 4 ? "Logo" : "Title", Work(i * 1000, i * 300));
  const StatsSummary summary = stats.Summarise();
  const StatsContext context{{"opengl", "llvmpipe (LLVM 15.0.6, 256 bits)"}, 48000};
  const json report = json::parse(StatsJson(summary, context));
  EXPECT_EQ(report["frames"], 10);
  EXPECT_EQ(report["renderer"]["name"], "opengl");
  EXPECT_EQ(report["renderer"]["gl_renderer"], "llvmpipe (LLVM 15.0.6, 256 bits)");
  for (const char* phase : {"update_us", "draw_us", "present_us", "frame_us"}) {
    for (const char* figure : {"p50", "p90", "p99", "max"})
      EXPECT_TRUE(report[phase][figure].is_number_integer()) << phase << " " << figure;
  }
  EXPECT_EQ(report["frame_us"]["max"], 10000);
  EXPECT_FLOAT_EQ(report["pacing_ms"]["p50"].get<float>(), 1.5f);
  EXPECT_FLOAT_EQ(report["pacing_ms"]["p99"].get<float>(), 3.0f);
  EXPECT_FLOAT_EQ(report["pacing_ms"]["max"].get<float>(), 3.0f);
  EXPECT_EQ(report["late_frames"], 7);  // 1.2 ms .. 3 ms
  EXPECT_EQ(report["peak_rss_kb"], 48000);
  ASSERT_EQ(report["worst"].size(), 5u);
  EXPECT_EQ(report["worst"][0], json({{"frame", 10}, {"scene", "Title"}, {"us", 10000}}));

  const std::string table = StatsTable(summary, context);
  EXPECT_NE(table.find("10 frames, renderer opengl (llvmpipe"), std::string::npos) << table;
  EXPECT_NE(table.find("frame        5.000     9.000    10.000    10.000"), std::string::npos)
      << table;
  EXPECT_NE(table.find("7 of 10 frames over 1 ms late"), std::string::npos) << table;
  EXPECT_NE(table.find("10 Title 10.000 ms"), std::string::npos) << table;

  // A software renderer has no GL string, and the report does not invent one.
  const json plain = json::parse(StatsJson(summary, {{"software", ""}, 0}));
  EXPECT_FALSE(plain["renderer"].contains("gl_renderer"));
}

}  // namespace
