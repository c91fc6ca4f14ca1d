#include "bitmaps.h"

#include <cairo.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "art/text.h"
#include "dib.h"
#include "painter.h"
#include "placeholder.h"
#include "rects.h"

namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

Surface Paint(int id, int width, int height, Language language = Language::Japanese,
              std::vector<std::string>* lettering = nullptr) {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  {
    std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
    art::SetPictureLanguage(cr.get(), language, lettering);
    if (PaintFn painter = FindArtPainter(id))
      painter(cr.get(), width, height);
    else
      PaintPlaceholder(cr.get(), id, width, height);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error("painting bitmap " + std::to_string(id) + " failed");
  }
  cairo_surface_flush(surface.get());
  return surface;
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  return static_cast<uint8_t>(std::min<uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

// Straight ARGB from Cairo's premultiplied pixels; `keyed` applies the game's colour key.
Image ReadPixels(cairo_surface_t* surface, bool keyed) {
  Image image;
  image.width = cairo_image_surface_get_width(surface);
  image.height = cairo_image_surface_get_height(surface);
  image.argb.resize(static_cast<size_t>(image.width) * image.height);
  const int stride = cairo_image_surface_get_stride(surface);
  const uint8_t* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      uint32_t out = 0;
      if (a != 0) {
        out = (uint32_t{Unpremultiply((p >> 16) & 0xFF, a)} << 16) |
              (uint32_t{Unpremultiply((p >> 8) & 0xFF, a)} << 8) | Unpremultiply(p & 0xFF, a);
      }
      if (keyed) {
        if (a < 128)
          out = 0;
        else
          out = 0xFF000000u | (out == 0 ? kNearBlack : out);
      } else {
        out |= a << 24;
      }
      image.argb[static_cast<size_t>(y) * image.width + x] = out;
    }
  }
  return image;
}

}  // namespace

bool HasArtPainter(int id) { return FindArtPainter(id) != nullptr; }

bool HasWords(int id) {
  // Menu plates, captions, key help, the logos, the top bar's labels, the banners, the rank
  // badges, the rooms' tiles and tracks, the signs in two reward pictures, the pointer hints
  // and controls, the replay list's parts and the key-help pieces.
  static constexpr int kWorded[] = {101, 104, 111, 114, 116, 117, 119, 120, 121,
                                    123, 124, 125, 126, 127, 129, 130, 131};
  return std::find(std::begin(kWorded), std::end(kWorded), id) != std::end(kWorded);
}

Image ReadKeyedPixels(cairo_surface_t* surface) { return ReadPixels(surface, true); }

Image PaintBitmap(int id, Language language, std::vector<std::string>* lettering) {
  const BitmapSpec* spec = FindBitmapSpec(id);
  if (!spec) throw std::invalid_argument("no bitmap " + std::to_string(id));
  Surface surface = Paint(id, spec->width, spec->height, language, lettering);
  return ReadKeyedPixels(surface.get());
}

std::vector<uint8_t> GenerateBitmap(int id, Language language) {
  const BitmapSpec* spec = FindBitmapSpec(id);
  if (!spec) throw std::invalid_argument("no bitmap " + std::to_string(id));
  return EncodeDib(PaintBitmap(id, language), spec->bitsPerPixel);
}

std::vector<uint8_t> GenerateIcon() {
  Surface surface = Paint(kIconId, kIconSize, kIconSize);
  const Image image = ReadPixels(surface.get(), false);  // the icon keeps its soft edges
  std::vector<uint8_t> out;
  auto put32 = [&out](uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back((v >> shift) & 0xFF);
  };
  put32(image.width);
  put32(image.height);
  for (uint32_t p : image.argb) put32(p);
  return out;
}
