#include "app/time.h"

#include <algorithm>

namespace {

// A frame that ran later than this is not caught up: the schedule restarts from now, still
// allowing this much catch-up.
constexpr uint32_t kMaxCatchUpMs = 7;
// A sleep wakes up a little late (tens of microseconds on an idle machine); the last stretch
// of the wait is spent spinning on the clock instead. At 50 frames per second this spin costs
// under 4 % of a core.
constexpr uint64_t kSpinUs = 800;

// How early a frame called back by the display may start: less than half the interval of the
// fastest common displays (144 Hz: 6.9 ms), so no callback runs a frame that is not yet due.
constexpr int32_t kEarlyMs = 3;
// A display-driven frame later than this restarts the schedule from now: a display's callback
// may come most of an interval after the frame was due (up to 10 ms at 60 Hz), but anything
// more is not caught up with frames in quick succession.
constexpr int32_t kMaxLagMs = 20;

uint32_t Saturate(uint64_t us) { return uint32_t(std::min<uint64_t>(us, UINT32_MAX)); }

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
  lateUs = 0;
  if (!clock) return;
  const uint64_t nowUs = clock->Microseconds();
  if (targetFps == 0) return;
  const uint32_t now = uint32_t(nowUs / 1000);  // the millisecond clock's reading
  periodAccumulator = (periodAccumulator & 0xFFFF) + framePeriod;
  const uint32_t ms = periodAccumulator >> 16;
  const uint32_t elapsed = now - frameBase;  // unsigned: right across the wrap of the clock
  const uint64_t millisecondStartUs = nowUs - nowUs % 1000;

  if (elapsed < ms) {
    // The boundary is the microsecond at which the millisecond clock reaches frameBase + ms.
    const uint64_t boundaryUs = millisecondStartUs + uint64_t{ms - elapsed} * 1000;
    lateUs = Saturate(WaitUntil(nowUs, boundaryUs) - boundaryUs);
    frameBase += ms;
    return;
  }
  const uint32_t over = elapsed - ms;
  lateUs = Saturate(uint64_t{over} * 1000 + nowUs % 1000);
  if (over < kMaxCatchUpMs)
    frameBase += ms;  // on time or a little late: the next quick frames catch up
  else
    frameBase = now - kMaxCatchUpMs;  // far behind: drop the backlog
}

uint64_t CTime::WaitUntil(uint64_t now, uint64_t boundaryUs) {
  if (now + kSpinUs < boundaryUs) clock->SleepMicroseconds(uint32_t(boundaryUs - now - kSpinUs));
  while ((now = clock->Microseconds()) < boundaryUs) {}
  return now;
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
