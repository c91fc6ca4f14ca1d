// The key-help sheet (kBitmapKeyHelpSheet): the pieces the game puts its key-help bars together
// from at run time, so that they name the keys the player bound and the buttons of the pad in
// hand. tools/assetgen paints each piece into its cell here; the game cuts the same cells.
#pragma once

#include <cstdint>

#include "system/bindings.h"

struct SheetCell {
  int32_t x, y, w, h;
};

namespace key_help_sheet {

// A key-help bar's pill without words: laid over the pill of a painted bar, whose words it
// hides. The pill itself is 748 x 44, painted one pixel in from the cell's corner.
constexpr SheetCell kBlankPill{0, 0, 750, 46};
// The title's top-menu footer without words.
constexpr SheetCell kBlankPlate{0, 48, 500, 54};
// The options' controls item, as it is and highlighted.
constexpr SheetCell kControlsItem{0, 104, 216, 60};
constexpr SheetCell kControlsItemLit{216, 104, 216, 60};
// The controls page's bar while the pointer is used: its whole line, to lay on a blank pill.
constexpr SheetCell kControlsPointerLine{0, 408, 750, 40};

// The words of the bars, each lettered from the left of its cell on the baseline its bar's
// line would have: a word after a key begins with its colon.
enum class HelpWord : uint8_t {
  Choose,
  Change,
  Ok,
  Back,
  Scroll,
  Page,
  Watch,
  Join,             // between two keys of one action, as "X / Esc"
  UpDownArrows,     // the up and down arrow keys together
  LeftRightArrows,  // the left and right ones
  ArrowKeys,        // all four
  Count
};
// The same words in the lettering of the title's top-menu footer (smaller, outlined in white),
// and the mark between two keys there.
enum class PlateWord : uint8_t { UpDownArrows, Choose, Ok, Count };
constexpr SheetCell kPlateJoin{752, 0, 48, 40};

constexpr int32_t kWordWidth = 200, kWordHeight = 40;
constexpr SheetCell WordCell(HelpWord word) {
  const int32_t i = static_cast<int32_t>(word);
  return {(i % 4) * kWordWidth, 168 + (i / 4) * kWordHeight, kWordWidth, kWordHeight};
}
constexpr int32_t kPlateWordWidth = 120;
constexpr SheetCell PlateWordCell(PlateWord word) {
  return {432 + static_cast<int32_t>(word) * kPlateWordWidth, 104, kPlateWordWidth, kWordHeight};
}

// The pad's button symbols, by the family's own way of marking them.
enum class PadGlyph : uint8_t {
  XboxA,
  XboxB,
  XboxX,
  XboxY,
  Cross,
  Circle,
  Square,
  Triangle,
  NintendoA,
  NintendoB,
  NintendoX,
  NintendoY,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
  DpadUpDown,
  DpadLeftRight,
  DpadAll,
  XboxView,
  XboxMenu,
  PlayStationShare,
  PlayStationOptions,
  NintendoMinus,
  NintendoPlus,
  XboxLB,
  XboxRB,
  PlayStationL1,
  PlayStationR1,
  NintendoL,
  NintendoR,
  StickLeft,
  StickRight,
  PlayStationL3,
  PlayStationR3,
  XboxGuide,
  PlayStationHome,
  NintendoHome,
  Count,
  None = 0xFF  // no symbol: the button is named in letters
};

constexpr int32_t kGlyphWidth = 48, kGlyphHeight = 40;
constexpr SheetCell GlyphCell(PadGlyph glyph) {
  const int32_t i = static_cast<int32_t>(glyph);
  return {(i % 16) * kGlyphWidth, 288 + (i / 16) * kGlyphHeight, kGlyphWidth, kGlyphHeight};
}

// The symbol of SDL's controller button `button` on a pad of `family`; None for the rarer
// buttons (paddles, touchpad, share and capture), which are named in letters.
constexpr PadGlyph GlyphOf(uint8_t button, PadFamily family) {
  using G = PadGlyph;
  // Buttons 0 to 14 by family: the four face buttons, back, guide, start, the two sticks, the
  // two shoulders and the d-pad's four directions.
  constexpr G kFaces[3][11] = {
      {G::XboxA, G::XboxB, G::XboxX, G::XboxY, G::XboxView, G::XboxGuide, G::XboxMenu, G::StickLeft,
       G::StickRight, G::XboxLB, G::XboxRB},
      {G::Cross, G::Circle, G::Square, G::Triangle, G::PlayStationShare, G::PlayStationHome,
       G::PlayStationOptions, G::PlayStationL3, G::PlayStationR3, G::PlayStationL1,
       G::PlayStationR1},
      {G::NintendoA, G::NintendoB, G::NintendoX, G::NintendoY, G::NintendoMinus, G::NintendoHome,
       G::NintendoPlus, G::StickLeft, G::StickRight, G::NintendoL, G::NintendoR}};
  if (button < PadDpadUp) return kFaces[static_cast<int>(family)][button];
  if (button <= PadDpadRight)
    return static_cast<G>(static_cast<int>(G::DpadUp) + (button - PadDpadUp));
  return G::None;
}

constexpr int32_t kSheetWidth = 800, kSheetHeight = 448;

}  // namespace key_help_sheet
