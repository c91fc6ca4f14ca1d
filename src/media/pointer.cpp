#include "media/pointer.h"

#include <algorithm>
#include <cstdlib>

bool CursorVisibility::Update(bool pointerUsed, bool inPlay) {
  if (inPlay && !wasInPlay_) idleFrames_ = kIdleFrames;
  wasInPlay_ = inPlay;
  idleFrames_ = pointerUsed ? 0 : std::min(idleFrames_ + 1, kIdleFrames);
  return idleFrames_ < kIdleFrames;
}

void PointerTracker::Map(const PointerFrame& frame) {
  PointerState& s = state_;
  s.pressed = s.released = s.tapped = s.hovered = false;
  s.x = frame.x;
  s.y = frame.y;
  if (frame.Tapped()) {
    // Down and up within the frame: the whole gesture at once.
    down_ = swallowed_ = false;
    Press(s.x, s.y);
    Release();
    return;
  }
  if (frame.Down() && !down_) {
    down_ = true;
    if (!swallowed_) Press(s.x, s.y);
  } else if (!frame.Down() && down_) {
    down_ = false;
    if (swallowed_) {
      swallowed_ = false;
    } else {
      NoteTravel();  // where it was let go counts too
      Release();
    }
    return;
  }
  if (s.held) {
    NoteTravel();
    s.dragging = travelled_;
  } else {
    s.hovered = frame.Moved() && !down_;
  }
}

void PointerTracker::NoteTravel() {
  if (std::abs(state_.x - state_.pressX) > PointerState::kTapSlop ||
      std::abs(state_.y - state_.pressY) > PointerState::kTapSlop) {
    travelled_ = true;
  }
}

void PointerTracker::Press(int32_t x, int32_t y) {
  state_.pressX = x;
  state_.pressY = y;
  state_.pressed = state_.held = true;
  state_.dragging = travelled_ = false;
}

void PointerTracker::Release() {
  state_.released = true;
  state_.tapped = !travelled_;
  state_.held = state_.dragging = false;
}

void PointerTracker::Cancel() {
  if (down_) swallowed_ = true;
  state_.held = state_.dragging = state_.pressed = state_.released = state_.tapped = false;
}
