// A block of marked-up Shift-JIS text laid out in a rectangle of the screen.
//
// Markup: "#RRGGBB" switches the colour, "$N" places the owner's motion sprite N at the line,
// "\n" breaks the line. Lines are also broken by width. Japanese is broken between characters,
// counting bytes: each byte is half a line height wide, so a full-width character is one line
// height wide. English is broken at spaces, by the width the font draws, so no word is split;
// the lines an English list item ("- " first) wraps onto hang under its text, right of the dash.
// The text can be revealed a few bytes per frame (typewriter) or all at once, and scrolled by
// whole lines.
#pragma once

#include <cstdint>

class CFont;
struct MotionSprite;

// How lines too wide for the window are broken.
enum class LineBreaking {
  Bytes,  // after the character that passes the byte budget (Japanese)
  Words,  // at the last space before the first word that does not fit (English)
};

struct LineRecord {
  int32_t start;        // byte index where the drawn text begins; -1 ends the list
  int32_t end;          // exclusive
  int32_t xOffset;      // pixels right of the window's left: a wrapped list item's indent
  int32_t yOffset;      // line number x lineHeight
  int32_t colour;       // 0xRRGGBB
  int32_t placeholder;  // motion sprite named by "$N" in the line, -1 for none
};

class CMessageWindow {
 public:
  static constexpr int kMaxLines = 1024;  // records, the terminator included
  static constexpr int kMaxDrawnBytes = 1024;

  CMessageWindow() = default;
  virtual ~CMessageWindow();
  CMessageWindow(const CMessageWindow&) = delete;
  CMessageWindow& operator=(const CMessageWindow&) = delete;

  int32_t state = -1;  // -1 inactive; 1 starts on the next update; 0 showing
  int32_t left = 0, top = 0;
  int32_t width = 0, height = 0;
  int32_t lineHeight = 0;
  int32_t fontIndex = -1;
  const char* text = nullptr;
  int32_t textLength = 0;
  int32_t revealed = 0;
  bool ownsText = false;  // the text was allocated with new[] and is freed with the window
  bool laidOut = false;
  LineRecord lines[kMaxLines] = {};
  int32_t revealSpeed = -1;  // bytes per frame; 0 or less shows everything at once
  int32_t firstLine = 0;
  int32_t lineCount = 0;
  LineBreaking breaking = LineBreaking::Bytes;

  // Stores a new text; lays it out at once unless the window is inactive.
  void SetText(const char* newText);
  // Breaks the text into lines. A text of more than 1023 lines is cut after the 1023rd.
  void Layout();
  // The owner's per-frame step: starts the window or reveals more text.
  void Update();
  // Draws the visible lines with fonts[fontIndex] and places the sprites named by "$N"
  // (sprites may be null; "$N" beyond spriteCount places nothing).
  void Draw(MotionSprite* const* sprites, int spriteCount, CFont* const* fonts);

 private:
  void FreeText();
  bool BreaksBefore(int32_t start, int32_t i, int32_t budget, int32_t lineWidth,
                    int32_t& splitAt) const;
  int32_t HangingIndent(int32_t paragraphStart) const;
  int32_t WordEnd(int32_t i) const;
  int32_t LongestFit(int32_t start, int32_t end, int32_t lineWidth) const;
  int32_t LineEnd(int32_t start, int32_t i) const;
  int32_t Width(int32_t from, int32_t to) const;
  void DrawLines(CFont* font);
  void PlacePictures(MotionSprite* const* sprites, int spriteCount);
};
