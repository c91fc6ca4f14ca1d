// The information scene: the makers' announcement.
#pragma once

#include <span>

#include "scenes/reading_scene.h"

class CInfo : public CReadingScene {
 public:
  // The pictures the scene loads, its key-help bars' sheets apart (see ScenePictures).
  static std::span<const int> PictureIds();
  static constexpr int kSpriteCount = 5;
  CInfo();
  ~CInfo() override;
  bool Init() override;

  CSprite infoImages[4];
  MotionSprite* infoSprites[kSpriteCount] = {};
};
