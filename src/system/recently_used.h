// Values that are costly to make (decoded pictures, converted sounds), the most recently used
// kept within a memory budget.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

template <typename Key, typename Value>
class RecentlyUsed {
 public:
  explicit RecentlyUsed(size_t budgetBytes) : budgetBytes_(budgetBytes) {}

  // The value kept for `key`, now the most recently used; null when none is kept.
  std::shared_ptr<const Value> Find(const Key& key) {
    const auto kept = std::find_if(entries_.begin(), entries_.end(),
                                   [&key](const Entry& entry) { return entry.key == key; });
    if (kept == entries_.end()) return nullptr;
    std::rotate(kept, std::next(kept), entries_.end());
    return entries_.back().value;
  }

  // Keeps `value`, which holds `bytes`, unless it is larger than the whole budget; the least
  // recently used make room. A value still used elsewhere lives on there when dropped here.
  void Keep(const Key& key, std::shared_ptr<const Value> value, size_t bytes) {
    if (bytes > budgetBytes_) return;
    size_t dropped = 0;
    while (keptBytes_ + bytes > budgetBytes_) keptBytes_ -= entries_[dropped++].bytes;
    entries_.erase(entries_.begin(), entries_.begin() + std::ptrdiff_t(dropped));
    entries_.push_back({key, std::move(value), bytes});
    keptBytes_ += bytes;
  }

  // Whether a value is kept for `key`; unlike Find, it does not count as a use.
  bool Holds(const Key& key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&key](const Entry& entry) { return entry.key == key; });
  }

  size_t KeptBytes() const { return keptBytes_; }

 private:
  struct Entry {
    Key key;
    std::shared_ptr<const Value> value;
    size_t bytes;
  };

  size_t budgetBytes_;
  size_t keptBytes_ = 0;
  std::vector<Entry> entries_;  // least recently used first
};
