#include "game/play_pointer.h"

#include <cmath>

#include "game/map.h"

bool CPlayPointer::Input(const CInput& input, CMap& map) {
  const PointerState& pointer = input.pointer;
  if (pointer.pressed) {
    cellsShifted_ = targetCells_ = 0;
    if (kSpeedButton.Contains(pointer.x, pointer.y)) {
      gesture_ = Gesture::Speed;
    } else if (kPauseButton.Contains(pointer.x, pointer.y)) {
      gesture_ = Gesture::Pause;
    } else if (pointer.y >= kFieldTop) {
      gesture_ = Gesture::Line;
      map.cursor = map.LineAt(pointer.x);
    } else {
      gesture_ = Gesture::None;
    }
  }
  const bool active = pointer.held || pointer.released;
  // Held like Z while the finger stays on the control.
  speedHeld_ = active && gesture_ == Gesture::Speed && pointer.held &&
               kSpeedButton.Contains(pointer.x, pointer.y);
  if (speedHeld_) map.accelerate = true;
  pauseHeld_ =
      gesture_ == Gesture::Pause && pointer.held && kPauseButton.Contains(pointer.x, pointer.y);
  const bool pause =
      gesture_ == Gesture::Pause && pointer.released && kPauseButton.Contains(pointer.x, pointer.y);
  if (gesture_ == Gesture::Line) {
    // The keys moved the cursor away: the rest of the drag is dropped.
    if (input[Left].PressedOrRepeat() || input[Right].PressedOrRepeat()) gesture_ = Gesture::None;
    if (active) {
      targetCells_ = static_cast<int32_t>(
          std::lround(static_cast<double>(pointer.y - pointer.pressY) / kCellSize));
    }
    if (gesture_ == Gesture::Line) FollowDrag(map);
  }
  // A line goes on to where the finger left it; everything else ends with the release.
  if (!pointer.held && (gesture_ != Gesture::Line || cellsShifted_ == targetCells_))
    gesture_ = Gesture::None;
  return pause;
}

// The line follows the finger cell by cell: while it lags behind, each time it stands still
// it starts one more move towards the finger, as a held key would. A line that ignores the
// player ends the drag.
void CPlayPointer::FollowDrag(CMap& map) {
  const int32_t owed = targetCells_ - cellsShifted_;
  const LineKind kind = map.lines[map.cursor].kind;
  if (owed == 0 || kind == LineUp || kind == LineDown) return;  // wait for the move to end
  if (map.ShiftSelectedLine(owed > 0 ? LineDown : LineUp)) {
    cellsShifted_ += owed > 0 ? 1 : -1;
  } else {
    gesture_ = Gesture::None;
  }
}
