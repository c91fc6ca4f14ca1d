// The game's own rules for the field, the heroine and the monsters, run on a copy of a view so
// that the autoplayer can look ahead. It runs the same code the play scene runs (the map's input,
// scrolling and line moves, the characters' moves and collisions, monsters meeting), with two
// differences that keep it to what a player knows: a column that comes in at the right is
// unknown and stands empty, and nothing is scored, collected, drawn or played.
#pragma once

#include <cstdint>

#include "automation/play_view.h"
#include "game/enemies.h"
#include "game/map.h"
#include "game/player.h"
#include "media/input.h"

// The buttons the autoplayer holds in play, one bit each.
using PlayButtons = uint8_t;
constexpr PlayButtons kHoldUp = 1, kHoldDown = 2, kHoldLeft = 4, kHoldRight = 8, kHoldSpeed = 16;

class FieldSim {
 public:
  enum class Outcome { Alive, CutOff, Caught };

  explicit FieldSim(const PlayView& view);

  // One playing frame with these buttons held: input, scroll, monsters, heroine, in the order
  // of the play scene. Nothing happens once the heroine is lost.
  void Step(PlayButtons buttons);

  Outcome outcome() const { return outcome_; }
  // Columns that came in since the copy was made; lines from index kColumns - newColumns() on
  // are unknown.
  int32_t newColumns() const { return newColumns_; }
  int32_t FirstUnknownColumn() const;

  CMap map;
  CPlayer heroine;
  CEnemySingle monsters[kTableSize];
  CInput input;

 private:
  void Scroll();

  Outcome outcome_ = Outcome::Alive;
  int32_t newColumns_ = 0;
};

// The column under a character's centre (may lie outside 0 .. 10).
int32_t ColumnAt(const CMap& map, float x);
