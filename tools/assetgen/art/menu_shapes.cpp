#include "menu_shapes.h"

#include <cmath>

#include "text.h"

namespace art {

using namespace style;

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius) {
  double r = std::fmin(radius, std::fmin(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < 2 * points; ++i) {
    double angle = -M_PI / 2 + turn + i * M_PI / points;
    double r = (i % 2 == 0) ? outer : inner;
    cairo_line_to(cr, cx + r * std::cos(angle), cy + r * std::sin(angle));
  }
  cairo_close_path(cr);
}

void DrawStar(cairo_t* cr, double cx, double cy, double outer, Rgb fill, double turn) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  StarPath(cr, cx, cy, outer, outer * 0.48, 5, turn);
  cairo_pattern_t* shade =
      cairo_pattern_create_linear(cx - outer, cy - outer, cx + outer, cy + outer);
  AddStop(shade, 0, Mix(fill, kWhite, 0.55));
  AddStop(shade, 0.45, fill);
  AddStop(shade, 1, Mix(fill, kCoral, 0.35));
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, std::fmax(2.0, outer * 0.09));
  cairo_stroke(cr);
  // A small round highlight towards the light.
  SetColor(cr, kWhite, 0.85);
  cairo_arc(cr, cx - outer * 0.2, cy - outer * 0.25, outer * 0.12, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawTwinkle(cairo_t* cr, double cx, double cy, double size, Rgb color, double alpha) {
  cairo_save(cr);
  cairo_move_to(cr, cx, cy - size);
  cairo_curve_to(cr, cx + size * 0.12, cy - size * 0.12, cx + size * 0.12, cy - size * 0.12,
                 cx + size, cy);
  cairo_curve_to(cr, cx + size * 0.12, cy + size * 0.12, cx + size * 0.12, cy + size * 0.12, cx,
                 cy + size);
  cairo_curve_to(cr, cx - size * 0.12, cy + size * 0.12, cx - size * 0.12, cy + size * 0.12,
                 cx - size, cy);
  cairo_curve_to(cr, cx - size * 0.12, cy - size * 0.12, cx - size * 0.12, cy - size * 0.12, cx,
                 cy - size);
  cairo_close_path(cr);
  SetColor(cr, color, alpha);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawPlate(cairo_t* cr, double x, double y, double w, double h, const PlateStyle& plate) {
  cairo_save(cr);
  double half = kOutlineWidth / 2;
  RoundedRectPath(cr, x + half, y + half, w - kOutlineWidth, h - kOutlineWidth,
                  plate.squareOutside ? 0 : plate.radius);
  SetColor(cr, plate.rim);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_stroke(cr);

  double inset = kOutlineWidth + plate.rimWidth;
  RoundedRectPath(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset,
                  plate.radius - plate.rimWidth);
  cairo_pattern_t* face = cairo_pattern_create_linear(x, y, x + w * 0.15, y + h);
  AddStop(face, 0, Mix(plate.face, kWhite, 0.45));
  AddStop(face, 0.55, plate.face);
  AddStop(face, 1, Mix(plate.face, plate.rim, 0.35));
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);

  // Gloss: a pale band over the upper part of the face.
  double glossH = (h - 2 * inset) * 0.42;
  RoundedRectPath(cr, x + inset + plate.radius * 0.4, y + inset + 1.5,
                  w - 2 * inset - plate.radius * 0.8, glossH, glossH / 2);
  SetColor(cr, kWhite, 0.35);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawMenuItem(cairo_t* cr, double x, double y, double w, double h, const char* utf8, Rgb face,
                  bool highlighted) {
  Rgb base = highlighted ? Mix(face, kLemon, 0.45) : face;
  DrawPlate(cr, x, y, w, h, {Mix(base, kWhite, 0.15), Mix(base, kInk, 0.3), h * 0.3, 3, true});
  LabelStyle label;
  label.sizePx = h * 0.6;
  label.fill = highlighted ? kWhite : kPaper;
  label.outline = highlighted ? Mix(kCoral, kInk, 0.45) : kInk;
  label.outlineWidth = 2.5;
  DrawFittedLabel(cr, utf8, x + w / 2, y + h / 2, w - 2 * h * 0.4, h - 10, label);
}

namespace {
constexpr double kCaptionOutline = 3;
constexpr double kCaptionShadow = 3;

LabelStyle CaptionStyle(double sizePx) {
  LabelStyle caption;
  caption.sizePx = sizePx;
  caption.fill = kWhite;
  caption.outline = kOutline;
  caption.outlineWidth = kCaptionOutline;
  return caption;
}
}  // namespace

double CaptionSize(cairo_t* cr, const char* utf8, double maxWidth, double maxHeight) {
  // Room for the shadow below and to the right, and a pixel of margin all round.
  return FitLabelSize(cr, utf8, CaptionStyle(44), maxWidth - kCaptionShadow - 2,
                      maxHeight - kCaptionShadow - 2);
}

void DrawCaption(cairo_t* cr, const char* utf8, double x, double cy, double sizePx, Rgb accent,
                 int align) {
  LabelStyle caption = CaptionStyle(sizePx);
  TextBox ink = MeasureLabel(cr, utf8, caption);
  double reach = ink.width / 2 + kCaptionOutline + 1;
  // The shadow hangs off the right: keep it inside the cell as well.
  double cx = align < 0   ? x + reach
              : align > 0 ? x - reach - kCaptionShadow
                          : x - kCaptionShadow / 2;
  cy -= kCaptionShadow / 2;
  LabelStyle shadow = caption;
  shadow.fill = Mix(accent, kInk, 0.3);
  shadow.outline = shadow.fill;
  DrawLabel(cr, utf8, cx + kCaptionShadow, cy + kCaptionShadow, shadow);
  DrawLabel(cr, utf8, cx, cy, caption);
  // A tint of the accent on the lower half of the letters.
  cairo_save(cr);
  cairo_new_path(cr);
  AddLabelPath(cr, utf8, cx, cy, caption);
  cairo_clip(cr);
  cairo_pattern_t* tint = cairo_pattern_create_linear(0, cy - sizePx / 2, 0, cy + sizePx / 2);
  AddStop(tint, 0.45, accent, 0);
  AddStop(tint, 1, accent, 0.55);
  cairo_set_source(cr, tint);
  cairo_paint(cr);
  cairo_pattern_destroy(tint);
  cairo_restore(cr);
}

void DrawKeyHelpBar(cairo_t* cr, double x, double y, double w, double h, double textY,
                    const char* utf8, double pillInset) {
  cairo_save(cr);
  FillVertical(cr, x, y, w, h, Mix(kLilac, kSkyDeep, 0.35), Mix(kLilac, kInk, 0.25));
  // Thin light lines along the band's edges, like a ribbon.
  SetColor(cr, kWhite, 0.6);
  cairo_rectangle(cr, x, y + 3, w, 1.5);
  cairo_rectangle(cr, x, y + h - 4.5, w, 1.5);
  cairo_fill(cr);
  const double pillH = 44;
  DrawKeyHelpPill(cr, x + pillInset, textY - pillH / 2, w - 2 * pillInset);
  DrawFittedLabel(cr, utf8, x + w / 2, textY, w - 60, pillH - 10, KeyHelpLettering());
  cairo_restore(cr);
}

void DrawKeyHelpPill(cairo_t* cr, double x, double y, double w) {
  const double pillH = 44;
  cairo_save(cr);
  RoundedRectPath(cr, x, y, w, pillH, pillH / 2);
  cairo_pattern_t* pill = cairo_pattern_create_linear(0, y, 0, y + pillH);
  AddStop(pill, 0, kPaper);
  AddStop(pill, 1, Mix(kPaper, kLavender, 0.45));
  cairo_set_source(cr, pill);
  cairo_pattern_destroy(pill);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_stroke(cr);
  cairo_restore(cr);
}

LabelStyle KeyHelpLettering() {
  LabelStyle help;
  help.sizePx = 26;
  help.fill = kInk;
  help.outlineWidth = 0;
  return help;
}

void DrawFooterPlate(cairo_t* cr, double x, double y) {
  DrawPlate(cr, x, y, 500, 54, {Mix(kSky, kPaper, 0.4), Mix(kSkyDeep, kInk, 0.2), 18, 3});
}

LabelStyle FooterLettering() {
  LabelStyle help;
  help.sizePx = 24;
  help.fill = kInk;
  help.outline = kWhite;
  help.outlineWidth = 2;
  return help;
}

void FillVertical(cairo_t* cr, double x, double y, double w, double h, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  AddStop(p, 0, top);
  AddStop(p, 1, bottom);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawCloud(cairo_t* cr, double cx, double cy, double width, double alpha, Rgb color) {
  // Lumps as (x offset, y offset, radius) in units of the cloud's width.
  static const double kLumps[][3] = {{-0.32, 0.05, 0.17},
                                     {-0.12, -0.1, 0.24},
                                     {0.14, -0.06, 0.21},
                                     {0.34, 0.06, 0.15},
                                     {0.0, 0.1, 0.2}};
  cairo_save(cr);
  cairo_push_group(cr);
  for (const auto& lump : kLumps) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + lump[0] * width, cy + lump[1] * width, lump[2] * width, 0, 2 * M_PI);
  }
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, cy - 0.3 * width, 0, cy + 0.3 * width);
  AddStop(shade, 0, color);
  AddStop(shade, 0.6, color);
  AddStop(shade, 1, Mix(kLavender, color, 0.3));
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
}

void DrawArrow(cairo_t* cr, double cx, double cy, double size, int dx, int dy, Rgb fill) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, std::atan2(dy, dx));
  // A rounded, chunky triangle pointing along +x.
  double s = size / 2;
  cairo_move_to(cr, s * 0.85, 0);
  cairo_line_to(cr, -s * 0.55, -s * 0.8);
  cairo_line_to(cr, -s * 0.3, 0);
  cairo_line_to(cr, -s * 0.55, s * 0.8);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, -s, 0, s);
  AddStop(shade, 0, Mix(fill, kWhite, 0.5));
  AddStop(shade, 1, fill);
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace art
