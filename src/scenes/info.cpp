// The information scene.
#include "scenes/info.h"

#include "scenes/texts.h"
#include "system/resource_ids.h"

namespace {

constexpr int kInfoImageIds[4] = {kBitmapCommonBackground, kBitmapTextPanel, kBitmapCommonParts,
                                  kBitmapInfoParts};
constexpr MotionSpriteDef kInfoCaption = {3, 320, 0, 200, 60, 0, 0, "m300,10"};

}  // namespace

std::span<const int> CInfo::PictureIds() { return kInfoImageIds; }

CInfo::CInfo() : CReadingScene(Info, infoImages, kInfoImageIds, infoSprites) {}

CInfo::~CInfo() { ReleaseMotionSprites(infoSprites); }

bool CInfo::Init() {
  CreateReadingScreen(kInfoCaption, Texts().infoText);
  return true;
}
