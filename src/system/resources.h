// Resources carried inside the executable, looked up by type and id.
#pragma once

#include <cstdint>
#include <span>

enum class ResourceType { Bitmap, Wave, Icon, Font };

// The Japanese font, carried by builds for systems without a font service (fontconfig).
inline constexpr int kFontResourceId = 1;

class IResources {
 public:
  virtual ~IResources() = default;
  // The resource's bytes, or an empty span when there is none.
  virtual std::span<const uint8_t> Find(ResourceType type, int id) const = 0;
};

// The program's resources; set by the entry point (or a test).
extern const IResources* g_resources;

std::span<const uint8_t> FindResource(ResourceType type, int id);
