#include "decoded.h"

#include <map>
#include <stdexcept>
#include <utility>

#include "system/embedded_resources.h"
#include "system/little_endian.h"

uint16_t Le16(std::span<const uint8_t> b, size_t at) {
  if (at + 2 > b.size()) throw std::out_of_range("short resource");
  return ReadLe16(b, at);
}

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  if (at + 4 > b.size()) throw std::out_of_range("short resource");
  return ReadLe32(b, at);
}

Image DecodeDib(std::span<const uint8_t> dib) {
  Image image;
  image.width = static_cast<int>(Le32(dib, 4));
  image.height = static_cast<int>(Le32(dib, 8));
  const int bits = Le16(dib, 14);
  const size_t paletteEntries = bits == 24 ? 0 : size_t{1} << bits;
  const size_t pixels = 40 + paletteEntries * 4;
  const size_t rowBytes = ((static_cast<size_t>(image.width) * bits + 31) / 32) * 4;
  if (pixels + rowBytes * image.height > dib.size()) throw std::out_of_range("short DIB");
  image.argb.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = dib.data() + pixels + rowBytes * (image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      uint32_t rgb = 0;
      if (bits == 24) {
        rgb = row[x * 3] | (row[x * 3 + 1] << 8) | (uint32_t{row[x * 3 + 2]} << 16);
      } else {
        const int index = bits == 8 ? row[x] : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15);
        rgb = Le32(dib, 40 + index * 4) & 0xFFFFFF;
      }
      image.argb[static_cast<size_t>(y) * image.width + x] = rgb == 0 ? 0 : 0xFF000000u | rgb;
    }
  }
  return image;
}

const Image& Sheet(int id, Language language) {
  static std::map<std::pair<int, Language>, Image> cache;
  auto it = cache.find({id, language});
  if (it == cache.end())
    it = cache.emplace(std::pair{id, language}, DecodeDib(EmbeddedBitmap(id, language))).first;
  return it->second;
}

Stereo DecodeWave(std::span<const uint8_t> wave) {
  const size_t frames = Le32(wave, 40) / 4;
  Stereo sound(static_cast<int>(Le32(wave, 24)), frames);
  for (size_t i = 0; i < frames; ++i) {
    sound.left[i] = static_cast<int16_t>(Le16(wave, 44 + i * 4)) / 32767.0f;
    sound.right[i] = static_cast<int16_t>(Le16(wave, 46 + i * 4)) / 32767.0f;
  }
  return sound;
}

std::span<const uint8_t> EmbeddedBitmap(int id, Language language) {
  return LanguageResources(EmbeddedResources(), language).Find(ResourceType::Bitmap, id);
}

const char* NameOf(Language language) {
  return language == Language::English ? "English" : "Japanese";
}

std::span<const uint8_t> EmbeddedWave(int id) {
  return EmbeddedResources().Find(ResourceType::Wave, id);
}

void PrintTo(const BitmapSpec& spec, std::ostream* os) { *os << "bitmap " << spec.id; }
void PrintTo(const WaveSpec& spec, std::ostream* os) { *os << "wave " << spec.id; }
void PrintTo(const ResourceEntry& entry, std::ostream* os) { *os << entry.fileName; }
