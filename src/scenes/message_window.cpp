// Layout, reveal and drawing of the message window.
#include "scenes/message_window.h"

#include <cstring>
#include <string_view>

#include "media/font.h"
#include "motion/motion_sprite.h"
#include "system/text_encoding.h"

namespace {

constexpr int kFontCount = 6;
constexpr int32_t kColourDigits = 6;  // "#RRGGBB"

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Bytes of text that show whole characters only: a lead byte whose second byte is not yet
// revealed waits for it.
int32_t WholeCharacterBytes(const char* line, int32_t count) {
  int32_t taken = 0;
  while (taken < count) {
    const int bytes = SjisCharacterBytes(static_cast<unsigned char>(line[taken]));
    if (taken + bytes > count) break;
    taken += bytes;
  }
  return taken;
}

// Ends a word: a space, a line feed or markup.
bool EndsWord(char c) { return c == ' ' || c == '\n' || c == '#' || c == '$' || c == '\0'; }

// An English list item begins with a dash and a space; its wrapped lines hang under its text.
constexpr char kListMarker[] = "- ";
constexpr int32_t kListMarkerBytes = 2;

}  // namespace

CMessageWindow::~CMessageWindow() { FreeText(); }

void CMessageWindow::FreeText() {
  if (ownsText && text != nullptr) delete[] text;
  ownsText = false;
}

void CMessageWindow::SetText(const char* newText) {
  FreeText();
  text = newText;
  if (state == -1) {
    laidOut = false;
  } else {
    Layout();
  }
}

void CMessageWindow::Layout() {
  laidOut = true;
  revealed = 0;
  firstLine = 0;
  if (text == nullptr) {
    textLength = 0;
    lineCount = 0;
    lines[0].start = -1;
    return;
  }
  textLength = static_cast<int32_t>(std::strlen(text));
  // Bytes a line may hold before it is broken, each byte half a line height wide. A line height
  // below 2 would divide by zero: such a window breaks at line feeds only.
  const int32_t halfLine = lineHeight / 2;
  const int32_t budget = halfLine > 0 ? (width > 0 ? width / halfLine : 0) : INT32_MAX;
  int32_t colour = 0;
  int32_t placeholder = -1;
  int32_t record = 0;
  lines[0].start = 0;
  int32_t i = 0;
  int32_t splitAt = -1;   // where a word too wide for any line is split
  int32_t paragraph = 0;  // the record of the first line since the last line feed
  int32_t indent = 0;     // pixels the current line is drawn right of the window's left
  const auto closeLine = [&](int32_t end) {
    lines[record] = {lines[record].start, end, indent, record * lineHeight, colour, placeholder};
    placeholder = -1;
  };
  while (i < textLength) {
    const char c = text[i];
    if (c == '#') {
      // Six digits at most, so that a coloured word may begin with a letter A to F.
      colour = 0;
      const int32_t digitsEnd = i + 1 + kColourDigits;
      for (++i; i < digitsEnd && HexValue(text[i]) >= 0; ++i)
        colour = (colour << 4) | HexValue(text[i]);
      lines[record].start = i;  // text before markup on the same line is not drawn
    } else if (c == '$') {
      placeholder = 0;
      for (++i; text[i] >= '0' && text[i] <= '9'; ++i) {
        placeholder =
            placeholder >= INT32_MAX / 10 ? INT32_MAX : placeholder * 10 + (text[i] - '0');
      }
      lines[record].start = i;
    } else if (c == '\n' || BreaksBefore(lines[record].start, i, budget, width - indent, splitAt)) {
      closeLine(c == '\n' ? i : LineEnd(lines[record].start, i));
      if (c == '\n') {
        ++i;
        indent = 0;
      } else {
        indent = HangingIndent(lines[paragraph].start);
        if (breaking == LineBreaking::Words) {
          while (i < textLength && text[i] == ' ') ++i;  // the spaces at a break are not drawn
        }
      }
      if (record + 2 >= kMaxLines) {  // keep the last slot for the terminator
        lines[record + 1].start = -1;
        lineCount = record + 1;
        return;
      }
      lines[++record].start = i;
      if (c == '\n') paragraph = record;
    } else {
      i += SjisCharacterBytes(static_cast<unsigned char>(c));
    }
  }
  closeLine(textLength);
  lines[record + 1].start = -1;
  lineCount = record + 1;
}

// Bytes: the width test runs before each character, so a line may hold a character more than
// its budget. Words: a line breaks before the first word that would pass the line's width.
bool CMessageWindow::BreaksBefore(int32_t start, int32_t i, int32_t budget, int32_t lineWidth,
                                  int32_t& splitAt) const {
  if (breaking == LineBreaking::Bytes) return i - start > budget;
  if (i == splitAt && i > start) {
    splitAt = -1;
    return true;
  }
  const bool wordStart = text[i] != ' ' && (i == start || text[i - 1] == ' ');
  if (!wordStart) return false;
  const int32_t end = WordEnd(i);
  if (Width(start, end) <= lineWidth) return false;
  if (i > start) return true;
  splitAt = LongestFit(start, end, lineWidth);
  return false;
}

// The indent of the lines a paragraph wraps onto: the width of the list marker when the
// paragraph is an English list item, so that they start under its text; 0 otherwise. Japanese
// lines are laid out by bytes and never hang.
int32_t CMessageWindow::HangingIndent(int32_t paragraphStart) const {
  if (breaking != LineBreaking::Words || paragraphStart + kListMarkerBytes > textLength ||
      std::strncmp(text + paragraphStart, kListMarker, kListMarkerBytes) != 0)
    return 0;
  const int32_t indent = Width(paragraphStart, paragraphStart + kListMarkerBytes);
  return indent < width ? indent : 0;
}

int32_t CMessageWindow::WordEnd(int32_t i) const {
  while (i < textLength && !EndsWord(text[i]))
    i += SjisCharacterBytes(static_cast<unsigned char>(text[i]));
  return i < textLength ? i : textLength;
}

// The end of the longest run of whole characters from `start` that fits the line's width; at
// least one character, so that every line makes progress.
int32_t CMessageWindow::LongestFit(int32_t start, int32_t end, int32_t lineWidth) const {
  int32_t fit = start + SjisCharacterBytes(static_cast<unsigned char>(text[start]));
  for (int32_t k = fit; k < end;) {
    k += SjisCharacterBytes(static_cast<unsigned char>(text[k]));
    if (k > end || Width(start, k) > lineWidth) break;
    fit = k;
  }
  return fit;
}

// Where a line broken before byte i ends: word breaks leave the spaces between the words out.
int32_t CMessageWindow::LineEnd(int32_t start, int32_t i) const {
  if (breaking == LineBreaking::Bytes) return i;
  while (i > start && text[i - 1] == ' ') --i;
  return i;
}

// The drawn width of text[from, to) in the window's font. Without fonts (nothing to draw with
// yet) each byte counts half a line height, as the byte budget does.
int32_t CMessageWindow::Width(int32_t from, int32_t to) const {
  CFont* font =
      g_fonts != nullptr && fontIndex >= 0 && fontIndex < kFontCount ? g_fonts[fontIndex] : nullptr;
  const std::string_view part(text + from, static_cast<size_t>(to - from));
  if (font == nullptr) return static_cast<int32_t>(part.size()) * (lineHeight / 2);
  return font->TextWidth(part);
}

void CMessageWindow::Update() {
  if (state == 1) {
    state = 0;
    return;
  }
  if (state == -1) return;
  if (revealSpeed <= 0) {
    revealed = textLength;
  } else {
    revealed = revealed > INT32_MAX - revealSpeed ? INT32_MAX : revealed + revealSpeed;
  }
}

void CMessageWindow::Draw(MotionSprite* const* sprites, int spriteCount, CFont* const* fonts) {
  if (state != 0 || text == nullptr || !laidOut) return;
  if (fonts != nullptr && fontIndex >= 0 && fontIndex < kFontCount && fonts[fontIndex]) {
    DrawLines(fonts[fontIndex]);
  }
  if (sprites != nullptr && lines[0].start >= 0) PlacePictures(sprites, spriteCount);
}

void CMessageWindow::DrawLines(CFont* font) {
  if (firstLine < 0 || firstLine > lineCount) return;
  const int32_t bottom = top + height - lineHeight;
  for (int32_t y = top, k = firstLine; y <= bottom && lines[k].start >= 0; y += lineHeight, ++k) {
    const LineRecord& line = lines[k];
    const int32_t end = line.end < revealed ? line.end : revealed;
    int32_t count = end - line.start;
    if (count < 0 || count > kMaxDrawnBytes) count = 0;
    count = WholeCharacterBytes(text + line.start, count);
    const uint32_t argb = 0xFF000000u | (static_cast<uint32_t>(line.colour) & 0xFFFFFFu);
    font->DrawText(std::string_view(text + line.start, count), left + line.xOffset, y, argb);
  }
}

void CMessageWindow::PlacePictures(MotionSprite* const* sprites, int spriteCount) {
  for (int32_t k = 0; k < lineCount && lines[k].start >= 0; ++k) {
    const int32_t n = lines[k].placeholder;
    if (n < 0 || n >= spriteCount || sprites[n] == nullptr) continue;
    sprites[n]->params[0] = static_cast<float>(left + lines[k].xOffset);
    sprites[n]->params[1] = static_cast<float>(top + lines[k].yOffset - lineHeight * firstLine);
    sprites[n]->SetScript("m$0,$1");
  }
}
