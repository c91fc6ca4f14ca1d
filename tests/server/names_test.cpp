#include "server/names.h"

#include <gtest/gtest.h>

namespace {

TEST(NameRules, AcceptsOneToTwelveCharactersOfAnyScript) {
  EXPECT_EQ(CheckName("A").name, "A");
  EXPECT_EQ(CheckName("ぴぴる").name, "ぴぴる");
  EXPECT_EQ(CheckName("あいうえおかきくけこさし").name, "あいうえおかきくけこさし");
  EXPECT_EQ(CheckName("ｍｏｒａ　ｖｉｎ").name, "ｍｏｒａ　ｖｉｎ");  // ideographic space inside
  EXPECT_EQ(CheckName("あいうえおかきくけこさしす").error, "a name of 13 characters, more than 12");
  EXPECT_EQ(CheckName("").error, "an empty name");
  EXPECT_EQ(CheckName(std::string(300, 'a')).error, "a name of more than 12 characters");
}

TEST(NameRules, StoresTheNfcFormWithoutSpacesAtTheEnds) {
  // "ぴ" decomposed (ひ + combining handakuten) and "é" decomposed: one character each once
  // composed, so twelve of them fit.
  const std::string decomposedPi = "\xE3\x81\xB2\xE3\x82\x9A";
  EXPECT_EQ(CheckName(decomposedPi + decomposedPi + "る").name, "ぴぴる");
  std::string twelve;
  for (int i = 0; i < 12; ++i) twelve += "e\xCC\x81";
  EXPECT_EQ(CheckName(twelve).error, "");
  EXPECT_EQ(CheckName("  mora vin \t").name, "mora vin");
  EXPECT_EQ(CheckName(" \xE3\x80\x80 ").error, "an empty name");
}

TEST(NameRules, RefusesInvisibleAndControlCharactersAndBadUtf8) {
  const struct {
    std::string name;
    std::string error;
  } cases[] = {
      {"ab\x07", "a name with a control character (U+0007)"},
      {std::string("a\0b", 3), "a name with a control character (U+0000)"},
      {"a\nb", "a name with a control character (U+000A)"},
      {"abc\xE2\x80\xAE"
       "cba",
       "a name with a bidirectional control character (U+202E)"},
      {"a\xE2\x81\xA6"
       "b",
       "a name with a bidirectional control character (U+2066)"},
      {"a\xE2\x80\x8F", "a name with a bidirectional control character (U+200F)"},
      {"a\xE2\x80\x8B"
       "b",
       "a name with an invisible formatting character (U+200B)"},
      {"a\xE2\x80\xA8"
       "b",
       "a name with a line break (U+2028)"},
      {"\xEE\x80\x80", "a name with a private use character (U+E000)"},
      {"a\xC3", "a name that is not valid UTF-8"},
      {"\xC0\xAF", "a name that is not valid UTF-8"},          // an overlong "/"
      {"\xED\xA0\x80", "a name that is not valid UTF-8"},      // a surrogate
      {"\xF4\x90\x80\x80", "a name that is not valid UTF-8"},  // beyond U+10FFFF
  };
  for (const auto& c : cases) {
    const NameCheck check = CheckName(c.name);
    EXPECT_EQ(check.error, c.error) << c.name;
    EXPECT_EQ(check.name, "");
  }
}

}  // namespace
