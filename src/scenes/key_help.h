// The menus' key-help bars as the player's hands see them: the keys they bound, named on their
// keyboard's layout, or the buttons of the pad they hold, or touch and mouse hints. The bars
// are painted with their default keys; the help is laid over them at run time, from pieces
// painted by our asset generator (words, arrows, the pads' button symbols) and key names in the
// game's font.
#pragma once

#include <cstdint>
#include <string>

#include "media/input.h"
#include "media/sprite.h"
#include "scenes/scene.h"
#include "system/key_help_sheet.h"
#include "system/resource_ids.h"

class CFont;

// The key-help bars, each where its scene paints one.
enum class KeyHelpBar {
  HowToFooter,  // the title's how-to-play page
  ReadingBar,   // the rules, controls, story and information pages
  OptionBar,
  RoomBar,    // the CG and music rooms: touch and mouse hints only
  TopFooter,  // the title's top menu
  ReplayBar,  // the list of kept replays: keys and pad only (the list has its pointer bar)
  ControlsBar,
};

class CKeyHelp {
 public:
  // The pictures it loads: the pointer hints and the bars' pieces.
  static constexpr int kSheetIds[2] = {kBitmapPointerSheet, kBitmapKeyHelpSheet};
  struct Ink {
    int32_t left = 0, right = 0;  // the columns of a piece that carry ink, in its cell
  };

  // Reports a failure as the menus' images do, captioned with `scene`.
  bool LoadResources(SceneId scene);
  void ReleaseResources();
  // In the scene's Input: the device the player used last, and the family of their pad.
  void Follow(const CInput& input) {
    lastDevice_ = input.lastDevice;
    padFamily_ = input.padFamily;
  }
  InputDevice LastDevice() const { return lastDevice_; }
  PadFamily Family() const { return padFamily_; }

  // Lays the help of the device used last over the painted bar.
  void Draw(KeyHelpBar bar, CFont* const* fonts);
  // Lays one line of its own (Shift-JIS) over the bar instead, centred.
  void DrawLine(KeyHelpBar bar, const std::string& sjis, CFont* const* fonts);
  // The symbol of a pad button with its left edge at x, centred on cy; false when the button
  // has none and must be named in letters.
  bool DrawPadButton(uint8_t button, int32_t x, int32_t cy);
  // The options' controls item, as it is or highlighted, at (x, y).
  void DrawControlsItem(bool lit, int32_t x, int32_t y);

 private:
  void MeasurePieces();
  void DrawPointerHint(KeyHelpBar bar);
  // Lays a blank pill (or plate) over the bar's painted words.
  void Blank(KeyHelpBar bar);
  // Draws a cell of the key-help sheet with its top left at (x, y), scaled.
  void Blit(const SheetCell& cell, int32_t x, int32_t y, float scale = 1.0f);

  static constexpr int kPointerSheet = 0, kPieces = 1;
  CSprite sheets_[2];  // the pointer hints and the key-help pieces
  Ink words_[static_cast<int>(key_help_sheet::HelpWord::Count)];
  Ink plateWords_[static_cast<int>(key_help_sheet::PlateWord::Count)];
  Ink plateJoin_;
  Ink glyphs_[static_cast<int>(key_help_sheet::PadGlyph::Count)];
  InputDevice lastDevice_ = InputDevice::Keys;
  PadFamily padFamily_ = PadFamily::Xbox;

  friend class KeyHelpLine;
};

// What a key or a pad button is called on the screen (Shift-JIS): the key's name on the player's
// layout, the button's name in the controller's family.
std::string KeyLabel(uint16_t key);
std::string PadButtonLabel(uint8_t button, PadFamily family);
// A key's name as the bars write it: short, and in full-width letters in Japanese where the
// name is short.
std::string KeyHelpName(uint16_t key);
