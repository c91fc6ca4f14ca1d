#include "system/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int c : b) s.push_back(char(c));
  return s;
}
}  // namespace

// The game's texts are compiled to Shift-JIS; the message window counts their bytes.
TEST(ShiftJisLiterals, KnownStringsHaveTheirCodePage932Bytes) {
  EXPECT_EQ(std::string("もらびん！"),
            Bytes({0x82, 0xe0, 0x82, 0xe7, 0x82, 0xd1, 0x82, 0xf1, 0x81, 0x49}));
  // A second byte of 0x5C (the ASCII backslash) must survive as it is.
  const std::string possible = "可能性";
  EXPECT_EQ(possible, Bytes({0x89, 0xc2, 0x94, 0x5c, 0x90, 0xab}));
  EXPECT_EQ(std::string("～"), Bytes({0x81, 0x60}));  // FULLWIDTH TILDE
  EXPECT_EQ(std::string("A\n"), "A\x0a");
}

TEST(TextEncoding, RoundTripsBetweenShiftJisAndUtf8) {
  const std::string sjis =
      "セーブデータが作成できません\n正しくインストールされていない可能性があります";
  const std::string utf8 = reinterpret_cast<const char*>(
      u8"セーブデータが作成できません\n正しくインストールされていない可能性があります");
  EXPECT_EQ(SjisToUtf8(sjis), utf8);
  EXPECT_EQ(Utf8ToSjis(utf8), sjis);
  EXPECT_EQ(SjisToUtf8(""), "");
  EXPECT_EQ(SjisToUtf8("ABC 123"), "ABC 123");
}

TEST(TextEncoding, InvalidSequencesBecomeQuestionMarks) {
  // A lead byte with nothing after it, in the middle and at the end.
  EXPECT_EQ(SjisToUtf8(Bytes({'a', 0x82, 0x20, 'b'})), "a? b");
  EXPECT_EQ(SjisToUtf8(Bytes({'a', 0x82})), "a?");
  // Broken UTF-8 and a character code page 932 does not have.
  EXPECT_EQ(Utf8ToSjis(Bytes({'x', 0xE3, 0x81, 'y'})), "x??y");
  EXPECT_EQ(Utf8ToSjis(Bytes({'a', 0xF0, 0x9F, 0x98, 0x80, 'b'})), "a?b");  // an emoji
}
