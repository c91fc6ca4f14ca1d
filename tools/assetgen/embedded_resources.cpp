// The resources generated at build time (tools/assetgen writes them and a source file
// that embeds them with a table); linked into the game as the library moravin_assets.
#include "system/embedded_resources.h"

#include <cstdint>

namespace {

// One row of the generated table; the layout matches the generated table.
struct EmbeddedEntry {
  int32_t type;
  int32_t id;
  const uint8_t* data;
  uint64_t size;
};

}  // namespace

extern "C" const EmbeddedEntry moravin_resource_table[];
extern "C" const uint32_t moravin_resource_count;

namespace {

class EmbeddedTable final : public IResources {
 public:
  std::span<const uint8_t> Find(ResourceType type, int id) const override {
    for (uint32_t i = 0; i < moravin_resource_count; ++i) {
      const EmbeddedEntry& entry = moravin_resource_table[i];
      if (entry.type == static_cast<int32_t>(type) && entry.id == id)
        return {entry.data, static_cast<size_t>(entry.size)};
    }
    return {};
  }
};

}  // namespace

const IResources& EmbeddedResources() {
  static const EmbeddedTable table;
  return table;
}
