// Frame statistics of a run (--stats): every frame's phase times are kept, and summed up at the
// end into percentiles, pacing figures and the slowest frames.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_settings.h"
#include "system/render_device.h"

struct Percentiles {
  uint32_t p50 = 0, p90 = 0, p99 = 0, max = 0;
};

struct WorstFrame {
  uint32_t frame = 0;
  std::string_view scene;  // a scene name with static storage
  uint32_t us = 0;
};

struct StatsSummary {
  static constexpr size_t kWorstFrames = 5;
  // A frame that starts later than this after its scheduled time counts as late.
  static constexpr uint32_t kLateUs = 1000;

  uint32_t frames = 0;
  Percentiles updateUs, drawUs, presentUs, frameUs;
  uint32_t pacedFrames = 0;  // frames with a schedule (none at --fps 0)
  Percentiles lateUs;        // of the paced frames
  uint32_t lateFrames = 0;
  std::vector<WorstFrame> worst;  // slowest first, at most kWorstFrames
};

class FrameStats {
 public:
  // Takes room for `frames` frames, so that recording that many allocates nothing.
  void Reserve(size_t frames) { samples_.reserve(frames); }
  void Add(uint32_t frame, std::string_view scene, const FrameTimes& times);
  StatsSummary Summarise() const;

 private:
  std::vector<FrameTimes> samples_;
  std::array<WorstFrame, StatsSummary::kWorstFrames> worst_{};  // slowest first
  size_t worstCount_ = 0;
};

// What the run's report says besides the frames.
struct StatsContext {
  RendererDescription renderer;
  uint64_t peakRssKb = 0;
};

// The report as one JSON object, and as a table for people.
std::string StatsJson(const StatsSummary& summary, const StatsContext& context);
std::string StatsTable(const StatsSummary& summary, const StatsContext& context);
