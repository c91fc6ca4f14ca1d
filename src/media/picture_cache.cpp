#include "media/picture_cache.h"

#include <cstdint>
#include <utility>

#include "system/resources.h"

PictureCache* g_pictures = nullptr;

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000;

size_t BytesOf(const DecodedImage& image) { return image.argb.size() * sizeof(uint32_t); }

}  // namespace

std::shared_ptr<const DecodedImage> DecodePicture(int id) {
  const std::span<const uint8_t> bytes = FindResource(ResourceType::Bitmap, id);
  auto image = std::make_shared<DecodedImage>();
  const bool decoded = DecodeDib(bytes, *image, kOpaqueBlack);
  // Decoded, the picture is kept or made into a texture: its file bytes are not read again soon.
  ForgetResource(bytes);
  return decoded ? image : nullptr;
}

void PrefetchPictures(std::span<const int> ids) {
  if (g_pictures) g_pictures->Prefetch(ids);
}

std::shared_ptr<const DecodedImage> PictureCache::Get(int id) {
  if (std::shared_ptr<const DecodedImage> kept = kept_.Find(id)) return kept;
  std::shared_ptr<const DecodedImage> image = DecodePicture(id);
  if (image) kept_.Keep(id, image, BytesOf(*image));
  return image;
}

void PictureCache::Prefetch(std::span<const int> ids) {
  prefetch_.insert(prefetch_.end(), ids.begin(), ids.end());
}

bool PictureCache::PrefetchOne() {
  while (!prefetch_.empty()) {
    const int id = prefetch_.front();
    prefetch_.pop_front();
    if (kept_.Holds(id)) continue;
    // One that does not decode is not asked for again: the scene will report it.
    if (std::shared_ptr<const DecodedImage> image = DecodePicture(id)) {
      const size_t bytes = BytesOf(*image);
      kept_.Keep(id, std::move(image), bytes);
    }
    return true;
  }
  return false;
}
