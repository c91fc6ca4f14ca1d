#include "automation/route.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "automation/field_sim.h"

namespace {

// Costs are counted in frames: the frames the heroine loses waiting for a line to be turned
// and falling, and a little for each cell turned, so that of two routes equally fast the one
// with less to do is taken.
constexpr float kNone = 1e9f;
constexpr float kWalkPerFrame = 3.4f;
constexpr float kFramesPerCell = 8;          // a line turns one cell in 8 frames
constexpr float kFramesPerCursorStep = 2;    // a press, then a frame without the key
constexpr float kFramesPerRowFallen = 12.5;  // 85 pixels at 6.8 a frame
constexpr float kCostPerCell = 2;
constexpr float kDriftCost = 25;     // a drifting line is crossed when it lets her
constexpr int32_t kBodyOffset = 49;  // a standing character's centre below its row's top
constexpr uint32_t kAllRows = (1u << kRows) - 1;

int32_t Mod6(int32_t v) {
  v %= kRows;
  return v < 0 ? v + kRows : v;
}

// Cells a line turns going from rotation a to rotation b the short way round.
int32_t TurnCells(int32_t a, int32_t b) {
  const int32_t d = Mod6(b - a);
  return std::min(d, kRows - d);
}

// A mask of cells turned into a mask of rows: cell i goes to row (i + rotation) mod 6.
uint32_t RowsOf(uint32_t cells, int32_t rotation) {
  return ((cells << rotation) | (cells >> (kRows - rotation))) & kAllRows;
}

// The cell of a line that holds field y `y`.
int32_t CellOf(const MapLine& line, float y) {
  return static_cast<int32_t>(WrapFieldY(y - line.offset)) / kCellSize;
}

struct Step {
  float cost = kNone;
  float lost = 0;      // frames she lost so far on this route
  int32_t turned = 0;  // cells turned so far
  int32_t fromRow = -1;
  int8_t entry = -1;
  int8_t exit = -1;
};

// Where the heroine comes to stand after entering a line turned to `rotation` in body row
// `row`: her body row there, or -1 when she cannot enter, falls onto a monster or falls for ever.
int32_t Landing(const LineState& line, int32_t rotation, int32_t row, int32_t& fallen) {
  const uint32_t solid = RowsOf(line.solid, rotation);
  const uint32_t stops = solid | RowsOf(line.monsters, rotation);
  if ((stops >> row & 1) || stops == 0) return -1;
  // The first stop below her row, the field wrapping round from the bottom to the top.
  const uint32_t below = (stops | stops << kRows) >> (row + 1);
  fallen = std::countr_zero(below);
  const int32_t stop = row + 1 + fallen;
  if (!(solid >> Mod6(stop) & 1)) return -1;  // a monster's body, not a stone
  return Mod6(stop - 1);
}

}  // namespace

int32_t LandingRotation(const MapLine& line) {
  const float cells = line.offset / kCellSize;
  float landing = std::round(cells);
  if (line.kind == LineUp) landing = std::floor(cells);
  if (line.kind == LineDown) landing = std::ceil(cells);
  return Mod6(static_cast<int32_t>(landing));
}

void ReadLines(const CMap& map, std::span<const CEnemySingle> monsters,
               LineState (&lines)[kColumns]) {
  for (int32_t c = 0; c < kColumns; ++c) {
    const MapLine& source = map.lines[c];
    LineState& line = lines[c];
    line = LineState{};
    line.movable = source.kind <= LineDown;
    line.drifting = source.kind == LineDriftUp || source.kind == LineDriftDown;
    line.rotation = LandingRotation(source);
    for (int32_t r = 0; r < kRows; ++r) {
      if (IsSolid(source.cells[r])) line.solid |= static_cast<uint8_t>(1 << r);
    }
  }
  for (const CEnemySingle& monster : monsters) {
    if (monster.kind == 0) continue;
    const int32_t c = ColumnAt(map, monster.x);
    if (c < 0 || c >= kColumns) continue;
    // A body between two rows (a monster falling) fills both.
    const MapLine& source = map.lines[c];
    const float top = monster.y - kBodyOffset;
    lines[c].monsters |= static_cast<uint8_t>(1 << CellOf(source, top + 1));
    lines[c].monsters |= static_cast<uint8_t>(1 << CellOf(source, top + kCellSize - 1));
  }
}

bool FindRoute(const CMap& map, const LineState (&lines)[kColumns], const CPlayer& heroine,
               int32_t lastColumn, RouteChoice choice, Route& route) {
  const int32_t here = ColumnAt(map, heroine.x);
  lastColumn = std::min(lastColumn, kColumns - 1);
  if (heroine.kind != PlayerAlive || here < 0 || here > lastColumn) return false;

  // Where she stands, or will land, in her own line.
  const LineState& own = lines[here];
  const int32_t feet = CellOf(map.lines[here], heroine.y + 36);
  const uint32_t ownSolid = own.solid | own.solid << kRows;
  const int32_t drop = own.solid ? std::countr_zero(ownSolid >> feet) : 0;
  const int32_t bodyRow = Mod6(feet + drop - 1 + own.rotation);

  Step steps[kColumns][kRows];
  const bool canLift = own.movable && heroine.grounded && drop == 0;
  for (int32_t e = 0; e < kRows; ++e) {
    if (!canLift && e != own.rotation) continue;
    if (choice.column == here && canLift && e != choice.rotation) continue;
    const int32_t turn = TurnCells(own.rotation, e);
    steps[here][Mod6(bodyRow + e - own.rotation)] =
        Step{kCostPerCell * turn, 0, turn, -1, -1, static_cast<int8_t>(e)};
  }

  const float front = heroine.x + 36;
  int32_t reach = here;
  for (int32_t c = here; c < lastColumn; ++c) {
    const LineState& next = lines[c + 1];
    const float walk = (kCellSize * (c + 1) - map.scroll - front) / kWalkPerFrame;
    const float cursorTravel = kFramesPerCursorStep * std::abs(map.cursor - (c + 1));
    bool reached = false;
    for (int32_t b = 0; b < kRows; ++b) {
      const Step& at = steps[c][b];
      if (at.cost >= kNone) continue;
      if (next.drifting) {
        if (next.solid == kAllRows) continue;
        Step& step = steps[c + 1][b];
        if (at.cost + kDriftCost < step.cost)
          step = Step{at.cost + kDriftCost, at.lost + kDriftCost, at.turned, b, -1, -1};
        reached = true;
        continue;
      }
      for (int32_t r = 0; r < kRows; ++r) {
        if (!next.movable && r != next.rotation) continue;
        if (c + 1 == choice.column && next.movable && r != choice.rotation) continue;
        int32_t fallen = 0;
        const int32_t landed = Landing(next, r, b, fallen);
        if (landed < 0) continue;
        const int32_t entryTurn = TurnCells(next.rotation, r);
        const int32_t turned = at.turned + entryTurn;
        // She waits for turning that cannot be done before she arrives, and loses the time
        // she falls.
        const float work = turned * kFramesPerCell + (entryTurn > 0 ? cursorTravel : 0.0f);
        const float wait = std::max(0.0f, work - (walk + at.lost));
        const float lost = at.lost + wait + fallen * kFramesPerRowFallen;
        for (int32_t e = 0; e < kRows; ++e) {
          if (!next.movable && e != r) continue;
          const int32_t lift = TurnCells(r, e);
          const float cost = at.cost + (lost - at.lost) + kCostPerCell * (entryTurn + lift);
          Step& step = steps[c + 1][Mod6(landed + e - r)];
          if (cost >= step.cost) continue;
          step = Step{cost, lost, turned + lift, b, static_cast<int8_t>(r), static_cast<int8_t>(e)};
          reached = true;
        }
      }
    }
    if (!reached) break;
    reach = c + 1;
  }

  int32_t row = -1;
  for (int32_t b = 0; b < kRows; ++b) {
    if (steps[reach][b].cost < kNone && (row < 0 || steps[reach][b].cost < steps[reach][row].cost))
      row = b;
  }
  if (row < 0) return false;

  route = Route{};
  route.reach = reach;
  route.cost = steps[reach][row].cost;
  for (int32_t c = reach; c >= here && row >= 0; --c) {
    const Step& step = steps[c][row];
    if (lines[c].movable) route.targets[c] = LineTarget{step.entry, step.exit};
    row = step.fromRow;
  }
  if (choice.column > reach && choice.column <= lastColumn && lines[choice.column].movable) {
    route.targets[choice.column] =
        LineTarget{static_cast<int8_t>(choice.rotation), static_cast<int8_t>(choice.rotation)};
    route.cost += kCostPerCell * TurnCells(lines[choice.column].rotation, choice.rotation);
  }
  return true;
}

namespace {

// The row a monster's body fills, rounded to the nearest.
int32_t BodyRow(const CCharactor& character) {
  return Mod6(static_cast<int32_t>(std::lround((character.y - kBodyOffset) / kCellSize)));
}

// The rotation of a line nearest to its own that has a free cell in `row`; -1 when none has.
int32_t RotationFreeAt(const LineState& line, int32_t row) {
  int32_t best = -1;
  for (int32_t r = 0; r < kRows; ++r) {
    if (RowsOf(line.solid | line.monsters, r) >> row & 1) continue;
    if (best < 0 || TurnCells(line.rotation, r) < TurnCells(line.rotation, best)) best = r;
  }
  return best;
}

struct ShortestTurn {
  RouteChoice choice;
  int32_t turn = kRows;
  void Offer(const LineState (&lines)[kColumns], int32_t column, int32_t rotation) {
    if (column < 0 || column >= kColumns || !lines[column].movable || rotation < 0) return;
    const int32_t cells = TurnCells(lines[column].rotation, Mod6(rotation));
    if (cells == 0 || cells >= turn) return;
    choice = RouteChoice{column, Mod6(rotation)};
    turn = cells;
  }
};

}  // namespace

RouteChoice KillChoice(const CMap& map, const LineState (&lines)[kColumns],
                       std::span<const CEnemySingle> monsters, int32_t column, int32_t here,
                       int32_t lastKnown) {
  ShortestTurn best;
  for (const CEnemySingle& target : monsters) {
    if (target.kind == 0 || ColumnAt(map, target.x) != column) continue;
    const int32_t targetRow = BodyRow(target);
    for (const CEnemySingle& other : monsters) {
      if (other.kind == 0 || &other == &target) continue;
      const int32_t otherColumn = ColumnAt(map, other.x);
      if (otherColumn > lastKnown) continue;
      const int32_t otherRow = BodyRow(other);
      const int32_t rise = otherRow - targetRow;
      if (target.kind == EnemyBeard && other.kind == EnemyBeard &&
          std::abs(otherColumn - column) == 1) {
        // Beard monsters in neighbouring columns meet when they stand level.
        best.Offer(lines, column, lines[column].rotation + rise);
        if (otherColumn != here) best.Offer(lines, otherColumn, lines[otherColumn].rotation - rise);
      } else if (other.kind == EnemyWing && otherColumn == column + 1) {
        // A winged monster beside it walks into it once it stands in the same row.
        if (target.kind == EnemyBeard) best.Offer(lines, column, lines[column].rotation + rise);
      } else if (other.kind == EnemyWing && other.grounded && otherColumn > column + 1 &&
                 otherColumn - 1 > here) {
        // A winged monster further right is let walk on when the line before it opens.
        best.Offer(lines, otherColumn - 1, RotationFreeAt(lines[otherColumn - 1], otherRow));
      }
    }
    if (target.kind == EnemyWing && column - 1 > here) {
      // A winged monster held in the way walks on when the line before it opens.
      best.Offer(lines, column - 1, RotationFreeAt(lines[column - 1], targetRow));
    }
  }
  return best.choice;
}
