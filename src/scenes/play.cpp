#include "scenes/play.h"

#include <algorithm>

#include "game/enemies.h"
#include "media/picture_cache.h"
#include "save/save_data.h"
#include "scenes/game_over.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/message_box.h"
#include "system/resource_ids.h"

namespace {

// The sprites' bitmaps by PlaySprite, then the sheet of the pointer's controls.
const int kPictureIds[PlaySpriteCount + 1] = {
    kBitmapPlayTopBar, kBitmapCursor,         kBitmapScorePopups,         kBitmapStones,
    kBitmapDiamond,    kBitmapBanners,        kBitmapPlayUnused,          kBitmapHeroine,
    kBitmapMonsters,   kBitmapPlayBackground, CPlayControls::kSheetBitmap};
const int kSoundWaves[PlaySoundCount] = {kWaveStartJingle, kWavePlayMusic, kWaveDiamond,
                                         kWaveMonsterPop, kWaveMiss};

constexpr int32_t kEndingDarkFrame = 80;

}  // namespace

CPlay::~CPlay() {
  // The character code must not reach into a scene that is gone.
  if (g_playSprites == sprites) g_playSprites = nullptr;
  if (g_playSounds == sounds) g_playSounds = nullptr;
}

bool CPlay::Init() {
  Start();
  PrefetchGameOver();
  return true;
}

void CPlay::Input(const CInput& input) {
  controls.Follow(input);
  if (TakeInput(input)) OpenPauseMenu();
}

// A game left in the background waits under the pause menu, as after the pause button.
void CPlay::Interrupt() {
  if (phase == PhasePlaying) OpenPauseMenu();
}

void CPlay::OpenPauseMenu() {
  StopSounds();
  g_saveData->ruleTopic = 0;
  g_saveData->inGameMenu = 1;
  RequestScene(Title, true);
}

bool CPlay::Update() {
  g_playSounds = sounds;
  if (phase == PhasePlaying) {
    PlayingSounds();
    fade = (kFadeFrames - phaseFrame) * kFadeStep;
  } else if (phase == PhaseCutOff || phase == PhaseCaught) {
    EndingSounds();
    fade = (phaseFrame - kEndingDarkFrame) * kFadeStep;
  }
  if (Step()) RequestScene(GameOver, false);
  return true;
}

void CPlay::PlayingSounds() {
  if (phaseFrame == 0) SoundPlay(sounds[SoundJingle]);
  // The music begins when the jingle ends and goes on from where a pause stopped it.
  if (!sounds[SoundJingle].buffer || !SoundIsPlaying(sounds[SoundJingle])) {
    SoundStartIfIdle(sounds[SoundMusic]);
  }
}

void CPlay::EndingSounds() {
  if (phaseFrame == 1) SoundPlay(sounds[SoundEnding]);
}

void CPlay::Draw(CFont* const* fonts) {
  g_playSprites = sprites;
  g_playDevice = g_device;
  map.Draw(sprites, phase == PhasePlaying);
  DrawItems();
  for (CEnemySingle& enemy : g_enemies) enemy.Draw();
  player.Draw();
  for (CEffectSingle& effect : g_effects) effect.Draw();
  DrawHud(sprites[SpriteHud]);
  if (phase == PhasePlaying) controls.Draw(pointerPlay);
  DrawFadeOverlay(fade);
}

std::span<const int> CPlay::Pictures() { return kPictureIds; }
std::span<const int> CPlay::Sounds() { return kSoundWaves; }

bool CPlay::LoadResources(bool deviceReset) {
  bool imagesLoaded = true;
  for (int i = 0; i < PlaySpriteCount; ++i) {
    imagesLoaded = LoadSpriteImage(kPictureIds[i], sprites[i]) && imagesLoaded;
  }
  imagesLoaded = controls.LoadResources() && imagesLoaded;
  // A missing picture is reported, but the game can still be played.
  const FailureTexts& failures = Texts().failures;
  if (!imagesLoaded) ShowMessage(failures.images, failures.CaptionsOf(Play).images);

  IAudioDevice* device = g_soundBank ? g_soundBank->device.get() : nullptr;
  bool soundsLoaded = true;
  for (int i = 0; i < PlaySoundCount; ++i) {
    soundsLoaded = LoadSound(sounds[i], kSoundWaves[i], device, i == SoundMusic) && soundsLoaded;
  }
  if (!soundsLoaded) ShowMessage(failures.sounds, failures.CaptionsOf(Play).sounds);
  ApplyVolumes();
  return soundsLoaded;
}

void CPlay::ReleaseResources(bool deviceReset) {
  for (CSprite& sprite : sprites) ReleaseSpriteImage(sprite);
  controls.ReleaseResources();
  StopSounds();
  for (CSound& sound : sounds) SoundRelease(sound);
}

void CPlay::Resume() {
  ApplyVolumes();
  PrefetchGameOver();  // the pause menu's pages may have pushed its pictures out of the cache
}

void CPlay::PrefetchGameOver() {
  // Every game ends in the game over, whose pictures and jingle the game's spare time readies
  // (what is kept already costs nothing). The rank's picture is not known yet.
  PrefetchPictures(CGameOver::Pictures());
  PrefetchSounds(CGameOver::Sounds());
}

void CPlay::ApplyVolumes() {
  for (int i = 0; i < PlaySoundCount; ++i) {
    if (!sounds[i].buffer) continue;
    const bool music = i == SoundJingle || i == SoundMusic;
    SetSoundVolume(sounds[i], ClampVolume(music ? g_saveData->bgmVolume : g_saveData->seVolume));
  }
}

void CPlay::StopSounds() {
  for (CSound& sound : sounds) {
    if (SoundIsPlaying(sound)) SoundStop(sound);
  }
}

void DrawHud(CSprite& sprite) {
  SetSpriteRect(sprite, 0, 32, 800, 90);
  DrawSprite(g_device, sprite, 0, 0, 0.0f, 0, 0, 0.0f);
  DrawNumber(sprite, g_saveData->score, 248);
  DrawNumber(sprite, g_saveData->distance, 792);
}

void DrawNumber(CSprite& sprite, int32_t value, int32_t right) {
  // The digits lie side by side in the top 32 rows, 24 pixels each, "0" first.
  do {
    SetSpriteRect(sprite, 24 * (value % 10), 0, 24, 32);
    DrawSprite(g_device, sprite, right - 24, 56, 0.0f, 0, 0, 0.0f);
    right -= 24;
    value /= 10;
  } while (value != 0);
}

void DrawFadeOverlay(int32_t& fade) {
  if (fade <= 0) return;
  fade = std::min(fade, 255);
  CSprite overlay;  // no texture: the colour alone, black with the fade as alpha
  overlay.colour = static_cast<uint32_t>(fade) << 24;
  DrawSprite(g_device, overlay, 0, 0, 0.0f, 800, 600, 0.0f);
}
