// The music room: four track items, a stop item and a return button.
#pragma once

#include <cstdint>
#include <span>

#include "scenes/menu_scene.h"

class CMusicRoom : public CSpriteMenuScene<3, 11> {
 public:
  // The pictures the scene loads, its key-help bars' sheets apart (see ScenePictures).
  static std::span<const int> PictureIds();
  static constexpr int32_t kStopItem = 4;  // cursor 0..3 are the tracks
  static constexpr int32_t kReturnItem = 5;

  CMusicRoom();
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;

  int32_t cursor = 0;
  int32_t playing = -1;  // the sound this scene started and has not stopped, -1 for none
  bool decideRequest = false;
  bool cancelRequest = false;

 private:
  void ApplyHighlight();
  void Choose();
};
