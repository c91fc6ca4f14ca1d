// The scene after a game: the rank by score with its reward picture and comment, the top bar,
// and a confirm press back to the title.
#pragma once

#include <cstdint>
#include <span>

#include "media/sound.h"
#include "media/sprite.h"
#include "scenes/scene.h"

enum GameOverPhase : int32_t { FadeIn = 0, Waiting = 1, FadeOut = 2 };

constexpr int kRankCount = 6;
// Lowest score of ranks 0 to 4; anything lower is rank 5.
extern const int32_t RankThresholds[kRankCount - 1];
extern const int RankPictures[kRankCount];
extern const char* const RankComments[kRankCount];

// The rank (0 best .. 5) of a score.
int32_t RankOfScore(int32_t score);

class CGameOver : public CScene {
 public:
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;
  // The bitmap resources the scene loads whatever the rank and its wave resources, for readying
  // them ahead.
  static std::span<const int> Pictures();
  static std::span<const int> Sounds();

  CSprite sprites[4];  // background, top bar and digits, rank labels and comment box, unused
  CSprite reward;
  CSound jingle;
  int32_t rank = 0;
  int32_t phase = FadeIn;
  int32_t phaseFrame = 0;
  int32_t fade = 0;  // alpha of the black overlay; none at 0 or below

 private:
  void DrawComment(CFont* const* fonts) const;
  void DrawRankingNote(CFont* const* fonts) const;
};
