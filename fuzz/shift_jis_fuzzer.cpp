// Shift-JIS conversion: decoding gives well-formed UTF-8, one character per character of the
// input, and encoding that UTF-8 again settles after one round trip.
#include <string>

#include "fuzz_check.h"
#include "system/shift_jis.h"
#include "system/text_encoding.h"

namespace {

// The number of characters of well-formed UTF-8; false when it is not well formed.
bool CountUtf8(std::string_view utf8, size_t& characters) {
  characters = 0;
  while (!utf8.empty()) {
    const Utf8Char c = ReadUtf8(utf8);
    if (c.length == 0) return false;
    utf8.remove_prefix(c.length);
    ++characters;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // As Shift-JIS: each input character (or bad byte) becomes one character, never more bytes
  // than three per input byte.
  const std::string utf8 = SjisToUtf8(input);
  size_t characters = 0;
  FUZZ_CHECK(CountUtf8(utf8, characters));
  FUZZ_CHECK(characters <= input.size() && utf8.size() <= input.size() * 3);
  // Encoding then decoding changes no decoded text: every character a decode gives has a code.
  const std::string sjis = Utf8ToSjis(utf8);
  FUZZ_CHECK(SjisToUtf8(sjis) == utf8);

  // As UTF-8: what an encode gives is a fixed point of decode and encode, and the encode the
  // literals use at compile time counts what it replaces.
  const std::string encoded = Utf8ToSjis(input);
  FUZZ_CHECK(Utf8ToSjis(SjisToUtf8(encoded)) == encoded);
  const Cp932Conversion measured = Utf8ToCp932(input, nullptr);
  FUZZ_CHECK(measured.length == encoded.size());
  size_t inputCharacters = 0;
  if (CountUtf8(input, inputCharacters)) FUZZ_CHECK(measured.replaced <= inputCharacters);
  return 0;
}
