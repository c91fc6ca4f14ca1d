// Decoded pictures kept from one scene to the next.
#pragma once

#include <cstddef>
#include <memory>

#include "system/dib.h"
#include "system/recently_used.h"

// Bitmap resource `id` decoded, with opaque black made transparent (the colour key); null when
// the resource is missing or does not decode.
std::shared_ptr<const DecodedImage> DecodePicture(int id);

// Every scene decodes its pictures when it starts. Decoding is most of what entering a scene
// costs (4 to 8 ms for a menu on a slow machine), so the most recently used pictures stay decoded
// within a memory budget and a scene entered again only copies them into textures. The resources
// do not change while the cache exists, so a picture is known by its resource id.
class PictureCache {
 public:
  explicit PictureCache(size_t budgetBytes) : kept_(budgetBytes) {}

  // The picture of resource `id`: kept from before, or decoded now and kept if it fits.
  std::shared_ptr<const DecodedImage> Get(int id);
  size_t KeptBytes() const { return kept_.KeptBytes(); }

 private:
  RecentlyUsed<int, DecodedImage> kept_;
};

// The cache pictures are loaded through; none decodes every load afresh. Set by the program for
// the lifetime of its resources.
extern PictureCache* g_pictures;
