#include "system/printable.h"

#include <cstdint>

namespace {

void AppendEscape(std::string& out, uint8_t byte) {
  switch (byte) {
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

// Length of the valid UTF-8 sequence at the start of `bytes` (its first byte at least 0x80),
// or 0 when it is not one. Overlong forms, surrogates and values past U+10FFFF are invalid.
size_t SequenceLength(std::string_view bytes, uint32_t& codePoint) {
  const auto lead = static_cast<uint8_t>(bytes[0]);
  size_t length = 0;
  uint32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(bytes[i]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = codePoint << 6 | (next & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || surrogate || codePoint > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::string Printable(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const auto byte = static_cast<uint8_t>(bytes[0]);
    if (byte < 0x80) {
      if (byte < 0x20 || byte == 0x7F)
        AppendEscape(out, byte);
      else
        out += static_cast<char>(byte);
      bytes.remove_prefix(1);
      continue;
    }
    uint32_t codePoint = 0;
    const size_t length = SequenceLength(bytes, codePoint);
    const bool c1Control = codePoint >= 0x80 && codePoint <= 0x9F;
    if (length == 0 || c1Control) {
      // Each byte on its own: the next one may start a valid sequence.
      const size_t escaped = length == 0 ? 1 : length;
      for (size_t i = 0; i < escaped; ++i) AppendEscape(out, static_cast<uint8_t>(bytes[i]));
      bytes.remove_prefix(escaped);
      continue;
    }
    out.append(bytes.substr(0, length));
    bytes.remove_prefix(length);
  }
  return out;
}
