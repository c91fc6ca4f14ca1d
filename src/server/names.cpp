#include "server/names.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cstdio>
#include <vector>

namespace {

// Names longer than this many bytes are refused before any decoding: 12 characters of at most
// 4 bytes each, with room for the spaces that trimming drops and a decomposed form.
constexpr size_t kMaxNameBytes = 256;

std::string CodePoint(UChar32 c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

bool IsBidiControl(UChar32 c) {
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

// Why the character may not stand in a name, or empty when it may.
std::string CharacterProblem(UChar32 c) {
  if (IsBidiControl(c)) return "a bidirectional control character (" + CodePoint(c) + ")";
  switch (u_charType(c)) {
    case U_CONTROL_CHAR: return "a control character (" + CodePoint(c) + ")";
    case U_FORMAT_CHAR: return "an invisible formatting character (" + CodePoint(c) + ")";
    case U_PRIVATE_USE_CHAR: return "a private use character (" + CodePoint(c) + ")";
    case U_UNASSIGNED: return "an unassigned code point (" + CodePoint(c) + ")";
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR: return "a line break (" + CodePoint(c) + ")";
    default: return "";
  }
}

bool ToUtf16(std::string_view utf8, std::vector<UChar>& out) {
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  out.resize(utf8.size() + 1);
  u_strFromUTF8(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                static_cast<int32_t>(utf8.size()), &status);
  if (U_FAILURE(status)) return false;
  out.resize(static_cast<size_t>(length));
  return true;
}

bool Normalise(const std::vector<UChar>& text, std::vector<UChar>& out) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  if (U_FAILURE(status)) return false;
  // NFC of a string is at most three times its length.
  out.resize(text.size() * 3 + 1);
  const int32_t length = unorm2_normalize(nfc, text.data(), static_cast<int32_t>(text.size()),
                                          out.data(), static_cast<int32_t>(out.size()), &status);
  if (U_FAILURE(status)) return false;
  out.resize(static_cast<size_t>(length));
  return true;
}

std::string ToUtf8(const std::vector<UChar>& text) {
  std::string out(text.size() * 3, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
              static_cast<int32_t>(text.size()), &status);
  out.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
  return out;
}

}  // namespace

NameCheck CheckName(std::string_view utf8) {
  NameCheck check;
  if (utf8.size() > kMaxNameBytes) {
    check.error = "a name of more than " + std::to_string(kMaxNameCharacters) + " characters";
    return check;
  }
  std::vector<UChar> decoded, text;
  if (!ToUtf16(utf8, decoded)) {
    check.error = "a name that is not valid UTF-8";
    return check;
  }
  if (!Normalise(decoded, text)) {
    check.error = "a name that cannot be normalised";
    return check;
  }
  size_t begin = 0, end = text.size();
  while (begin < end && u_isUWhiteSpace(text[begin])) ++begin;
  while (end > begin && u_isUWhiteSpace(text[end - 1])) --end;
  text = std::vector<UChar>(text.begin() + static_cast<std::ptrdiff_t>(begin),
                            text.begin() + static_cast<std::ptrdiff_t>(end));
  int characters = 0;
  for (size_t i = 0; i < text.size();) {
    UChar32 c;
    U16_NEXT(text.data(), i, text.size(), c);
    if (std::string problem = CharacterProblem(c); !problem.empty()) {
      check.error = "a name with " + problem;
      return check;
    }
    ++characters;
  }
  if (characters == 0) {
    check.error = "an empty name";
  } else if (characters > kMaxNameCharacters) {
    check.error = "a name of " + std::to_string(characters) + " characters, more than " +
                  std::to_string(kMaxNameCharacters);
  } else {
    check.name = ToUtf8(text);
  }
  return check;
}
