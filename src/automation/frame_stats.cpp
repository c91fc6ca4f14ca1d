#include "automation/frame_stats.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "automation/trace.h"

namespace {

// Nearest-rank percentiles of the values `get` reads from each kept frame.
template <typename Get>
Percentiles PercentilesOf(const std::vector<FrameTimes>& samples, Get get) {
  std::vector<uint32_t> values;
  values.reserve(samples.size());
  for (const FrameTimes& times : samples) {
    if (const auto value = get(times)) values.push_back(*value);
  }
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  const auto rank = [&](unsigned percent) {
    const size_t n = values.size();
    return values[std::max<size_t>((n * percent + 99) / 100, 1) - 1];
  };
  return {rank(50), rank(90), rank(99), values.back()};
}

template <typename Field>
Percentiles FieldPercentiles(const std::vector<FrameTimes>& samples, Field field) {
  return PercentilesOf(samples, [field](const FrameTimes& t) { return std::optional(t.*field); });
}

void WritePercentiles(JsonWriter& json, std::string_view key, const Percentiles& p) {
  json.Key(key);
  json.BeginObject();
  json.IntField("p50", p.p50);
  json.IntField("p90", p.p90);
  json.IntField("p99", p.p99);
  json.IntField("max", p.max);
  json.EndObject();
}

float Milliseconds(uint32_t us) { return float(us) / 1000.0f; }

std::string RendererText(const RendererDescription& renderer) {
  if (renderer.glRenderer.empty()) return renderer.name;
  return renderer.name + " (" + renderer.glRenderer + ")";
}

void AppendRow(std::string& text, const char* name, const Percentiles& p) {
  char line[128];
  std::snprintf(line, sizeof line, "  %-8s %9.3f %9.3f %9.3f %9.3f\n", name, Milliseconds(p.p50),
                Milliseconds(p.p90), Milliseconds(p.p99), Milliseconds(p.max));
  text += line;
}

}  // namespace

void FrameStats::Add(uint32_t frame, std::string_view scene, const FrameTimes& times) {
  samples_.push_back(times);
  // Keep the slowest frames in order; the first of equal frames stays ahead.
  size_t at = worstCount_;
  while (at > 0 && worst_[at - 1].us < times.frameUs) --at;
  if (at >= worst_.size()) return;
  std::move_backward(worst_.begin() + at, worst_.end() - 1, worst_.end());
  worst_[at] = {frame, scene, times.frameUs};
  worstCount_ = std::min(worstCount_ + 1, worst_.size());
}

StatsSummary FrameStats::Summarise() const {
  StatsSummary summary;
  summary.frames = uint32_t(samples_.size());
  summary.updateUs = FieldPercentiles(samples_, &FrameTimes::updateUs);
  summary.drawUs = FieldPercentiles(samples_, &FrameTimes::drawUs);
  summary.presentUs = FieldPercentiles(samples_, &FrameTimes::presentUs);
  summary.frameUs = FieldPercentiles(samples_, &FrameTimes::frameUs);
  summary.lateUs = PercentilesOf(samples_, [](const FrameTimes& t) {
    return t.paced ? std::optional(t.lateUs) : std::nullopt;
  });
  for (const FrameTimes& times : samples_) {
    summary.pacedFrames += times.paced;
    summary.lateFrames += times.paced && times.lateUs > StatsSummary::kLateUs;
  }
  summary.worst.assign(worst_.begin(), worst_.begin() + long(worstCount_));
  return summary;
}

std::string StatsJson(const StatsSummary& summary, const StatsContext& context) {
  JsonWriter json;
  json.BeginObject();
  json.IntField("frames", summary.frames);
  json.Key("renderer");
  json.BeginObject();
  json.Key("name");
  json.String(context.renderer.name);
  if (!context.renderer.glRenderer.empty()) {
    json.Key("gl_renderer");
    json.String(context.renderer.glRenderer);
  }
  json.EndObject();
  WritePercentiles(json, "update_us", summary.updateUs);
  WritePercentiles(json, "draw_us", summary.drawUs);
  WritePercentiles(json, "present_us", summary.presentUs);
  WritePercentiles(json, "frame_us", summary.frameUs);
  json.Key("pacing_ms");
  json.BeginObject();
  json.FloatField("p50", Milliseconds(summary.lateUs.p50));
  json.FloatField("p99", Milliseconds(summary.lateUs.p99));
  json.FloatField("max", Milliseconds(summary.lateUs.max));
  json.EndObject();
  json.IntField("paced_frames", summary.pacedFrames);
  json.IntField("late_frames", summary.lateFrames);
  json.IntField("peak_rss_kb", int64_t(context.peakRssKb));
  json.Key("worst");
  json.BeginArray();
  for (const WorstFrame& worst : summary.worst) {
    json.BeginObject();
    json.IntField("frame", worst.frame);
    json.Key("scene");
    if (worst.scene.empty())
      json.Null();
    else
      json.String(worst.scene);
    json.IntField("us", worst.us);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.Text() + "\n";
}

std::string StatsTable(const StatsSummary& summary, const StatsContext& context) {
  std::string text = "frame statistics: " + std::to_string(summary.frames) + " frames, renderer " +
                     RendererText(context.renderer) + "\n";
  text += "  ms             p50       p90       p99       max\n";
  AppendRow(text, "update", summary.updateUs);
  AppendRow(text, "draw", summary.drawUs);
  AppendRow(text, "present", summary.presentUs);
  AppendRow(text, "frame", summary.frameUs);
  char line[160];
  if (summary.pacedFrames == 0) {
    text += "  pacing: none (no frame rate)\n";
  } else {
    std::snprintf(line, sizeof line,
                  "  pacing: start after schedule p50 %.3f ms, p99 %.3f ms, max %.3f ms; "
                  "%u of %u frames over 1 ms late\n",
                  Milliseconds(summary.lateUs.p50), Milliseconds(summary.lateUs.p99),
                  Milliseconds(summary.lateUs.max), summary.lateFrames, summary.pacedFrames);
    text += line;
  }
  std::snprintf(line, sizeof line, "  peak RSS: %llu KiB\n",
                static_cast<unsigned long long>(context.peakRssKb));
  text += line;
  text += "  slowest frames:";
  for (const WorstFrame& worst : summary.worst) {
    std::snprintf(line, sizeof line, " %u %.*s %.3f ms;", worst.frame, int(worst.scene.size()),
                  worst.scene.data(), Milliseconds(worst.us));
    text += line;
  }
  if (!summary.worst.empty()) text.pop_back();
  text += "\n";
  return text;
}
