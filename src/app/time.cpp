#include "app/time.h"

namespace {

// A frame that ran later than this is not caught up: the schedule restarts from now, still
// allowing this much catch-up.
constexpr uint32_t kMaxCatchUpMs = 7;
// Sleep wakes up late by a few milliseconds; the rest of the wait is spent spinning.
constexpr uint32_t kSpinMs = 3;
// How early a frame called back by the display may start: less than half the interval of the
// fastest common displays (144 Hz: 6.9 ms), so no callback runs a frame that is not yet due.
constexpr int32_t kEarlyMs = 3;
// A display-driven frame later than this restarts the schedule from now: a display's callback
// may come most of an interval after the frame was due (up to 10 ms at 60 Hz), but anything
// more is not caught up with frames in quick succession.
constexpr int32_t kMaxLagMs = 20;

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

bool CTime::TakeDueFrame() {
  if (!clock || targetFps == 0) return true;
  const uint32_t now = clock->Ticks();
  const uint32_t accumulated = (periodAccumulator & 0xFFFF) + framePeriod;
  const int32_t ms = int32_t(accumulated >> 16);
  const auto elapsed = int32_t(now - frameBase);  // signed: the base may lie a little ahead
  if (elapsed + kEarlyMs < ms) return false;
  periodAccumulator = accumulated;
  if (elapsed - ms > kMaxLagMs)
    frameBase = now;
  else
    frameBase += uint32_t(ms);
  return true;
}
