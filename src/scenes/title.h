// The title scene: the main menu, and the pause menu over a suspended game.
#pragma once

#include <cstdint>
#include <span>

#include "media/sound.h"
#include "media/sprite.h"
#include "motion/motion_sprite.h"
#include "scenes/key_help.h"
#include "scenes/menu_pointer.h"
#include "scenes/message_window.h"
#include "scenes/scene.h"

class CTitle : public CScene {
 public:
  static constexpr int kSpriteCount = 37;
  static constexpr int kTopItems = 8;
  static constexpr int kSubItems = 4;

  // Frees the sprites and the window when the scene is dropped without ReleaseResources.
  ~CTitle() override;
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  // Shows the top menu (0) or the how-to-play submenu (2) with its first item highlighted.
  void SetMenuLevel(int32_t level);
  // The bitmap resources the scene loads, for decoding them ahead.
  static std::span<const int> Pictures();

  CSound sounds[3];  // entry jingle, cursor move, confirm and cancel
  CSprite sprites[7];
  CKeyHelp keyHelp;
  MotionSprite* motionSprites[kSpriteCount] = {};
  CMessageWindow* window = nullptr;
  int32_t menuLevel = 0;  // 0 top menu, 2 how-to-play submenu
  int32_t topCursor = 0;
  int32_t subCursor = -1;  // -1 while on the top menu
  bool confirmRequested = false;
  bool cancelRequested = false;
  bool playEntrySound = false;
  int32_t shownHighScore = 0;

 private:
  void CreateSprites();
  void CreateScoreDigits();
  void MoveCursor(const CInput& input);
  // The top menu's items from top to bottom: the replays are not offered over a paused game.
  std::span<const int32_t> TopOrder() const;
  // Puts the cursor on an item of the menu shown, with its highlight, text and sound.
  void SetCursor(int32_t item);
  // A tap or click on an item chooses it, a mouse over one moves the cursor to it.
  void PointAt(const PointerState& pointer);
  // Acts on the confirmed item; false when the player quits.
  bool ActOnConfirm();
  void ActOnCancel();
  MotionSprite* TopItem(int item);
  MotionSprite* SubItem(int item) { return motionSprites[14 + item]; }
};
