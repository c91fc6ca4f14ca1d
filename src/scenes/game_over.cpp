#include "scenes/game_over.h"

#include <cstdio>

#include "media/font.h"
#include "save/save_data.h"
#include "save/save_file.h"
#include "scenes/play.h"
#include "scenes/ranking_note.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/message_box.h"
#include "system/resource_ids.h"
#include "system/shift_jis.h"

const int32_t RankThresholds[kRankCount - 1] = {1000000, 500000, 250000, 100000, 10000};
const int RankPictures[kRankCount] = {kBitmapRewardBest,   kBitmapRewardSecond, kBitmapRewardMiddle,
                                      kBitmapRewardMiddle, kBitmapRewardLow,    kBitmapRewardLow};
const char* const RankComments[kRankCount] = {
    "お疲れ様でした…"_sj,      "遠くまで来ました☆"_sj,   "やったね！ウハウハだぁ！"_sj,
    "すっごく頑張ったね！"_sj, "く…くじけないぞぉ！"_sj, "うぅ、全然ダメェ～"_sj,
};

RankingNote g_rankingNote;

namespace {

const int kGameOverBitmaps[4] = {kBitmapCommonBackground, kBitmapGameOverTopBar, kBitmapRankLabels,
                                 kBitmapGameOverUnused};
constexpr int kJingleWave = kWaveGameOverJingle;
constexpr int kWaves[] = {kJingleWave};
constexpr int kCommentFont = 3;  // the 32-pixel font
constexpr int kRankingFont = 2;  // the 24-pixel font
constexpr int32_t kRankingTop = 100;
constexpr int32_t kScreenWidth = 800;

void DrawNatural(CSprite& sprite, int32_t x, int32_t y) {
  DrawSprite(g_device, sprite, x, y, 0.0f, 0, 0, 0.0f);
}

}  // namespace

int32_t RankOfScore(int32_t score) {
  for (int32_t rank = 0; rank < kRankCount - 1; ++rank) {
    if (score >= RankThresholds[rank]) return rank;
  }
  return kRankCount - 1;
}

bool CGameOver::Init() {
  // The game's best score reaches the disk now, not only at exit: a crash, a kill or a power
  // loss once the screen has faded in keeps it. The frames of the fade-in do not wait for the
  // disk; its end does. A failed store is reported and the game goes on.
  StartStoringSaveData(*g_saveData);
  rank = RankOfScore(g_saveData->score);
  phase = FadeIn;
  phaseFrame = 0;
  return true;
}

void CGameOver::Input(const CInput& input) {
  if (phase != Waiting) return;  // a key or a tap during a fade does nothing
  if (input.ConfirmPressed() || input.pointer.tapped) {
    phase = FadeOut;
    phaseFrame = 0;
  }
}

bool CGameOver::Update() {
  switch (phase) {
    case FadeIn:
      if (phaseFrame == 0) SoundPlay(jingle);
      fade = (kFadeFrames - phaseFrame) * kFadeStep;
      if (phaseFrame >= kFadeFrames) {
        FinishStoringSaveData();
        phase = Waiting;
        phaseFrame = 0;
      }
      break;
    case FadeOut:
      fade = phaseFrame * kFadeStep;
      if (phaseFrame >= kFadeFrames) {
        // The title opens as the main menu again.
        g_saveData->ruleTopic = -1;
        g_saveData->inGameMenu = 0;
        RequestScene(Title, false);
      }
      break;
    default: break;
  }
  phaseFrame += 1;
  return true;
}

void CGameOver::Draw(CFont* const* fonts) {
  SetSpriteRect(sprites[0], 0, 0, 800, 600);
  DrawNatural(sprites[0], 0, 0);
  SetSpriteRect(reward, 0, 0, 580, 420);
  DrawNatural(reward, 110, 95);
  SetSpriteRect(sprites[2], 0, 48 * rank, 200, 48);
  DrawNatural(sprites[2], 290, 490);
  SetSpriteRect(sprites[2], 16, 543, 768, 54);
  DrawNatural(sprites[2], 16, 543);
  DrawComment(fonts);
  DrawRankingNote(fonts);
  DrawHud(sprites[1]);
  DrawFadeOverlay(fade);
}

void CGameOver::DrawComment(CFont* const* fonts) const {
  CFont* font = fonts ? fonts[kCommentFont] : nullptr;
  if (!font) return;
  // Centred on the screen by the width the font draws it at.
  const char* comment = Texts().rankComments[rank];
  const int32_t left = (kScreenWidth - font->TextWidth(comment)) / 2;
  font->DrawText(comment, left, 554, 0xFF000000);
}

// The world ranking's word on the game, in a dark box over the top of the picture.
void CGameOver::DrawRankingNote(CFont* const* fonts) const {
  CFont* font = fonts ? fonts[kRankingFont] : nullptr;
  if (!font || g_rankingNote.state == RankingNote::State::None) return;
  const RankingTexts& texts = Texts().ranking;
  char line[160];
  switch (g_rankingNote.state) {
    case RankingNote::State::Unranked:
      std::snprintf(line, sizeof line, "%s", texts.unranked);
      break;
    case RankingNote::State::Sending: std::snprintf(line, sizeof line, "%s", texts.sending); break;
    case RankingNote::State::Placed:
      if (g_rankingNote.place > 0)
        std::snprintf(line, sizeof line, texts.placed, int(g_rankingNote.place));
      else
        std::snprintf(line, sizeof line, "%s", texts.ranked);
      break;
    case RankingNote::State::Queued: std::snprintf(line, sizeof line, "%s", texts.queued); break;
    default: std::snprintf(line, sizeof line, "%s", texts.refused); break;
  }
  const int32_t width = font->TextWidth(line) + 32;
  const int32_t left = (kScreenWidth - width) / 2;
  CSprite box;  // no texture: the colour alone
  box.colour = 0xB0302048;
  DrawSprite(g_device, box, left, kRankingTop, 0.0f, width, font->Height() + 12, 0.0f);
  const uint32_t ink = g_rankingNote.state == RankingNote::State::Placed ? 0xFFFFE066 : 0xFFFFFFFF;
  font->DrawText(line, left + 16, kRankingTop + 6, ink);
}

std::span<const int> CGameOver::Pictures() { return kGameOverBitmaps; }
std::span<const int> CGameOver::Sounds() { return kWaves; }

bool CGameOver::LoadResources(bool deviceReset) {
  bool imagesLoaded = true;
  for (int i = 0; i < 4; ++i) {
    imagesLoaded = LoadSpriteImage(kGameOverBitmaps[i], sprites[i]) && imagesLoaded;
  }
  imagesLoaded = LoadSpriteImage(RankPictures[rank], reward) && imagesLoaded;
  const FailureTexts& failures = Texts().failures;
  if (!imagesLoaded) ShowMessage(failures.images, failures.CaptionsOf(GameOver).images);

  IAudioDevice* device = g_soundBank ? g_soundBank->device.get() : nullptr;
  if (!LoadSound(jingle, kJingleWave, device, false)) {
    ShowMessage(failures.sounds, failures.CaptionsOf(GameOver).sounds);
    return false;
  }
  if (jingle.buffer) SetSoundVolume(jingle, ClampVolume(g_saveData->seVolume));
  return true;
}

void CGameOver::ReleaseResources(bool deviceReset) {
  for (CSprite& sprite : sprites) ReleaseSpriteImage(sprite);
  ReleaseSpriteImage(reward);
  if (SoundIsPlaying(jingle)) SoundStop(jingle);
  SoundRelease(jingle);
}
