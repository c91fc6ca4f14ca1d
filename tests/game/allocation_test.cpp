// Counts every allocation of this test program, to prove that a running game makes none.
#include <atomic>
#include <cstdlib>
#include <new>

#include "automation/automation.h"
#include "fakes/test_environment.h"
#include "fakes/test_files.h"
#include "scenes/play.h"

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void* Allocate(std::size_t size) {
  if (g_counting) ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

using AllocationTest = GameTest;

TEST_F(AllocationTest, ARunningGameAllocatesNothing) {
  g_sceneManager.RequestScene(Play, false);
  RunFrame();
  CPlay* play = CurrentAs<CPlay>();
  ASSERT_NE(play, nullptr);
  // Room in the fakes' logs, so that only the game's own allocations are counted.
  device.log->quads.reserve(4096);
  audio->log->plays.reserve(65536);

  g_counting = true;
  int* volatile probe = new int(1);  // the counter itself works
  delete probe;
  g_counting = false;
  ASSERT_EQ(g_allocations, 1);
  g_allocations = 0;

  int games = 1;
  g_counting = true;
  for (int frame = 0; frame < 5000; ++frame) {
    input.held[Up] = frame % 23 == 0;
    input.held[Down] = frame % 37 == 0;
    input.held[Right] = frame % 51 == 0;
    input.held[Button1] = frame % 400 < 60;
    play->Input(input);
    input.EndFrame();
    play->Update();
    device.ClearDrawLog();
    play->Draw(fonts);
    if (play->phase != PhasePlaying && play->phaseFrame > 101) {
      play->Init();  // the next game, in the same scene
      ++games;
    }
  }
  g_counting = false;
  EXPECT_EQ(g_allocations, 0);
  EXPECT_GT(games, 1);  // the endings ran as well
}

TEST_F(AllocationTest, FrameStatisticsAllocateNothingPerFrame) {
  g_sceneManager.RequestScene(Play, false);
  RunFrame();
  test_files::TempFolder folder;
  Options options;
  options.statsPath = (folder / "stats.json").string();
  options.frameLimit = 3000;
  Automation automation;
  std::string error;
  ASSERT_TRUE(automation.Start(options, error)) << error;

  FrameTimes times;
  times.paced = true;
  g_allocations = 0;
  g_counting = true;
  for (uint32_t frame = 1; frame <= 3000; ++frame) {
    times.frameUs = frame * 7 % 1000;  // new slowest frames keep coming
    times.lateUs = frame % 1500;
    automation.FrameTimed(frame, times);
  }
  g_counting = false;
  EXPECT_EQ(g_allocations, 0);
}
