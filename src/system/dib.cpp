#include "system/dib.h"

#include <array>
#include <cstdlib>

#include "system/little_endian.h"

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;

struct DibLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bits = 0;
  std::span<const uint8_t> palette;  // 4 bytes per entry: B, G, R, reserved
  std::span<const uint8_t> pixels;
  size_t stride = 0;
};

bool SupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

bool ReadLayout(std::span<const uint8_t> bytes, DibLayout& d) {
  if (bytes.size() < kInfoHeaderSize) return false;
  const uint32_t headerSize = ReadLe32(bytes, 0);
  if (headerSize < kInfoHeaderSize || headerSize > bytes.size()) return false;
  const auto width = int32_t(ReadLe32(bytes, 4));
  const auto height = int32_t(ReadLe32(bytes, 8));
  d.bits = ReadLe16(bytes, 14);
  if (ReadLe16(bytes, 12) != 1 || ReadLe32(bytes, 16) != kBiRgb || !SupportedDepth(d.bits))
    return false;
  if (width <= 0 || width > kMaxDibSide || height == 0 || height < -kMaxDibSide ||
      height > kMaxDibSide)
    return false;
  d.width = width;
  d.height = std::abs(height);
  d.topDown = height < 0;

  size_t colours = 0;
  if (d.bits <= 8) {
    const size_t full = size_t(1) << d.bits;
    const uint32_t used = ReadLe32(bytes, 32);
    if (used > full) return false;
    colours = used ? used : full;
  }
  const size_t paletteBytes = colours * 4;
  if (bytes.size() - headerSize < paletteBytes) return false;
  d.palette = bytes.subspan(headerSize, paletteBytes);

  d.stride = ((size_t(d.width) * size_t(d.bits) + 31) / 32) * 4;
  const size_t pixelBytes = d.stride * size_t(d.height);
  const size_t pixelStart = headerSize + paletteBytes;
  if (bytes.size() - pixelStart < pixelBytes) return false;
  d.pixels = bytes.subspan(pixelStart, pixelBytes);
  return true;
}

uint32_t Opaque(uint8_t r, uint8_t g, uint8_t b) {
  return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

// The colour `transparent` made 0; 0 itself is no opaque colour, so 0 keys nothing.
uint32_t Keyed(uint32_t argb, uint32_t transparent) { return argb == transparent ? 0 : argb; }

// The colour table as ARGB, extended with black to every index the depth can hold, so that a
// row is decoded by plain lookups.
std::array<uint32_t, 256> Palette(const DibLayout& d, uint32_t transparent) {
  std::array<uint32_t, 256> colours;
  colours.fill(Keyed(Opaque(0, 0, 0), transparent));
  for (size_t i = 0; i * 4 < d.palette.size(); ++i) {
    const uint8_t* entry = d.palette.data() + i * 4;
    colours[i] = Keyed(Opaque(entry[2], entry[1], entry[0]), transparent);
  }
  return colours;
}

void DecodeTrueColourRow(const uint8_t* row, int width, size_t bytesPerPixel, uint32_t transparent,
                         uint32_t* out) {
  for (int x = 0; x < width; ++x, row += bytesPerPixel)
    out[x] = Keyed(Opaque(row[2], row[1], row[0]), transparent);
}

// Indexed: the leftmost pixel sits in the high bits of its byte.
void DecodeIndexedRow(const uint8_t* row, int width, int bits,
                      const std::array<uint32_t, 256>& colours, uint32_t* out) {
  if (bits == 8) {
    for (int x = 0; x < width; ++x) out[x] = colours[row[x]];
    return;
  }
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    out[x] = colours[(row[x / perByte] >> shift) & mask];
  }
}

}  // namespace

bool DecodeDib(std::span<const uint8_t> bytes, DecodedImage& image, uint32_t transparent) {
  DibLayout d;
  if (!ReadLayout(bytes, d)) return false;
  image.width = d.width;
  image.height = d.height;
  image.argb.resize(size_t(d.width) * size_t(d.height));
  const std::array<uint32_t, 256> colours = Palette(d, transparent);
  for (int y = 0; y < d.height; ++y) {
    const int stored = d.topDown ? y : d.height - 1 - y;
    const uint8_t* row = d.pixels.data() + size_t(stored) * d.stride;
    uint32_t* out = image.argb.data() + size_t(y) * size_t(d.width);
    if (d.bits >= 24)
      DecodeTrueColourRow(row, d.width, size_t(d.bits / 8), transparent, out);
    else
      DecodeIndexedRow(row, d.width, d.bits, colours, out);
  }
  return true;
}
