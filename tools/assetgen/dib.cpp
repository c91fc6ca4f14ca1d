#include "dib.h"

#include <libimagequant.h>

#include <array>
#include <limits>
#include <memory>
#include <stdexcept>

#include "system/little_endian.h"

namespace {

size_t RowBytes(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

std::vector<uint8_t> Header(const Image& image, int bits) {
  std::vector<uint8_t> out;
  PutLe32(out, kDibHeaderSize);
  PutLe32(out, image.width);
  PutLe32(out, image.height);  // positive: rows are stored bottom-up
  PutLe16(out, 1);             // planes
  PutLe16(out, bits);
  PutLe32(out, 0);  // BI_RGB
  PutLe32(out, static_cast<uint32_t>(RowBytes(image.width, bits) * image.height));
  PutLe32(out, 2835);  // 72 dpi
  PutLe32(out, 2835);
  PutLe32(out, 0);  // biClrUsed 0: the table is full size
  PutLe32(out, 0);
  return out;
}

std::vector<uint8_t> EncodeTrueColour(const Image& image) {
  std::vector<uint8_t> out = Header(image, 24);
  const size_t rowBytes = RowBytes(image.width, 24);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.At(x, y);
      const uint32_t rgb = IsTransparent(p) ? 0 : Rgb(p);
      out.push_back(rgb & 0xFF);
      out.push_back((rgb >> 8) & 0xFF);
      out.push_back((rgb >> 16) & 0xFF);
    }
    out.resize(start + rowBytes, 0);
  }
  return out;
}

// The opaque colours of a quantised picture; index 0 of the final table is transparent black.
struct Palette {
  std::array<uint32_t, 256> rgb{};
  int count = 1;

  int Nearest(uint32_t colour) const {
    int best = 1;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 1; i < count; ++i) {
      long d = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const long delta = static_cast<long>((colour >> shift) & 0xFF) - ((rgb[i] >> shift) & 0xFF);
        d += delta * delta;
      }
      if (d < bestDistance) bestDistance = d, best = i;
    }
    return best;
  }
};

struct LiqDeleter {
  void operator()(liq_attr* p) const { liq_attr_destroy(p); }
  void operator()(liq_image* p) const { liq_image_destroy(p); }
  void operator()(liq_result* p) const { liq_result_destroy(p); }
};

// Reduces the opaque pixels to at most 2^bits - 1 colours with fixed settings (same input,
// same output), and returns one palette index per pixel.
std::vector<uint8_t> Quantise(const Image& image, int bits, Palette& palette) {
  std::vector<uint8_t> rgba(image.argb.size() * 4);
  bool anyTransparent = false;
  for (size_t i = 0; i < image.argb.size(); ++i) {
    const uint32_t p = image.argb[i];
    rgba[i * 4 + 0] = (p >> 16) & 0xFF;
    rgba[i * 4 + 1] = (p >> 8) & 0xFF;
    rgba[i * 4 + 2] = p & 0xFF;
    rgba[i * 4 + 3] = IsTransparent(p) ? 0 : 255;
    anyTransparent = anyTransparent || IsTransparent(p);
  }
  std::unique_ptr<liq_attr, LiqDeleter> attr(liq_attr_create());
  // Transparent pixels take one entry of their own, which becomes our entry 0; without them
  // entry 0 stays reserved all the same.
  liq_set_max_colors(attr.get(), anyTransparent ? 1 << bits : (1 << bits) - 1);
  liq_set_speed(attr.get(), 4);
  std::unique_ptr<liq_image, LiqDeleter> input(
      liq_image_create_rgba(attr.get(), rgba.data(), image.width, image.height, 0));
  liq_result* rawResult = nullptr;
  if (!input || liq_image_quantize(input.get(), attr.get(), &rawResult) != LIQ_OK)
    throw std::runtime_error("palette reduction failed");
  std::unique_ptr<liq_result, LiqDeleter> result(rawResult);
  liq_set_dithering_level(result.get(), bits == 8 ? 0.5f : 0.0f);

  std::vector<uint8_t> indices(image.argb.size());
  if (liq_write_remapped_image(result.get(), input.get(), indices.data(), indices.size()) != LIQ_OK)
    throw std::runtime_error("palette remapping failed");

  // Renumber: transparent entries go to 0, opaque ones to 1.. in their order.
  const liq_palette* liqPalette = liq_get_palette(result.get());
  std::array<int, 256> renumber{};
  for (unsigned i = 0; i < liqPalette->count; ++i) {
    const liq_color c = liqPalette->entries[i];
    if (c.a < 128 || palette.count >= (1 << bits)) continue;
    uint32_t rgb = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
    palette.rgb[palette.count] = rgb == 0 ? kNearBlack : rgb;
    renumber[i] = palette.count++;
  }
  if (palette.count == 1) palette.rgb[palette.count++] = kNearBlack;  // an all-transparent picture
  for (size_t i = 0; i < indices.size(); ++i) {
    const uint32_t p = image.argb[i];
    if (IsTransparent(p))
      indices[i] = 0;
    else if (renumber[indices[i]] != 0)
      indices[i] = static_cast<uint8_t>(renumber[indices[i]]);
    else
      indices[i] = static_cast<uint8_t>(palette.Nearest(Rgb(p)));  // dithered onto transparency
  }
  return indices;
}

std::vector<uint8_t> EncodeIndexed(const Image& image, int bits) {
  Palette palette;
  const std::vector<uint8_t> indices = Quantise(image, bits, palette);
  std::vector<uint8_t> out = Header(image, bits);
  for (int i = 0; i < (1 << bits); ++i) {
    // Unused entries repeat the near-black so that only entry 0 is pure black.
    const uint32_t rgb = i == 0 ? 0 : i < palette.count ? palette.rgb[i] : kNearBlack;
    PutLe32(out, rgb);  // B, G, R, reserved
  }
  const size_t rowBytes = RowBytes(image.width, bits);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < image.width; ++x) {
      const uint8_t index = indices[static_cast<size_t>(y) * image.width + x];
      if (bits == 8)
        row[x] = index;
      else
        row[x / 2] |= (x % 2 == 0) ? index << 4 : index;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeDib(const Image& image, int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 24: return EncodeTrueColour(image);
    case 8:
    case 4: return EncodeIndexed(image, bitsPerPixel);
  }
  throw std::invalid_argument("unsupported bit depth");
}
