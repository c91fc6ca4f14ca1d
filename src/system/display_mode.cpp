#include "system/display_mode.h"

#include <climits>
#include <cstdlib>

namespace {

// Falling short costs a hundred times as much as overshooting.
int64_t DistanceCost(int64_t wanted, int64_t actual) {
  return actual < wanted ? -100 * (wanted - actual) : -(actual - wanted);
}

int64_t AspectPercent(int width, int height) {
  if (height <= 0) return 0;
  return int64_t(uint32_t(100u * uint32_t(width)) / uint32_t(height));
}

}  // namespace

int32_t ScoreDisplayMode(const DisplayMode& mode, const DisplayMode& wanted) {
  int64_t score = DistanceCost(wanted.width, mode.width) + DistanceCost(wanted.height, mode.height);
  score -= std::llabs(AspectPercent(wanted.width, wanted.height) -
                      AspectPercent(mode.width, mode.height));
  if (mode.format != wanted.format) score -= int64_t(mode.format);
  score += DistanceCost(wanted.refreshRate, mode.refreshRate);
  return int32_t(score);  // a signed 32-bit sum, as the modes were always scored
}

int ChooseBestDisplayMode(std::span<const DisplayMode> modes, const DisplayMode& wanted) {
  int best = -1;
  int32_t bestScore = INT32_MIN;
  for (size_t i = 0; i < modes.size(); ++i) {
    const DisplayMode& m = modes[i];
    if (m.width <= 0 || m.height <= 0) continue;
    const int32_t score = ScoreDisplayMode(m, wanted);
    if (best < 0 || score > bestScore) {
      best = int(i);
      bestScore = score;
    }
  }
  return best;
}
