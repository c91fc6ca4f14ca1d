#include "system/text_encoding.h"

#include "system/cp932_table.h"
#include "system/shift_jis.h"

namespace {

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The index of a trail byte in the packed table, or -1 for a byte that cannot follow a lead.
int TrailIndex(unsigned char b) {
  if (b >= 0x40 && b <= 0x7E) return b - 0x40;
  if (b >= 0x80 && b <= 0xFC) return b - 0x80 + (0x7F - 0x40);
  return -1;
}

int LeadIndex(unsigned char b) { return b <= 0x9F ? b - 0x81 : b - 0xE0 + (0xA0 - 0x81); }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {  // every character of the page lies in the Basic Multilingual Plane
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

// A lead byte whose next byte cannot be a trail byte is one bad character, and the next byte
// is read again on its own; a lead and trail pair the page leaves empty is one bad character.
std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  for (size_t i = 0; i < sjis.size();) {
    const auto byte = static_cast<unsigned char>(sjis[i]);
    char16_t c = kCp932SingleBytes[byte];
    size_t length = 1;
    if (IsLeadByte(byte) && i + 1 < sjis.size()) {
      const int trail = TrailIndex(static_cast<unsigned char>(sjis[i + 1]));
      if (trail >= 0) {
        c = kCp932DoubleBytes[LeadIndex(byte)][trail];
        length = 2;
      }
    }
    if (c == kCp932Unmapped)
      out.push_back('?');
    else
      AppendUtf8(out, c);
    i += length;
  }
  return out;
}

std::string Utf8ToSjis(std::string_view utf8) {
  std::string out(Utf8ToCp932(utf8, nullptr).length, '\0');
  Utf8ToCp932(utf8, out.data());
  return out;
}
