// Resources made in code: a valid bitmap of the right size and depth, and a short valid WAVE at
// the right rate, for every id of system/resource_ids.h, and the icon. Ids can be removed or
// replaced.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <utility>
#include <vector>

#include "system/resource_ids.h"
#include "system/resources.h"

// The top-left pixel of every fake bitmap carries its id: red 0x5A, green = id, blue 0xA5.
constexpr uint32_t FakeBitmapMarker(int id) { return 0xFF5A00A5u | (uint32_t(id & 0xFF) << 8); }
// The id a pixel marks, or 0 when it is no marker.
int FakeBitmapIdFromMarker(uint32_t argb);
// The first stereo sample of every fake WAVE carries its id: left = id, right = 0x5A5A.
// Returns the id, or 0 when the samples carry no marker.
int FakeWaveIdFromPcm(std::span<const uint8_t> pcm);

// Size and depth of bitmap `id` as the game carries it, or null for an unknown id.
const BitmapResource* FindFakeBitmapSpec(int id);

// A DIB without file header: BITMAPINFOHEADER, colour table (for up to 8 bits), bottom-up rows
// padded to 4 bytes. pixel(x, y), y from the top, gives a palette index for 1..8 bits and
// 0x00RRGGBB for 24 and 32 bits. biClrUsed is palette.size(), or 0 when it is 2^bits.
std::vector<uint8_t> BuildDib(int width, int height, int bits, std::span<const uint32_t> palette,
                              const std::function<uint32_t(int x, int y)>& pixel);
// A RIFF WAVE file with a 16-byte PCM "fmt " chunk and the given samples.
std::vector<uint8_t> BuildWave(uint32_t rate, uint16_t channels, uint16_t bitsPerSample,
                               std::span<const uint8_t> pcm);

// Frames of sound in every fake WAVE.
constexpr int kFakeWaveFrames = 64;

class FakeResources : public IResources {
 public:
  std::span<const uint8_t> Find(ResourceType type, int id) const override;

  bool Pending(ResourceType type, int id) const override { return onTheWay_.count({type, id}) > 0; }
  uint32_t Arrivals() const override { return arrivals_; }

  void Remove(ResourceType type, int id);
  void Replace(ResourceType type, int id, std::vector<uint8_t> bytes);
  // A resource still on its way, as a page's fetched files hold it: not found until Arrive.
  void Hold(ResourceType type, int id) { onTheWay_.insert({type, id}); }
  void Arrive(ResourceType type, int id);

 private:
  using Key = std::pair<ResourceType, int>;
  std::vector<uint8_t> Generate(ResourceType type, int id) const;

  std::set<Key> missing_;
  std::set<Key> onTheWay_;
  uint32_t arrivals_ = 0;
  mutable std::map<Key, std::vector<uint8_t>> cache_;
};
