// The how-to-play scene.
#include "scenes/rule.h"

#include "save/save_data.h"
#include "scenes/texts.h"
#include "system/resource_ids.h"

namespace {

constexpr int kRuleImageIds[7] = {kBitmapCommonBackground, kBitmapTextPanel, kBitmapCommonParts,
                                  kBitmapHeroine,          kBitmapStones,    kBitmapMonsters,
                                  kBitmapDiamond};

// The captions by topic: rules, controls, story.
constexpr MotionSpriteDef kRuleCaptions[3] = {
    {2, 328, 296, 272, 48, 0, 0, "m264,16"},
    {2, 576, 120, 224, 64, 0, 0, "m288,8"},
    {2, 576, 192, 208, 48, 0, 0, "m296,16"},
};

// The character pictures of the rules text, sprites 5 to 11: image index and source x.
struct Picture {
  int32_t image;
  int32_t sourceX;
};
constexpr Picture kPictures[7] = {{3, 0}, {4, 85}, {4, 0}, {4, 170}, {5, 0}, {5, 170}, {6, 0}};
constexpr int kFirstPicture = 5;

}  // namespace

std::span<const int> CRule::PictureIds() { return kRuleImageIds; }

CRule::CRule() : CReadingScene(Rule, ruleImages, kRuleImageIds, ruleSprites) {}

CRule::~CRule() { ReleaseMotionSprites(ruleSprites); }

// A topic outside 0..2 (the title always sets one) shows the rules.
bool CRule::Init() {
  int32_t topic = g_saveData->ruleTopic;
  if (topic < 0 || topic > 2) topic = 0;
  CreateReadingScreen(kRuleCaptions[topic], Texts().ruleTexts[topic]);
  for (int k = 0; k < 7; ++k) {
    MotionSprite* picture =
        NewMotionSprite({kPictures[k].image, kPictures[k].sourceX, 0, 85, 85, 0, 0, nullptr});
    // Drawn only while wholly inside the text area, so pictures vanish at its edges.
    picture->clipLeft = 32;
    picture->clipTop = 96;
    picture->clipRight = 767;
    picture->clipBottom = 431;
    ruleSprites[kFirstPicture + k] = picture;
  }
  return true;
}
