// The how-to-play scene: the rules, controls or story text, by the topic the title chose.
#pragma once

#include <span>

#include "scenes/reading_scene.h"

class CRule : public CReadingScene {
 public:
  // The pictures the scene loads, its key-help bars' sheets apart (see ScenePictures).
  static std::span<const int> PictureIds();
  static constexpr int kSpriteCount = 12;
  CRule();
  ~CRule() override;
  bool Init() override;

  CSprite ruleImages[7];
  MotionSprite* ruleSprites[kSpriteCount] = {};

 protected:
  std::span<MotionSprite* const> Pictures() const override { return ruleSprites; }
};
