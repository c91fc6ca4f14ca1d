// Lettering for the painters: bold IPA Gothic laid out by Pango, with an outline.
//
// A picture is painted in one language, which travels with its Cairo context: it picks the
// picture's words and the face they are lettered in. IPAGothic letters Japanese; English takes
// its proportional sibling IPAPGothic, whose Latin letters are spaced by their width.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "style.h"
#include "system/language.h"

namespace art {

// Paints the picture on `cr` in `language` (Japanese when never set). When `lettering` is given,
// every text laid out on `cr` is added to it, so that a test can read what a picture says.
void SetPictureLanguage(cairo_t* cr, Language language,
                        std::vector<std::string>* lettering = nullptr);
Language PictureLanguage(cairo_t* cr);

// The words `japanese` or `english`, whichever the picture on `cr` is painted in.
const char* Say(cairo_t* cr, const char* japanese, const char* english);

// The lettering face of the picture on `cr`.
const char* LetteringFamily(cairo_t* cr);

struct LabelStyle {
  double sizePx = 32;  // em size in pixels
  style::Rgb fill = style::kWhite;
  style::Rgb outline = style::kOutline;
  double outlineWidth = 2.5;  // pixels of outline outside the glyphs; 0 for none
  bool bold = true;
  double letterSpacingPx = 0;
  // Null for the picture's lettering face; "IPAPGothic" has round, unslashed digits.
  const char* family = nullptr;
};

struct TextBox {
  double x, y, width, height;
};

// The ink box of `utf8` laid out at the origin in the given style (outline not included).
TextBox MeasureLabel(cairo_t* cr, const char* utf8, const LabelStyle& style);

// The largest size not above style.sizePx at which the ink of `utf8` fits maxWidth x maxHeight
// (outline included).
double FitLabelSize(cairo_t* cr, const char* utf8, LabelStyle style, double maxWidth,
                    double maxHeight);

// Adds the glyph outlines of `utf8` to the current path, with their ink box centred on (cx, cy).
void AddLabelPath(cairo_t* cr, const char* utf8, double cx, double cy, const LabelStyle& style);

// Draws `utf8` with its ink centred on (cx, cy): the outline first, then the fill.
void DrawLabel(cairo_t* cr, const char* utf8, double cx, double cy, const LabelStyle& style);

// Draws `utf8` with its ink's left edge on `left` and on the baseline that `line` would have
// with its ink centred on cy: words painted apart then stand on one line when set side by side.
void DrawLabelOnLine(cairo_t* cr, const char* utf8, const char* line, double left, double cy,
                     const LabelStyle& style);

// Draws `utf8` shrunk as needed to fit a box centred on (cx, cy).
void DrawFittedLabel(cairo_t* cr, const char* utf8, double cx, double cy, double maxWidth,
                     double maxHeight, LabelStyle style);

}  // namespace art
