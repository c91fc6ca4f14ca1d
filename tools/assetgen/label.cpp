#include "label.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <memory>

namespace {

struct GObjectDeleter {
  void operator()(void* p) const { g_object_unref(p); }
};
struct FontDeleter {
  void operator()(PangoFontDescription* p) const { pango_font_description_free(p); }
};

}  // namespace

void DrawLabel(cairo_t* cr, const std::string& text, double x, double y, double pixelSize,
               LabelAnchor anchor, Rgba colour) {
  std::unique_ptr<PangoLayout, GObjectDeleter> layout(pango_cairo_create_layout(cr));
  std::unique_ptr<PangoFontDescription, FontDeleter> font(
      pango_font_description_from_string("IPAGothic Bold"));
  pango_font_description_set_absolute_size(font.get(), pixelSize * PANGO_SCALE);
  pango_layout_set_font_description(layout.get(), font.get());
  pango_layout_set_text(layout.get(), text.c_str(), -1);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout.get(), &w, &h);
  if (anchor == LabelAnchor::Centre) x -= w / 2.0, y -= h / 2.0;

  cairo_save(cr);
  cairo_move_to(cr, x, y);
  pango_cairo_layout_path(cr, layout.get());
  cairo_set_source_rgba(cr, 0.1, 0.08, 0.12, colour.a);
  cairo_set_line_width(cr, std::max(2.0, pixelSize / 8));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
  cairo_fill(cr);
  cairo_restore(cr);
}

void OutlineRect(cairo_t* cr, const ArtRect& rect, Rgba colour) {
  cairo_save(cr);
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
  cairo_set_line_width(cr, 1.0);
  cairo_rectangle(cr, rect.x + 0.5, rect.y + 0.5, rect.w - 1.0, rect.h - 1.0);
  cairo_stroke(cr);
  cairo_restore(cr);
  const double size = std::clamp(rect.h * 0.3, 9.0, 14.0);
  DrawLabel(cr, rect.name, rect.x + 3, rect.y + 2, size, LabelAnchor::TopLeft, colour);
}
