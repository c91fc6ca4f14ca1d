// The heroine: a small skeleton of hips, torso, head and two-segment limbs, posed per frame.
// Limb angles are measured from straight down, positive towards her front (the right).
#include "play_heroine.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>

#include "menu_shapes.h"
#include "play_art.h"
#include "play_draw.h"

namespace playart {
namespace {

using namespace style;

enum class Face { Smile, Startled, Shock, Cry, Dismay };

struct Limb {
  double upper;  // angle of the thigh or upper arm
  double lower;  // angle of the shin or forearm
};

struct Pose {
  Limb frontLeg, backLeg, frontArm, backArm;
  Face face = Face::Smile;
  double lean = 0;       // tilt of torso and head about the hips, forward positive
  bool grounded = true;  // lower the body until the lowest sole stands on the ground row
  double hipY = 60;      // hip height when not grounded
  double lift = 0;       // raised this many pixels above the ground (a hop)
  bool hairUp = false;   // ribbon tails blown upwards
  int tears = -1;        // which of two tear patterns, -1 for none
  bool sweat = false;
  bool impact = false;  // a burst in front of her where she hit the stone
  bool exclaim = false;
};

constexpr Rgb kLegs = rgb(0x5b4a86);  // plum tights under the tunic
constexpr Rgb kBelt = rgb(0xffd24a);

constexpr double kHipX = 41;
constexpr double kGroundRow = 83;  // the lowest sole pixel row
constexpr double kThigh = 10, kShin = 10;
constexpr double kUpperArm = 8.5, kForearm = 8;
constexpr double kSoleBelowAnkle = 4;

Point Along(Point from, double angle, double length) {
  return {from.x + length * std::sin(angle), from.y + length * std::cos(angle)};
}

Point Knee(Point hip, const Limb& leg) { return Along(hip, leg.upper, kThigh); }
Point Ankle(Point hip, const Limb& leg) { return Along(Knee(hip, leg), leg.lower, kShin); }

double HipY(const Pose& pose) {
  if (!pose.grounded) return pose.hipY;
  Point origin{kHipX, 0};
  double lowest = std::max(Ankle(origin, pose.frontLeg).y, Ankle(origin, pose.backLeg).y);
  return kGroundRow - kSoleBelowAnkle - lowest - pose.lift;
}

void DrawLeg(cairo_t* cr, Point hip, const Limb& leg, bool back) {
  Rgb tights = back ? Tint(kLegs, -0.25) : kLegs;
  Rgb boot = back ? Tint(kBoot, -0.25) : kBoot;
  Point knee = Knee(hip, leg);
  Point ankle = Ankle(hip, leg);
  // The boot covers the lower shin; its toe points forward along the foot.
  Point bootTop = Along(knee, leg.lower, 4.5);
  OutlinedStroke(cr, {hip, knee, bootTop}, 4.8, tights);
  OutlinedStroke(cr, {bootTop, ankle}, 6, boot);
  double footAngle = std::clamp(leg.lower * 0.6, -0.6, 0.8);
  cairo_save(cr);
  cairo_translate(cr, ankle.x, ankle.y + 1);
  cairo_rotate(cr, -footAngle);
  art::RoundedRectPath(cr, -3.5, -2.5, 10, 5.5, 2.5);
  FillLit(cr, boot);
  cairo_restore(cr);
}

// An arm hanging from the shoulder, drawn in the torso frame; the far arm is in shade.
void DrawArm(cairo_t* cr, Point shoulder, const Limb& arm, bool back) {
  Rgb skin = back ? kSkinShade : kSkin;
  Rgb sleeve = back ? kTunicShade : kTunic;
  Point elbow = Along(shoulder, arm.upper, kUpperArm);
  Point hand = Along(elbow, arm.lower, kForearm);
  OutlinedStroke(cr, {shoulder, elbow, hand}, 4, skin);
  Point cuff = Along(shoulder, arm.upper, 3.5);
  OutlinedStroke(cr, {shoulder, cuff}, 6.5, sleeve);
  cairo_arc(cr, hand.x, hand.y, 2.8, 0, 2 * M_PI);
  FillFlat(cr, skin, 1.5);
}

// The tunic, in the torso frame: hips at the origin, up is -y.
void DrawTunic(cairo_t* cr) {
  cairo_move_to(cr, -4.5, -17);
  cairo_curve_to(cr, -7.5, -16, -8, -12, -8.5, -8);
  cairo_line_to(cr, -10.5, 2);
  cairo_curve_to(cr, -4, 4.5, 4, 4.5, 10.5, 2);
  cairo_line_to(cr, 7.5, -8);
  cairo_curve_to(cr, 7, -12, 6.5, -16, 3.5, -17);
  cairo_close_path(cr);
  FillLit(cr, kTunic);
  // Hem trim and belt with a buckle, lemon as in the menu pictures.
  cairo_move_to(cr, -10, 0.2);
  cairo_curve_to(cr, -4, 2.6, 4, 2.6, 10, 0.2);
  SetColor(cr, kLemon);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  cairo_rectangle(cr, -9.1, -6.5, 17.4, 3.2);
  FillFlat(cr, kBelt, 1.2);
  cairo_rectangle(cr, 1.5, -7, 3.4, 4.2);
  FillFlat(cr, Mix(kBelt, kBoot, 0.5), 1);
  // Collar.
  cairo_move_to(cr, -4.5, -16.5);
  cairo_line_to(cr, 0, -12.5);
  cairo_line_to(cr, 3.5, -16.5);
  SetColor(cr, kWhite);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

// Eye centres in the head frame: she looks right, so both sit on the right of the face.
constexpr Point kEyes[] = {{2, 3}, {9.5, 3}};

void DrawEyes(cairo_t* cr, Face face) {
  for (const Point& e : kEyes) {
    switch (face) {
      case Face::Smile:
        EllipsePath(cr, e.x, e.y, 1.9, 3);
        FillFlat(cr, kEye, 0);
        Shine(cr, e.x - 0.5, e.y - 1.2, 0.8, 0.9);
        break;
      case Face::Startled:
      case Face::Shock:
        cairo_arc(cr, e.x, e.y, face == Face::Shock ? 3.4 : 3, 0, 2 * M_PI);
        FillFlat(cr, kWhite, 1.2);
        cairo_arc(cr, e.x + 0.4, e.y, 1.2, 0, 2 * M_PI);
        FillFlat(cr, kEye, 0);
        break;
      case Face::Cry: {
        // Squeezed shut, "> <": each chevron points towards the nose.
        double towards = &e == &kEyes[0] ? 1 : -1;
        cairo_move_to(cr, e.x - 2 * towards, e.y - 2.2);
        cairo_line_to(cr, e.x + 1.8 * towards, e.y);
        cairo_line_to(cr, e.x - 2 * towards, e.y + 2.2);
        InkLine(cr, 1.8, kEye);
        break;
      }
      case Face::Dismay:
        cairo_arc(cr, e.x, e.y + 0.5, 1.5, 0, 2 * M_PI);
        FillFlat(cr, kEye, 0);
        break;
    }
  }
  if (face == Face::Startled || face == Face::Dismay) {
    // Brows raised and worried.
    cairo_move_to(cr, 0, -2.5);
    cairo_line_to(cr, 3.5, -3.5);
    cairo_move_to(cr, 8, -3.5);
    cairo_line_to(cr, 11.5, -2.5);
    InkLine(cr, 1.4, kEye);
  }
}

void DrawMouth(cairo_t* cr, Face face) {
  switch (face) {
    case Face::Smile:
      cairo_arc(cr, 6.5, 7.5, 2.6, 0.15 * M_PI, 0.85 * M_PI);
      InkLine(cr, 1.5, kEye);
      break;
    case Face::Startled:
      EllipsePath(cr, 7, 9.5, 1.5, 1.8);
      FillFlat(cr, rgb(0xc8485a), 1.2);
      break;
    case Face::Shock:
    case Face::Cry:
      EllipsePath(cr, 7, 9.5, 3, face == Face::Shock ? 3.2 : 2.2);
      FillFlat(cr, rgb(0xb83a4c), 1.3);
      break;
    case Face::Dismay:
      for (int i = 0; i <= 8; ++i) {
        cairo_line_to(cr, 3 + i, 9.5 + 0.9 * std::sin(i * M_PI / 2));
      }
      InkLine(cr, 1.4, kEye);
      break;
  }
}

void DrawRibbon(cairo_t* cr, bool blownUp) {
  cairo_save(cr);
  cairo_translate(cr, -9, -11);
  // Tails first, behind the bow: hanging down her back, or blown up while she falls.
  double tail = blownUp ? -2.5 : -0.6;
  for (double spread : {-0.35, 0.35}) {
    Point end = Along({0, 0}, tail + spread, 11);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, end.x - 2, end.y);
    cairo_line_to(cr, end.x + 2, end.y + 1);
    cairo_close_path(cr);
    FillFlat(cr, Tint(kRibbon, -0.15), 1.4);
  }
  for (double side : {-1.0, 1.0}) {
    cairo_save(cr);
    cairo_rotate(cr, side * 0.5);
    EllipsePath(cr, side * 5.5, 0, 5.5, 3.6);
    FillLit(cr, kRibbon, 1.6);
    cairo_restore(cr);
  }
  cairo_arc(cr, 0, 0, 2.4, 0, 2 * M_PI);
  FillFlat(cr, Tint(kRibbon, -0.1), 1.4);
  cairo_restore(cr);
}

// The head with its centre at the origin.
void DrawHead(cairo_t* cr, Face face, bool hairUp) {
  // Back of the hair, a short bob.
  EllipsePath(cr, -1.5, -0.5, 14, 13.5);
  FillLit(cr, kHair);
  // The nape tuft.
  cairo_move_to(cr, -11, 6);
  cairo_line_to(cr, -15, 12);
  cairo_line_to(cr, -8, 10);
  cairo_close_path(cr);
  FillFlat(cr, kHairShade, 1.5);
  // Face.
  EllipsePath(cr, 4, 3.5, 9.5, 9);
  FillLit(cr, kSkin);
  // Fringe: spikes falling over the forehead towards the front.
  cairo_move_to(cr, -9, -4);
  cairo_curve_to(cr, -8, -12, 0, -15, 8, -11);
  cairo_curve_to(cr, 12, -9, 14, -5, 14, 0);
  cairo_line_to(cr, 11.5, -3);
  cairo_line_to(cr, 10, 1);
  cairo_line_to(cr, 7, -3.5);
  cairo_line_to(cr, 4.5, 0);
  cairo_line_to(cr, 2.5, -4);
  cairo_line_to(cr, -1, -1);
  cairo_line_to(cr, -2, 6);
  cairo_line_to(cr, -5, 3);
  cairo_close_path(cr);
  FillLit(cr, kHair);
  Shine(cr, -2, -9, 3, 1.4);

  cairo_save(cr);
  DrawEyes(cr, face);
  DrawMouth(cr, face);
  cairo_restore(cr);
  for (const Point& e : kEyes) {
    EllipsePath(cr, e.x - 1.5, e.y + 4.5, 2.2, 1.2);
    SetColor(cr, kRose, 0.7);
    cairo_fill(cr);
  }
  DrawRibbon(cr, hairUp);
}

void DrawTears(cairo_t* cr, int pattern) {
  Rgb tear = rgb(0x8fd8ff);
  static constexpr Point kDrops[2][3] = {{{-5, 4}, {15, 2}, {18, 9}}, {{-7, 9}, {16, 6}, {13, 13}}};
  for (const Point& d : kDrops[pattern]) Drop(cr, d.x, d.y, 2, tear);
  // Streams from the eyes down the cheeks.
  for (const Point& e : kEyes) {
    cairo_move_to(cr, e.x, e.y + 2);
    cairo_line_to(cr, e.x + (pattern == 0 ? -0.5 : 0.5), e.y + 8);
  }
  SetColor(cr, tear);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void DrawImpact(cairo_t* cr, double cx, double cy) {
  art::StarPath(cr, cx, cy, 9, 4, 8, 0.2);
  FillFlat(cr, kLemon, 1.5);
  art::StarPath(cr, cx, cy, 4.5, 2, 8, 0.2);
  FillFlat(cr, kWhite, 0);
}

void DrawExclaim(cairo_t* cr, double cx, double top) {
  art::RoundedRectPath(cr, cx - 2.5, top, 5, 11, 2.5);
  FillFlat(cr, kLemon, 1.5);
  cairo_arc(cr, cx, top + 15, 2.5, 0, 2 * M_PI);
  FillFlat(cr, kLemon, 1.5);
}

// Runs draw() with the torso frame set: origin on the hips, tilted by the lean.
void InTorsoFrame(cairo_t* cr, Point hip, double lean, const std::function<void()>& draw) {
  cairo_save(cr);
  cairo_translate(cr, hip.x, hip.y);
  cairo_rotate(cr, lean);
  draw();
  cairo_restore(cr);
}

constexpr Point kShoulder{0.5, -13.5};
constexpr Point kHeadCentre{2, -29};

void DrawPose(cairo_t* cr, const Pose& pose) {
  Point hip{kHipX, HipY(pose)};
  InTorsoFrame(cr, hip, pose.lean, [&] { DrawArm(cr, kShoulder, pose.backArm, true); });
  DrawLeg(cr, {hip.x - 1.5, hip.y}, pose.backLeg, true);
  DrawLeg(cr, {hip.x + 1.5, hip.y}, pose.frontLeg, false);
  InTorsoFrame(cr, hip, pose.lean, [&] {
    DrawTunic(cr);
    cairo_save(cr);
    cairo_translate(cr, kHeadCentre.x, kHeadCentre.y);
    DrawHead(cr, pose.face, pose.hairUp);
    if (pose.tears >= 0) DrawTears(cr, pose.tears);
    if (pose.sweat) Drop(cr, -15, -4, 2.2, rgb(0xa8e4ff));
    cairo_restore(cr);
    DrawArm(cr, kShoulder, pose.frontArm, false);
  });
  if (pose.impact) DrawImpact(cr, 70, 40);
  if (pose.exclaim) DrawExclaim(cr, 67, 6);
}

Pose PoseOf(HeroineFrame frame) {
  Pose p{};
  switch (frame) {
    case HeroineFrame::Walk1:
      p = {{0.45, 0.3}, {-0.42, -0.65}, {-0.5, -0.2}, {0.55, 1.1}};
      p.lean = 0.06;
      break;
    case HeroineFrame::Walk2:
      p = {{0.05, 0.0}, {0.4, -0.6}, {-0.1, 0.3}, {0.15, 0.6}};
      p.lean = 0.06;
      break;
    case HeroineFrame::Walk3:
      p = {{-0.42, -0.65}, {0.45, 0.3}, {0.55, 1.1}, {-0.5, -0.2}};
      p.lean = 0.06;
      break;
    case HeroineFrame::Walk4:
      p = {{0.4, -0.6}, {0.05, 0.0}, {0.15, 0.6}, {-0.1, 0.3}};
      p.lean = 0.06;
      break;
    case HeroineFrame::FallA:
      p = {{0.35, -0.25}, {-0.2, -0.7}, {-2.4, -2.9}, {1.5, 1.9}};
      p.face = Face::Shock;
      p.lean = -0.15;
      p.grounded = false;
      p.hipY = 58;
      p.hairUp = true;
      break;
    case HeroineFrame::FallB:
      p = {{-0.1, -0.55}, {0.4, 0.05}, {-2.0, -2.6}, {1.2, 2.0}};
      p.face = Face::Shock;
      p.lean = -0.1;
      p.grounded = false;
      p.hipY = 57;
      p.hairUp = true;
      break;
    case HeroineFrame::Bump:
      p = {{0.35, 0.25}, {-0.3, -0.2}, {-1.2, -0.8}, {-0.8, -0.4}};
      p.face = Face::Startled;
      p.lean = -0.22;
      p.sweat = true;
      p.impact = true;
      break;
    case HeroineFrame::Caught0:
      p = {{0.3, 0.15}, {-0.3, -0.15}, {0.9, 2.6}, {0.7, 2.4}};
      p.face = Face::Shock;
      p.lift = 3;
      p.hairUp = true;
      p.exclaim = true;
      break;
    case HeroineFrame::Caught1:
    case HeroineFrame::Caught2:
      p = {{0.12, 0.0}, {-0.12, 0.0}, {0.5, 2.85}, {0.3, 2.7}};
      p.face = Face::Cry;
      p.tears = frame == HeroineFrame::Caught1 ? 0 : 1;
      p.lean = frame == HeroineFrame::Caught1 ? 0.04 : -0.02;
      break;
    case HeroineFrame::CutOffA:
      p = {{0.9, -0.3}, {0.5, -0.6}, {-2.6, -3.0}, {-2.2, -2.6}};
      p.face = Face::Dismay;
      p.grounded = false;
      p.hipY = 61;
      p.sweat = true;
      break;
    case HeroineFrame::CutOffB:
      p = {{0.6, -0.5}, {1.0, -0.1}, {-2.2, -2.7}, {-2.6, -3.1}};
      p.face = Face::Dismay;
      p.grounded = false;
      p.hipY = 60;
      p.sweat = true;
      p.hairUp = true;
      break;
  }
  return p;
}

struct Placement {
  HeroineFrame frame;
  int col, row;
};

// Where the game cuts each pose out of the sheet.
constexpr Placement kSheet[] = {
    {HeroineFrame::Walk1, 0, 0},   {HeroineFrame::Walk2, 1, 0},   {HeroineFrame::Walk3, 3, 3},
    {HeroineFrame::Walk4, 4, 3},   {HeroineFrame::FallA, 5, 0},   {HeroineFrame::FallB, 5, 3},
    {HeroineFrame::Bump, 2, 0},    {HeroineFrame::Caught0, 5, 2}, {HeroineFrame::Caught1, 6, 2},
    {HeroineFrame::Caught2, 0, 3}, {HeroineFrame::CutOffA, 3, 0}, {HeroineFrame::CutOffB, 4, 0},
};

}  // namespace

void DrawHeroine(cairo_t* cr, HeroineFrame frame) { DrawPose(cr, PoseOf(frame)); }

void DrawHeroineHead(cairo_t* cr) { DrawHead(cr, Face::Smile, false); }

void Paint115(cairo_t* cr, int, int) {
  for (const Placement& p : kSheet) {
    EnterCell(cr, p.col, p.row);
    DrawHeroine(cr, p.frame);
    cairo_restore(cr);
  }
}

}  // namespace playart
