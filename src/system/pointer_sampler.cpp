#include "system/pointer_sampler.h"

#include <algorithm>

namespace {

int16_t OnScreen(int value, int size) {
  return static_cast<int16_t>(std::clamp(value, 0, size - 1));
}

}  // namespace

void PointerSampler::MoveTo(int x, int y) {
  x_ = OnScreen(x, 800);
  y_ = OnScreen(y, 600);
}

void PointerSampler::Press(int x, int y, bool inside) {
  MoveTo(x, y);
  if (down_ || !inside) return;
  down_ = wentDown_ = true;
}

void PointerSampler::Release(int x, int y) {
  MoveTo(x, y);
  if (!down_) return;
  down_ = false;
  if (wentDown_) {
    // Both edges fell between two samples: a tap the frame would not see otherwise.
    tapped_ = true;
    tapX_ = x_;
    tapY_ = y_;
  }
  wentDown_ = false;
}

void PointerSampler::LetGo() { down_ = wentDown_ = tapped_ = false; }

PointerFrame PointerSampler::Sample() {
  PointerFrame frame{x_, y_, 0};
  if (tapped_) {
    // A press that followed the tap within the frame shows in the next sample, and a release
    // of it before then is a tap again.
    frame.x = tapX_;
    frame.y = tapY_;
    frame.flags = PointerTapped;
    tapped_ = false;
    wentDown_ = down_;
  } else {
    if (down_) frame.flags = PointerDown;
    wentDown_ = false;
  }
  if (frame.x != lastX_ || frame.y != lastY_) frame.flags |= PointerMoved;
  lastX_ = frame.x;
  lastY_ = frame.y;
  return frame;
}
