// The autoplayer's brain in play. From what is on screen it makes a route through the lines
// ahead of the heroine and follows it, making it anew every few frames. Now and then it tries
// other routes, each forcing one line to a rotation the cheapest route would not give it (so
// that she is lifted, a monster is moved out of her way or into another one), plays each of
// them forward on a copy of the field and keeps the one that leaves her best off.
#pragma once

#include <cstdint>
#include <span>

#include "automation/field_sim.h"
#include "automation/play_view.h"
#include "automation/route.h"

// The buttons that carry out a route in one frame: the cursor goes to the nearest line the
// heroine will reach that does not yet stand as the route wants, and turns it. `columnsIn` is
// how many columns came in since the route was made.
PlayButtons FollowRoute(const CMap& map, const CPlayer& heroine, const Route& route,
                        int32_t columnsIn, PlayButtons last);

// Follows routes made anew every few frames, with one line forced to a rotation until it stands
// so and a while after.
class RoutePolicy {
 public:
  RoutePolicy() = default;
  // `choice` names a column as it is now, when `columnsIn` columns have come in. With
  // `speedUp` the speed-up is held whenever she walks with room to her left and nothing is left
  // to turn.
  RoutePolicy(RouteChoice choice, int32_t columnsIn, bool speedUp);

  bool SpeedUp() const { return speedUp_; }
  void SetSpeedUp(bool speedUp) { speedUp_ = speedUp; }

  // The buttons of one frame. `columnsIn` counts the columns that came in; lines from
  // `lastKnown` + 1 on are not known.
  PlayButtons Next(const CMap& map, const CPlayer& heroine, std::span<const CEnemySingle> monsters,
                   int32_t columnsIn, int32_t lastKnown, PlayButtons last);

 private:
  RouteChoice ForcedNow(const CMap& map, const CPlayer& heroine, int32_t columnsIn);

  int32_t forcedId_ = -1;  // the forced line, counted from the start of the game
  int32_t forcedRotation_ = 0;
  int32_t holdFrames_ = -1;  // frames the forced line still keeps its rotation once there
  Route route_;
  int32_t routeColumnsIn_ = 0;
  int32_t framesToReplan_ = 0;
  bool speedUp_ = false;
};

class AutoPlanner {
 public:
  // Forgets the route: a new game begins.
  void Reset();
  // The buttons to hold in this frame. Deterministic: the same views give the same buttons.
  PlayButtons Decide(const PlayView& view);

 private:
  // Policies are compared in cycles of a fixed number of frames. A cycle starts by playing the
  // policy in force forward to the cycle's end, and tries every other policy from there, a few
  // in each frame; at the cycle's end the best one takes over, from the place it was tried at.
  struct Trial {
    float value = 0;           // how well off she is at the end of the look-ahead
    bool comfortable = false;  // alive, with room to her left and an open way ahead
  };
  void StartCycle(const PlayView& view);
  void TryNext();
  Trial Try(RoutePolicy policy) const;

  RoutePolicy policy_;
  int32_t knownUpTo_ = -1;  // the last column, counted from the game's start, it knows of
  PlayButtons last_ = 0;    // the buttons of the previous frame

  int32_t cycleFramesLeft_ = 0;
  FieldSim start_{PlayView{}};  // the field as it will be when the cycle ends
  RoutePolicy continued_;       // the policy in force, as it will be then
  PlayButtons startLast_ = 0;
  int32_t startColumnsIn_ = 0;
  int32_t startKnownUpTo_ = 0;
  struct Candidate {
    RouteChoice choice;
    bool speedUp;
  };
  static constexpr int32_t kMaxChoices = 64;
  Candidate choices_[kMaxChoices];
  bool toggleSpeedUp_ = false;  // the policy in force with the speed-up switched is still to try
  int32_t choiceCount_ = 0;
  int32_t nextChoice_ = 0;
  RoutePolicy best_;
  float bestValue_ = 0;
};
