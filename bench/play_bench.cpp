// The cost of one play frame: the scene's Input, Update and Draw, with every quad recorded by
// the fake device.
#include <benchmark/benchmark.h>

#include <memory>

#include "fakes/fake_audio.h"
#include "fakes/fake_message_box.h"
#include "fakes/fake_render_device.h"
#include "fakes/fake_resources.h"
#include "save/save_data.h"
#include "scenes/play.h"
#include "system/random.h"

namespace {

void PlayFrame(benchmark::State& state) {
  FakeRenderDevice device;
  FakeResources resources;
  RecordingMessageBox messages;
  SoundBank soundBank;
  auto audio = std::make_unique<FakeAudioDevice>();
  FakeAudioLog& audioLog = *audio->log;
  soundBank.device = std::move(audio);
  SaveData save{};
  g_device = &device;
  g_resources = &resources;
  g_messageBox = &messages;
  g_soundBank = &soundBank;
  g_saveData = &save;
  GameSrand(1);

  auto play = std::make_unique<CPlay>();
  play->Init();
  if (!play->LoadResources(false)) {
    state.SkipWithError("the play scene did not load");
    return;
  }
  CInput input;
  int64_t frame = 0;
  int64_t quads = 0;
  for (auto _ : state) {
    // Shift a line now and then and accelerate in bursts, as a player would.
    input.held[Up] = frame % 23 == 0;
    input.held[Button1] = frame % 400 < 60;
    play->Input(input);
    input.EndFrame();
    play->Update();
    device.ClearDrawLog();
    play->Draw(nullptr);
    quads += static_cast<int64_t>(device.Quads().size());
    audioLog.plays.clear();
    if (play->phase != PhasePlaying && play->phaseFrame > 101) play->Init();  // next game
    ++frame;
  }
  state.counters["quads/frame"] = benchmark::Counter(static_cast<double>(quads) / frame);
  play->ReleaseResources(false);
  g_device = nullptr;
  g_resources = nullptr;
  g_messageBox = nullptr;
  g_soundBank = nullptr;
  g_saveData = nullptr;
}

}  // namespace

BENCHMARK(PlayFrame);
BENCHMARK_MAIN();
