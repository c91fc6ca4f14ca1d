#include "run_maker.h"

#include <mutex>
#include <random>

#include "game/play_round.h"
#include "media/input.h"
#include "replay/recorder.h"
#include "save/save_data.h"
#include "system/random.h"

Replay PlayRun(uint32_t seed, uint32_t pattern, uint32_t maxFrames) {
  // The play runs on the game's global state (the random generator, the character tables, the
  // save record): the tests' client threads play one game at a time.
  static std::mutex playing;
  const std::lock_guard lock(playing);
  SaveData save{};
  SaveData* const previous = g_saveData;
  g_saveData = &save;
  std::mt19937 random(pattern);
  GameSrand(seed);
  CPlayRound round;
  round.Start();
  CInput input;
  ReplayRecorder recorder;
  recorder.Begin(seed, input);
  constexpr uint16_t kPlayButtons = 1 << Up | 1 << Down | 1 << Left | 1 << Right | 1 << Button1;
  uint16_t buttons = 0;
  uint32_t nextChange = 0;
  bool over = false;
  for (uint32_t frame = 0; frame < maxFrames && !over; ++frame) {
    if (frame == nextChange) {
      buttons = static_cast<uint16_t>(random() & kPlayButtons);
      nextChange += 2 + random() % 19;
    }
    HoldButtons(input, buttons);
    input.MapPointer(PointerFrame{});  // no pointer, as the verifier plays a replay without one
    if (frame > 0) round.TakeInput(input);  // the play is created in frame 0, without input
    input.EndFrame();
    over = round.Step();
    recorder.Frame(buttons, PointerFrame{}, true, round);
  }
  const GameEnd end = !over                        ? GameEnd::Quit
                      : round.phase == PhaseCutOff ? GameEnd::CutOff
                                                   : GameEnd::Caught;
  Replay replay = *recorder.Finish(end);
  g_saveData = previous;
  return replay;
}

std::vector<uint8_t> MakeRun(uint32_t seed, uint32_t pattern, uint32_t maxFrames) {
  return EncodeReplay(PlayRun(seed, pattern, maxFrames));
}
