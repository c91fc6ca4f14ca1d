#include "automation/field_sim.h"

#include <algorithm>

FieldSim::FieldSim(const PlayView& view) : heroine(view.heroine) {
  std::copy(std::begin(view.lines), std::end(view.lines), map.lines);
  map.scroll = view.scroll;
  map.speed = view.speed;
  map.accelerate = view.accelerate;
  map.cursor = view.cursor;
  std::copy(std::begin(view.monsters), std::end(view.monsters), monsters);
  if (heroine.kind == PlayerCutOff) outcome_ = Outcome::CutOff;
  if (heroine.kind == PlayerCaught) outcome_ = Outcome::Caught;
}

void FieldSim::Step(PlayButtons buttons) {
  if (outcome_ != Outcome::Alive) return;
  input.held[Up] = (buttons & kHoldUp) != 0;
  input.held[Down] = (buttons & kHoldDown) != 0;
  input.held[Left] = (buttons & kHoldLeft) != 0;
  input.held[Right] = (buttons & kHoldRight) != 0;
  input.held[Button1] = (buttons & kHoldSpeed) != 0;
  map.HandleInput(input);
  input.EndFrame();

  Scroll();
  for (CEnemySingle& monster : monsters) {
    if (monster.kind != 0) monster.Move(map);
  }
  // Monsters that meet turn into diamonds; diamonds do not matter to the heroine's survival.
  MarkMeetingMonsters(monsters);
  for (CEnemySingle& monster : monsters) {
    if (!monster.toDiamond) continue;
    monster.Empty();
    monster.toDiamond = false;
  }
  heroine.Move(map);
  if (heroine.PushedOut()) {
    outcome_ = Outcome::CutOff;
    return;
  }
  for (const CEnemySingle& monster : monsters) {
    if (heroine.Touches(monster)) outcome_ = Outcome::Caught;
  }
}

// The map's Scroll, except that a new column is not generated but left unknown (empty).
void FieldSim::Scroll() {
  if (map.scroll >= kCellSize) {
    map.scroll -= kCellSize;
    map.ShiftLines();
    map.lines[kColumns - 1] = MapLine{};
    newColumns_ += 1;
    map.OpenEggs([this](float x, float y) { SpawnEnemyIn(monsters, x, y, EnemyWing); });
    map.SpeedUp();
  }
  map.scroll += ScrollStep(map);
  map.MoveLines();
}

int32_t FieldSim::FirstUnknownColumn() const { return kColumns - std::min(newColumns_, kColumns); }

int32_t ColumnAt(const CMap& map, float x) {
  const float fieldX = x + map.scroll;
  return fieldX < 0 ? -1 : static_cast<int32_t>(fieldX) / kCellSize;
}
