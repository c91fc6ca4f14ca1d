// The scene that runs one game: the field, the heroine, the character tables, the top bar,
// the fade-in, the pause under the title and the ending.
#pragma once

#include <cstdint>
#include <span>

#include "game/charactor.h"
#include "game/play_round.h"
#include "media/sound.h"
#include "media/sprite.h"
#include "scenes/play_controls.h"
#include "scenes/scene.h"

// The scene of a game: shows the round it drives, plays its sounds, pauses it under the title
// and hands over to the game over.
class CPlay : public CScene, public CPlayRound {
 public:
  CPlay() = default;
  ~CPlay() override;

  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;
  void Resume() override;
  void Interrupt() override;

  // Sets every loaded sound to its volume from the save record.
  void ApplyVolumes();
  // The bitmap and wave resources the scene loads, for readying them ahead.
  static std::span<const int> Pictures();
  static std::span<const int> Sounds();

  CSprite sprites[PlaySpriteCount];
  CSound sounds[PlaySoundCount];
  CPlayControls controls;  // the pointer's controls on screen
  int32_t fade = 0;        // alpha of the black overlay; none at 0 or below

 private:
  void PlayingSounds();
  void EndingSounds();
  void StopSounds();
  void PrefetchGameOver();
  void OpenPauseMenu();
};

// The top bar with the score and the distance, from the sheet of bar and digits.
void DrawHud(CSprite& sprite);
// Draws `value` in digits whose right edge is at screen x `right`.
void DrawNumber(CSprite& sprite, int32_t value, int32_t right);
// Darkens the whole screen with black of alpha `fade` (at most 255, stored back).
void DrawFadeOverlay(int32_t& fade);
// The fades of a game and of the game over: 20 frames of 13 alpha each.
constexpr int32_t kFadeFrames = 20;
constexpr int32_t kFadeStep = 13;
