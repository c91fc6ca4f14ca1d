#include "save/save_data.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <string>

SaveData* g_saveData = nullptr;

namespace {

static_assert(
    std::endian::native == std::endian::little,
    "the record is written as its in-memory bytes, which the file lays out little-endian");

constexpr size_t kRecordSize = sizeof(SaveData);

void PutChecksum(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(value >> (8 * i));
}

uint32_t GetChecksum(const uint8_t* in) {
  return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

// Writes the whole file; false when any byte could not be written.
bool WriteFile(const std::string& path, const SaveFileBytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool flushed = std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  return written && flushed && closed;
}

}  // namespace

uint32_t SaveChecksum(const SaveData& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
  uint32_t sum = 0;
  for (size_t i = 0; i < kRecordSize; ++i) sum += bytes[i];
  return sum * 1103515245u + 12345u;
}

SaveFileBytes EncodeSaveFile(const SaveData& record) {
  SaveFileBytes bytes;
  std::memcpy(bytes.data(), &record, kRecordSize);
  PutChecksum(bytes.data() + kRecordSize, SaveChecksum(record));
  return bytes;
}

bool DecodeSaveFile(std::span<const uint8_t> bytes, SaveData& record) {
  if (bytes.size() >= kSaveFileSize) {
    std::memcpy(&record, bytes.data(), kRecordSize);
    if (SaveChecksum(record) == GetChecksum(bytes.data() + kRecordSize)) return true;
  }
  std::memset(&record, 0, kRecordSize);
  return false;
}

bool LoadSaveData(SaveData& record, const char* path) {
  SaveFileBytes bytes{};
  size_t got = 0;
  if (std::FILE* f = std::fopen(path, "rb")) {
    got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return DecodeSaveFile(std::span(bytes).first(got), record);
}

bool StoreSaveData(const SaveData& record, const char* path) {
  const SaveFileBytes bytes = EncodeSaveFile(record);

  // Write a new file beside the old one and rename it over: a crash or a full disk while
  // saving leaves the previous save as it was.
  const std::string temporary = std::string(path) + ".tmp";
  if (!WriteFile(temporary, bytes) || std::rename(temporary.c_str(), path) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

void AddScore(SaveData& record, int32_t points) {
  const int64_t raised = int64_t(record.score) + points;
  record.score = int32_t(raised > kMaxScore ? kMaxScore : raised);
  if (record.score > record.highScore) record.highScore = record.score;
}
