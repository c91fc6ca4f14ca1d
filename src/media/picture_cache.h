// Decoded pictures kept from one scene to the next.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <span>

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

  // Pictures that a scene still to come will ask for. PrefetchOne decodes them ahead, one per
  // call, in the order given, so that the scene's start only copies them into textures.
  void Prefetch(std::span<const int> ids);
  // Decodes and keeps the next prefetched picture not kept yet; false when none was left.
  bool PrefetchOne();

 private:
  RecentlyUsed<int, DecodedImage> kept_;
  std::deque<int> prefetch_;
};

// The cache pictures are loaded through; none decodes every load afresh. Set by the program for
// the lifetime of its resources.
extern PictureCache* g_pictures;

// Asks the program's cache, when there is one, to decode pictures ahead: a scene names those of
// the scenes it leads to.
void PrefetchPictures(std::span<const int> ids);
