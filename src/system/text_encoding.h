// Shift-JIS (code page 932) <-> UTF-8, for the font and message-box boundaries. Both
// directions use the committed table of glibc's CP932 converter, so every platform converts
// the same way.
#pragma once

#include <string>
#include <string_view>

// Invalid or incomplete sequences, and characters the other side lacks, are replaced by '?'.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);
