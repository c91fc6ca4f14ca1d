#include "system/shift_jis.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "system/text_encoding.h"

namespace {

struct GccLiteral {
  std::u8string_view utf8;
  std::string_view cp932;
};

// Every Japanese literal of the game as GCC 12 compiled it with -fexec-charset=CP932.
constexpr GccLiteral kGccLiterals[] = {
#include "gcc_cp932_literals.inc"
};

std::string_view AsChars(std::u8string_view s) {
  return {reinterpret_cast<const char*>(s.data()), s.size()};
}

std::string Cp932Of(std::string_view utf8) {
  std::string out(Utf8ToCp932(utf8, nullptr).length, '\0');
  Utf8ToCp932(utf8, out.data());
  return out;
}

}  // namespace

// The literals are converted while compiling, by any compiler.
static_assert(std::string_view("もらびん！"_sj) == "\x82\xe0\x82\xe7\x82\xd1\x82\xf1\x81\x49");
static_assert(std::string_view("ASCII stays\n"_sj) == "ASCII stays\n");
static_assert(std::string_view("前半"
                               "後半"_sj) == std::string_view("前半後半"_sj));

TEST(ShiftJisLiterals, EveryGameTextHasTheBytesGccGaveIt) {
  ASSERT_GT(std::size(kGccLiterals), 150u);
  for (const GccLiteral& literal : kGccLiterals) {
    const std::string_view utf8 = AsChars(literal.utf8);
    SCOPED_TRACE(std::string(utf8));
    EXPECT_EQ(Utf8ToCp932(utf8, nullptr).replaced, 0u);
    EXPECT_EQ(Cp932Of(utf8), literal.cp932);
    EXPECT_EQ(SjisToUtf8(literal.cp932), utf8);
  }
}

TEST(ShiftJisLiterals, TrailBytesThatLookLikeAsciiSurvive) {
  // The second bytes of ソ and 能 are 0x5C, the backslash; that of ～ is 0x60.
  EXPECT_EQ(std::string_view("ソ能～"_sj), "\x83\x5c\x94\x5c\x81\x60");
  EXPECT_EQ(std::string_view("ｱｲｳ"_sj), "\xb1\xb2\xb3");  // half-width katakana: one byte each
}

// The encoding table and the decoding tables come from the same converter: every character
// comes back from its code, except those glibc folds onto a look-alike of the page.
TEST(Cp932Table, EveryEncodedCharacterDecodesBack) {
  const std::u32string foldedOnLookAlikes =
      U"\u00A2\u00A3\u00A5\u00AC\u2014\u2016\u203E\u2212\u301C";
  for (const Cp932Encoding& e : kCp932Encodings) {
    std::string code;
    if (e.code > 0xFF) code.push_back(static_cast<char>(e.code >> 8));
    code.push_back(static_cast<char>(e.code & 0xFF));
    const std::string utf8 = SjisToUtf8(code);
    const Utf8Char back = ReadUtf8(utf8);
    ASSERT_EQ(back.length, utf8.size()) << std::hex << e.code;
    if (foldedOnLookAlikes.find(e.unicode) == std::u32string::npos)
      EXPECT_EQ(back.codePoint, e.unicode) << std::hex << e.code;
    else
      EXPECT_NE(back.codePoint, e.unicode) << std::hex << e.code;
  }
}

TEST(Utf8Reading, OnlyWellFormedCharactersAreRead) {
  EXPECT_EQ(ReadUtf8("A").codePoint, U'A');
  EXPECT_EQ(ReadUtf8("\xc3\xa9").codePoint, U'\u00e9');
  EXPECT_EQ(ReadUtf8("\xe3\x81\x82").codePoint, U'\u3042');
  EXPECT_EQ(ReadUtf8("\xf0\x9f\x98\x80").codePoint, U'\U0001F600');
  EXPECT_EQ(ReadUtf8("\xf4\x8f\xbf\xbf").length, 4u);  // U+10FFFF, the last one
  // Overlong forms, surrogates, beyond U+10FFFF, stray and missing continuation bytes.
  for (std::string_view bad : {"\xc0\x80", "\xc1\xbf", "\xe0\x9f\xbf", "\xf0\x8f\xbf\xbf",
                               "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\x80",
                               "\xbf", "\xe3\x81", "\xe3\x41\x82", "\xff"}) {
    EXPECT_EQ(ReadUtf8(bad).length, 0u) << testing::PrintToString(bad);
  }
}
