// The title's demo when no replay is kept: the autoplayer's planner plays the game.
#pragma once

#include "app/replay_show.h"
#include "automation/planner.h"

class AutoplayDemo : public IDemoPlayer {
 public:
  void Reset() override { planner_.Reset(); }
  // The buttons the planner holds in this frame of the play.
  uint16_t Buttons(const CPlay& play) override;

 private:
  AutoPlanner planner_;
};
