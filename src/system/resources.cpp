#include "system/resources.h"

const IResources* g_resources = nullptr;

std::span<const uint8_t> FindResource(ResourceType type, int id) {
  if (!g_resources) return {};
  return g_resources->Find(type, id);
}
