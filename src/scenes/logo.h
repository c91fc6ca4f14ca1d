// The studio logo: fades in from black, holds, fades out, then hands over to the title.
#pragma once

#include <span>

#include "media/sound.h"
#include "media/sprite.h"
#include "scenes/scene.h"

class CLogo : public CScene {
 public:
  // The pictures the scene loads (see ScenePictures).
  static std::span<const int> PictureIds();
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  int32_t counter = 0;  // frames since Init
  CSound sound;         // loaded, never played
  CSprite logo;
};
