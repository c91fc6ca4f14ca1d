// The autoplayer's strength and cost: one game per seed, played by the planner in-process, with
// the distance, score, longest chain, length and end of each game, and the time the planner
// took per frame (percentiles) beside the time the game's own update took in the same frames.
// Processor time is given beside the wall clock: on a busy machine the wall clock also counts
// the time other programs ran.
//
//   bench_autoplay [FIRST_SEED [LAST_SEED [MAX_FRAMES]]]   (default 1 20 200000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "automation/planner.h"
#include "automation/play_view.h"
#include "fakes/fake_audio.h"
#include "fakes/fake_message_box.h"
#include "fakes/fake_render_device.h"
#include "fakes/fake_resources.h"
#include "save/save_data.h"
#include "scenes/play.h"
#include "system/random.h"

namespace {

using Clock = std::chrono::steady_clock;

// The processor time this thread has used, in microseconds: unlike the wall clock it does not
// count the time other programs on a busy machine take.
double ThreadMicros() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

struct GameResult {
  int32_t distance = 0, score = 0, chain = 0, frames = 0;
  const char* end = "cut-off";
};

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

double Percentile(std::vector<double>& values, double p) {
  if (values.empty()) return 0;
  const size_t at = std::min(values.size() - 1, static_cast<size_t>(p / 100 * values.size()));
  std::nth_element(values.begin(), values.begin() + static_cast<long>(at), values.end());
  return values[at];
}

void Press(CInput& input, PlayButtons buttons) {
  input.held[Up] = buttons & kHoldUp;
  input.held[Down] = buttons & kHoldDown;
  input.held[Left] = buttons & kHoldLeft;
  input.held[Right] = buttons & kHoldRight;
  input.held[Button1] = buttons & kHoldSpeed;
}

struct Costs {
  std::vector<double> planningCpu, planningWall, updatingCpu;
};

GameResult PlayOne(uint32_t seed, int32_t maxFrames, Costs& costs) {
  GameSrand(seed);
  auto play = std::make_unique<CPlay>();
  play->Init();
  play->LoadResources(false);
  AutoPlanner planner;
  CInput input;
  GameResult result;
  for (int32_t frame = 0; frame < maxFrames && play->phase == PhasePlaying; ++frame) {
    const Clock::time_point start = Clock::now();
    const double startCpu = ThreadMicros();
    const PlayButtons buttons = planner.Decide(ViewOfPlay(*play));
    const double plannedCpu = ThreadMicros();
    costs.planningWall.push_back(Micros(Clock::now() - start));
    Press(input, buttons);
    play->Input(input);
    input.EndFrame();
    play->Update();
    costs.planningCpu.push_back(plannedCpu - startCpu);
    costs.updatingCpu.push_back(ThreadMicros() - plannedCpu);
    result.chain = std::max(result.chain, g_saveData->diamondChain);
    result.frames = frame + 1;
  }
  result.distance = g_saveData->distance;
  result.score = g_saveData->score;
  if (play->phase == PhaseCaught) result.end = "caught";
  if (play->phase == PhasePlaying) result.end = "alive";
  play->ReleaseResources(false);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const uint32_t first = argc > 1 ? static_cast<uint32_t>(std::atoi(argv[1])) : 1;
  const uint32_t last = argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 20;
  const int32_t maxFrames = argc > 3 ? std::atoi(argv[3]) : 200000;

  FakeRenderDevice device;
  FakeResources resources;
  RecordingMessageBox messages;
  SoundBank soundBank;
  soundBank.device = std::make_unique<FakeAudioDevice>();
  SaveData save{};
  g_device = &device;
  g_resources = &resources;
  g_messageBox = &messages;
  g_soundBank = &soundBank;
  g_saveData = &save;

  Costs costs;
  std::vector<int32_t> distances;
  std::printf("seed  distance      score  chain   frames  end\n");
  for (uint32_t seed = first; seed <= last; ++seed) {
    const GameResult r = PlayOne(seed, maxFrames, costs);
    distances.push_back(r.distance);
    std::printf("%4u  %8d  %9d  %5d  %7d  %s\n", seed, r.distance, r.score, r.chain, r.frames,
                r.end);
    std::fflush(stdout);
  }
  std::sort(distances.begin(), distances.end());
  const size_t n = distances.size();
  const double median = n % 2 ? distances[n / 2] : (distances[n / 2 - 1] + distances[n / 2]) / 2.0;
  std::printf("median distance %.1f, lowest %d, highest %d\n", median, distances.front(),
              distances.back());
  auto report = [](const char* what, std::vector<double>& us) {
    std::printf("%s (us): p50 %.1f  p90 %.1f  p99 %.1f  p99.9 %.1f  max %.1f\n", what,
                Percentile(us, 50), Percentile(us, 90), Percentile(us, 99), Percentile(us, 99.9),
                Percentile(us, 100));
  };
  std::printf("over %zu frames:\n", costs.planningCpu.size());
  report("planning per frame, processor time", costs.planningCpu);
  report("planning per frame, wall clock    ", costs.planningWall);
  report("game update per frame, processor  ", costs.updatingCpu);
  g_device = nullptr;
  g_resources = nullptr;
  g_messageBox = nullptr;
  g_soundBank = nullptr;
  g_saveData = nullptr;
  return 0;
}
