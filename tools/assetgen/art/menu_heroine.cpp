#include "menu_heroine.h"

#include <cmath>
#include <initializer_list>

#include "menu_shapes.h"

namespace art {
namespace {

using namespace style;

constexpr Rgb kTights = rgb(0x5b4a86);
constexpr Rgb kBelt = rgb(0xffd24a);
constexpr Rgb kTear = rgb(0x8fd8ff);

// Body measurements in pixels at scale 1, from the hips (origin) upwards.
constexpr double kShoulderY = -62, kShoulderX = 24;
constexpr double kHipX = 11;
constexpr double kNeckY = -68;
constexpr double kHeadR = 46;
constexpr double kHeadY = kNeckY - kHeadR * 0.82;
constexpr double kUpperArm = 30, kForearm = 26;
constexpr double kThigh = 30, kShin = 28;

struct Pt {
  double x, y;
};

Pt Along(Pt from, double angle, double length) {
  return {from.x + length * std::sin(angle), from.y + length * std::cos(angle)};
}

// A lit, outlined fill of the current path; the path is consumed.
void FillOutlined(cairo_t* cr, Rgb base, double outline = kOutlineWidth + 0.5) {
  double x1, y1, x2, y2;
  cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
  cairo_pattern_t* lit = cairo_pattern_create_linear(x1, y1, x2, y2);
  AddStop(lit, 0, Mix(base, kWhite, 0.3));
  AddStop(lit, 0.5, base);
  AddStop(lit, 1, Mix(base, kInk, 0.2));
  cairo_set_source(cr, lit);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(lit);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, outline);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

// One limb as a single outlined stroke through shoulder (or hip), elbow (or knee) and end.
void LimbStroke(cairo_t* cr, Pt a, Pt b, Pt c, double width, Rgb color) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_line_to(cr, c.x, c.y);
    SetColor(cr, pass == 0 ? kOutline : color);
    cairo_set_line_width(cr, pass == 0 ? width + 2 * (kOutlineWidth + 0.5) : width);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void DrawArm(cairo_t* cr, const Bend& bend, double side) {
  Pt shoulder{side * kShoulderX, kShoulderY + 6};
  Pt elbow = Along(shoulder, bend.upper, kUpperArm);
  Pt hand = Along(elbow, bend.lower, kForearm);
  // The sleeve covers the upper arm; skin shows below the elbow.
  LimbStroke(cr, shoulder, elbow, hand, 12, kSkin);
  LimbStroke(cr, shoulder, shoulder, elbow, 17, kTunic);
  cairo_arc(cr, hand.x, hand.y, 9, 0, 2 * M_PI);
  FillOutlined(cr, kSkin);
}

void DrawBoot(cairo_t* cr, Pt ankle, bool soleShowing) {
  if (soleShowing) {
    // Seen from the front while sitting: the sole faces us.
    Ellipse(cr, ankle.x, ankle.y + 6, 13, 16);
    FillOutlined(cr, kBoot);
    Ellipse(cr, ankle.x, ankle.y + 8, 7.5, 10);
    SetColor(cr, Mix(kBoot, kInk, 0.35));
    cairo_fill(cr);
    return;
  }
  cairo_new_path(cr);
  RoundedRectPath(cr, ankle.x - 12, ankle.y - 8, 24, 26, 9);
  FillOutlined(cr, kBoot);
  cairo_rectangle(cr, ankle.x - 11, ankle.y - 7, 22, 6);
  SetColor(cr, Mix(kBoot, kStone, 0.5));
  cairo_fill(cr);
}

void DrawLeg(cairo_t* cr, const Bend& bend, double side, bool sitting) {
  Pt hip{side * kHipX, -4};
  double thigh = sitting ? kThigh * 0.55 : kThigh, shin = sitting ? kShin * 0.5 : kShin;
  Pt knee = Along(hip, bend.upper, thigh);
  Pt ankle = Along(knee, bend.lower, shin);
  LimbStroke(cr, hip, knee, ankle, 15, kTights);
  DrawBoot(cr, ankle, sitting);
}

void DrawTunic(cairo_t* cr) {
  // A flared tunic from the shoulders to just below the hips.
  cairo_new_path(cr);
  cairo_move_to(cr, -kShoulderX + 4, kShoulderY);
  cairo_curve_to(cr, -12, kShoulderY - 6, 12, kShoulderY - 6, kShoulderX - 4, kShoulderY);
  cairo_curve_to(cr, 28, -30, 34, 0, 38, 14);
  cairo_curve_to(cr, 14, 22, -14, 22, -38, 14);
  cairo_curve_to(cr, -34, 0, -28, -30, -kShoulderX + 4, kShoulderY);
  cairo_close_path(cr);
  FillOutlined(cr, kTunic);
  // Lemon hem and belt.
  cairo_save(cr);
  cairo_move_to(cr, -37, 9);
  cairo_curve_to(cr, -14, 17, 14, 17, 37, 9);
  SetColor(cr, kBelt);
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  cairo_rectangle(cr, -25, -22, 50, 8);
  SetColor(cr, kBelt);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  cairo_rectangle(cr, -5, -23, 10, 10);
  SetColor(cr, Mix(kBelt, kBoot, 0.5));
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
  // Collar.
  cairo_move_to(cr, -12, kShoulderY - 2);
  cairo_line_to(cr, 0, kShoulderY + 10);
  cairo_line_to(cr, 12, kShoulderY - 2);
  SetColor(cr, kWhite);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawEyesOpen(cairo_t* cr) {
  for (double side : {-1.0, 1.0}) {
    double ex = side * 17, ey = 6;
    Ellipse(cr, ex, ey, 7.5, 10.5);
    SetColor(cr, kEye);
    cairo_fill(cr);
    Ellipse(cr, ex, ey + 4, 5, 5);
    SetColor(cr, Mix(kEye, kGem, 0.45));
    cairo_fill(cr);
    cairo_arc(cr, ex - 2.5, ey - 4, 3, 0, 2 * M_PI);
    SetColor(cr, kWhite);
    cairo_fill(cr);
    cairo_arc(cr, ex + 2.5, ey + 4, 1.4, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

// Eyes drawn as arcs: bowing up for delight, down for sleep.
void DrawEyeArcs(cairo_t* cr, bool up) {
  cairo_save(cr);
  SetColor(cr, kEye);
  cairo_set_line_width(cr, 3.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (double side : {-1.0, 1.0}) {
    double ex = side * 17, ey = 8;
    cairo_new_sub_path(cr);
    if (up)
      cairo_arc(cr, ex, ey + 4, 8, M_PI * 1.15, M_PI * 1.85);
    else
      cairo_arc(cr, ex, ey - 4, 8, M_PI * 0.15, M_PI * 0.85);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void DrawBlush(cairo_t* cr) {
  for (double side : {-1.0, 1.0}) {
    Ellipse(cr, side * 28, 20, 7, 4);
    SetColor(cr, kRose, 0.55);
    cairo_fill(cr);
  }
}

void DrawMouth(cairo_t* cr, HeroineFace face) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2.2);
  switch (face) {
    case HeroineFace::Smile:
      cairo_arc(cr, 0, 20, 7, M_PI * 0.15, M_PI * 0.85);
      cairo_stroke(cr);
      break;
    case HeroineFace::Asleep:
      cairo_arc(cr, 0, 22, 4.5, M_PI * 0.15, M_PI * 0.85);
      cairo_stroke(cr);
      break;
    case HeroineFace::Joy:
      // A wide open "D" smile with a tongue.
      cairo_move_to(cr, -11, 19);
      cairo_curve_to(cr, -9, 34, 9, 34, 11, 19);
      cairo_close_path(cr);
      SetColor(cr, rgb(0xb83a4c));
      cairo_fill_preserve(cr);
      SetColor(cr, kOutline);
      cairo_stroke(cr);
      Ellipse(cr, 0, 28, 5, 3);
      SetColor(cr, kRose);
      cairo_fill(cr);
      break;
    case HeroineFace::TearfulGrit:
      // Clenched teeth: a white band with a wobbly outline.
      cairo_new_path(cr);
      RoundedRectPath(cr, -10, 18, 20, 9, 3);
      SetColor(cr, kWhite);
      cairo_fill_preserve(cr);
      SetColor(cr, kOutline);
      cairo_stroke(cr);
      cairo_move_to(cr, -10, 22.5);
      cairo_line_to(cr, 10, 22.5);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
      break;
  }
  cairo_restore(cr);
}

void DrawGritEyes(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, kEye);
  cairo_set_line_width(cr, 3.4);
  for (double side : {-1.0, 1.0}) {
    // Eyes squeezed shut: ">" and "<".
    double ex = side * 17;
    cairo_move_to(cr, ex - side * 7, 0);
    cairo_line_to(cr, ex + side * 5, 6);
    cairo_line_to(cr, ex - side * 7, 12);
    cairo_stroke(cr);
    // Brows knit with resolve.
    cairo_move_to(cr, ex - side * 9, -14);
    cairo_line_to(cr, ex + side * 7, -8);
    cairo_stroke(cr);
  }
  // Tears streaming down both cheeks.
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, side * 20, 12);
    cairo_curve_to(cr, side * 26, 26, side * 22, 40, side * 30, 54);
    cairo_line_to(cr, side * 38, 52);
    cairo_curve_to(cr, side * 30, 40, side * 34, 26, side * 26, 10);
    cairo_close_path(cr);
    SetColor(cr, kTear);
    cairo_fill_preserve(cr);
    SetColor(cr, Mix(kTear, kInk, 0.4));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void DrawFace(cairo_t* cr, HeroineFace face) {
  DrawBlush(cr);
  switch (face) {
    case HeroineFace::Smile: DrawEyesOpen(cr); break;
    case HeroineFace::Joy: DrawEyeArcs(cr, true); break;
    case HeroineFace::Asleep: DrawEyeArcs(cr, false); break;
    case HeroineFace::TearfulGrit: DrawGritEyes(cr); break;
  }
  DrawMouth(cr, face);
}

void DrawRibbon(cairo_t* cr) {
  // A big pink bow on the right of her crown, tails hanging behind.
  double bx = 30, by = -40;
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, bx, by);
    cairo_curve_to(cr, bx + side * 10, by - 26, bx + side * 34, by - 20, bx + side * 28, by + 2);
    cairo_curve_to(cr, bx + side * 24, by + 16, bx + side * 8, by + 10, bx, by);
    cairo_close_path(cr);
    FillOutlined(cr, kRibbon);
  }
  cairo_arc(cr, bx, by, 7, 0, 2 * M_PI);
  FillOutlined(cr, Mix(kRibbon, kCoral, 0.4));
}

void DrawHairBack(cairo_t* cr) {
  // The bob behind the face, down to the chin.
  cairo_new_path(cr);
  cairo_move_to(cr, -48, 6);
  cairo_curve_to(cr, -60, -50, 60, -50, 48, 6);
  cairo_curve_to(cr, 50, 26, 46, 36, 36, 40);
  cairo_line_to(cr, -36, 40);
  cairo_curve_to(cr, -46, 36, -50, 26, -48, 6);
  cairo_close_path(cr);
  FillOutlined(cr, kHairShade);
}

void DrawHairFront(cairo_t* cr) {
  // The crown and jagged bangs over the forehead, with short side locks.
  cairo_new_path(cr);
  cairo_move_to(cr, -47, 10);
  cairo_curve_to(cr, -52, -40, -20, -50, 0, -49);
  cairo_curve_to(cr, 24, -50, 52, -40, 47, 10);
  cairo_line_to(cr, 40, 22);
  cairo_line_to(cr, 36, -6);
  cairo_line_to(cr, 24, -12);
  cairo_line_to(cr, 18, -2);
  cairo_line_to(cr, 10, -16);
  cairo_line_to(cr, 0, -4);
  cairo_line_to(cr, -8, -17);
  cairo_line_to(cr, -18, -4);
  cairo_line_to(cr, -26, -14);
  cairo_line_to(cr, -36, -4);
  cairo_line_to(cr, -40, 22);
  cairo_close_path(cr);
  FillOutlined(cr, kHair);
  // A shine band on the crown, towards the light.
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_arc(cr, -4, -6, 36, M_PI * 1.22, M_PI * 1.45);
  SetColor(cr, kWhite, 0.55);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void DrawHeroineHeadLarge(cairo_t* cr, HeroineFace face) {
  cairo_save(cr);
  DrawHairBack(cr);
  Ellipse(cr, 0, 4, 42, 39);
  FillOutlined(cr, kSkin);
  DrawFace(cr, face);
  DrawHairFront(cr);
  DrawRibbon(cr);
  cairo_restore(cr);
}

void DrawHeroineArm(cairo_t* cr, const HeroinePose& pose, bool rightSide) {
  DrawArm(cr, rightSide ? pose.rightArm : pose.leftArm, rightSide ? 1 : -1);
}

void DrawHeroineFigure(cairo_t* cr, const HeroinePose& pose) {
  cairo_save(cr);
  DrawLeg(cr, pose.leftLeg, -1, pose.sitting);
  DrawLeg(cr, pose.rightLeg, 1, pose.sitting);
  DrawTunic(cr);
  DrawArm(cr, pose.leftArm, -1);
  DrawArm(cr, pose.rightArm, 1);
  cairo_translate(cr, 0, kNeckY);
  cairo_rotate(cr, pose.headTilt);
  cairo_translate(cr, 0, kHeadY - kNeckY);
  DrawHeroineHeadLarge(cr, pose.face);
  cairo_restore(cr);
}

}  // namespace art
