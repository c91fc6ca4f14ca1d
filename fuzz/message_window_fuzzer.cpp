// Message-window markup: any text lays out into at most 1023 lines that stay inside the text
// and the width budget, and drawing shows only whole characters of those lines, inside the
// window, while the pictures named by "$N" go to their lines.
#include <cstring>
#include <memory>

#include "fuzz_check.h"
#include "fuzz_platform.h"
#include "media/font.h"
#include "motion/motion_sprite.h"
#include "scenes/message_window.h"

namespace {

// The windows of the title, the information and the rule scenes.
struct Geometry {
  int32_t left, top, width, height, lineHeight, revealSpeed;
};
constexpr Geometry kOwners[] = {
    {64, 266, 320, 112, 32, 1}, {32, 96, 736, 336, 32, -1}, {32, 96, 736, 336, 32, -1}};
constexpr int kSprites = 12;
constexpr int kFrames = 8;

bool IsLead(unsigned char c) { return (c >= 0x80 && c <= 0x9F) || c >= 0xE0; }

// A line's bytes as drawn: whole characters from its start, none of them cut in two.
bool WholeCharacters(const char* line, size_t count) {
  size_t at = 0;
  while (at < count) at += IsLead(static_cast<unsigned char>(line[at])) ? 2 : 1;
  return at == count;
}

void CheckLayout(const CMessageWindow& w, const Geometry& g) {
  const int32_t budget = g.width / (g.lineHeight / 2);
  FUZZ_CHECK(w.laidOut && w.revealed == 0 && w.firstLine == 0);
  FUZZ_CHECK(w.lineCount >= 1 && w.lineCount < CMessageWindow::kMaxLines);
  FUZZ_CHECK(w.lines[w.lineCount].start == -1);
  for (int32_t k = 0; k < w.lineCount; ++k) {
    const LineRecord& line = w.lines[k];
    FUZZ_CHECK(line.start >= 0 && line.start <= line.end && line.end <= w.textLength);
    FUZZ_CHECK(line.end - line.start <= budget + 2);  // one character past the budget at most
    FUZZ_CHECK(line.yOffset == k * g.lineHeight && line.xOffset == 0);
    FUZZ_CHECK(line.colour >= 0 && line.colour <= 0xFFFFFF);
    FUZZ_CHECK(line.placeholder >= -1);
    if (k > 0) FUZZ_CHECK(line.start >= w.lines[k - 1].end);
  }
}

void CheckDrawing(const CMessageWindow& w, const Geometry& g, const FuzzFont& font,
                  MotionSprite* const* sprites) {
  for (const DrawnText& t : font.texts) {
    FUZZ_CHECK(t.left == g.left && t.top >= g.top && t.top <= g.top + g.height - g.lineHeight);
    const int32_t k = w.firstLine + (t.top - g.top) / g.lineHeight;
    FUZZ_CHECK(k >= 0 && k < w.lineCount);
    const LineRecord& line = w.lines[k];
    FUZZ_CHECK(int32_t(t.sjis.size()) <= line.end - line.start);
    FUZZ_CHECK(t.sjis.compare(0, t.sjis.size(), w.text + line.start, t.sjis.size()) == 0);
    FUZZ_CHECK(WholeCharacters(w.text + line.start, t.sjis.size()));
  }
  for (int32_t k = 0; k < w.lineCount; ++k) {
    const int32_t n = w.lines[k].placeholder;
    if (n < 0 || n >= kSprites) continue;
    // The last line naming a sprite places it.
    bool later = false;
    for (int32_t j = k + 1; j < w.lineCount; ++j) later |= w.lines[j].placeholder == n;
    if (later) continue;
    FUZZ_CHECK(sprites[n]->x == float(g.left));
    FUZZ_CHECK(sprites[n]->y == float(g.top + w.lines[k].yOffset - g.lineHeight * w.firstLine));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Geometry& g = kOwners[data[0] % 3];
  const auto text = std::make_unique<char[]>(size);  // the rest, NUL-terminated, exact size
  std::memcpy(text.get(), data + 1, size - 1);
  text[size - 1] = '\0';

  CMessageWindow window;
  window.left = g.left, window.top = g.top, window.width = g.width, window.height = g.height;
  window.lineHeight = g.lineHeight;
  window.fontIndex = 3;
  window.Layout();
  window.state = 1;
  window.revealSpeed = g.revealSpeed;
  window.SetText(text.get());
  FUZZ_CHECK(window.textLength == int32_t(std::strlen(text.get())));
  CheckLayout(window, g);

  // Font 3, as the owners choose, records what it is asked to draw.
  auto recording = std::make_unique<FuzzFont>(32);
  FuzzFont* recorder = recording.get();
  CFont font(std::move(recording), 32);
  CFont* fonts[6] = {nullptr, nullptr, nullptr, &font, nullptr, nullptr};
  MotionSprite* sprites[kSprites];
  for (auto& s : sprites) {
    s = new MotionSprite;
    s->Init(0, 0, 0, 64, 64, 0, 0);
  }

  const int32_t visible = g.height / g.lineHeight;
  for (int frame = 0; frame < kFrames; ++frame) {
    window.Update();
    // Scroll through every position the owners allow.
    const int32_t last = window.lineCount - visible - 1;
    window.firstLine = last > 0 ? frame * last / (kFrames - 1) : 0;
    recorder->texts.clear();
    window.Draw(sprites, kSprites, fonts);
    CheckDrawing(window, g, *recorder, sprites);
  }
  for (auto* s : sprites) MotionSprite::Release(s);
  return 0;
}
