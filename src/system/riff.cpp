#include "system/riff.h"

#include <algorithm>
#include <cstring>

#include "system/little_endian.h"

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr size_t kChunkHeader = 8;
constexpr size_t kPcmFormatSize = 16;

bool IsTag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// Finds chunk `tag` in `area`; its body is clipped to the area. `next` is the area after it.
bool FindChunk(std::span<const uint8_t> area, const char* tag, std::span<const uint8_t>& body,
               std::span<const uint8_t>& next) {
  while (area.size() >= kChunkHeader) {
    const uint32_t declared = ReadLe32(area, 4);
    const size_t available = area.size() - kChunkHeader;
    const size_t size = std::min<size_t>(declared, available);
    if (IsTag(area.data(), tag)) {
      body = area.subspan(kChunkHeader, size);
      const size_t padded = std::min(available, size + (size & 1));
      next = area.subspan(kChunkHeader + padded);
      return true;
    }
    const size_t skip = size_t(declared) + (declared & 1);
    if (skip >= available) return false;
    area = area.subspan(kChunkHeader + skip);
  }
  return false;
}

bool ReadFormat(std::span<const uint8_t> chunk, WaveFormat& f) {
  if (chunk.size() < kPcmFormatSize) return false;
  f.formatTag = ReadLe16(chunk, 0);
  f.channels = ReadLe16(chunk, 2);
  f.samplesPerSec = ReadLe32(chunk, 4);
  f.avgBytesPerSec = ReadLe32(chunk, 8);
  f.blockAlign = ReadLe16(chunk, 12);
  f.bitsPerSample = ReadLe16(chunk, 14);
  return f.formatTag == kFormatPcm && f.channels > 0 && f.samplesPerSec > 0 && f.blockAlign > 0 &&
         f.bitsPerSample > 0;
}

}  // namespace

bool ParseWave(std::span<const uint8_t> bytes, WaveData& wave) {
  if (bytes.size() < 12 || !IsTag(bytes.data(), "RIFF") || !IsTag(bytes.data() + 8, "WAVE"))
    return false;
  const size_t riffSize = std::min<size_t>(ReadLe32(bytes, 4), bytes.size() - 8);
  if (riffSize < 4) return false;
  std::span<const uint8_t> area = bytes.subspan(12, riffSize - 4);

  std::span<const uint8_t> fmt, data, rest;
  WaveFormat format;
  if (!FindChunk(area, "fmt ", fmt, rest) || !ReadFormat(fmt, format)) return false;
  if (!FindChunk(rest, "data", data, rest)) return false;
  const size_t whole = data.size() - data.size() % format.blockAlign;
  if (whole == 0) return false;
  wave.format = format;
  wave.pcm = data.first(whole);
  return true;
}
