#include "save/save_data.h"

#include <bit>
#include <cstring>

#include "system/little_endian.h"

SaveData* g_saveData = nullptr;

namespace {

static_assert(
    std::endian::native == std::endian::little,
    "the record is written as its in-memory bytes, which the file lays out little-endian");

constexpr size_t kRecordSize = sizeof(SaveData);

void PutChecksum(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(value >> (8 * i));
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
    if (SaveChecksum(record) == ReadLe32(bytes, kRecordSize)) return true;
  }
  std::memset(&record, 0, kRecordSize);
  return false;
}

void AddScore(SaveData& record, int32_t points) {
  const int64_t raised = int64_t(record.score) + points;
  record.score = int32_t(raised > kMaxScore ? kMaxScore : raised);
  if (record.score > record.highScore) record.highScore = record.score;
}
