// Reads the generated resources back the way the game does, for the tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "image.h"
#include "rects.h"
#include "resource_set.h"
#include "sounds.h"
#include "system/language.h"
#include "wave.h"

// Little-endian integers of a generated file; a file too short for one throws.
uint32_t Le32(std::span<const uint8_t> bytes, size_t at);
uint16_t Le16(std::span<const uint8_t> bytes, size_t at);

// A DIB without file header (4, 8 or 24 bits, bottom-up) as colour-keyed ARGB: pure black
// becomes transparent.
Image DecodeDib(std::span<const uint8_t> dib);

// The 16-bit stereo samples of a WAVE written by EncodeWave, scaled to -1..1.
Stereo DecodeWave(std::span<const uint8_t> wave);

// The embedded resource, which is what the game links. A bitmap in English is the English copy
// where there is one, as the game of that language finds it.
std::span<const uint8_t> EmbeddedBitmap(int id, Language language = Language::Japanese);
std::span<const uint8_t> EmbeddedWave(int id);

// An embedded bitmap, decoded on its first use only: the art tests read the same sheets often.
const Image& Sheet(int id, Language language = Language::Japanese);

// A rectangle on a sheet, in pixels.
struct Box {
  int x, y, w, h;
};

constexpr Language kBothLanguages[] = {Language::Japanese, Language::English};
const char* NameOf(Language language);

// Short names for test parameters in the test log.
void PrintTo(const BitmapSpec& spec, std::ostream* os);
void PrintTo(const WaveSpec& spec, std::ostream* os);
void PrintTo(const ResourceEntry& entry, std::ostream* os);
