// The information scene: the makers' announcement.
#pragma once

#include "scenes/reading_scene.h"

class CInfo : public CReadingScene {
 public:
  static constexpr int kSpriteCount = 5;
  CInfo();
  ~CInfo() override;
  bool Init() override;

  CSprite infoImages[4];
  MotionSprite* infoSprites[kSpriteCount] = {};
};
