// Shift-JIS (code page 932) <-> UTF-8, for the font and message-box boundaries. Both
// directions use the committed table of glibc's CP932 converter, so every platform converts
// the same way.
#pragma once

#include <string>
#include <string_view>

// The bytes of the Shift-JIS character that begins with `c`: lead bytes begin a two-byte
// character; ASCII and half-width katakana are one byte.
inline int SjisCharacterBytes(unsigned char c) {
  return (c >= 0x80 && c <= 0x9F) || c >= 0xE0 ? 2 : 1;
}

// Invalid or incomplete sequences, and characters the other side lacks, are replaced by '?'.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);
