// The play by pointer: a tap on a line selects it, a drag up or down shifts it one cell for
// every cell the finger travels, under the game's own rules (a held key's speed, its blocked
// moves), and two controls in the top bar speed the field up and pause the game. The controls
// show while the pointer is the device used last; they cover the game's name in the top bar,
// never the field or the scores.
#pragma once

#include <cstdint>

#include "media/input.h"
#include "media/sprite.h"
#include "scenes/menu_pointer.h"

class CMap;

class CPlayControls {
 public:
  static constexpr int kSheetBitmap = kPointerSheetBitmap;
  static constexpr ScreenRect kSpeedButton{271, 6, 182, 76};
  static constexpr ScreenRect kPauseButton{465, 6, 182, 76};

  // After the keys have had their say: acts on the frame's pointer. True when the pause
  // control was tapped.
  bool Input(const CInput& input, CMap& map);
  void Draw();
  bool LoadResources();
  void ReleaseResources();

  bool shown = false;  // the pointer was used last

 private:
  enum class Gesture { None, Line, Speed, Pause };
  void FollowDrag(CMap& map);

  CSprite sheet_;
  Gesture gesture_ = Gesture::None;
  int32_t targetCells_ = 0;   // cells the finger travelled in the drag, down positive
  int32_t cellsShifted_ = 0;  // moves started for the drag
  bool speedHeld_ = false;
  bool pauseHeld_ = false;
};
