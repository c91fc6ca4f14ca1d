#include "replay/play_hash.h"

#include <cstring>

#include "game/enemies.h"
#include "game/play_round.h"
#include "save/save_data.h"

namespace {

// FNV-1a over the little-endian bytes of each value, fed one field at a time, so that the hash
// is the same on every system whatever the layout of the structures in memory.
class Fnv1a {
 public:
  void Add(uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      hash_ ^= (value >> (8 * i)) & 0xFF;
      hash_ *= 0x100000001B3ull;
    }
  }
  void Add(int32_t value) { Add(static_cast<uint32_t>(value)); }
  // The float's bits (memcpy: the browser build's library has no std::bit_cast).
  void Add(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Add(bits);
  }
  void Add(bool value) { Add(uint32_t{value}); }
  void AddCharacter(const CCharactor& c) {
    Add(c.x);
    Add(c.y);
    Add(c.grounded);
    Add(c.timer);
    Add(c.kind);
  }
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

void AddMap(Fnv1a& h, const CMap& map) {
  for (const MapLine& line : map.lines) {
    for (CellType cell : line.cells) h.Add(uint32_t{cell});
    h.Add(uint32_t{line.kind});
    h.Add(line.offset);
  }
  h.Add(map.pattern);
  h.Add(map.patternColumn);
  for (uint8_t shift : map.groupShift) h.Add(uint32_t{shift});
  h.Add(map.frame);
  h.Add(map.scroll);
  h.Add(map.speed);
  h.Add(map.accelerate);
  h.Add(map.cursor);
}

}  // namespace

uint64_t HashPlayState(const CPlayRound& round, const SaveData& save) {
  Fnv1a h;
  h.Add(round.phase);
  h.Add(round.phaseFrame);
  AddMap(h, round.map);
  h.AddCharacter(round.player);
  h.Add(round.player.pose);
  h.Add(round.player.poseTimer);
  for (const CEnemySingle& enemy : g_enemies) {
    h.AddCharacter(enemy);
    h.Add(enemy.toDiamond);
  }
  for (const CItemSingle& item : g_items) h.AddCharacter(item);
  h.Add(save.score);
  h.Add(save.distance);
  h.Add(save.diamondChain);
  return h.Value();
}
