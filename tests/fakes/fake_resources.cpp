#include "fakes/fake_resources.h"

#include <cstring>

#include "system/little_endian.h"

namespace {

constexpr int kIconSize = 32;
constexpr uint32_t kGrey = 0x808080;

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

// Every fake bitmap: the marker at the top left, pure black (the colour key) at the bottom
// right, grey elsewhere.
std::vector<uint8_t> FakeBitmap(const BitmapResource& spec) {
  const uint32_t marker = FakeBitmapMarker(spec.id) & 0xFFFFFF;
  const int w = spec.width, h = spec.height;
  if (spec.bitsPerPixel > 8) {
    return BuildDib(w, h, spec.bitsPerPixel, {}, [=](int x, int y) -> uint32_t {
      if (x == 0 && y == 0) return marker;
      return (x == w - 1 && y == h - 1) ? 0 : kGrey;
    });
  }
  std::vector<uint32_t> palette(size_t(1) << spec.bitsPerPixel, 0);
  palette[1] = marker;
  palette[2] = kGrey;
  return BuildDib(w, h, spec.bitsPerPixel, palette, [=](int x, int y) -> uint32_t {
    if (x == 0 && y == 0) return 1;
    return (x == w - 1 && y == h - 1) ? 0 : 2;
  });
}

std::vector<uint8_t> FakeWave(const WaveResource& spec) {
  std::vector<uint8_t> pcm;
  PutLe16(pcm, uint32_t(spec.id));
  PutLe16(pcm, 0x5A5A);
  for (int i = 1; i < kFakeWaveFrames; ++i) {
    const uint16_t s = uint16_t((i * 977) & 0x3FFF);
    PutLe16(pcm, s);
    PutLe16(pcm, s);
  }
  return BuildWave(spec.rate, 2, 16, pcm);
}

std::vector<uint8_t> FakeIcon() {
  std::vector<uint8_t> out;
  PutLe32(out, kIconSize);
  PutLe32(out, kIconSize);
  for (int i = 0; i < kIconSize * kIconSize; ++i) PutLe32(out, 0xFF3060C0);
  return out;
}

}  // namespace

int FakeBitmapIdFromMarker(uint32_t argb) {
  if ((argb & 0xFFFF00FFu) != 0xFF5A00A5u) return 0;
  return int((argb >> 8) & 0xFF);
}

int FakeWaveIdFromPcm(std::span<const uint8_t> pcm) {
  if (pcm.size() < 4 || pcm[2] != 0x5A || pcm[3] != 0x5A) return 0;
  return pcm[0] | (pcm[1] << 8);
}

const BitmapResource* FindFakeBitmapSpec(int id) {
  for (const BitmapResource& spec : kBitmapResources)
    if (spec.id == id) return &spec;
  return nullptr;
}

std::vector<uint8_t> BuildDib(int width, int height, int bits, std::span<const uint32_t> palette,
                              const std::function<uint32_t(int x, int y)>& pixel) {
  const uint32_t stride = ((uint32_t(width) * bits + 31) / 32) * 4;
  const bool fullTable = bits <= 8 && palette.size() == (size_t(1) << bits);
  std::vector<uint8_t> out;
  PutLe32(out, 40);
  PutLe32(out, uint32_t(width));
  PutLe32(out, uint32_t(height));
  PutLe16(out, 1);
  PutLe16(out, uint32_t(bits));
  PutLe32(out, 0);  // BI_RGB
  PutLe32(out, stride * uint32_t(height));
  PutLe32(out, 2835);
  PutLe32(out, 2835);
  PutLe32(out, fullTable ? 0 : uint32_t(palette.size()));
  PutLe32(out, 0);
  for (uint32_t c : palette) PutLe32(out, c & 0xFFFFFF);  // stored as B, G, R, 0
  for (int row = height - 1; row >= 0; --row) {
    std::vector<uint8_t> line(stride, 0);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixel(x, row);
      if (bits == 24 || bits == 32) {
        const int bytes = bits / 8;
        line[x * bytes] = uint8_t(p);
        line[x * bytes + 1] = uint8_t(p >> 8);
        line[x * bytes + 2] = uint8_t(p >> 16);
      } else {
        const int bit = x * bits;
        const int shift = 8 - bits - bit % 8;
        line[bit / 8] |= uint8_t((p & ((1u << bits) - 1)) << shift);
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

std::vector<uint8_t> BuildWave(uint32_t rate, uint16_t channels, uint16_t bitsPerSample,
                               std::span<const uint8_t> pcm) {
  const uint16_t blockAlign = uint16_t(channels * bitsPerSample / 8);
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  PutLe32(out, uint32_t(4 + 8 + 16 + 8 + pcm.size() + pcm.size() % 2));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe32(out, 16);
  PutLe16(out, 1);
  PutLe16(out, channels);
  PutLe32(out, rate);
  PutLe32(out, rate * blockAlign);
  PutLe16(out, blockAlign);
  PutLe16(out, bitsPerSample);
  PutTag(out, "data");
  PutLe32(out, uint32_t(pcm.size()));
  out.insert(out.end(), pcm.begin(), pcm.end());
  if (pcm.size() % 2) out.push_back(0);  // chunks are padded to even sizes
  return out;
}

std::span<const uint8_t> FakeResources::Find(ResourceType type, int id) const {
  const Key key{type, id};
  if (missing_.count(key) || onTheWay_.count(key)) return {};
  auto it = cache_.find(key);
  if (it == cache_.end()) it = cache_.emplace(key, Generate(type, id)).first;
  return it->second;
}

void FakeResources::Remove(ResourceType type, int id) { missing_.insert({type, id}); }

void FakeResources::Arrive(ResourceType type, int id) {
  onTheWay_.erase({type, id});
  ++arrivals_;
}

void FakeResources::Replace(ResourceType type, int id, std::vector<uint8_t> bytes) {
  missing_.erase({type, id});
  cache_[{type, id}] = std::move(bytes);
}

std::vector<uint8_t> FakeResources::Generate(ResourceType type, int id) const {
  switch (type) {
    case ResourceType::Bitmap:
      if (const BitmapResource* spec = FindFakeBitmapSpec(id)) return FakeBitmap(*spec);
      break;
    case ResourceType::Wave:
      for (const WaveResource& spec : kWaveResources)
        if (spec.id == id) return FakeWave(spec);
      break;
    case ResourceType::Icon:
      if (id == kIconId) return FakeIcon();
      break;
    case ResourceType::Font:  // no font: the tests' builds draw with the system's
      break;
  }
  return {};
}
