#include "text.h"

#include <pango/pangocairo.h>

#include <algorithm>

namespace art {
namespace {

// What SetPictureLanguage attaches to a Cairo context.
struct PictureWords {
  Language language;
  std::vector<std::string>* lettering;
};

const cairo_user_data_key_t kPictureWordsKey{};

const PictureWords* WordsOf(cairo_t* cr) {
  return static_cast<const PictureWords*>(cairo_get_user_data(cr, &kPictureWordsKey));
}

// One layout in the game's lettering face. Hinting is switched off so that positions and sizes
// stay fractional and the same on every machine.
PangoLayout* MakeLayout(cairo_t* cr, const char* utf8, const LabelStyle& style) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout);

  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, style.family ? style.family : LetteringFamily(cr));
  pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_HEAVY : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(font, style.sizePx * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);

  if (style.letterSpacingPx != 0) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(
                                      static_cast<int>(style.letterSpacingPx * PANGO_SCALE)));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
  }
  pango_layout_set_text(layout, utf8, -1);
  if (const PictureWords* words = WordsOf(cr); words && words->lettering)
    words->lettering->push_back(utf8);
  return layout;
}

TextBox InkBox(PangoLayout* layout) {
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout, &ink, &logical);
  return {static_cast<double>(ink.x) / PANGO_SCALE, static_cast<double>(ink.y) / PANGO_SCALE,
          static_cast<double>(ink.width) / PANGO_SCALE,
          static_cast<double>(ink.height) / PANGO_SCALE};
}

}  // namespace

void SetPictureLanguage(cairo_t* cr, Language language, std::vector<std::string>* lettering) {
  cairo_set_user_data(cr, &kPictureWordsKey, new PictureWords{language, lettering},
                      [](void* words) { delete static_cast<PictureWords*>(words); });
}

Language PictureLanguage(cairo_t* cr) {
  const PictureWords* words = WordsOf(cr);
  return words ? words->language : Language::Japanese;
}

const char* Say(cairo_t* cr, const char* japanese, const char* english) {
  return PictureLanguage(cr) == Language::English ? english : japanese;
}

const char* LetteringFamily(cairo_t* cr) {
  return PictureLanguage(cr) == Language::English ? "IPAPGothic" : "IPAGothic";
}

TextBox MeasureLabel(cairo_t* cr, const char* utf8, const LabelStyle& style) {
  PangoLayout* layout = MakeLayout(cr, utf8, style);
  TextBox box = InkBox(layout);
  g_object_unref(layout);
  return box;
}

double FitLabelSize(cairo_t* cr, const char* utf8, LabelStyle style, double maxWidth,
                    double maxHeight) {
  // Ink grows nearly in proportion to the em size, but glyph placement is not exactly linear:
  // rescale from a fresh measurement until the ink fits.
  const double border = 2 * style.outlineWidth;
  const double wanted = style.sizePx;
  for (int attempt = 0; attempt < 8; ++attempt) {
    TextBox box = MeasureLabel(cr, utf8, style);
    if (box.width <= 0 || box.height <= 0) return wanted;
    double scale = std::min((maxWidth - border) / box.width, (maxHeight - border) / box.height);
    if (scale >= 1) return style.sizePx;
    style.sizePx *= scale * 0.998;
  }
  return style.sizePx;
}

void AddLabelPath(cairo_t* cr, const char* utf8, double cx, double cy, const LabelStyle& style) {
  PangoLayout* layout = MakeLayout(cr, utf8, style);
  TextBox box = InkBox(layout);
  cairo_move_to(cr, cx - box.x - box.width / 2, cy - box.y - box.height / 2);
  pango_cairo_layout_path(cr, layout);
  g_object_unref(layout);
}

namespace {

// Outlines, then fills, the label path just added; restores the context saved before it.
void StrokeAndFillLabel(cairo_t* cr, const LabelStyle& style) {
  if (style.outlineWidth > 0) {
    style::SetColor(cr, style.outline);
    cairo_set_line_width(cr, 2 * style.outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  style::SetColor(cr, style.fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

void DrawLabel(cairo_t* cr, const char* utf8, double cx, double cy, const LabelStyle& style) {
  cairo_save(cr);
  cairo_new_path(cr);
  AddLabelPath(cr, utf8, cx, cy, style);
  StrokeAndFillLabel(cr, style);
}

void DrawLabelOnLine(cairo_t* cr, const char* utf8, const char* line, double left, double cy,
                     const LabelStyle& style) {
  const TextBox reference = MeasureLabel(cr, line, style);
  cairo_save(cr);
  cairo_new_path(cr);
  PangoLayout* layout = MakeLayout(cr, utf8, style);
  const TextBox box = InkBox(layout);
  cairo_move_to(cr, left - box.x, cy - reference.y - reference.height / 2);
  pango_cairo_layout_path(cr, layout);
  g_object_unref(layout);
  StrokeAndFillLabel(cr, style);
}

void DrawFittedLabel(cairo_t* cr, const char* utf8, double cx, double cy, double maxWidth,
                     double maxHeight, LabelStyle style) {
  style.sizePx = FitLabelSize(cr, utf8, style, maxWidth, maxHeight);
  DrawLabel(cr, utf8, cx, cy, style);
}

}  // namespace art
