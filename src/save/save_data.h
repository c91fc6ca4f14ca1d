// The settings-and-progress record and the bytes of its file (save_file.h reads and writes it).
#pragma once

#include <array>
#include <cstdint>
#include <span>

// 40 bytes, laid out exactly as in the file (little-endian).
struct SaveData {
  int32_t difficulty;
  uint8_t fullScreen;
  uint8_t reserved1[3];
  int32_t bgmVolume;
  int32_t seVolume;
  int32_t ruleTopic;
  uint8_t inGameMenu;
  uint8_t reserved2[3];
  int32_t score;
  int32_t highScore;
  int32_t distance;
  int32_t diamondChain;
};
static_assert(sizeof(SaveData) == 40, "the record is stored as its 40 bytes");

constexpr int32_t kMaxScore = 999999999;

// Check value of the record: (sum of the 40 bytes) x 1103515245 + 12345, modulo 2^32.
uint32_t SaveChecksum(const SaveData& record);

// The file: the 40 record bytes, then the check value (32-bit little-endian).
constexpr size_t kSaveFileSize = sizeof(SaveData) + 4;
using SaveFileBytes = std::array<uint8_t, kSaveFileSize>;

// The bytes of the file that holds `record`.
SaveFileBytes EncodeSaveFile(const SaveData& record);
// Reads a record from the bytes of a file (bytes after the first 44 are ignored). False, with an
// all-zero record, when the bytes are short or the check value does not match.
bool DecodeSaveFile(std::span<const uint8_t> bytes, SaveData& record);

// Raises score by points (capped) and the best score with it.
void AddScore(SaveData& record, int32_t points);

extern SaveData* g_saveData;
