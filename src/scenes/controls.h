// The controls page, reached from the options: the keys and pad button of every action, changed
// by choosing one and pressing the new key or button, the pause on focus loss, and a reset to the
// defaults. Return and Esc always confirm and go back here, whatever they are bound to, so that
// no binding can lock the player out of this page.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "media/sound.h"
#include "media/sprite.h"
#include "scenes/key_help.h"
#include "scenes/scene.h"
#include "system/bindings.h"

class CControls : public CScene {
 public:
  // The pictures the scene loads, its key-help bars' sheets apart (see ScenePictures).
  static std::span<const int> PictureIds();
  // Rows: the actions, then these.
  static constexpr int kFocusRow = kActionCount;
  static constexpr int kResetRow = kActionCount + 1;
  static constexpr int kBackRow = kActionCount + 2;
  static constexpr int kRowCount = kActionCount + 3;
  // Columns of an action's row: its two keys, then its pad button.
  static constexpr int kPadColumn = kKeysPerAction;
  static constexpr int kColumnCount = kKeysPerAction + 1;
  // Frames a wait for a key or a button lasts before it gives up by itself: 5 s.
  static constexpr int32_t kWaitFrames = 250;

  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  int32_t row = 0;
  int32_t column = 0;
  bool waiting = false;  // for the key or button of the chosen cell
  int32_t waitedFrames = 0;
  std::string note;  // what the last binding moved (Shift-JIS); empty for nothing
  bool leaveRequested = false;
  CKeyHelp keyHelp;  // follows the device used last: keys, pad or pointer

 private:
  // Input while waiting for the key or button to bind.
  void TakeBinding(const CInput& input);
  void BindKeyHere(uint16_t key);
  void BindButtonHere(uint8_t button);
  void Move(const CInput& input);
  // A cell or row under the mouse or a finger takes the cursor; tapped, it is chosen. A tap on
  // the bar goes back.
  void PointAt(const PointerState& pointer);
  void Choose();
  void DrawRows(CFont* font);
  void DrawHelp(CFont* const* fonts);

  CSprite images_[2];  // the background and the reading panel
  CSound sounds_[2];   // the cursor moving, a choice made
  // After a binding the keys that made it are let go before anything else counts: the new
  // binding must not act on the key that is still down.
  bool settling_ = false;
};
