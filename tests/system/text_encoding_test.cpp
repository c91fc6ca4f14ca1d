#include "system/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "system/shift_jis.h"

namespace {
std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int c : b) s.push_back(char(c));
  return s;
}
}  // namespace

TEST(TextEncoding, RoundTripsBetweenShiftJisAndUtf8) {
  const std::string sjis =
      "セーブデータが作成できません\n正しくインストールされていない可能性があります"_sj;
  const std::string utf8 = reinterpret_cast<const char*>(
      u8"セーブデータが作成できません\n正しくインストールされていない可能性があります");
  EXPECT_EQ(SjisToUtf8(sjis), utf8);
  EXPECT_EQ(Utf8ToSjis(utf8), sjis);
  EXPECT_EQ(SjisToUtf8(""), "");
  EXPECT_EQ(SjisToUtf8("ABC 123"), "ABC 123");
  // Half-width katakana are single bytes; the user-defined area decodes to private use.
  EXPECT_EQ(SjisToUtf8("\xb1\xdf"), reinterpret_cast<const char*>(u8"ｱﾟ"));
  EXPECT_EQ(SjisToUtf8("\xf0\x40"), "\xee\x80\x80");  // U+E000
}

TEST(TextEncoding, InvalidShiftJisBecomesQuestionMarks) {
  // A lead byte with nothing after it, in the middle and at the end.
  EXPECT_EQ(SjisToUtf8(Bytes({'a', 0x82, 0x20, 'b'})), "a? b");
  EXPECT_EQ(SjisToUtf8(Bytes({'a', 0x82})), "a?");
  // Bytes that are no character and no lead byte.
  EXPECT_EQ(SjisToUtf8(Bytes({0x80, 0xa0, 0xfd, 0xfe, 0xff})), "?????");
  // A lead and trail pair the page leaves empty is one character, and the trail is not
  // read again: 0x85 0x40 is unassigned, its 0x40 would otherwise read as '@'.
  EXPECT_EQ(SjisToUtf8(Bytes({0x85, 0x40, 'x'})), "?x");
  // A trail byte out of range is read again on its own.
  EXPECT_EQ(SjisToUtf8(Bytes({0x82, 0x7f})), "?\x7f");
}

TEST(TextEncoding, InvalidUtf8AndMissingCharactersBecomeQuestionMarks) {
  // Broken UTF-8: one '?' for each byte that does not begin a well-formed character.
  EXPECT_EQ(Utf8ToSjis(Bytes({'x', 0xE3, 0x81, 'y'})), "x??y");
  EXPECT_EQ(Utf8ToSjis(Bytes({0xED, 0xA0, 0x80})), "???");  // a surrogate
  // A well-formed character code page 932 does not have is one '?'.
  EXPECT_EQ(Utf8ToSjis(Bytes({'a', 0xF0, 0x9F, 0x98, 0x80, 'b'})), "a?b");  // an emoji
  EXPECT_EQ(Utf8ToSjis(reinterpret_cast<const char*>(u8"é")), "?");
}
