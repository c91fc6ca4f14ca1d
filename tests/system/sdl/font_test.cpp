#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdl_test_platform.h"
#include "system/sdl/sdl_font.h"
#include "system/text_encoding.h"
#include "system/window.h"

namespace {

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = TestPlatform().CreateWindow(WindowDesc{});
    ASSERT_NE(window_, nullptr);
    device_ = window_->Device();
    ASSERT_NE(device_, nullptr);
  }

  // Draws one line of text on black and returns the picture.
  std::vector<uint32_t> DrawLine(IFont& font, const std::string& sjis, uint32_t argb) {
    device_->Clear(0xFF000000);
    device_->BeginScene();
    font.DrawText(sjis, 100, 100, argb);
    device_->EndScene();
    device_->Present();
    std::vector<uint32_t> picture;
    device_->ReadPixels(picture);
    return picture;
  }

  std::unique_ptr<IWindow> window_;
  IRenderDevice* device_ = nullptr;
};

struct Ink {
  int pixels = 0;
  int top = 600, bottom = -1, left = 800, right = -1;
  uint32_t brightest = 0;
};

Ink InkOf(const std::vector<uint32_t>& picture) {
  Ink ink;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const uint32_t rgb = PixelAt(picture, x, y) & 0xFFFFFF;
      if (rgb == 0) continue;
      ++ink.pixels;
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.brightest = std::max(ink.brightest, rgb);
    }
  }
  return ink;
}

}  // namespace

#ifdef MORAVIN_SYSTEM_FONT
TEST(FontFile, FontconfigFindsBothFaces) {
  EXPECT_FALSE(MatchFontFile("sans:lang=ja").empty());
  EXPECT_NE(MatchFontFile("IPAPGothic").find("ipagp"), std::string::npos);
}
#endif

TEST_F(FontTest, JapaneseTextIsDrawnInItsColourInsideItsLine) {
  auto font = device_->CreateFont(24, Typeface::Japanese);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->Height(), 24);
  const std::string sjis = Utf8ToSjis("もらびん！");
  ASSERT_EQ(sjis.size(), 10u);  // five double-byte characters
  const Ink ink = InkOf(DrawLine(*font, sjis, 0xFF00FF00));
  EXPECT_GT(ink.pixels, 200);
  EXPECT_GE(ink.top, 100);
  EXPECT_LT(ink.bottom, 124);
  EXPECT_GE(ink.left, 100);
  EXPECT_EQ(ink.brightest, 0x00FF00u);  // only green: the colour is applied to the glyphs
}

TEST_F(FontTest, LineHeightMatchesThePixelHeight) {
  for (int height : {12, 16, 24, 32, 48, 64}) {
    auto font = device_->CreateFont(height, Typeface::Japanese);
    ASSERT_NE(font, nullptr) << height;
    // A tall glyph spans most of the line and never leaves it.
    const Ink ink = InkOf(DrawLine(*font, Utf8ToSjis("囗"), 0xFFFFFFFF));
    EXPECT_LT(ink.bottom - 100, height) << height;
    EXPECT_GT(ink.bottom - ink.top + 1, height * 2 / 3) << height;
  }
}

TEST_F(FontTest, FullWidthCharactersLeaveLeadingInTheLine) {
  // 29/32 of the line height: narrow enough for the message windows' longest lines, and no
  // narrower than that, so the text stays as large as it can be.
  for (int height : {12, 16, 24, 32, 48, 64}) {
    auto font = device_->CreateFont(height, Typeface::Japanese);
    ASSERT_NE(font, nullptr) << height;
    const int width = font->TextWidth(Utf8ToSjis("国"));
    EXPECT_LE(width, height * 29 / 32) << height;
    EXPECT_GE(width, height * 29 / 32 - 1) << height;
    EXPECT_EQ(font->TextWidth(Utf8ToSjis("国国国国")), 4 * width) << height;
  }
}

// English running text takes the proportional face: its letters are spaced by their own width,
// and they stand as tall as the Japanese face's, whose em they share.
TEST_F(FontTest, TheProportionalFaceSpacesLettersByTheirWidthAtTheSameSize) {
  auto japanese = device_->CreateFont(32, Typeface::Japanese);
  auto proportional = device_->CreateFont(32, Typeface::Proportional);
  ASSERT_TRUE(japanese && proportional);
  EXPECT_EQ(japanese->TextWidth("iiii"), japanese->TextWidth("WWWW"));
  EXPECT_LT(proportional->TextWidth("iiii") * 2, proportional->TextWidth("WWWW"));
  const std::string line = "Pipiru walks to the right.";
  EXPECT_LT(proportional->TextWidth(line), japanese->TextWidth(line) * 9 / 10);
  const Ink japaneseH = InkOf(DrawLine(*japanese, "H", 0xFFFFFFFF));
  const Ink proportionalH = InkOf(DrawLine(*proportional, "H", 0xFFFFFFFF));
  EXPECT_EQ(proportionalH.bottom - proportionalH.top, japaneseH.bottom - japaneseH.top);
  EXPECT_NEAR(proportionalH.bottom, japaneseH.bottom, 1);  // on the same baseline
}

TEST_F(FontTest, TextWidthIsTheWidthDrawn) {
  auto font = device_->CreateFont(32, Typeface::Japanese);
  ASSERT_NE(font, nullptr);
  for (const char* utf8 : {"ちょっとおざなりだけど", "CGを見れるんだよ", "Ｚキー OK!", "～☆…"}) {
    const std::string sjis = Utf8ToSjis(utf8);
    const int width = font->TextWidth(sjis);
    const Ink ink = InkOf(DrawLine(*font, sjis, 0xFFFFFFFF));
    EXPECT_GE(ink.left, 100) << utf8;
    EXPECT_LT(ink.right, 100 + width) << utf8;
    EXPECT_GT(ink.right, 100 + width - 10) << utf8;  // the last glyph's ink ends near the width
  }
  EXPECT_EQ(font->TextWidth(""), 0);
}

TEST_F(FontTest, RepeatedTextIsRenderedOnceWhateverItsColour) {
  auto font = SdlFont::Open(*static_cast<SdlRenderDevice*>(device_), 16, Typeface::Japanese);
  ASSERT_NE(font, nullptr);
  const std::string sjis = Utf8ToSjis("スコア 12345");
  const Ink white = InkOf(DrawLine(*font, sjis, 0xFFFFFFFF));
  const Ink red = InkOf(DrawLine(*font, sjis, 0xFFFF0000));
  EXPECT_EQ(font->RenderCount(), 1u);
  EXPECT_NEAR(white.pixels, red.pixels, white.pixels / 20);  // the same glyphs
  EXPECT_EQ(red.brightest, 0xFF0000u);
}

TEST_F(FontTest, CacheKeepsTheRecentlyUsedAndEvictsTheOldest) {
  auto font = SdlFont::Open(*static_cast<SdlRenderDevice*>(device_), 12, Typeface::Japanese);
  ASSERT_NE(font, nullptr);
  device_->BeginScene();
  for (int i = 0; i < 64; ++i) font->DrawText(std::to_string(i), 0, 0, 0xFFFFFFFF);
  font->DrawText("0", 0, 0, 0xFFFFFFFF);   // recently used again
  font->DrawText("64", 0, 0, 0xFFFFFFFF);  // evicts "1", the least recently used
  EXPECT_EQ(font->RenderCount(), 65u);
  font->DrawText("0", 0, 0, 0xFFFFFFFF);
  EXPECT_EQ(font->RenderCount(), 65u);
  font->DrawText("1", 0, 0, 0xFFFFFFFF);
  EXPECT_EQ(font->RenderCount(), 66u);
}

TEST_F(FontTest, EmptyTextAndResetAreHarmless) {
  auto font = device_->CreateFont(16, Typeface::Japanese);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(InkOf(DrawLine(*font, "", 0xFFFFFFFF)).pixels, 0);
  ASSERT_TRUE(device_->Reset());
  // The font lost its rendered strings with the old renderer and renders them anew.
  EXPECT_GT(InkOf(DrawLine(*font, "OK", 0xFFFFFFFF)).pixels, 10);
}

// A display-mode switch resets the renderer and the game makes its fonts again: they take the
// faces the device opened before, sized as before, and a font the device outlived still measures.
TEST_F(FontTest, FontsMadeAgainAfterAResetShareTheFacesAndMeasureTheSame) {
  auto& device = *static_cast<SdlRenderDevice*>(device_);
  const std::string sjis = Utf8ToSjis("ゲームスタート");
  auto before = SdlFont::Open(device, 24, Typeface::Japanese);
  ASSERT_NE(before, nullptr);
  const int width = before->TextWidth(sjis);
  const std::shared_ptr<TTF_Font> face = device.Faces().Get(24, Typeface::Japanese);
  ASSERT_TRUE(device_->Reset());
  auto after = SdlFont::Open(device, 24, Typeface::Japanese);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(device.Faces().Get(24, Typeface::Japanese), face) << "the face was opened again";
  EXPECT_NE(device.Faces().Get(16, Typeface::Japanese), face)
      << "each height has a face of its own";
  EXPECT_NE(device.Faces().Get(24, Typeface::Proportional), face) << "and each typeface";
  EXPECT_EQ(after->TextWidth(sjis), width);
  EXPECT_GT(InkOf(DrawLine(*after, sjis, 0xFFFFFFFF)).pixels, 50);

  window_.reset();  // the device goes; the font keeps its face
  EXPECT_EQ(after->TextWidth(sjis), width);
}
