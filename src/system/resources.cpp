#include "system/resources.h"

const IResources* g_resources = nullptr;

int LanguageResources::IdInLanguage(ResourceType type, int id) const {
  if (type != ResourceType::Bitmap || language_ != Language::English) return id;
  const int english = EnglishBitmapId(id);
  return !all_.Find(type, english).empty() || all_.Pending(type, english) ? english : id;
}

std::span<const uint8_t> LanguageResources::Find(ResourceType type, int id) const {
  return all_.Find(type, IdInLanguage(type, id));
}

bool LanguageResources::Pending(ResourceType type, int id) const {
  return all_.Pending(type, IdInLanguage(type, id));
}

std::span<const uint8_t> FindResource(ResourceType type, int id) {
  if (!g_resources) return {};
  return g_resources->Find(type, id);
}

void ForgetResource(std::span<const uint8_t> bytes) {
  if (g_resources) g_resources->Forget(bytes);
}

bool ResourcePending(ResourceType type, int id) {
  return g_resources && g_resources->Pending(type, id);
}

uint32_t ResourceArrivals() { return g_resources ? g_resources->Arrivals() : 0; }
