// The English pictures: the same painters paint every bitmap with words a second time in
// English, and nothing else changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitmaps.h"
#include "decoded.h"
#include "rects.h"

namespace {

// Symbols that belong to no language: arrows in the key help, notes and a stop mark.
bool IsSymbol(const std::string& utf8) {
  for (const char* symbol : {"↑", "↓", "←", "→", "♪", "■"})
    if (utf8 == symbol) return true;
  return false;
}

// The characters of `utf8` that are neither printable ASCII nor a symbol.
std::string NotEnglish(const std::string& utf8) {
  std::string foreign;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::string character = utf8.substr(i, length);
    if (length == 1 ? (lead < 0x20 || lead > 0x7E) : !IsSymbol(character)) foreign += character;
    i += length;
  }
  return foreign;
}

TEST(EnglishArt, EnglishPicturesLetterOnlyEnglish) {
  int worded = 0;
  for (const BitmapSpec& spec : BitmapSpecs()) {
    if (!HasWords(spec.id)) continue;
    ++worded;
    std::vector<std::string> lettering;
    PaintBitmap(spec.id, Language::English, &lettering);
    EXPECT_FALSE(lettering.empty()) << spec.id;
    for (const std::string& text : lettering) {
      std::string foreign = NotEnglish(text);
      // The title logo keeps the game's name, with "Moravin" spelt under it.
      if (spec.id == 124 && std::string("もらびん！").find(text) != std::string::npos)
        foreign.clear();
      EXPECT_EQ(foreign, "") << spec.id << ": " << text;
    }
  }
  EXPECT_EQ(worded, 17);
}

// A bitmap not listed as having words paints the same in English: nothing was left out of the
// English set. A listed one paints differently: nothing is carried twice for no reason.
TEST(EnglishArt, OnlyBitmapsWithWordsChangeInEnglish) {
  for (const BitmapSpec& spec : BitmapSpecs()) {
    if (!HasArtPainter(spec.id)) continue;
    const Image japanese = PaintBitmap(spec.id, Language::Japanese);
    const Image english = PaintBitmap(spec.id, Language::English);
    if (HasWords(spec.id))
      EXPECT_NE(japanese.argb, english.argb) << spec.id;
    else
      EXPECT_EQ(japanese.argb, english.argb) << spec.id;
  }
}

TEST(EnglishArt, JapanesePicturesAreStillLetteredInJapanese) {
  std::vector<std::string> lettering;
  PaintBitmap(124, Language::Japanese, &lettering);
  bool japanese = false;
  for (const std::string& text : lettering) japanese |= text == "ゲームスタート";
  EXPECT_TRUE(japanese);
}

}  // namespace
