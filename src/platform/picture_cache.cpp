#include "platform/picture_cache.h"

#include <algorithm>
#include <cstdint>

#include "system/resources.h"

PictureCache* g_pictures = nullptr;

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000;

size_t BytesOf(const DecodedImage& image) { return image.argb.size() * sizeof(uint32_t); }

}  // namespace

std::shared_ptr<const DecodedImage> DecodePicture(int id) {
  const std::span<const uint8_t> bytes = FindResource(ResourceType::Bitmap, id);
  auto image = std::make_shared<DecodedImage>();
  const bool decoded = DecodeDib(bytes, *image);
  // Decoded, the picture is kept or made into a texture: its file bytes are not read again soon.
  ForgetResource(bytes);
  if (!decoded) return nullptr;
  for (uint32_t& p : image->argb) p = (p == kOpaqueBlack) ? 0x00000000u : (p | 0xFF000000u);
  return image;
}

std::shared_ptr<const DecodedImage> PictureCache::Get(int id) {
  const auto kept = std::find_if(entries_.begin(), entries_.end(),
                                 [id](const Entry& entry) { return entry.id == id; });
  if (kept != entries_.end()) {
    // Used again: it moves to the most recently used end.
    std::rotate(kept, kept + 1, entries_.end());
    return entries_.back().image;
  }
  std::shared_ptr<const DecodedImage> image = DecodePicture(id);
  if (image) Keep(id, image);
  return image;
}

void PictureCache::Keep(int id, std::shared_ptr<const DecodedImage> image) {
  const size_t bytes = BytesOf(*image);
  if (bytes > budgetBytes_) return;
  // The least recently used make room.
  size_t dropped = 0;
  while (keptBytes_ + bytes > budgetBytes_) {
    keptBytes_ -= BytesOf(*entries_[dropped].image);
    ++dropped;
  }
  entries_.erase(entries_.begin(), entries_.begin() + std::ptrdiff_t(dropped));
  entries_.push_back({id, std::move(image)});
  keptBytes_ += bytes;
}
