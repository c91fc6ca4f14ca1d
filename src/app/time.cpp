#include "app/time.h"

namespace {

// A frame that ran later than this is not caught up: the schedule restarts from now, still
// allowing this much catch-up.
constexpr uint32_t kMaxCatchUpMs = 7;
// Sleep wakes up late by a few milliseconds; the rest of the wait is spent spinning.
constexpr uint32_t kSpinMs = 3;

}  // namespace

CTime::CTime(IClock* c) : clock(c) {
  SetFps(60);
  Restart();
}

void CTime::SetFps(int32_t fps) {
  targetFps = fps;
  framePeriod = fps > 0 ? uint32_t(65536000u / uint32_t(fps)) : 0;
}

void CTime::Restart() {
  frameBase = clock ? clock->Ticks() : 0;
  periodAccumulator = 0;
}

void CTime::WaitFrame() {
  if (!clock) return;
  const uint32_t now = clock->Ticks();
  if (targetFps == 0) return;
  periodAccumulator = (periodAccumulator & 0xFFFF) + framePeriod;
  const uint32_t ms = periodAccumulator >> 16;
  const uint32_t elapsed = now - frameBase;  // unsigned: right across the wrap of the clock

  if (elapsed < ms) {
    const uint32_t remaining = ms - elapsed;
    if (remaining > kSpinMs) clock->Sleep(remaining - kSpinMs);
    while (clock->Ticks() - frameBase < ms) {}
    frameBase += ms;
  } else if (elapsed - ms < kMaxCatchUpMs) {
    frameBase += ms;  // on time or a little late: the next quick frames catch up
  } else {
    frameBase = now - kMaxCatchUpMs;  // far behind: drop the backlog
  }
}
