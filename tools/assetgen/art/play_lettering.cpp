#include "play_lettering.h"

#include "text.h"

namespace playart {
namespace {

using namespace style;

art::LabelStyle LabelOf(double sizePx, const Lettering& look) {
  art::LabelStyle label;
  label.sizePx = sizePx;
  label.outlineWidth = look.outline + look.rim;
  label.family = look.family;
  return label;
}

}  // namespace

double FitLettering(cairo_t* cr, const char* utf8, double maxWidth, double maxHeight,
                    const Lettering& look) {
  return art::FitLabelSize(cr, utf8, LabelOf(96, look), maxWidth, maxHeight);
}

void DrawLettering(cairo_t* cr, const char* utf8, double cx, double cy, double sizePx,
                   const Lettering& look) {
  art::LabelStyle label = LabelOf(sizePx, look);
  art::TextBox ink = art::MeasureLabel(cr, utf8, label);
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_new_path(cr);
  art::AddLabelPath(cr, utf8, cx, cy, label);
  if (look.rim > 0) {
    SetColor(cr, look.rimColor);
    cairo_set_line_width(cr, 2 * (look.outline + look.rim));
    cairo_stroke_preserve(cr);
  }
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2 * look.outline);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* fill =
      cairo_pattern_create_linear(0, cy - ink.height / 2, 0, cy + ink.height / 2);
  AddStop(fill, 0, look.top);
  AddStop(fill, 0.45, Mix(look.top, look.bottom, 0.6));
  AddStop(fill, 1, look.bottom);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  cairo_restore(cr);
}

void GradientLabel(cairo_t* cr, const char* utf8, double cx, double cy, double maxWidth,
                   double maxHeight, const Lettering& look) {
  DrawLettering(cr, utf8, cx, cy, FitLettering(cr, utf8, maxWidth, maxHeight, look), look);
}

}  // namespace playart
