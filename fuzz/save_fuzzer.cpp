// The save file: any bytes either decode to a record that stores back to the same 44 bytes, or
// are refused with an all-zero record.
#include <algorithm>
#include <cstring>

#include "fuzz_check.h"
#include "save/save_data.h"

namespace {

bool AllZero(const SaveData& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
  return std::all_of(bytes, bytes + sizeof record, [](uint8_t b) { return b == 0; });
}

bool SameRecord(const SaveData& a, const SaveData& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The file as the game reads it.
void CheckDecoding(std::span<const uint8_t> bytes) {
  SaveData record;
  std::memset(&record, 0xA5, sizeof record);  // must be overwritten either way
  if (!DecodeSaveFile(bytes, record)) {
    FUZZ_CHECK(AllZero(record));
    return;
  }
  FUZZ_CHECK(bytes.size() >= kSaveFileSize);
  const SaveFileBytes stored = EncodeSaveFile(record);
  FUZZ_CHECK(std::equal(stored.begin(), stored.end(), bytes.begin()));
  // Bytes after the 44th are never read.
  SaveData shortened;
  FUZZ_CHECK(DecodeSaveFile(bytes.first(kSaveFileSize), shortened));
  FUZZ_CHECK(SameRecord(shortened, record));
  // The check value catches any single changed byte of the record: the byte sum changes by
  // less than 2^32 and the multiplier is odd.
  for (size_t i = 0; i < sizeof(SaveData); ++i) {
    SaveFileBytes damaged = stored;
    damaged[i] ^= 0x5A;
    SaveData ignored;
    FUZZ_CHECK(!DecodeSaveFile(damaged, ignored));
  }
}

// Any record: stored and loaded again, it comes back unchanged, reserved bytes included.
void CheckEncoding(std::span<const uint8_t> bytes) {
  SaveData record{};
  std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
  const SaveFileBytes stored = EncodeSaveFile(record);
  FUZZ_CHECK(std::memcmp(stored.data(), &record, sizeof record) == 0);
  SaveData loaded;
  FUZZ_CHECK(DecodeSaveFile(stored, loaded));
  FUZZ_CHECK(SameRecord(loaded, record));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto bytes = FuzzBytes(data, size);
  CheckDecoding(bytes);
  CheckEncoding(bytes);
  return 0;
}
