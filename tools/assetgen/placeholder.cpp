#include "placeholder.h"

#include <algorithm>
#include <string>

#include "label.h"
#include "rects.h"

namespace {

// A mid-tone per sheet, so neighbouring sheets are told apart in a screenshot.
void FillBackground(cairo_t* cr, int id, int width, int height) {
  const double hue = (id % 7) / 7.0;
  cairo_set_source_rgb(cr, 0.45 + 0.15 * hue, 0.5, 0.6 - 0.15 * hue);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
}

void DrawBigId(cairo_t* cr, int id, int width, int height) {
  const double size = std::min(width, height) * 0.45;
  DrawLabel(cr, std::to_string(id), width / 2.0, height / 2.0, size, LabelAnchor::Centre,
            {0.85, 0.85, 0.9, 0.8});
}

}  // namespace

void PaintPlaceholder(cairo_t* cr, int id, int width, int height) {
  FillBackground(cr, id, width, height);
  DrawBigId(cr, id, width, height);
  for (const ArtRect& rect : ArtRectsOf(id)) OutlineRect(cr, rect, {1.0, 0.95, 0.3, 1.0});
}
