// The how-to-play scene: the rules, controls or story text, by the topic the title chose.
#pragma once

#include "scenes/reading_scene.h"

class CRule : public CReadingScene {
 public:
  static constexpr int kSpriteCount = 12;
  CRule();
  ~CRule() override;
  bool Init() override;

  CSprite ruleImages[7];
  MotionSprite* ruleSprites[kSpriteCount] = {};

 protected:
  std::span<MotionSprite* const> Pictures() const override { return ruleSprites; }
};
