#include "game/play_round.h"

#include "game/enemies.h"
#include "media/input.h"
#include "save/save_data.h"

namespace {

void ResetRun(SaveData& save) {
  save.score = 0;
  save.distance = 0;
  save.diamondChain = 0;
}

template <typename T>
void UpdateTable(T (&table)[kTableSize], CMap& map) {
  for (T& entry : table) entry.Update(map);
}

}  // namespace

void CPlayRound::Start() {
  ResetRun(*g_saveData);
  // Generating the opening columns raises the score, the distance and with them the best
  // score; none of that was played, so the best score is put back as well.
  const int32_t highScore = g_saveData->highScore;
  map.Init();
  g_saveData->highScore = highScore;
  player.Start();
  ResetRun(*g_saveData);
  phaseFrame = 0;
  phase = PhasePlaying;
}

bool CPlayRound::TakeInput(const CInput& input) {
  if (phase != PhasePlaying) return false;
  map.HandleInput(input);
  const bool pauseTapped = pointerPlay.Input(input, map);
  return input[Button3].Pressed() || pauseTapped;
}

bool CPlayRound::Step() {
  bool over = false;
  if (phase == PhasePlaying) {
    PlayingStep();
  } else if (phase == PhaseCutOff || phase == PhaseCaught) {
    over = EndingStep();
  }
  phaseFrame += 1;
  return over;
}

void CPlayRound::PlayingStep() {
  if (phaseFrame == 0) SpawnEffect(0, 0, EffectStart);
  map.Scroll();
  UpdateEnemies(map);
  player.Update(map);
  UpdateTable(g_items, map);
  UpdateTable(g_effects, map);

  if (player.kind == PlayerCutOff) {
    phase = PhaseCutOff;
    phaseFrame = 0;
  } else if (player.kind == PlayerCaught) {
    phase = PhaseCaught;
    phaseFrame = 0;
  }
}

bool CPlayRound::EndingStep() {
  if (phaseFrame == kFinishBannerFrame) SpawnEffect(0, 0, EffectFinish);
  if (phase == PhaseCutOff) {
    // The field slides back right until the column edge lines up with the screen again.
    const float moved = map.ScrollBack();
    player.x += moved;
    ShiftEffects(moved, 0);
    ShiftItems(moved, 0);
    ShiftEnemies(moved, 0);
  }
  player.Update(map);  // only counts the frames of her death animation
  UpdateTable(g_effects, map);
  return phaseFrame > kEndingFrames;
}
