// Windows speaks UTF-16 in its wide API; the game keeps every path and text in UTF-8. These
// convert at the edge, where a call into Windows needs the wide form.
#pragma once

#include <string>
#include <string_view>

// Invalid UTF-8 becomes U+FFFD, as Windows converts it.
std::wstring Utf8ToWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);
