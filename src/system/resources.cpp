#include "system/resources.h"

const IResources* g_resources = nullptr;

std::span<const uint8_t> LanguageResources::Find(ResourceType type, int id) const {
  if (type == ResourceType::Bitmap && language_ == Language::English) {
    const std::span<const uint8_t> english = all_.Find(type, EnglishBitmapId(id));
    if (!english.empty()) return english;
  }
  return all_.Find(type, id);
}

std::span<const uint8_t> FindResource(ResourceType type, int id) {
  if (!g_resources) return {};
  return g_resources->Find(type, id);
}

void ForgetResource(std::span<const uint8_t> bytes) {
  if (g_resources) g_resources->Forget(bytes);
}
