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
