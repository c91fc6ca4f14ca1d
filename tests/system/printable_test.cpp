#include "system/printable.h"

#include <gtest/gtest.h>

TEST(Printable, ControlCharactersBecomeEscapes) {
  EXPECT_EQ(Printable("plain text, 1 + 2 = 3"), "plain text, 1 + 2 = 3");
  EXPECT_EQ(Printable("a\nb\rc\td"), "a\\nb\\rc\\td");
  EXPECT_EQ(Printable("\x1b[31mred\x07"), "\\x1B[31mred\\x07");
  EXPECT_EQ(Printable(std::string_view("nul\0end", 7)), "nul\\x00end");
  EXPECT_EQ(Printable("\x7f"), "\\x7F");
  // C1 controls written in UTF-8 (U+009B is a terminal's one-byte escape sequence start).
  EXPECT_EQ(Printable("\xc2\x9b"
                      "2J"),
            "\\xC2\\x9B2J");
}

TEST(Printable, ValidUtf8StaysAndEveryOtherByteIsEscaped) {
  const char kSave[] = "\xe3\x82\xbb\xe3\x83\xbc\xe3\x83\x96/x";  // "セーブ/x" in UTF-8
  EXPECT_EQ(Printable(kSave), kSave);
  EXPECT_EQ(Printable("\xf0\x9f\x8e\xae"), "\xf0\x9f\x8e\xae");  // four bytes
  // Shift-JIS bytes, a lone continuation byte, an overlong slash, a surrogate, a cut sequence.
  EXPECT_EQ(Printable("\x83\x65"), "\\x83e");
  EXPECT_EQ(Printable("\x80"), "\\x80");
  EXPECT_EQ(Printable("\xc0\xaf"), "\\xC0\\xAF");
  EXPECT_EQ(Printable("\xed\xa0\x80"), "\\xED\\xA0\\x80");
  EXPECT_EQ(Printable("\xe3\x82"), "\\xE3\\x82");
  // A bad lead byte does not swallow the valid character after it.
  EXPECT_EQ(Printable("\xff\xe3\x82\xbb"), "\\xFF\xe3\x82\xbb");
}
