// The CG room: a gallery of twelve picture tiles and a return button.
#pragma once

#include <cstdint>
#include <span>

#include "scenes/menu_scene.h"

class CCGRoom : public CSpriteMenuScene<2, 18> {
 public:
  // The pictures the scene loads, its key-help bars' sheets apart (see ScenePictures).
  static std::span<const int> PictureIds();
  static constexpr int32_t kReturnButton = 12;  // cursor 0..11 are the tiles

  CCGRoom();
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;

  int32_t cursor = 0;  // tile row x 4 + column, or 12 for the return button
  bool decideRequest = false;
  bool cancelRequest = false;

 private:
  void ApplyHighlight();
};
