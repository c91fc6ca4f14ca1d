// Little-endian integers appended to a byte buffer: the layout of every file format assetgen
// writes (DIB, WAVE, ICO).
#pragma once

#include <cstdint>
#include <vector>

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
