// The look-ahead runs the game's own rules: stepped beside a real game with the same buttons, it
// keeps the same field, heroine and monsters, except in the columns that came in since it began,
// which it cannot know.
#include "automation/field_sim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "automation/planner.h"
#include "fakes/test_environment.h"
#include "scenes/play.h"
#include "system/random.h"

namespace {

class FieldSimTest : public GameTest {
 protected:
  CPlay* StartGame(uint32_t seed) {
    GameSrand(seed);
    g_sceneManager.RequestScene(Play, false);
    RunFrame();
    return CurrentAs<CPlay>();
  }

  // One frame of the real game with these buttons held.
  void PlayFrame(PlayButtons buttons) {
    input.held[Up] = buttons & kHoldUp;
    input.held[Down] = buttons & kHoldDown;
    input.held[Left] = buttons & kHoldLeft;
    input.held[Right] = buttons & kHoldRight;
    input.held[Button1] = buttons & kHoldSpeed;
    RunFrame();
  }
};

using Monster = std::tuple<int32_t, float, float, bool>;

// The live monsters of a table, in an order that does not depend on their slots, leaving out
// those standing in columns from `unknown` on.
std::vector<Monster> LiveMonsters(const CMap& map, const CEnemySingle (&table)[kTableSize],
                                  int32_t unknown) {
  std::vector<Monster> live;
  for (const CEnemySingle& m : table) {
    if (m.kind != 0 && ColumnAt(map, m.x) < unknown)
      live.emplace_back(m.kind, m.x, m.y, m.grounded);
  }
  std::sort(live.begin(), live.end());
  return live;
}

TEST_F(FieldSimTest, FollowsTheGameFrameForFrameInTheColumnsItKnows) {
  int wingsHatched = 0;
  int columnsCameIn = 0;
  for (uint32_t seed : {3u, 8u, 21u}) {
    SCOPED_TRACE(seed);
    CPlay* play = StartGame(seed);
    ASSERT_NE(play, nullptr);
    // The autoplayer's buttons move the cursor, turn lines both ways and speed up.
    AutoPlanner planner;
    for (int frame = 0; frame < 150; ++frame) PlayFrame(planner.Decide(ViewOfPlay(*play)));
    ASSERT_EQ(play->phase, PhasePlaying);

    FieldSim sim(ViewOfPlay(*play));
    for (int frame = 150; frame < 1500 && play->phase == PhasePlaying; ++frame) {
      // Once the lines beside her are unknown, or an unknown line could bring a winged monster
      // out of its eggs, the look-ahead can no longer follow the game: it starts again from
      // what is on screen.
      if (ColumnAt(sim.map, sim.heroine.x) + 2 >= sim.FirstUnknownColumn() ||
          sim.FirstUnknownColumn() <= kHatchColumn + 1) {
        columnsCameIn += sim.newColumns();
        sim = FieldSim(ViewOfPlay(*play));
      }
      const PlayButtons buttons = planner.Decide(ViewOfPlay(*play));
      const int wingsBefore = static_cast<int>(
          std::count_if(std::begin(sim.monsters), std::end(sim.monsters),
                        [](const CEnemySingle& m) { return m.kind == EnemyWing; }));
      sim.Step(buttons);
      PlayFrame(buttons);
      const int32_t unknown = sim.FirstUnknownColumn();
      for (int32_t c = 0; c < unknown; ++c) {
        const MapLine& real = play->map.lines[c];
        const MapLine& seen = sim.map.lines[c];
        ASSERT_TRUE(std::equal(std::begin(real.cells), std::end(real.cells), seen.cells))
            << "frame " << frame << " column " << c;
        ASSERT_EQ(real.kind, seen.kind) << "frame " << frame << " column " << c;
        ASSERT_EQ(real.offset, seen.offset) << "frame " << frame << " column " << c;
      }
      ASSERT_EQ(play->map.scroll, sim.map.scroll) << frame;
      ASSERT_EQ(play->map.speed, sim.map.speed) << frame;
      ASSERT_EQ(play->map.cursor, sim.map.cursor) << frame;
      ASSERT_EQ(play->player.x, sim.heroine.x) << frame;
      ASSERT_EQ(play->player.y, sim.heroine.y) << frame;
      ASSERT_EQ(play->player.grounded, sim.heroine.grounded) << frame;
      // A monster beside an unknown column may meet one the look-ahead does not know.
      ASSERT_EQ(LiveMonsters(play->map, g_enemies, unknown - 1),
                LiveMonsters(sim.map, sim.monsters, unknown - 1))
          << frame;
      wingsHatched += std::max(0, static_cast<int>(std::count_if(
                                      std::begin(sim.monsters), std::end(sim.monsters),
                                      [](const CEnemySingle& m) { return m.kind == EnemyWing; })) -
                                      wingsBefore);
      const FieldSim::Outcome expected =
          play->player.kind == PlayerCaught   ? FieldSim::Outcome::Caught
          : play->player.kind == PlayerCutOff ? FieldSim::Outcome::CutOff
                                              : FieldSim::Outcome::Alive;
      ASSERT_EQ(sim.outcome(), expected) << frame;
    }
    g_sceneManager.Clear();
  }
  EXPECT_GT(columnsCameIn, 30) << "columns came in during the comparisons";
  EXPECT_GT(wingsHatched, 0) << "eggs hatched in the look-ahead";
}

TEST_F(FieldSimTest, AColumnThatComesInIsUnknownAndEmpty) {
  CPlay* play = StartGame(5);
  ASSERT_NE(play, nullptr);
  FieldSim sim(ViewOfPlay(*play));
  EXPECT_EQ(sim.FirstUnknownColumn(), kColumns);
  while (sim.newColumns() == 0) sim.Step(kHoldSpeed);
  EXPECT_EQ(sim.FirstUnknownColumn(), kColumns - 1);
  const MapLine& unknown = sim.map.lines[kColumns - 1];
  EXPECT_TRUE(std::all_of(std::begin(unknown.cells), std::end(unknown.cells),
                          [](CellType t) { return t == CellEmpty; }));
  EXPECT_EQ(sim.map.lines[kColumns - 2].kind, play->map.lines[kColumns - 1].kind)
      << "the newest known column moved one to the left";
}

TEST_F(FieldSimTest, ALostHeroineStaysLost) {
  CPlay* play = StartGame(2);
  ASSERT_NE(play, nullptr);
  PlayView view = ViewOfPlay(*play);
  // A monster on her head.
  view.monsters[0].kind = EnemyBeard;
  view.monsters[0].x = view.heroine.x;
  view.monsters[0].y = view.heroine.y;
  FieldSim sim(view);
  sim.Step(0);
  EXPECT_EQ(sim.outcome(), FieldSim::Outcome::Caught);
  const float x = sim.heroine.x;
  sim.Step(kHoldSpeed);
  EXPECT_EQ(sim.heroine.x, x) << "nothing moves her once she is lost";
}

}  // namespace
