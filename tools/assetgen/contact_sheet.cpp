#include "contact_sheet.h"

#include <cairo.h>

#include <memory>
#include <stdexcept>

#include "bitmaps.h"
#include "label.h"
#include "rects.h"

namespace {

uint32_t Checkerboard(int x, int y) { return ((x / 8 + y / 8) % 2) ? 0xFF9A9A9A : 0xFFD0D0D0; }

void WriteContactSheet(int id, Language language, const std::filesystem::path& pngPath) {
  const Image image = PaintBitmap(id, language);
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height),
      cairo_surface_destroy);
  cairo_surface_flush(surface.get());
  uint8_t* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.At(x, y);
      row[x] = IsTransparent(p) ? Checkerboard(x, y) : p;
    }
  }
  cairo_surface_mark_dirty(surface.get());

  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
  for (const ArtRect& rect : ArtRectsOf(id)) {
    const Rgba colour =
        rect.kind == RectKind::Hidden ? Rgba{0.6, 0.6, 1.0, 0.9} : Rgba{1.0, 0.2, 0.6, 1.0};
    OutlineRect(cr.get(), rect, colour);
  }
  DrawLabel(cr.get(), std::to_string(id), image.width - 4.0 - 40, 2, 18, LabelAnchor::TopLeft,
            {1, 1, 1, 1});
  if (cairo_surface_write_to_png(surface.get(), pngPath.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + pngPath.string());
}

}  // namespace

void WriteContactSheets(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  for (const BitmapSpec& spec : BitmapSpecs()) {
    const std::string name = "sheet_" + std::to_string(spec.id);
    WriteContactSheet(spec.id, Language::Japanese, dir / (name + ".png"));
    if (HasWords(spec.id)) WriteContactSheet(spec.id, Language::English, dir / (name + "_en.png"));
  }
}
