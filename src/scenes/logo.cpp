#include "scenes/logo.h"

#include "media/picture_cache.h"
#include "save/save_data.h"
#include "scenes/play.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "scenes/title.h"
#include "system/message_box.h"
#include "system/resource_ids.h"

namespace {

constexpr int32_t kLogoFadeFrames = 40;
constexpr int32_t kLastFrame = 260;
// 220: the overlay returns after it
constexpr int32_t kFadeOutStart = kLastFrame - kLogoFadeFrames;
constexpr int kLogoBitmap = kFirstSceneBitmap;
constexpr int kLogoSound = kFirstSceneWave;

// How much of the logo shows at counter n, 0..1; 1 or more draws no overlay.
float Visibility(int32_t n) {
  if (n < kLogoFadeFrames) return float(n) / float(kLogoFadeFrames);
  if (n <= kFadeOutStart) return 1.0f;
  const float f = float(kLastFrame - n) / float(kLogoFadeFrames);
  return f < 0.0f ? 0.0f : f;
}

}  // namespace

bool CLogo::Init() {
  counter = 0;
  // The logo shows for five seconds and costs little to draw: its spare time decodes the
  // pictures of the title and of a game, which took 6 to 9 ms each of the first frame of those
  // scenes (together they take 15 MB of the picture cache), and resamples the game's sounds.
  PrefetchPictures(CTitle::Pictures());
  PrefetchPictures(CPlay::Pictures());
  PrefetchSounds(CPlay::Sounds());
  return true;
}

// A tap anywhere does what Enter does.
void CLogo::Input(const CInput& input) {
  if (!input[Confirm].Pressed() && !input.pointer.tapped) return;
  counter = counter < kLogoFadeFrames ? kLogoFadeFrames : kLastFrame;
}

bool CLogo::Update() {
  ++counter;
  if (counter > kLastFrame) {
    g_saveData->ruleTopic = -1;
    g_saveData->inGameMenu = false;
    RequestScene(Title, false);
  }
  return true;
}

void CLogo::Draw(CFont* const* fonts) {
  SetSpriteRect(logo, 0, 0, 800, 600);
  DrawSprite(g_device, logo, 0, 0, 0.0f, 0, 0, 0.0f);

  const float f = Visibility(counter);
  if (f >= 1.0f) return;
  CSprite overlay;  // no texture: a black rectangle whose alpha hides the logo
  const auto alpha = uint32_t((1.0f - f) * 255.0f);
  overlay.colour = alpha << 24;
  DrawSprite(g_device, overlay, 0, 0, 0.0f, 800, 600, 0.0f);
}

std::span<const int> CLogo::PictureIds() {
  static constexpr int kIds[] = {kLogoBitmap};
  return kIds;
}

bool CLogo::LoadResources(bool deviceReset) {
  bool success = true;
  if (!LoadSpriteImage(kLogoBitmap, logo)) {
    success = false;
    ShowMessage(Texts().failures.images, Texts().failures.CaptionsOf(Logo).images);
  }
  if (!LoadSound(sound, kLogoSound, g_soundBank ? g_soundBank->device.get() : nullptr, false)) {
    success = false;
    ShowMessage(Texts().failures.sounds, Texts().failures.CaptionsOf(Logo).sounds);
  }
  return success;
}

void CLogo::ReleaseResources(bool deviceReset) {
  ReleaseSpriteImage(logo);
  SoundRelease(sound);
}
