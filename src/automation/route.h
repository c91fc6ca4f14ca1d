// The route finder: which rotation each line ahead of the heroine should have so that she walks
// on through the field, worked out cell by cell over the columns on screen.
//
// Rows here are the field's six rows counted from the top; a still line of rotation k (offset
// 85 k) shows its cell i in row (i + k) mod 6. The heroine's body row is the row her body fills
// while she stands on the stone below it. She passes into the next line when the cell of that
// line in her body row is free, falls to the first stone below and stands on it; a line she
// stands on can be turned under her feet, carrying her up or down with it. A cell that holds a
// monster's body is not free, and she must not fall past one.
#pragma once

#include <cstdint>
#include <span>

#include "game/enemies.h"
#include "game/map.h"
#include "game/player.h"

// What the route wants of one line: the rotation it should have when the heroine comes to it
// and while she stands on it; -1 leaves the line as it is.
struct LineTarget {
  int8_t entry = -1;
  int8_t exit = -1;
};

struct Route {
  LineTarget targets[kColumns];
  int32_t reach = 0;  // the last column she stands in on this route
  float cost = 0;     // frames she loses waiting and falling, and a little for each cell turned
};

// One line as the route finder sees it.
struct LineState {
  bool movable = false;   // the player can turn it
  bool drifting = false;  // it turns by itself and cannot be planned cell by cell
  int32_t rotation = 0;   // where it stands, or will stop when it is moving
  uint8_t solid = 0;      // bit i: cell i is solid
  uint8_t monsters = 0;   // bit i: a monster's body fills cell i
};

// A line that must stand at a rotation, so that other routes than the cheapest can be tried:
// the heroine's own line (turned under her feet) or one ahead of her, even one beyond the
// furthest she can reach. Column -1 forces nothing.
struct RouteChoice {
  int32_t column = -1;
  int32_t rotation = 0;
};

// The rotation a line stands at, or will stop at if it is moving.
int32_t LandingRotation(const MapLine& line);

// The line states of the field, with the monsters on screen placed into their lines.
void ReadLines(const CMap& map, std::span<const CEnemySingle> monsters,
               LineState (&lines)[kColumns]);

// A line to turn so that a monster standing in column `column` (where it closes the way) meets
// another monster and both turn into diamonds: a beard monster is brought level with one in the
// next column, or a winged monster is let on its way towards it. Only monsters up to column
// `lastKnown` are counted on. Column -1 when there is none.
RouteChoice KillChoice(const CMap& map, const LineState (&lines)[kColumns],
                       std::span<const CEnemySingle> monsters, int32_t column, int32_t here,
                       int32_t lastKnown);

// The best route from the heroine's place through the lines up to `lastColumn`: the one that
// takes her furthest, and among those the one that turns the fewest cells. False when she is not
// on the field or not alive.
bool FindRoute(const CMap& map, const LineState (&lines)[kColumns], const CPlayer& heroine,
               int32_t lastColumn, RouteChoice choice, Route& route);
