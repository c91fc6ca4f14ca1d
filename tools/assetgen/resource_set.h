// The complete set of resources the generator writes and the game embeds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "system/resources.h"

struct ResourceEntry {
  ResourceType type;
  int id;                // EnglishBitmapId(bitmap) for the English copy of a bitmap
  std::string fileName;  // inside the output directory
  Language language = Language::Japanese;
};

// Every bitmap (and the English copy of each bitmap with words), every sound and the icon, in a
// fixed order.
std::vector<ResourceEntry> AllResources();

// The bytes of one resource, generated afresh.
std::vector<uint8_t> GenerateResource(const ResourceEntry& entry);

// What a build carries besides the generated resources, and how.
struct EmbedOptions {
  // Font files to carry as the Font resources of the Japanese face and of its proportional
  // sibling; none when empty.
  std::filesystem::path font;
  std::filesystem::path proportionalFont;
  bool packWaves = false;  // store the sounds packed without loss (system/packed_wave.h)
  // Carry only what the first scene needs, and the rest in files a page fetches after its start
  // (fetched-*.bin, listed in fetched.json), so that it starts sooner.
  bool fetchLater = false;
};

// Writes every resource into `dir`, then resources.S, which embeds their bytes, and
// resources.cpp, the table the game searches (see embedded_resources.cpp), and the files fetched
// later if asked for. Returns the path of the table.
std::filesystem::path WriteResources(const std::filesystem::path& dir,
                                     const EmbedOptions& options = {});
