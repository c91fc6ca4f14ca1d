// DIB bitmaps: a decode either fails or yields exactly the pixels the header describes, read
// from bytes inside the input, and every byte the header asks for is really needed. A colour
// key changes its colour alone.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fuzz_check.h"
#include "system/dib.h"

namespace {

uint32_t Read32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

// What a BITMAPINFOHEADER promises, read independently of the decoder.
struct Header {
  size_t headerSize, width, height, bits, colours;
  size_t Stride() const { return (width * bits + 31) / 32 * 4; }
  size_t Needed() const { return headerSize + colours * 4 + Stride() * height; }
};

Header ReadHeader(std::span<const uint8_t> bytes) {
  Header h;
  h.headerSize = Read32(bytes, 0);
  h.width = Read32(bytes, 4);
  h.height = size_t(std::abs(int64_t(int32_t(Read32(bytes, 8)))));
  h.bits = size_t(bytes[14]) | size_t(bytes[15]) << 8;
  const size_t used = Read32(bytes, 32);
  h.colours = h.bits <= 8 ? (used ? used : size_t(1) << h.bits) : 0;
  return h;
}

// The opaque colours of a table of B, G, R, reserved entries, sorted.
std::vector<uint32_t> PaletteColours(std::span<const uint8_t> palette) {
  std::vector<uint32_t> colours;
  for (size_t i = 0; i + 4 <= palette.size(); i += 4)
    colours.push_back(0xFF000000u | uint32_t(palette[i + 2]) << 16 | uint32_t(palette[i + 1]) << 8 |
                      palette[i]);
  std::sort(colours.begin(), colours.end());
  return colours;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto bytes = FuzzBytes(data, size);
  DecodedImage image;
  if (!DecodeDib(bytes, image)) return 0;

  const Header h = ReadHeader(bytes);
  FUZZ_CHECK(image.width > 0 && image.width <= kMaxDibSide);
  FUZZ_CHECK(image.height > 0 && image.height <= kMaxDibSide);
  FUZZ_CHECK(size_t(image.width) == h.width && size_t(image.height) == h.height);
  FUZZ_CHECK(image.argb.size() == h.width * h.height);
  FUZZ_CHECK(h.Needed() <= bytes.size());
  for (uint32_t pixel : image.argb) FUZZ_CHECK(pixel >> 24 == 0xFF);  // always opaque
  if (h.bits <= 8) {
    // An index beyond the table gives black; any other pixel is a colour of the table.
    const auto colours = PaletteColours(bytes.subspan(h.headerSize, h.colours * 4));
    for (uint32_t pixel : image.argb) {
      FUZZ_CHECK(pixel == 0xFF000000u || std::binary_search(colours.begin(), colours.end(), pixel));
    }
  }

  // With a colour key (the game's: opaque black), that colour and no other becomes 0.
  DecodedImage keyed;
  FUZZ_CHECK(DecodeDib(bytes, keyed, 0xFF000000u));
  FUZZ_CHECK(keyed.argb.size() == image.argb.size());
  for (size_t i = 0; i < image.argb.size(); ++i)
    FUZZ_CHECK(keyed.argb[i] == (image.argb[i] == 0xFF000000u ? 0 : image.argb[i]));

  // The bytes the header asks for decode to the same picture; one byte fewer is refused.
  DecodedImage exact;
  FUZZ_CHECK(DecodeDib(bytes.first(h.Needed()), exact));
  FUZZ_CHECK(exact.argb == image.argb);
  FUZZ_CHECK(!DecodeDib(bytes.first(h.Needed() - 1), exact));
  return 0;
}
