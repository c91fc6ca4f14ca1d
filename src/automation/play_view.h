// What a player sees of a running game, copied out of the play scene: the field on screen, the
// characters, the cursor, the speed and the numbers of the top bar. The autoplayer plans from
// this alone. It holds nothing of what decides the columns still to come (the pattern being cut,
// its group shifts, the random generator), so a plan made from a view cannot depend on them.
#pragma once

#include <cstdint>

#include "game/charactor.h"
#include "game/enemies.h"
#include "game/map.h"
#include "game/player.h"

class CPlay;

struct PlayView {
  MapLine lines[kColumns] = {};
  float scroll = 0;
  float speed = 0;
  bool accelerate = false;
  int32_t cursor = 0;
  int32_t distance = 0;  // columns that came in since the game began: the top bar's distance
  int32_t score = 0;
  int32_t chain = 0;  // diamonds picked up in a row
  int32_t phase = 0;
  CPlayer heroine;
  CEnemySingle monsters[kTableSize];
  CItemSingle diamonds[kTableSize];
};

// The view of a play scene, with the monsters and diamonds of the character tables and the
// numbers of the save record.
PlayView ViewOfPlay(const CPlay& play);
