// Every bitmap the game carries, and every rectangle the game cuts out of each one.
// The painters, the placeholders, the contact sheets and the tests all read these tables.
#pragma once

#include <span>

#include "system/resource_ids.h"

using BitmapSpec = BitmapResource;

// What the pixels of a cut must look like.
enum class RectKind {
  Opaque,     // fully opaque: backgrounds, bars, tiles (no pure black at all)
  Sprite,     // a shape on a transparent (pure black) background, or a plate
  Character,  // an 85 x 85 character frame: a shape with transparent corners
  Hidden,     // read only by sprites that are never shown: content is free
};

struct ArtRect {
  int id;  // bitmap id
  int x, y, w, h;
  const char* name;
  RectKind kind;
};

// A region (not itself a cut) whose pixels must be all opaque or all transparent, because
// another sheet is drawn over it or it peeks out from under one.
struct ArtConstraint {
  int id;
  int x, y, w, h;
  bool opaque;  // true: no pure black; false: all pure black
  const char* why;
};

std::span<const BitmapSpec> BitmapSpecs();
const BitmapSpec* FindBitmapSpec(int id);

std::span<const ArtRect> AllArtRects();
// The cuts of one bitmap, in table order (empty for bitmaps nothing draws).
std::span<const ArtRect> ArtRectsOf(int id);

std::span<const ArtConstraint> ArtConstraints();

// The window icon (kIconId): 48 x 48 ARGB.
constexpr int kIconSize = 48;
