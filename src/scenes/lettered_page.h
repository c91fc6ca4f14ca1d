// The inks and font sizes of the pages lettered at run time in the game's font (the controls
// page, the world ranking page), so that they read as one set beside the painted ones.
#pragma once

#include <cstdint>

namespace lettered {

constexpr int kTextFont = 2;     // 24 pixels
constexpr int kCaptionFont = 4;  // 48 pixels

constexpr uint32_t kInk = 0xFF3A2E5C;
constexpr uint32_t kMuted = 0xFF8A7FA8;
constexpr uint32_t kLit = 0xFFD0503C;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kCursorBox = 0x60F4B860;

}  // namespace lettered
