// The CG room: a gallery of twelve picture tiles and a return button.
#pragma once

#include <cstdint>

#include "motion/motion_sprite.h"
#include "platform/sound.h"
#include "platform/sprite.h"
#include "scenes/scene.h"

class CCGRoom : public CScene {
 public:
  static constexpr int kSpriteCount = 18;
  static constexpr int32_t kReturnButton = 12;  // cursor 0..11 are the tiles

  // Frees the sprites when the scene is dropped without ReleaseResources.
  ~CCGRoom() override;
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  CSound sounds[2];  // cursor, decide
  CSprite images[4];
  MotionSprite* sprites[kSpriteCount] = {};
  int32_t cursor = 0;  // tile row x 4 + column, or 12 for the return button
  bool decideRequest = false;
  bool cancelRequest = false;

 private:
  void ApplyHighlight();
};
