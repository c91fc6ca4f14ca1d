// The message window: layout by bytes, markup, reveal, scrolling and pictures.
#include "scenes/message_window.h"

#include <string>
#include <vector>

#include "fakes/test_environment.h"
#include "motion/motion_sprite.h"
#include "scenes/texts.h"
#include "system/shift_jis.h"

namespace {

class MessageWindowTest : public GameTest {
 protected:
  // A window configured as its owners do: geometry, layout, state, speed, then the text.
  void Configure(int left, int top, int width, int height, int speed, const char* text) {
    window.left = left;
    window.top = top;
    window.width = width;
    window.height = height;
    window.lineHeight = 32;
    window.fontIndex = 3;
    if (!window.laidOut) window.Layout();
    window.state = 1;
    window.revealSpeed = speed;
    window.SetText(text);
  }
  std::vector<std::string> Drawn(MotionSprite* const* sprites = nullptr, int count = 0) {
    device.ClearDrawLog();
    window.Draw(sprites, count, fonts);
    std::vector<std::string> lines;
    for (const DrawnText& t : device.Texts()) lines.push_back(t.sjis);
    return lines;
  }
  std::string Line(int k) const {
    const LineRecord& r = window.lines[k];
    return std::string(window.text + r.start, window.text + r.end);
  }

  CMessageWindow window;
};

TEST_F(MessageWindowTest, ControlsTextHasRedHeadingsAndBlackLines) {
  Configure(32, 96, 736, 336, -1, ControlsText);
  EXPECT_EQ(window.lineCount, 17);
  EXPECT_EQ(window.lines[0].colour, 0xFF0000);
  EXPECT_EQ(Line(0), "【タイトルメニュー画面中】"_sj);
  EXPECT_EQ(window.lines[1].colour, 0x000000);
  EXPECT_EQ(window.lines[17].start, -1);
  window.Update();
  window.Update();
  Drawn();
  ASSERT_EQ(device.Texts().size(), 10u);  // ten visible lines
  EXPECT_EQ(device.Texts()[0].argb, 0xFFFF0000u);
  EXPECT_EQ(device.Texts()[1].argb, 0xFF000000u);
  EXPECT_EQ(device.Texts()[1].top, 96 + 32);
  EXPECT_EQ(device.Texts()[1].left, 32);
  EXPECT_EQ(device.Texts()[0].fontHeight, 32);
}

TEST_F(MessageWindowTest, StoryFitsAndRulesScroll) {
  Configure(32, 96, 736, 336, -1, StoryText);
  EXPECT_EQ(window.lineCount, 6);
  for (int k = 0; k < window.lineCount; ++k) {
    EXPECT_LE(window.lines[k].end - window.lines[k].start, 48) << k;
  }
  window.SetText(RulesText);
  EXPECT_GT(window.lineCount, 11);
  window.SetText(InfoText);
  EXPECT_GT(window.lineCount, 11);  // the announcement always scrolls
}

TEST_F(MessageWindowTest, PlaceholderLinePlacesItsSprite) {
  MotionSprite* sprites[12] = {};
  for (int i = 0; i < 12; ++i) {
    sprites[i] = new MotionSprite;
    sprites[i]->Init(0, 0, 0, 85, 85, 0, 0);
  }
  Configure(32, 96, 736, 336, -1, "$5\n\n\n");
  EXPECT_EQ(window.lineCount, 4);
  EXPECT_EQ(window.lines[0].placeholder, 5);
  EXPECT_EQ(window.lines[1].placeholder, -1);
  EXPECT_EQ(Line(0), "");
  window.Update();
  Drawn(sprites, 12);
  EXPECT_EQ(sprites[5]->x, 32.0f);
  EXPECT_EQ(sprites[5]->y, 96.0f);
  EXPECT_EQ(sprites[4]->x, 0.0f);
  // A scrolled window moves the picture with its line.
  window.SetText("\n\n$7\n");
  window.firstLine = 1;
  Drawn(sprites, 12);
  EXPECT_EQ(sprites[7]->y, 96.0f + 64.0f - 32.0f);
  // "$N" beyond the owner's sprites places nothing.
  window.SetText("$12\n$99999999999\n");
  Drawn(sprites, 12);
  for (MotionSprite* s : sprites) MotionSprite::Release(s);
}

TEST_F(MessageWindowTest, WidthBudgetBreaksAfterTheCharacterThatPassesIt) {
  Configure(64, 266, 320, 112, 1, "あいうえおかきくけこさし"_sj);
  ASSERT_EQ(window.lineCount, 2);
  EXPECT_EQ(Line(0), "あいうえおかきくけこさ"_sj);  // 22 bytes: one character past 20
  EXPECT_EQ(Line(1), "し"_sj);
  EXPECT_EQ(window.lines[1].yOffset, 32);
  window.SetText("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(Line(0), "abcdefghijklmnopqrstu");  // 21 single bytes
}

TEST_F(MessageWindowTest, RevealTakesTwoFramesPerFullWidthCharacter) {
  Configure(64, 266, 320, 112, 1, "ゲームを"_sj);
  window.Update();  // starts the window: nothing revealed yet
  EXPECT_EQ(Drawn(), std::vector<std::string>{""});
  std::vector<std::string> shown;
  for (int frame = 0; frame < 8; ++frame) {
    window.Update();
    shown.push_back(Drawn().at(0));
  }
  // A lead byte waits for its second byte.
  EXPECT_EQ(shown, (std::vector<std::string>{"", "ゲ"_sj, "ゲ"_sj, "ゲー"_sj, "ゲー"_sj,
                                             "ゲーム"_sj, "ゲーム"_sj, "ゲームを"_sj}));
}

TEST_F(MessageWindowTest, NothingIsDrawnBeforeTheFirstUpdateOrWhileInactive) {
  Configure(64, 266, 320, 112, -1, "abc");
  EXPECT_TRUE(Drawn().empty());
  window.Update();
  window.Update();
  EXPECT_EQ(Drawn(), std::vector<std::string>{"abc"});
  window.state = -1;
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(MessageWindowTest, SetTextWhileInactiveOnlyStoresTheText) {
  window.SetText("ab\ncd");
  EXPECT_FALSE(window.laidOut);
  EXPECT_EQ(window.lineCount, 0);
  window.width = 320;
  window.lineHeight = 32;
  window.Layout();
  EXPECT_TRUE(window.laidOut);
  EXPECT_EQ(window.lineCount, 2);
}

TEST_F(MessageWindowTest, ColourMarkupReadsUpToSixHexDigits) {
  Configure(32, 96, 736, 336, -1,
            "#FF0000赤\n#青\n#12あ\nx#ff00ffy\n#FF0000Dizzy\n#000000A cafe"_sj);
  EXPECT_EQ(window.lines[0].colour, 0xFF0000);
  EXPECT_EQ(window.lines[1].colour, 0);  // no digit: black
  EXPECT_EQ(window.lines[2].colour, 0x12);
  EXPECT_EQ(window.lines[3].colour, 0xFF00FF);
  EXPECT_EQ(Line(3), "y");  // text before markup on the same line is not drawn
  // A word that begins with a hexadecimal letter stays whole.
  EXPECT_EQ(window.lines[4].colour, 0xFF0000);
  EXPECT_EQ(Line(4), "Dizzy");
  EXPECT_EQ(window.lines[5].colour, 0);
  EXPECT_EQ(Line(5), "A cafe");
}

TEST_F(MessageWindowTest, ScrolledWindowDrawsFromItsFirstLine) {
  std::string text;
  for (char c = 'a'; c <= 'o'; ++c) text += std::string(1, c) + "\n";
  Configure(32, 96, 736, 336, -1, text.c_str());
  window.Update();
  window.Update();
  window.firstLine = 3;
  const std::vector<std::string> lines = Drawn();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines.front(), "d");
  EXPECT_EQ(lines.back(), "m");
}

TEST_F(MessageWindowTest, TooManyLinesAreCutAtTheLastRecord) {
  const std::string text(3000, '\n');
  Configure(32, 96, 736, 336, -1, text.c_str());
  EXPECT_EQ(window.lineCount, CMessageWindow::kMaxLines - 1);
  EXPECT_EQ(window.lines[CMessageWindow::kMaxLines - 1].start, -1);
  window.Update();
  window.Update();
  window.firstLine = window.lineCount;  // past the end: draws nothing
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(MessageWindowTest, OverlongLinesAndOddGeometryStaySafe) {
  const std::string longLine(1100, 'a');
  Configure(32, 96, 100000, 336, -1, longLine.c_str());
  window.Update();
  window.Update();
  EXPECT_EQ(Drawn(), std::vector<std::string>{""});  // over 1024 bytes: drawn empty
  window.lineHeight = 1;                             // half a line height of 0 would divide by zero
  window.SetText("abc\ndef");
  EXPECT_EQ(window.lineCount, 2);
  window.lineHeight = 32;
  window.width = -5;  // no room at all: one character per line
  window.SetText("abc");
  EXPECT_EQ(window.lineCount, 3);
  window.fontIndex = 6;
  EXPECT_TRUE(Drawn().empty());
  window.SetText("\x82");  // a lone lead byte at the end of the text
  EXPECT_EQ(window.lineCount, 1);
}

TEST_F(MessageWindowTest, NullTextLaysOutEmpty) {
  Configure(32, 96, 736, 336, -1, nullptr);
  EXPECT_EQ(window.lineCount, 0);
  EXPECT_EQ(window.lines[0].start, -1);
  window.Update();
  EXPECT_TRUE(Drawn().empty());
}

// Random marked-up texts and geometries from a fixed seed: layout, reveal, scrolling and
// placing never read or write outside the text, the records or the sprites (the sanitizer
// build checks that).
TEST_F(MessageWindowTest, RandomTextsLayOutAndDrawSafely) {
  MotionSprite* sprites[12] = {};
  for (MotionSprite*& s : sprites) {
    s = new MotionSprite;
    s->Init(0, 0, 0, 85, 85, 0, 0);
  }
  const char pieces[] = "#$\n0123456789AFaf xyz\x82\xa0\x88\xe0\xff";
  uint32_t seed = 99;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text(next() % 200, ' ');
    for (char& c : text) c = pieces[next() % (sizeof(pieces) - 1)];
    window.width = static_cast<int>(next() % 800) - 100;
    window.lineHeight = static_cast<int>(next() % 40);
    window.height = static_cast<int>(next() % 400);
    window.revealSpeed = static_cast<int>(next() % 5) - 1;
    window.state = 0;
    window.SetText(text.c_str());
    ASSERT_GE(window.lineCount, 1);
    ASSERT_LT(window.lineCount, CMessageWindow::kMaxLines);
    ASSERT_EQ(window.lines[window.lineCount].start, -1);
    for (int frame = 0; frame < 3; ++frame) {
      window.Update();
      window.firstLine = static_cast<int>(next() % 8) - 2;
      window.Draw(sprites, 12, fonts);
    }
  }
  window.SetText(nullptr);
  for (MotionSprite* s : sprites) MotionSprite::Release(s);
}

using Lines = std::vector<std::string>;

// English: lines break at spaces by the width the font draws (the fake font: every byte 16
// pixels, so the title's 320-pixel window holds 20).
class WordBreakingTest : public MessageWindowTest {
 protected:
  void Configure(int width, const char* text) {
    window.breaking = LineBreaking::Words;
    MessageWindowTest::Configure(64, 266, width, 112, -1, text);
  }
  std::vector<std::string> LaidOut() const {
    std::vector<std::string> lines;
    for (int k = 0; k < window.lineCount; ++k) lines.push_back(Line(k));
    return lines;
  }
};

TEST_F(WordBreakingTest, LinesBreakAtTheLastSpaceBeforeTheWordThatDoesNotFit) {
  Configure(320, "Off we go! Let's start the game!");
  EXPECT_EQ(LaidOut(), (Lines{"Off we go! Let's", "start the game!"}));
  // A word that ends exactly at the window's side stays; the spaces at a break are not drawn.
  Configure(320, "12345678901234567890 next   word");
  EXPECT_EQ(LaidOut(), (Lines{"12345678901234567890", "next   word"}));
  Configure(160, "abcd     efghijkl");
  EXPECT_EQ(LaidOut(), (Lines{"abcd", "efghijkl"}));
}

TEST_F(WordBreakingTest, AWordWiderThanTheWindowIsSplitAndNothingIsLost) {
  Configure(160, "a abcdefghijklmnopqrstuvwxy z");
  EXPECT_EQ(LaidOut(), (Lines{"a", "abcdefghij", "klmnopqrst", "uvwxy z"}));
  Configure(8, "ab c");  // narrower than one character: one character a line
  EXPECT_EQ(LaidOut(), (Lines{"a", "b", "c"}));
}

TEST_F(WordBreakingTest, MarkupAndLineFeedsWorkAsInJapanese) {
  Configure(320, "#FF0000Dizzy Line\n$8\n\n#000000A line that moves up and down all by itself.\n");
  EXPECT_EQ(LaidOut(), (Lines{"Dizzy Line", "", "", "A line that moves up", "and down all by",
                              "itself.", ""}));
  EXPECT_EQ(window.lines[0].colour, 0xFF0000);
  EXPECT_EQ(window.lines[1].placeholder, 8);
  EXPECT_EQ(window.lines[3].colour, 0x000000);
  EXPECT_EQ(window.lines[4].colour, 0x000000);
  EXPECT_EQ(window.lines[4].yOffset, 4 * 32);
}

// A list item's wrapped lines hang under its text, two bytes (32 pixels) right of the dash, and
// break to the width left to them; other paragraphs, and the next item, start at the left.
TEST_F(WordBreakingTest, WrappedListItemsHangUnderTheirText) {
  Configure(320, "#000000- one two three four five six\nseven eight nine ten\n- end\n");
  EXPECT_EQ(LaidOut(),
            (Lines{"- one two three four", "five six", "seven eight nine ten", "- end", ""}));
  const int expectedOffsets[] = {0, 32, 0, 0, 0};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(window.lines[k].xOffset, expectedOffsets[k]) << k;
  window.Update();
  window.Update();
  Drawn();
  ASSERT_EQ(device.Texts().size(), 3u);  // the window shows three lines
  EXPECT_EQ(device.Texts()[1].left, 64 + 32);
  EXPECT_EQ(device.Texts()[2].left, 64);
  // The hanging line has 288 pixels: 18 letters, where the first line holds 20.
  Configure(320, "- abcdefghij klmnopqr stuvwxyza\n");
  EXPECT_EQ(LaidOut(), (Lines{"- abcdefghij", "klmnopqr stuvwxyza", ""}));
  Configure(320, "- abcdefghij klmnopqr stuvwxyzab\n");
  EXPECT_EQ(LaidOut(), (Lines{"- abcdefghij", "klmnopqr", "stuvwxyzab", ""}));
}

TEST_F(MessageWindowTest, JapaneseListsNeverHang) {
  Configure(64, 266, 320, 112, -1, "- あいうえおかきくけこさしすせそ"_sj);
  ASSERT_EQ(window.lineCount, 2);
  EXPECT_EQ(window.lines[1].xOffset, 0);
}

// A font whose "W" is three times as wide as other letters.
class WideWFont : public IFont {
 public:
  int Height() const override { return 32; }
  void DrawText(std::string_view, int, int, uint32_t) override {}
  int TextWidth(std::string_view text) override {
    int width = 0;
    for (char c : text) width += c == 'W' ? 48 : 16;
    return width;
  }
};

TEST_F(WordBreakingTest, WidthIsMeasuredWithTheFontNotCountedInBytes) {
  CFont wide(std::make_unique<WideWFont>(), 32);
  fonts[3] = &wide;             // g_fonts is this table
  Configure(320, "WWWW WWWW");  // 9 bytes, 400 pixels
  EXPECT_EQ(LaidOut(), (Lines{"WWWW", "WWWW"}));
  Configure(320, "wwww wwww");
  EXPECT_EQ(LaidOut(), (Lines{"wwww wwww"}));
}

TEST_F(MessageWindowTest, JapaneseBreaksByBytesWhateverTheFontMeasures) {
  CFont wide(std::make_unique<WideWFont>(), 32);
  fonts[3] = &wide;
  // Eleven full-width characters (22 bytes) and the twelfth on the next line, as ever.
  Configure(64, 266, 320, 112, -1, "あいうえおかきくけこさし"_sj);
  EXPECT_EQ(window.lineCount, 2);
  EXPECT_EQ(Line(0), "あいうえおかきくけこさ"_sj);
}

}  // namespace
