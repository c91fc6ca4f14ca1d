// Little-endian integers, read from bytes and appended to a buffer: the layout of every file
// format the game reads or writes (DIB, RIFF WAVE, ICO, packed sounds, the save's checksum, the
// icon resource).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The caller has checked that `at + 2` (or `at + 4`) bytes are there.
inline uint16_t ReadLe16(std::span<const uint8_t> bytes, size_t at) {
  return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

inline uint32_t ReadLe32(std::span<const uint8_t> bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
         uint32_t(bytes[at + 3]) << 24;
}

inline void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

inline void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}
