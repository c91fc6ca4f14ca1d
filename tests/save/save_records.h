// Save records and their file bytes, for the tests of the file accesses and the save file.
#pragma once

#include <cstdint>
#include <vector>

#include "save/save_data.h"

namespace save_test {

inline std::vector<uint8_t> FileOf(const SaveData& record) {
  const SaveFileBytes bytes = EncodeSaveFile(record);
  return {bytes.begin(), bytes.end()};
}

inline SaveData RecordWithHighScore(int32_t highScore) {
  SaveData record{};
  record.highScore = highScore;
  record.ruleTopic = -1;
  return record;
}

}  // namespace save_test
