#include "automation/planner.h"

#include <algorithm>

#include "scenes/play.h"

namespace {

constexpr int32_t kLookAhead = 200;    // frames each policy is played forward
constexpr int32_t kReplanFrames = 10;  // a route is made anew this often
constexpr int32_t kCycleFrames = 16;   // policies are compared this often
constexpr int32_t kHoldFrames = 30;    // a forced line keeps its rotation this long
constexpr int32_t kForcedReach = 5;    // lines this far ahead of her may be forced
constexpr float kLostValue = -1e6f;
constexpr float kSpeedUpFloor = 250.0f;  // the speed-up is held only right of this screen x
constexpr float kProgressWeight = 1.0f;  // value of a pixel the field moved on
constexpr float kNarrowWeight = 2.0f;    // cost of a pixel she ends nearer the left edge than
constexpr float kNarrowX = 250.0f;       // this

int32_t Mod(int32_t v, int32_t n) {
  v %= n;
  return v < 0 ? v + n : v;
}

// The rotation the route wants of line `c` now: the exit rotation of the line she stands on,
// the entry rotation of a line still ahead of her; -1 for lines behind her.
int32_t WantedRotation(const CPlayer& heroine, int32_t here, int32_t c, const LineTarget& target) {
  if (c < here) return -1;
  if (c == here && heroine.grounded) return target.exit;
  return target.entry >= 0 ? target.entry : target.exit;
}

}  // namespace

PlayButtons FollowRoute(const CMap& map, const CPlayer& heroine, const Route& route,
                        int32_t columnsIn, PlayButtons last) {
  const int32_t here = std::max(ColumnAt(map, heroine.x), 0);
  for (int32_t c = here; c < kColumns; ++c) {
    const int32_t planned = c + columnsIn;
    if (planned >= kColumns) break;
    const MapLine& line = map.lines[c];
    if (line.kind > LineDown) continue;
    const int32_t wanted = WantedRotation(heroine, here, c, route.targets[planned]);
    if (wanted < 0) continue;
    const int32_t turn = Mod(wanted - LandingRotation(line), kRows);
    if (turn == 0) continue;
    // Down raises the offset, and with it the rotation.
    const PlayButtons turnKey = turn <= kRows / 2 ? kHoldDown : kHoldUp;
    if (map.cursor == c) return turnKey;
    const int32_t right = Mod(c - map.cursor, kColumns);
    const PlayButtons moveKey = right <= kColumns / 2 ? kHoldRight : kHoldLeft;
    // A cursor key moves the cursor only when pressed anew.
    if (last & moveKey) return 0;
    // On its last step the cursor can turn the line it arrives on in the same frame.
    const bool arrives = (moveKey == kHoldRight ? right : kColumns - right) == 1;
    return arrives ? moveKey | turnKey : moveKey;
  }
  return 0;
}

RoutePolicy::RoutePolicy(RouteChoice choice, int32_t columnsIn, bool speedUp) : speedUp_(speedUp) {
  if (choice.column < 0) return;
  forcedId_ = choice.column + columnsIn;
  forcedRotation_ = choice.rotation;
}

RouteChoice RoutePolicy::ForcedNow(const CMap& map, const CPlayer& heroine, int32_t columnsIn) {
  if (forcedId_ < 0) return RouteChoice{};
  const int32_t column = forcedId_ - columnsIn;
  const bool passed = column < std::max(ColumnAt(map, heroine.x), 0);
  if (!passed && holdFrames_ < 0) {
    const MapLine& line = map.lines[column];
    if (line.kind == LineStill && LandingRotation(line) == forcedRotation_)
      holdFrames_ = kHoldFrames;
  }
  if (passed || holdFrames_ == 0) {
    forcedId_ = -1;
    framesToReplan_ = 0;
    return RouteChoice{};
  }
  if (holdFrames_ > 0) --holdFrames_;
  return RouteChoice{column, forcedRotation_};
}

PlayButtons RoutePolicy::Next(const CMap& map, const CPlayer& heroine,
                              std::span<const CEnemySingle> monsters, int32_t columnsIn,
                              int32_t lastKnown, PlayButtons last) {
  const RouteChoice choice = ForcedNow(map, heroine, columnsIn);
  if (framesToReplan_ <= 0) {
    LineState lines[kColumns];
    ReadLines(map, monsters, lines);
    if (!FindRoute(map, lines, heroine, lastKnown, choice, route_)) route_ = Route{};
    // A monster that closes the way is to meet another one.
    if (choice.column < 0 && route_.reach < lastKnown && lines[route_.reach + 1].monsters) {
      const RouteChoice kill =
          KillChoice(map, lines, monsters, route_.reach + 1, ColumnAt(map, heroine.x), lastKnown);
      if (kill.column >= 0) {
        forcedId_ = kill.column + columnsIn;
        forcedRotation_ = kill.rotation;
        holdFrames_ = -1;
        if (!FindRoute(map, lines, heroine, lastKnown, kill, route_)) route_ = Route{};
      }
    }
    routeColumnsIn_ = columnsIn;
    framesToReplan_ = kReplanFrames;
  }
  --framesToReplan_;
  const PlayButtons buttons = FollowRoute(map, heroine, route_, columnsIn - routeColumnsIn_, last);
  // With the speed-up on, it is held while she walks with room to her left and nothing is left
  // to turn.
  if (speedUp_ && buttons == 0 && heroine.grounded && heroine.x > kSpeedUpFloor) return kHoldSpeed;
  return buttons;
}

void AutoPlanner::Reset() {
  policy_ = RoutePolicy{};
  knownUpTo_ = -1;
  last_ = 0;
  cycleFramesLeft_ = 0;
  choiceCount_ = nextChoice_ = 0;
}

AutoPlanner::Trial AutoPlanner::Try(RoutePolicy policy) const {
  FieldSim sim = start_;
  PlayButtons last = startLast_;
  for (int32_t frame = 0; frame < kLookAhead; ++frame) {
    last = policy.Next(sim.map, sim.heroine, sim.monsters, startColumnsIn_ + sim.newColumns(),
                       sim.FirstUnknownColumn() - 1, last);
    sim.Step(last);
    if (sim.outcome() != FieldSim::Outcome::Alive)
      return Trial{kLostValue + 100.0f * static_cast<float>(frame), false};
  }
  // How well she stands when the look-ahead ends: how far the field moved on, room before the
  // left edge, and how far the lines she can see would let her go on.
  LineState lines[kColumns];
  ReadLines(sim.map, sim.monsters, lines);
  Route onward;
  const int32_t here = ColumnAt(sim.map, sim.heroine.x);
  const float moved =
      static_cast<float>(sim.newColumns() * kCellSize) + sim.map.scroll - start_.map.scroll;
  Trial trial;
  trial.value = sim.heroine.x + kProgressWeight * moved -
                kNarrowWeight * std::max(0.0f, kNarrowX - sim.heroine.x);
  const int32_t lastKnown = sim.FirstUnknownColumn() - 1;
  if (FindRoute(sim.map, lines, sim.heroine, lastKnown, RouteChoice{}, onward)) {
    trial.value += 150.0f * static_cast<float>(onward.reach - here) - onward.cost;
    trial.comfortable = onward.reach >= lastKnown && sim.heroine.x >= kNarrowX;
  }
  return trial;
}

void AutoPlanner::StartCycle(const PlayView& view) {
  cycleFramesLeft_ = kCycleFrames;
  start_ = FieldSim(view);
  continued_ = policy_;
  startLast_ = last_;
  startColumnsIn_ = view.distance;
  startKnownUpTo_ = view.distance + kColumns - 1;
  for (int32_t frame = 0; frame < kCycleFrames; ++frame) {
    startLast_ = continued_.Next(start_.map, start_.heroine, start_.monsters,
                                 startColumnsIn_ + start_.newColumns(),
                                 start_.FirstUnknownColumn() - 1, startLast_);
    start_.Step(startLast_);
  }
  best_ = continued_;
  const Trial continued = Try(continued_);
  bestValue_ = continued.value;

  // The policy in force with the speed-up switched and a fresh route with and without it; and
  // when the policy in force leaves her in trouble, fresh routes forcing each line near her to
  // each of its other rotations.
  choiceCount_ = nextChoice_ = 0;
  toggleSpeedUp_ = true;
  choices_[choiceCount_++] = Candidate{RouteChoice{}, true};
  choices_[choiceCount_++] = Candidate{RouteChoice{}, false};
  const int32_t here = ColumnAt(start_.map, start_.heroine.x);
  if (continued.comfortable || here < 0 || start_.outcome() != FieldSim::Outcome::Alive) return;
  for (int32_t c = here; c <= std::min(here + kForcedReach, kColumns - 1); ++c) {
    const MapLine& line = start_.map.lines[c];
    if (line.kind > LineDown) continue;
    for (int32_t r = 0; r < kRows; ++r) {
      if (r != LandingRotation(line) && choiceCount_ < kMaxChoices)
        choices_[choiceCount_++] = Candidate{RouteChoice{c, r}, false};
    }
  }
}

void AutoPlanner::TryNext() {
  RoutePolicy candidate = continued_;
  if (toggleSpeedUp_) {
    toggleSpeedUp_ = false;
    candidate.SetSpeedUp(!candidate.SpeedUp());
  } else {
    const Candidate& next = choices_[nextChoice_++];
    candidate = RoutePolicy(next.choice, startColumnsIn_ + start_.newColumns(), next.speedUp);
  }
  const float value = Try(candidate).value;
  if (value > bestValue_) {
    best_ = candidate;
    bestValue_ = value;
  }
}

PlayButtons AutoPlanner::Decide(const PlayView& view) {
  if (view.phase != PhasePlaying || view.heroine.kind != PlayerAlive) {
    last_ = 0;
    return 0;
  }
  if (cycleFramesLeft_ == 0) {
    if (choiceCount_ > 0) {
      while (toggleSpeedUp_ || nextChoice_ < choiceCount_) TryNext();
      policy_ = best_;
      knownUpTo_ = startKnownUpTo_;
    }
    StartCycle(view);
  }
  // The trials are spread evenly over the frames of the cycle.
  const int32_t perFrame = (choiceCount_ + kCycleFrames - 1) / (kCycleFrames - 1);
  for (int32_t i = 0; i < perFrame && (toggleSpeedUp_ || nextChoice_ < choiceCount_); ++i)
    TryNext();
  --cycleFramesLeft_;

  // The policy in force goes on knowing the columns its look-ahead knew: what it does is then
  // what was tried. Columns that came in since are weighed at the next comparison.
  const int32_t lastKnown = knownUpTo_ < 0 ? kColumns - 1 : knownUpTo_ - view.distance;
  const FieldSim now(view);
  last_ = policy_.Next(now.map, now.heroine, now.monsters, view.distance,
                       std::min(lastKnown, kColumns - 1), last_);
  return last_;
}
