// One of the six text fonts the shell creates for the scenes.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "system/render_device.h"

// Pixel heights of fonts 0 to 5.
constexpr int FontHeights[6] = {12, 16, 24, 32, 48, 64};

class CFont {
 public:
  explicit CFont(std::unique_ptr<IFont> f, int height) : font(std::move(f)), logHeight(height) {}
  virtual ~CFont() = default;

  std::unique_ptr<IFont> font;
  int logHeight;

  int Height() const { return logHeight; }
  // Draws one line of Shift-JIS text with its top-left at (left, top).
  void DrawText(std::string_view sjis, int left, int top, uint32_t argb) {
    if (font) font->DrawText(sjis, left, top, argb);
  }
  // The width in pixels of one line as drawn; 0 without a font.
  int TextWidth(std::string_view sjis) const { return font ? font->TextWidth(sjis) : 0; }
};

// The shell's six fonts (null entries for fonts that could not be created), for measuring text
// outside drawing: the message window breaks English lines by the width the font draws. Set by
// the game application; null before it has fonts.
extern CFont* const* g_fonts;
