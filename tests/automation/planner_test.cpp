// The planner: how a route becomes keys, that it plays fair, and that it plays well.
#include "automation/planner.h"

#include <gtest/gtest.h>

#include <vector>

#include "automation/field_sim.h"
#include "fakes/test_environment.h"
#include "field_builder.h"
#include "scenes/play.h"
#include "system/random.h"

namespace {

// The buttons FollowRoute gives frame after frame while the look-ahead plays them.
std::vector<PlayButtons> Follow(const PlayView& view, const Route& route, int frames,
                                FieldSim* end = nullptr) {
  FieldSim sim(view);
  std::vector<PlayButtons> pressed;
  PlayButtons last = 0;
  for (int i = 0; i < frames; ++i) {
    last = FollowRoute(sim.map, sim.heroine, route, sim.newColumns(), last);
    pressed.push_back(last);
    sim.Step(last);
  }
  if (end) *end = sim;
  return pressed;
}

TEST(FollowRoute, WalksTheCursorWithFreshPressesAndTurnsTheLineOnArrival) {
  PlayView view = Field(kFlat);
  Stand(view, 1, 1);
  view.cursor = 5;
  Route route;
  route.targets[8].entry = 1;  // one cell down
  FieldSim end(view);
  const std::vector<PlayButtons> pressed = Follow(view, route, 30, &end);
  const std::vector<PlayButtons> expected = {kHoldRight, 0, kHoldRight, 0, kHoldRight | kHoldDown};
  EXPECT_EQ(std::vector<PlayButtons>(pressed.begin(), pressed.begin() + 5), expected);
  EXPECT_EQ(LandingRotation(end.map.lines[8]), 1);
  EXPECT_EQ(end.map.lines[8].kind, LineStill) << "turned by exactly one cell";
  EXPECT_EQ(pressed.back(), 0) << "nothing is left to do";
}

TEST(FollowRoute, GoesTheShortWayRoundAndTurnsTheShortWay) {
  PlayView view = Field(kFlat);
  Stand(view, 0, 1);
  view.cursor = 1;
  Route route;
  route.targets[10].entry = 4;  // two cells up from 0
  FieldSim end(view);
  const std::vector<PlayButtons> pressed = Follow(view, route, 40, &end);
  EXPECT_EQ(pressed[0], kHoldLeft) << "1 to 10 is two steps to the left across the edge";
  EXPECT_EQ(pressed[2], kHoldLeft | kHoldUp);
  EXPECT_EQ(LandingRotation(end.map.lines[10]), 4);
}

TEST(FollowRoute, TurnsTheNearestLineFirstAndLeavesLinesBehindHer) {
  PlayView view = Field(kFlat);
  Stand(view, 4, 1);
  view.cursor = 4;
  Route route;
  route.targets[2].entry = 3;  // behind her: nothing to do
  route.targets[6].entry = 1;
  route.targets[9].entry = 1;
  FieldSim end(view);
  Follow(view, route, 60, &end);
  EXPECT_EQ(LandingRotation(end.map.lines[2]), 0);
  EXPECT_EQ(LandingRotation(end.map.lines[6]), 1);
  EXPECT_EQ(LandingRotation(end.map.lines[9]), 1);
  EXPECT_EQ(end.map.cursor, 9) << "line 6 was turned before line 9";
}

class PlannerTest : public GameTest {
 protected:
  CPlay* StartGame(uint32_t seed) {
    GameSrand(seed);
    g_sceneManager.RequestScene(Play, false);
    RunFrame();
    return CurrentAs<CPlay>();
  }
  void PlayFrame(PlayButtons buttons) {
    input.held[Up] = buttons & kHoldUp;
    input.held[Down] = buttons & kHoldDown;
    input.held[Left] = buttons & kHoldLeft;
    input.held[Right] = buttons & kHoldRight;
    input.held[Button1] = buttons & kHoldSpeed;
    RunFrame();
  }
  // Plays `frames` frames with the planner; the buttons of each frame.
  std::vector<PlayButtons> PlayWith(AutoPlanner& planner, CPlay& play, int frames) {
    std::vector<PlayButtons> pressed;
    for (int i = 0; i < frames && play.phase == PhasePlaying; ++i) {
      pressed.push_back(planner.Decide(ViewOfPlay(play)));
      PlayFrame(pressed.back());
    }
    return pressed;
  }
};

TEST_F(PlannerTest, DrawsNothingFromTheGamesRandomGenerator) {
  GameSrand(777);
  const int firstOf777 = GameRand();
  CPlay* play = StartGame(4);
  ASSERT_NE(play, nullptr);
  AutoPlanner planner;
  for (int frame = 0; frame < 600 && play->phase == PhasePlaying; ++frame) {
    GameSrand(777);
    const PlayButtons buttons = planner.Decide(ViewOfPlay(*play));
    ASSERT_EQ(GameRand(), firstOf777) << "frame " << frame;
    PlayFrame(buttons);
  }
}

TEST_F(PlannerTest, ColumnsNotYetGeneratedDoNotChangeItsButtons) {
  // The same game twice up to a frame, then the generator of the second is changed: the
  // pattern being cut, its group shifts and the random generator. Up to the frame in which
  // the next column comes in, the two games show the same field and the planner, looking far
  // ahead, must press the same buttons in both.
  constexpr int kSplit = 400;
  std::vector<PlayButtons> runs[2];
  int32_t nextColumn[2] = {};
  MapLine newColumn[2];
  for (int run = 0; run < 2; ++run) {
    CPlay* play = StartGame(11);
    ASSERT_NE(play, nullptr);
    AutoPlanner planner;
    PlayWith(planner, *play, kSplit);
    ASSERT_EQ(play->phase, PhasePlaying);
    if (run == 1) {
      play->map.pattern = (play->map.pattern % 10) + 1;
      play->map.patternColumn = 6;  // a new pattern is drawn for the next column
      for (uint8_t& shift : play->map.groupShift) shift = static_cast<uint8_t>((shift + 2) % 5);
      GameSrand(123456);
    }
    const int32_t distance = save.distance;
    while (save.distance == distance && play->phase == PhasePlaying) {
      runs[run].push_back(planner.Decide(ViewOfPlay(*play)));
      PlayFrame(runs[run].back());
    }
    nextColumn[run] = static_cast<int32_t>(runs[run].size());
    newColumn[run] = play->map.lines[kColumns - 1];
    g_sceneManager.Clear();
  }
  ASSERT_EQ(nextColumn[0], nextColumn[1]);
  EXPECT_GT(nextColumn[0], 10) << "the planner looked ahead over the coming column";
  EXPECT_EQ(runs[0], runs[1]);
  bool differs = newColumn[0].offset != newColumn[1].offset;
  for (int r = 0; r < kRows; ++r)
    differs = differs || newColumn[0].cells[r] != newColumn[1].cells[r];
  EXPECT_TRUE(differs) << "the two games go on with different columns";
}

TEST_F(PlannerTest, KeepsTheHeroineAliveWhereDoingNothingLosesHer) {
  CPlay* idle = StartGame(2);
  ASSERT_NE(idle, nullptr);
  RunFrames(1500);
  // Lost, she is either still falling in the play scene or already on the game over screen
  // (which has freed the play scene).
  const auto* still = dynamic_cast<const CPlay*>(g_sceneManager.currentScene.get());
  EXPECT_TRUE(still == nullptr || still->phase != PhasePlaying) << "left alone she is lost";
  g_sceneManager.Clear();

  CPlay* play = StartGame(2);
  ASSERT_NE(play, nullptr);
  AutoPlanner planner;
  const std::vector<PlayButtons> pressed = PlayWith(planner, *play, 3000);
  EXPECT_EQ(play->phase, PhasePlaying);
  EXPECT_GT(save.distance, 25) << "where she is lost at about 6 without help";
  int spedUp = 0;
  for (PlayButtons b : pressed) spedUp += (b & kHoldSpeed) != 0;
  EXPECT_GT(spedUp, 0) << "the speed-up is held where it is safe";
}

TEST_F(PlannerTest, SameViewsGiveTheSameButtons) {
  CPlay* play = StartGame(6);
  ASSERT_NE(play, nullptr);
  AutoPlanner first, second;
  for (int frame = 0; frame < 400 && play->phase == PhasePlaying; ++frame) {
    const PlayView view = ViewOfPlay(*play);
    const PlayButtons a = first.Decide(view);
    ASSERT_EQ(a, second.Decide(view)) << frame;
    PlayFrame(a);
  }
}

}  // namespace
