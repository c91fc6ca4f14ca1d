// Shift-JIS (code page 932) <-> UTF-8, for the font and message-box boundaries.
#pragma once

#include <string>
#include <string_view>

// Invalid or incomplete sequences are replaced by '?'.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);
