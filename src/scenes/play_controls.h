// The pointer's controls of the play on screen: the plate of the speed and pause controls in the
// top bar, each drawn pressed while held (game/play_pointer.h holds what they do). They show
// while the pointer is the device used last; they cover the game's name in the top bar, never
// the field or the scores.
#pragma once

#include "game/play_pointer.h"
#include "media/input.h"
#include "media/sprite.h"
#include "scenes/menu_pointer.h"
#include "system/resource_ids.h"

class CPlayControls {
 public:
  static constexpr int kSheetBitmap = kBitmapPointerSheet;

  // In the play's Input: whether the pointer was used last.
  void Follow(const CInput& input) { shown = input.lastDevice == InputDevice::Pointer; }
  void Draw(const CPlayPointer& pointer);
  bool LoadResources();
  void ReleaseResources();

  bool shown = false;  // the pointer was used last

 private:
  CSprite sheet_;
};
