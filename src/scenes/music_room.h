// The music room: four track items, a stop item and a return button.
#pragma once

#include <cstdint>

#include "motion/motion_sprite.h"
#include "platform/sound.h"
#include "platform/sprite.h"
#include "scenes/scene.h"

class CMusicRoom : public CScene {
 public:
  static constexpr int kSpriteCount = 11;
  static constexpr int32_t kStopItem = 4;  // cursor 0..3 are the tracks
  static constexpr int32_t kReturnItem = 5;

  // Frees the sprites when the scene is dropped without ReleaseResources.
  ~CMusicRoom() override;
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  CSound sounds[3];  // the music track (looping), cursor, decide
  CSprite images[4];
  MotionSprite* sprites[kSpriteCount] = {};
  int32_t cursor = 0;
  int32_t playing = -1;  // the sound this scene started and has not stopped, -1 for none
  bool decideRequest = false;
  bool cancelRequest = false;

 private:
  void ApplyHighlight();
  void Choose();
};
