// The key-help sheet (131): a blank pill and a blank footer plate to lay over the painted bars,
// the bars' words lettered apart, the symbols of the pads' buttons, and the options' controls
// item. The game sets the pieces side by side with the names of the keys the player bound.
#include <cmath>

#include "menu_art.h"
#include "menu_shapes.h"
#include "system/key_help_sheet.h"
#include "text.h"

namespace art {
namespace {

using namespace style;
using namespace key_help_sheet;

constexpr double kWordLeft = 2;  // the ink's margin inside its cell

// The bars' words, by HelpWord: a word after a key begins with its colon.
const char* WordOf(cairo_t* cr, HelpWord word) {
  switch (word) {
    case HelpWord::Choose: return Say(cr, "：えらぶ", ": choose");
    case HelpWord::Change: return Say(cr, "：へんこう", ": change");
    case HelpWord::Ok: return Say(cr, "：けってい", ": OK");
    case HelpWord::Back: return Say(cr, "：もどる", ": back");
    case HelpWord::Scroll: return Say(cr, "：スクロール", ": scroll");
    case HelpWord::Page: return Say(cr, "：ページ", ": page");
    case HelpWord::Watch: return Say(cr, "：みる", ": watch");
    case HelpWord::Join: return Say(cr, "・", "/");
    case HelpWord::UpDownArrows: return "↑↓";
    case HelpWord::LeftRightArrows: return "←→";
    default: return Say(cr, "方向キー", "Arrow keys");
  }
}

const char* PlateWordOf(cairo_t* cr, PlateWord word) {
  switch (word) {
    case PlateWord::UpDownArrows: return "↑↓";
    case PlateWord::Choose: return Say(cr, "：えらぶ", ": choose");
    default: return Say(cr, "：けってい", ": OK");
  }
}

void DrawWords(cairo_t* cr) {
  for (int i = 0; i < static_cast<int>(HelpWord::Count); ++i) {
    const SheetCell cell = WordCell(static_cast<HelpWord>(i));
    DrawLabelOnLine(cr, WordOf(cr, static_cast<HelpWord>(i)), OptionBarHelp(cr), cell.x + kWordLeft,
                    cell.y + cell.h / 2.0, KeyHelpLettering());
  }
  DrawLabelOnLine(cr, WordOf(cr, HelpWord::Join), TopFooterHelp(cr), kPlateJoin.x + kWordLeft,
                  kPlateJoin.y + kPlateJoin.h / 2.0, FooterLettering());
  for (int i = 0; i < static_cast<int>(PlateWord::Count); ++i) {
    const SheetCell cell = PlateWordCell(static_cast<PlateWord>(i));
    DrawLabelOnLine(cr, PlateWordOf(cr, static_cast<PlateWord>(i)), TopFooterHelp(cr),
                    cell.x + kWordLeft, cell.y + cell.h / 2.0, FooterLettering());
  }
}

// Pad symbols: dark, glossy buttons as on a pad, each centred in its cell.

constexpr Rgb kPadBody = rgb(0x3b3346);
constexpr Rgb kPadGreen = rgb(0x6fdc7a);
constexpr Rgb kPadRed = rgb(0xff6f6a);
constexpr Rgb kPadBlue = rgb(0x6cb8ff);
constexpr Rgb kPadYellow = rgb(0xffd84a);
constexpr Rgb kPadPink = rgb(0xff9fd0);

void Gloss(cairo_t* cr, double cx, double cy, double r) {
  SetColor(cr, kWhite, 0.35);
  cairo_arc(cr, cx - r * 0.3, cy - r * 0.4, r * 0.35, 0, 2 * M_PI);
  cairo_fill(cr);
}

void FillAndOutline(cairo_t* cr, Rgb fill) {
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_stroke(cr);
}

void Disc(cairo_t* cr, double cx, double cy, double r = 15) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  FillAndOutline(cr, kPadBody);
  Gloss(cr, cx, cy, r);
}

// Letters on a button, in `color`.
void Letters(cairo_t* cr, const char* utf8, double cx, double cy, double sizePx, Rgb color) {
  LabelStyle style;
  style.sizePx = sizePx;
  style.fill = color;
  style.outlineWidth = 0;
  style.family = "IPAPGothic";
  DrawLabel(cr, utf8, cx, cy, style);
}

void FaceButton(cairo_t* cr, double cx, double cy, const char* letter, Rgb color) {
  Disc(cr, cx, cy);
  Letters(cr, letter, cx, cy, 20, color);
}

enum class Mark { Cross, Circle, Square, Triangle };

// The four marks of the PlayStation family's face buttons, stroked in their colours.
void MarkButton(cairo_t* cr, double cx, double cy, Mark mark) {
  Disc(cr, cx, cy);
  cairo_save(cr);
  cairo_set_line_width(cr, 2.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const double s = 7;
  switch (mark) {
    case Mark::Cross:
      cairo_move_to(cr, cx - s, cy - s);
      cairo_line_to(cr, cx + s, cy + s);
      cairo_move_to(cr, cx + s, cy - s);
      cairo_line_to(cr, cx - s, cy + s);
      SetColor(cr, kPadBlue);
      break;
    case Mark::Circle:
      cairo_arc(cr, cx, cy, s, 0, 2 * M_PI);
      SetColor(cr, kPadRed);
      break;
    case Mark::Square:
      cairo_rectangle(cr, cx - s + 0.5, cy - s + 0.5, 2 * s - 1, 2 * s - 1);
      SetColor(cr, kPadPink);
      break;
    case Mark::Triangle:
      cairo_move_to(cr, cx, cy - s - 1);
      cairo_line_to(cr, cx + s + 1, cy + s - 2);
      cairo_line_to(cr, cx - s - 1, cy + s - 2);
      cairo_close_path(cr);
      SetColor(cr, kPadGreen);
      break;
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

// The d-pad: a cross whose lit arms carry a white arrow head pointing outward.
void Dpad(cairo_t* cr, double cx, double cy, bool up, bool down, bool left, bool right) {
  const double arm = 5, reach = 13;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - arm, cy - reach);
  cairo_line_to(cr, cx + arm, cy - reach);
  cairo_line_to(cr, cx + arm, cy - arm);
  cairo_line_to(cr, cx + reach, cy - arm);
  cairo_line_to(cr, cx + reach, cy + arm);
  cairo_line_to(cr, cx + arm, cy + arm);
  cairo_line_to(cr, cx + arm, cy + reach);
  cairo_line_to(cr, cx - arm, cy + reach);
  cairo_line_to(cr, cx - arm, cy + arm);
  cairo_line_to(cr, cx - reach, cy + arm);
  cairo_line_to(cr, cx - reach, cy - arm);
  cairo_line_to(cr, cx - arm, cy - arm);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  FillAndOutline(cr, kPadBody);
  const struct {
    bool lit;
    int dx, dy;
  } arms[] = {{up, 0, -1}, {down, 0, 1}, {left, -1, 0}, {right, 1, 0}};
  for (const auto& a : arms) {
    if (!a.lit) continue;
    const double tipX = cx + a.dx * 11.5, tipY = cy + a.dy * 11.5;
    const double baseX = cx + a.dx * 6, baseY = cy + a.dy * 6;
    cairo_move_to(cr, tipX, tipY);
    cairo_line_to(cr, baseX + a.dy * 3.5, baseY + a.dx * 3.5);
    cairo_line_to(cr, baseX - a.dy * 3.5, baseY - a.dx * 3.5);
    cairo_close_path(cr);
    SetColor(cr, kPadYellow);
    cairo_fill(cr);
  }
}

// A small oblong button (back, start and their kin) with a symbol drawn by `symbol`.
template <typename Symbol>
void SmallButton(cairo_t* cr, double cx, double cy, Symbol symbol) {
  cairo_new_path(cr);
  RoundedRectPath(cr, cx - 14, cy - 10, 28, 20, 10);
  FillAndOutline(cr, kPadBody);
  SetColor(cr, kWhite);
  symbol();
}

void MenuLines(cairo_t* cr, double cx, double cy) {
  for (int i = -1; i <= 1; ++i) cairo_rectangle(cr, cx - 6, cy + i * 4 - 1, 12, 2);
  cairo_fill(cr);
}

void ViewSquares(cairo_t* cr, double cx, double cy) {
  cairo_set_line_width(cr, 1.6);
  cairo_rectangle(cr, cx - 6, cy - 5, 8, 7);
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - 1, cy - 1, 8, 7);
  cairo_fill(cr);
}

void ShareArrow(cairo_t* cr, double cx, double cy) {
  cairo_set_line_width(cr, 1.8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx, cy + 3);
  cairo_line_to(cr, cx, cy - 5);
  cairo_move_to(cr, cx - 4, cy - 1);
  cairo_line_to(cr, cx, cy - 5);
  cairo_line_to(cr, cx + 4, cy - 1);
  cairo_move_to(cr, cx - 6, cy + 1);
  cairo_line_to(cr, cx - 6, cy + 6);
  cairo_line_to(cr, cx + 6, cy + 6);
  cairo_line_to(cr, cx + 6, cy + 1);
  cairo_stroke(cr);
}

void PlusMinus(cairo_t* cr, double cx, double cy, bool plus) {
  Disc(cr, cx, cy, 12);
  SetColor(cr, kWhite);
  cairo_rectangle(cr, cx - 6, cy - 1.5, 12, 3);
  if (plus) cairo_rectangle(cr, cx - 1.5, cy - 6, 3, 12);
  cairo_fill(cr);
}

// A shoulder button: a tab rounded on top, lettered.
void Shoulder(cairo_t* cr, double cx, double cy, const char* name) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 18, cy + 11);
  cairo_line_to(cr, cx - 18, cy - 3);
  cairo_curve_to(cr, cx - 18, cy - 12, cx - 10, cy - 13, cx, cy - 13);
  cairo_curve_to(cr, cx + 10, cy - 13, cx + 18, cy - 12, cx + 18, cy - 3);
  cairo_line_to(cr, cx + 18, cy + 11);
  cairo_close_path(cr);
  FillAndOutline(cr, kPadBody);
  Letters(cr, name, cx, cy + 1, 15, kWhite);
}

// A stick seen from above, pressed in: a ring with its name.
void Stick(cairo_t* cr, double cx, double cy, const char* name) {
  Disc(cr, cx, cy);
  SetColor(cr, kWhite, 0.5);
  cairo_set_line_width(cr, 1.5);
  cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
  cairo_stroke(cr);
  Letters(cr, name, cx, cy, 12, kWhite);
}

void HomeHouse(cairo_t* cr, double cx, double cy) {
  Disc(cr, cx, cy);
  cairo_move_to(cr, cx, cy - 8);
  cairo_line_to(cr, cx + 8, cy);
  cairo_line_to(cr, cx + 5, cy);
  cairo_line_to(cr, cx + 5, cy + 7);
  cairo_line_to(cr, cx - 5, cy + 7);
  cairo_line_to(cr, cx - 5, cy);
  cairo_line_to(cr, cx - 8, cy);
  cairo_close_path(cr);
  SetColor(cr, kWhite);
  cairo_fill(cr);
}

// The guide button: a disc in a glowing ring.
void GuideRing(cairo_t* cr, double cx, double cy) {
  Disc(cr, cx, cy);
  SetColor(cr, kPadGreen);
  cairo_set_line_width(cr, 3);
  cairo_arc(cr, cx, cy, 8, 0, 2 * M_PI);
  cairo_stroke(cr);
}

void DrawGlyph(cairo_t* cr, PadGlyph glyph, double cx, double cy) {
  using G = PadGlyph;
  cairo_save(cr);
  switch (glyph) {
    case G::XboxA: FaceButton(cr, cx, cy, "A", kPadGreen); break;
    case G::XboxB: FaceButton(cr, cx, cy, "B", kPadRed); break;
    case G::XboxX: FaceButton(cr, cx, cy, "X", kPadBlue); break;
    case G::XboxY: FaceButton(cr, cx, cy, "Y", kPadYellow); break;
    case G::Cross: MarkButton(cr, cx, cy, Mark::Cross); break;
    case G::Circle: MarkButton(cr, cx, cy, Mark::Circle); break;
    case G::Square: MarkButton(cr, cx, cy, Mark::Square); break;
    case G::Triangle: MarkButton(cr, cx, cy, Mark::Triangle); break;
    case G::NintendoA: FaceButton(cr, cx, cy, "A", kWhite); break;
    case G::NintendoB: FaceButton(cr, cx, cy, "B", kWhite); break;
    case G::NintendoX: FaceButton(cr, cx, cy, "X", kWhite); break;
    case G::NintendoY: FaceButton(cr, cx, cy, "Y", kWhite); break;
    case G::DpadUp: Dpad(cr, cx, cy, true, false, false, false); break;
    case G::DpadDown: Dpad(cr, cx, cy, false, true, false, false); break;
    case G::DpadLeft: Dpad(cr, cx, cy, false, false, true, false); break;
    case G::DpadRight: Dpad(cr, cx, cy, false, false, false, true); break;
    case G::DpadUpDown: Dpad(cr, cx, cy, true, true, false, false); break;
    case G::DpadLeftRight: Dpad(cr, cx, cy, false, false, true, true); break;
    case G::DpadAll: Dpad(cr, cx, cy, true, true, true, true); break;
    case G::XboxView: SmallButton(cr, cx, cy, [&] { ViewSquares(cr, cx, cy); }); break;
    case G::XboxMenu: SmallButton(cr, cx, cy, [&] { MenuLines(cr, cx, cy); }); break;
    case G::PlayStationShare: SmallButton(cr, cx, cy, [&] { ShareArrow(cr, cx, cy); }); break;
    case G::PlayStationOptions: SmallButton(cr, cx, cy, [&] { MenuLines(cr, cx, cy); }); break;
    case G::NintendoMinus: PlusMinus(cr, cx, cy, false); break;
    case G::NintendoPlus: PlusMinus(cr, cx, cy, true); break;
    case G::XboxLB: Shoulder(cr, cx, cy, "LB"); break;
    case G::XboxRB: Shoulder(cr, cx, cy, "RB"); break;
    case G::PlayStationL1: Shoulder(cr, cx, cy, "L1"); break;
    case G::PlayStationR1: Shoulder(cr, cx, cy, "R1"); break;
    case G::NintendoL: Shoulder(cr, cx, cy, "L"); break;
    case G::NintendoR: Shoulder(cr, cx, cy, "R"); break;
    case G::StickLeft: Stick(cr, cx, cy, "LS"); break;
    case G::StickRight: Stick(cr, cx, cy, "RS"); break;
    case G::PlayStationL3: Stick(cr, cx, cy, "L3"); break;
    case G::PlayStationR3: Stick(cr, cx, cy, "R3"); break;
    case G::XboxGuide: GuideRing(cr, cx, cy); break;
    case G::PlayStationHome:
    case G::NintendoHome: HomeHouse(cr, cx, cy); break;
    default: break;
  }
  cairo_restore(cr);
}

// The options' controls item beside their return button, lettered like it.
void DrawControlsItem(cairo_t* cr, const SheetCell& cell, bool lit) {
  const Rgb face = lit ? Mix(kCoral, kPeach, 0.4) : kLilac;
  DrawPlate(cr, cell.x + 2, cell.y + 3, cell.w - 4, cell.h - 6,
            {face, Mix(face, kInk, 0.3), 24, 3});
  LabelStyle label;
  label.sizePx = 32;
  label.fill = lit ? Mix(kLemon, kWhite, 0.5) : kWhite;
  label.outline = kInk;
  label.outlineWidth = 3;
  DrawFittedLabel(cr, Say(cr, "そうさ設定", "Controls"), cell.x + cell.w / 2.0,
                  cell.y + cell.h / 2.0, cell.w - 36, cell.h - 14, label);
}

}  // namespace

void Paint131(cairo_t* cr, int width, int height) {
  DrawKeyHelpPill(cr, kBlankPill.x + 1, kBlankPill.y + 1, kBlankPill.w - 2);
  DrawFooterPlate(cr, kBlankPlate.x, kBlankPlate.y);
  DrawControlsItem(cr, kControlsItem, false);
  DrawControlsItem(cr, kControlsItemLit, true);
  DrawWords(cr);
  for (int i = 0; i < static_cast<int>(PadGlyph::Count); ++i) {
    const SheetCell cell = GlyphCell(static_cast<PadGlyph>(i));
    DrawGlyph(cr, static_cast<PadGlyph>(i), cell.x + cell.w / 2.0, cell.y + cell.h / 2.0);
  }
  // The controls page's bar while the pointer is used: one line for its blank pill.
  DrawFittedLabel(cr,
                  Say(cr, "タップ・クリック：えらぶ　このバーをタップ：もどる",
                      "Tap or click: choose     Tap this bar: back"),
                  kControlsPointerLine.x + kControlsPointerLine.w / 2.0,
                  kControlsPointerLine.y + kControlsPointerLine.h / 2.0,
                  kControlsPointerLine.w - 40, kControlsPointerLine.h - 6, KeyHelpLettering());
}

}  // namespace art
