// The resources generated at build time (tools/assetgen writes them, resources.S that embeds
// them and resources.cpp, their table); linked into the game as the library moravin_assets.
#include "system/embedded_resources.h"

#include <memory>
#include <vector>

#include "system/embedded_table.h"
#include "system/packed_wave.h"
#include "system/process_memory.h"

namespace {

class EmbeddedTable final : public IResources {
 public:
  EmbeddedTable() : unpacked_(kEmbeddedResourceCount) {}

  // A packed sound is unpacked the first time it is asked for (a scene loading its sounds)
  // and kept for the rest of the run.
  std::span<const uint8_t> Find(ResourceType type, int id) const override {
    for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
      const EmbeddedEntry& entry = kEmbeddedResources[i];
      if (entry.type != static_cast<int32_t>(type) || entry.id != id) continue;
      const std::span<const uint8_t> bytes(entry.data, entry.size);
      if (entry.encoding == EmbeddedEncoding::Raw) return bytes;
      if (!unpacked_[i]) {
        unpacked_[i] = std::make_unique<std::vector<uint8_t>>();
        UnpackWave(bytes, *unpacked_[i]);  // left empty, so not found, if damaged
      }
      return *unpacked_[i];
    }
    return {};
  }

  // Only a resource kept as it is lies in the executable's pages; an unpacked sound is memory
  // of the program's own.
  void Forget(std::span<const uint8_t> bytes) const override {
    for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
      const EmbeddedEntry& entry = kEmbeddedResources[i];
      if (entry.encoding == EmbeddedEncoding::Raw && entry.data == bytes.data() &&
          entry.size == bytes.size()) {
        ReleaseFilePages(bytes);
        return;
      }
    }
  }

 private:
  mutable std::vector<std::unique_ptr<std::vector<uint8_t>>> unpacked_;
};

}  // namespace

const IResources& EmbeddedResources() {
  static const EmbeddedTable table;
  return table;
}
