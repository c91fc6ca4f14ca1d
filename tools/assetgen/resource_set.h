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

// Writes every resource into `dir`, then a source file that embeds them all with a lookup
// table (see embedded_resources.cpp). Returns that source file's path.
std::filesystem::path WriteResources(const std::filesystem::path& dir);
