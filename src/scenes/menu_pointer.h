// The pointer in the menus: which item it points at, and the key-help bars again with touch
// and mouse hints, drawn over the keys' while the pointer was used last.
#pragma once

#include <cstdint>
#include <span>

#include "media/input.h"
#include "media/sprite.h"
#include "scenes/scene.h"
#include "system/resource_ids.h"

// What the pointer does to a menu of items this frame.
struct MenuPointing {
  int32_t over = -1;    // a mouse over an item, or a finger down on one: the cursor goes there
  int32_t chosen = -1;  // an item tapped or clicked: the cursor goes there, and it is confirmed
};
MenuPointing PointAtItems(const PointerState& pointer, std::span<const ScreenRect> items);

// The key-help bars that have a pointer version, each drawn where the keys' one is.
enum class PointerHint { HowToFooter, ReadingBar, OptionBar, RoomBar, TopFooter };

// A menu scene's pointer hints: drawn over its key help while the pointer was used last.
class CPointerHints {
 public:
  // Reports a failure as the menus' images do, captioned with `scene`.
  bool LoadResources(SceneId scene);
  void ReleaseResources() { ReleaseSpriteImage(sheet_); }
  // In the scene's Input: which device the player used last.
  void Follow(const CInput& input) { lastDevice_ = input.lastDevice; }
  void Draw(PointerHint hint);

 private:
  CSprite sheet_;
  InputDevice lastDevice_ = InputDevice::Keys;
};
