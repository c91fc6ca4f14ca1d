// Shift-JIS text (code page 932) from UTF-8 sources, at compile time and at run time.
//
// The game keeps its text as Shift-JIS because the message window lays it out by counting
// bytes, while the sources stay UTF-8. A literal with the suffix _sj is converted while
// compiling:
//
//   const char* title = "もらびん！"_sj;  // 82 E0 82 E7 82 D1 82 F1 81 49
//
// The conversion uses the committed table of glibc's CP932 converter, so every compiler gives
// the same bytes, and a character the code page lacks stops the build.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "system/cp932_table.h"

// The literals below read the compiler's bytes of a narrow literal as UTF-8.
static_assert(sizeof("あ") == 4 && "あ"[0] == '\xE3', "narrow string literals must be UTF-8");

struct Utf8Char {
  char32_t codePoint;
  size_t length;  // 0 when the bytes do not begin a well-formed UTF-8 character
};

// The character at the start of a non-empty text. Only the shortest form of a scalar value is
// well formed: no overlong forms, no surrogates, nothing above U+10FFFF.
constexpr Utf8Char ReadUtf8(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  if (lead < 0x80) return {lead, 1};
  size_t length = 0;
  char32_t value = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0Fu;
    if (lead == 0xE0) low = 0xA0;   // overlong below
    if (lead == 0xED) high = 0x9F;  // surrogates above
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07u;
    if (lead == 0xF0) low = 0x90;   // overlong below
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF above
  } else {
    return {0, 0};
  }
  if (s.size() < length) return {0, 0};
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(s[i]);
    if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) return {0, 0};
    value = (value << 6) | (byte & 0x3Fu);
  }
  return {value, length};
}

// The code page 932 code of a character (one byte below 0x100), or -1 when it has none.
constexpr int32_t Cp932Code(char32_t c) {
  size_t first = 0, last = std::size(kCp932Encodings);
  while (first < last) {
    const size_t middle = (first + last) / 2;
    if (kCp932Encodings[middle].unicode < c)
      first = middle + 1;
    else
      last = middle;
  }
  if (first == std::size(kCp932Encodings) || kCp932Encodings[first].unicode != c) return -1;
  return kCp932Encodings[first].code;
}

struct Cp932Conversion {
  size_t length;    // bytes written
  size_t replaced;  // characters written as '?': ill-formed UTF-8 bytes, or missing in the page
};

// Converts UTF-8 to code page 932 into out (out may be null to measure). An ill-formed byte
// becomes one '?'; so does a well-formed character the code page lacks.
constexpr Cp932Conversion Utf8ToCp932(std::string_view utf8, char* out) {
  Cp932Conversion result{0, 0};
  auto put = [&](int32_t byte) {
    if (out) out[result.length] = static_cast<char>(byte);
    ++result.length;
  };
  while (!utf8.empty()) {
    const Utf8Char c = ReadUtf8(utf8);
    const int32_t code = c.length > 0 ? Cp932Code(c.codePoint) : -1;
    if (code < 0) {
      put('?');
      ++result.replaced;
    } else {
      if (code > 0xFF) put(code >> 8);
      put(code & 0xFF);
    }
    utf8.remove_prefix(c.length > 0 ? c.length : 1);
  }
  return result;
}

// The text of a literal, carried as a template argument to the literal operator.
template <size_t N>
struct Utf8Literal {
  char text[N];
  consteval Utf8Literal(const char (&s)[N]) {
    for (size_t i = 0; i < N; ++i) text[i] = s[i];
  }
  constexpr std::string_view View() const { return {text, N - 1}; }
};

// One static NUL-terminated copy of each converted literal.
template <Utf8Literal literal>
struct ShiftJisLiteral {
  static constexpr Cp932Conversion kSize = Utf8ToCp932(literal.View(), nullptr);
  static_assert(kSize.replaced == 0,
                "the literal is not UTF-8 or has a character code page 932 lacks");
  static constexpr std::array<char, kSize.length + 1> kBytes = [] {
    std::array<char, kSize.length + 1> bytes{};
    Utf8ToCp932(literal.View(), bytes.data());
    return bytes;
  }();
};

template <Utf8Literal literal>
consteval const char* operator""_sj() {
  return ShiftJisLiteral<literal>::kBytes.data();
}
