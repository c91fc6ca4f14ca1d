// The route finder, on small fields laid out by hand. What a route says is checked by playing it
// with the game's own rules, not by reading its numbers back.
#include "automation/route.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/field_sim.h"
#include "automation/planner.h"
#include "field_builder.h"

namespace {

Route RouteOf(const PlayView& view, RouteChoice choice = {}) {
  FieldSim sim(view);
  LineState lines[kColumns];
  ReadLines(sim.map, sim.monsters, lines);
  Route route;
  EXPECT_TRUE(FindRoute(sim.map, lines, sim.heroine, kColumns - 1, choice, route));
  return route;
}

// Plays a route made once, for `frames` frames; the column the heroine is in at the end (as the
// columns were numbered at the start), or -1 when she was lost.
int PlayRoute(const PlayView& view, const Route& route, int frames) {
  FieldSim sim(view);
  PlayButtons last = 0;
  for (int i = 0; i < frames && sim.outcome() == FieldSim::Outcome::Alive; ++i) {
    last = FollowRoute(sim.map, sim.heroine, route, sim.newColumns(), last);
    sim.Step(last);
  }
  if (sim.outcome() != FieldSim::Outcome::Alive) return -1;
  return ColumnAt(sim.map, sim.heroine.x) + sim.newColumns();
}

TEST(Route, AFlatFloorNeedsNoTurn) {
  PlayView view = Field(kFlat);
  Stand(view, 1, 1);
  const Route route = RouteOf(view);
  EXPECT_EQ(route.reach, kColumns - 1);
  EXPECT_EQ(route.cost, 0);
  EXPECT_GE(PlayRoute(view, route, 150), 5);
}

TEST(Route, ALineInHerWayIsTurnedToLetHerOn) {
  std::vector<std::string> columns = kFlat;
  columns[3] = ".oo...";  // a wall in her row; turned down by one, the floor stays level
  PlayView view = Field(columns);
  Stand(view, 1, 1);
  EXPECT_EQ(PlayRoute(view, Route{}, 150), 2) << "without turning she stays behind the wall";
  const Route route = RouteOf(view);
  EXPECT_EQ(route.reach, kColumns - 1);
  EXPECT_EQ(route.targets[3].entry, 1) << "one cell down";
  EXPECT_GE(PlayRoute(view, route, 150), 5);
}

TEST(Route, SheIsLiftedOnHerOwnLineToTheOnlyGapOfAHardLine) {
  std::vector<std::string> columns = kFlat;
  columns[2] = "..oooo";
  columns[3] = "xxxx.x";  // passable in row 4 only, and she walks in row 1
  columns[4] = "....oo";
  PlayView view = Field(columns);
  Stand(view, 2, 1);
  const Route route = RouteOf(view);
  EXPECT_GE(route.reach, 4);
  EXPECT_NE(route.targets[2].exit, -1) << "her own line is turned under her";
  EXPECT_GE(PlayRoute(view, route, 200), 4);
}

TEST(Route, StopsBeforeALineWhoseOnlyGapHoldsAMonster) {
  std::vector<std::string> columns = kFlat;
  columns[4] = "o.oooo";
  PlayView view = Field(columns);
  AddMonster(view, EnemyBeard, 4, 1);
  Stand(view, 1, 1);
  EXPECT_EQ(RouteOf(view).reach, 3);
}

TEST(Route, DoesNotLeadIntoALineWithoutStones) {
  std::vector<std::string> columns = kFlat;
  columns[4] = "......";  // she would fall through it for ever
  PlayView view = Field(columns);
  Stand(view, 1, 1);
  EXPECT_EQ(RouteOf(view).reach, 3);
}

TEST(Route, AForcedLineIsTurnedEvenBeyondHerReach) {
  std::vector<std::string> columns = kFlat;
  columns[4] = "xxxxxx";
  PlayView view = Field(columns);
  Stand(view, 1, 1);
  const Route route = RouteOf(view, RouteChoice{6, 3});
  EXPECT_EQ(route.reach, 3);
  EXPECT_EQ(route.targets[6].entry, 3);
}

TEST(Route, LandingRotationOfStillAndMovingLines) {
  MapLine line{};
  line.offset = 170;
  EXPECT_EQ(LandingRotation(line), 2);
  line.kind = LineUp;
  line.offset = 499.375f;  // one frame up from 0
  EXPECT_EQ(LandingRotation(line), 5);
  line.kind = LineDown;
  line.offset = 10.625f;
  EXPECT_EQ(LandingRotation(line), 1);
  line.offset = 499.375f;  // turned back down past the top
  EXPECT_EQ(LandingRotation(line), 0);
}

// The monsters left alive after `frames` frames of a route made with a forced line.
int MonstersAfter(const PlayView& view, RouteChoice choice, int frames) {
  FieldSim sim(view);
  LineState lines[kColumns];
  ReadLines(sim.map, sim.monsters, lines);
  Route route;
  if (!FindRoute(sim.map, lines, sim.heroine, kColumns - 1, choice, route)) return -1;
  PlayButtons last = 0;
  for (int i = 0; i < frames; ++i) {
    last = FollowRoute(sim.map, sim.heroine, route, sim.newColumns(), last);
    sim.Step(last);
  }
  int alive = 0;
  for (const CEnemySingle& m : sim.monsters) alive += m.kind != 0;
  return alive;
}

RouteChoice KillOf(const PlayView& view, int column) {
  FieldSim sim(view);
  LineState lines[kColumns];
  ReadLines(sim.map, sim.monsters, lines);
  return KillChoice(sim.map, lines, sim.monsters, column, ColumnAt(sim.map, sim.heroine.x),
                    kColumns - 1);
}

TEST(Route, KillBringsABeardLevelWithOneInTheNextColumn) {
  std::vector<std::string> columns = kFlat;
  columns[4] = "o.oooo";
  columns[5] = "oooo.o";
  PlayView view = Field(columns);
  AddMonster(view, EnemyBeard, 4, 1);
  AddMonster(view, EnemyBeard, 5, 4);
  Stand(view, 1, 1);
  const RouteChoice kill = KillOf(view, 4);
  ASSERT_GE(kill.column, 4);
  EXPECT_EQ(MonstersAfter(view, RouteChoice{}, 60), 2);
  EXPECT_EQ(MonstersAfter(view, kill, 60), 0) << "both turned into diamonds";
}

TEST(Route, KillLetsAWingedMonsterOnUntilItMeetsTheOneInTheWay) {
  std::vector<std::string> columns = kFlat;
  columns[4] = "o.oooo";  // the only gap holds a beard monster
  columns[5] = "o.oooo";
  columns[6] = "...ooo";  // a winged monster held by the stone of line 5 in row 2
  PlayView view = Field(columns);
  AddMonster(view, EnemyBeard, 4, 1);
  AddMonster(view, EnemyWing, 6, 2);
  Stand(view, 1, 1);
  EXPECT_EQ(KillOf(view, 4).column, 5) << "first the line before the winged monster opens";

  // Played with its kills, the route lets the winged monster on and brings the beard monster
  // into its row: both turn into diamonds and the heroine walks on through line 4.
  FieldSim sim(view);
  RoutePolicy policy;
  PlayButtons last = 0;
  for (int i = 0; i < 400 && sim.outcome() == FieldSim::Outcome::Alive; ++i) {
    last = policy.Next(sim.map, sim.heroine, sim.monsters, sim.newColumns(),
                       sim.FirstUnknownColumn() - 1, last);
    sim.Step(last);
  }
  ASSERT_EQ(sim.outcome(), FieldSim::Outcome::Alive);
  for (const CEnemySingle& m : sim.monsters) EXPECT_EQ(m.kind, 0);
  EXPECT_GT(ColumnAt(sim.map, sim.heroine.x) + sim.newColumns(), 4);
}

TEST(Route, NoKillWithoutAnotherMonster) {
  std::vector<std::string> columns = kFlat;
  columns[4] = "o.oooo";
  PlayView view = Field(columns);
  AddMonster(view, EnemyBeard, 4, 1);
  Stand(view, 1, 1);
  EXPECT_EQ(KillOf(view, 4).column, -1);
}

}  // namespace
