// The heroine ぴぴる drawn large, facing the viewer, for the reward pictures and CG tiles.
// She wears the same colours as on the play field: orange-red bob, pink ribbon, green tunic
// with a lemon belt, plum tights and brown boots.
#pragma once

#include <cairo.h>

namespace art {

enum class HeroineFace {
  Smile,        // open eyes, happy mouth
  Joy,          // eyes shut in delight (^ ^), wide open smile
  Asleep,       // eyes closed, content little smile
  TearfulGrit,  // streaming tears, brows knit, teeth clenched: not giving up
};

// A limb's two segment angles in radians, measured from straight down, positive towards the
// picture's right.
struct Bend {
  double upper, lower;
};

struct HeroinePose {
  Bend rightArm{0.35, 0.15};  // the arm on the picture's right (her left)
  Bend leftArm{-0.35, -0.15};
  Bend rightLeg{0.12, 0.0};
  Bend leftLeg{-0.12, 0.0};
  HeroineFace face = HeroineFace::Smile;
  double headTilt = 0;   // radians, positive leans the head to the picture's right
  bool sitting = false;  // legs point at the viewer: short, with the soles showing
};

// Draws her with her hips at the origin, about 230 px from soles to the top of her ribbon at
// scale 1. Positive y is down.
void DrawHeroineFigure(cairo_t* cr, const HeroinePose& pose);

// Draws only one arm, for poses where an arm must lie over something held in front of her.
void DrawHeroineArm(cairo_t* cr, const HeroinePose& pose, bool rightSide);

// Draws only her head, centred on the origin (face radius 46 px).
void DrawHeroineHeadLarge(cairo_t* cr, HeroineFace face);

}  // namespace art
