// The heroine ぴぴる as the play field shows her: an 85 x 85 frame per pose, facing right,
// centre at frame pixel (42, 53), soles on rows 80-84.
#pragma once

#include <cairo.h>

namespace playart {

enum class HeroineFrame {
  Walk1,
  Walk2,
  Walk3,
  Walk4,  // the walk cycle, in the order the game shows it
  FallA,
  FallB,  // flailing while falling
  Bump,   // startled, recoiling from a stone
  Caught0,
  Caught1,
  Caught2,  // the shock of a monster's touch, then two frames of tears
  CutOffA,
  CutOffB,  // the dismayed hop off the left edge
};

// Draws one pose into the 85 x 85 frame whose top-left is the current origin.
void DrawHeroine(cairo_t* cr, HeroineFrame frame);

// Draws her smiling head with its centre at the origin, about 30 px across.
void DrawHeroineHead(cairo_t* cr);

}  // namespace playart
