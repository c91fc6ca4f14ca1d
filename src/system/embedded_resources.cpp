// The resources generated at build time (tools/assetgen writes them, resources.S that embeds
// them and resources.cpp, their table); linked into the game as the library moravin_assets.
#include "system/embedded_resources.h"

#include <memory>
#include <utility>
#include <vector>

#include "system/embedded_table.h"
#include "system/packed_wave.h"
#include "system/process_memory.h"

namespace {

class EmbeddedTable final : public IResources {
 public:
  EmbeddedTable() : unpacked_(kEmbeddedResourceCount), fetched_(kFetchedFileCount) {}

  // A packed sound is unpacked the first time it is asked for (a scene loading its sounds)
  // and kept for the rest of the run. One in a file not fetched yet is not there.
  std::span<const uint8_t> Find(ResourceType type, int id) const override {
    const size_t i = IndexOf(type, id);
    if (i == kNotFound || !Arrived(kEmbeddedResources[i])) return {};
    const EmbeddedEntry& entry = kEmbeddedResources[i];
    const std::span<const uint8_t> bytes = BytesOf(entry);
    if (entry.encoding == EmbeddedEncoding::Raw) return bytes;
    if (!unpacked_[i]) {
      unpacked_[i] = std::make_unique<std::vector<uint8_t>>();
      UnpackWave(bytes, *unpacked_[i]);  // left empty, so not found, if damaged
    }
    return *unpacked_[i];
  }

  bool Pending(ResourceType type, int id) const override {
    const size_t i = IndexOf(type, id);
    return i != kNotFound && !Arrived(kEmbeddedResources[i]);
  }

  uint32_t Arrivals() const override { return arrivals_; }

  // Only a resource kept as it is lies in the executable's pages; an unpacked sound, or one of
  // a fetched file, is memory of the program's own.
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

  bool Receive(size_t file, std::vector<uint8_t> bytes) {
    if (file >= fetched_.size() || !fetched_[file].empty() ||
        bytes.size() != kFetchedFileSizes[file] || bytes.empty())
      return false;
    fetched_[file] = std::move(bytes);  // never moves again: sounds may play it where it lies
    ++arrivals_;
    return true;
  }

 private:
  static constexpr size_t kNotFound = ~size_t{0};

  static size_t IndexOf(ResourceType type, int id) {
    for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
      const EmbeddedEntry& entry = kEmbeddedResources[i];
      if (entry.type == static_cast<int32_t>(type) && entry.id == id) return i;
    }
    return kNotFound;
  }

  bool Arrived(const EmbeddedEntry& entry) const {
    return entry.file < 0 || !fetched_[static_cast<size_t>(entry.file)].empty();
  }

  std::span<const uint8_t> BytesOf(const EmbeddedEntry& entry) const {
    if (entry.file < 0) return {entry.data, entry.size};
    return std::span<const uint8_t>(fetched_[static_cast<size_t>(entry.file)])
        .subspan(entry.offset, entry.size);
  }

  mutable std::vector<std::unique_ptr<std::vector<uint8_t>>> unpacked_;
  std::vector<std::vector<uint8_t>> fetched_;  // empty until its file has arrived
  uint32_t arrivals_ = 0;
};

EmbeddedTable& Table() {
  static EmbeddedTable table;
  return table;
}

}  // namespace

const IResources& EmbeddedResources() { return Table(); }

bool ReceiveFetchedFile(size_t file, std::vector<uint8_t> bytes) {
  return Table().Receive(file, std::move(bytes));
}
