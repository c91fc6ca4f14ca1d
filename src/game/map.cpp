#include "game/map.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "game/charactor.h"
#include "game/enemies.h"
#include "media/input.h"
#include "media/sprite.h"
#include "save/save_data.h"
#include "system/random.h"
#include "system/shift_jis.h"

namespace {

constexpr float kStartSpeed = 0.85f;
constexpr float kSpeedStep = 0.00374f;
constexpr float kMaxSpeed = 2.72f;
constexpr float kAccelerateSpeed = 5.1f;
constexpr float kScrollBackSpeed = 3.4f;
constexpr int32_t kStartCursor = 5;
constexpr int32_t kBoxHalf = 36;  // half the width and height of every character's box

// Screen x of a cell centre in the new column (10), before the sub-column scroll is taken off.
constexpr float kNewColumnCentre = 892.0f;

}  // namespace

const float LineSpeeds[6] = {0.0f, -10.625f, 10.625f, 0.0f, -3.4f, 3.4f};

const char* const CellSymbols[9] = {"　"_sj, "○"_sj, "×"_sj,  "△"_sj, "▽"_sj,
                                    "□"_sj,  "●"_sj, "卵"_sj, "髭"_sj};

const PatternRange PatternRanges[5] = {{1, 10}, {1, 20}, {1, 30}, {11, 30}, {21, 30}};

// Row strings top to bottom, then the group number of each pattern column. In pattern 25 the
// last symbol of the bottom row is two ASCII spaces, which read as empty.
// clang-format off
const Pattern PatternTable[kPatternCount] = {
    {{"　　　　　　"_sj, "　　　　　　"_sj, "　　　　　　"_sj, "　　　　　　"_sj, "××××××"_sj, "　　　　　　"_sj}, {0, 0, 0, 0, 0, 0}},  // 0
    {{"　　○　　髭"_sj, "　○髭○○○"_sj, "　○○髭　　"_sj, "　○○○○○"_sj, "　○○　髭　"_sj, "○○　○○○"_sj}, {1, 2, 3, 3, 3, 3}},  // 1
    {{"○卵○　○○"_sj, "○○○髭　　"_sj, "○○○○髭○"_sj, "　○　○○○"_sj, "○○○　○　"_sj, "　○　○　○"_sj}, {1, 1, 2, 3, 3, 4}},  // 2
    {{"　○卵　　○"_sj, "○○○○○髭"_sj, "　○　　○○"_sj, "○○○○髭○"_sj, "○○○○○　"_sj, "　髭○　○○"_sj}, {1, 2, 3, 4, 5, 5}},  // 3
    {{"　　　×　○"_sj, "　○○××○"_sj, "　　　××○"_sj, "○○○××○"_sj, "○　○　　卵"_sj, "○　○××○"_sj}, {1, 2, 3, 4, 4, 5}},  // 4
    {{"　　○○　　"_sj, "　○○　○髭"_sj, "○○　髭　○"_sj, "○　○○髭○"_sj, "○○　○○　"_sj, "　○○　○○"_sj}, {1, 2, 3, 4, 4, 4}},  // 5
    {{"○○○○○○"_sj, "　　　髭　○"_sj, "　　　○　卵"_sj, "　　　○　○"_sj, "　　　○　○"_sj, "　　　○　○"_sj}, {1, 2, 3, 4, 5, 6}},  // 6
    {{"　　　　　　"_sj, "○○○○○○"_sj, "　　　　　　"_sj, "　　　　　　"_sj, "　　　　　　"_sj, "　　　　　　"_sj}, {1, 2, 3, 4, 5, 6}},  // 7
    {{"○×○×○×"_sj, "○×　　○×"_sj, "　×○×　×"_sj, "○×○×○×"_sj, "○　　×○　"_sj, "　×○×　×"_sj}, {1, 2, 3, 4, 5, 6}},  // 8
    {{"　　○　○　"_sj, "　　○　○　"_sj, "○○卵○卵○"_sj, "○○○○○○"_sj, "　　○　○　"_sj, "○○○○○○"_sj}, {1, 2, 2, 3, 4, 5}},  // 9
    {{"　　○○　○"_sj, "　○○髭○○"_sj, "○○　○○卵"_sj, "○　○○　○"_sj, "○○　○　　"_sj, "　○○○○○"_sj}, {1, 2, 3, 4, 5, 6}},  // 10
    {{"　○××○　"_sj, "　　××○○"_sj, "○○　　卵　"_sj, "　○××○○"_sj, "○○××○○"_sj, "○卵×　○　"_sj}, {1, 1, 2, 2, 2, 3}},  // 11
    {{"　　髭　　髭"_sj, "○○○○○○"_sj, "　髭　　髭　"_sj, "○○○○○○"_sj, "○○○○○○"_sj, "○○○○○○"_sj}, {1, 2, 2, 3, 4, 4}},  // 12
    {{"　　○　×○"_sj, "　○髭○×○"_sj, "　　○○×　"_sj, "　○○髭×○"_sj, "　○　○　○"_sj, "○髭○○×卵"_sj}, {1, 2, 2, 2, 3, 4}},  // 13
    {{"○　×　髭○"_sj, "　○　○○○"_sj, "○卵×○　髭"_sj, "○○×○○○"_sj, "　○　髭○　"_sj, "　　×○○○"_sj}, {1, 1, 2, 3, 3, 3}},  // 14
    {{"○○　○　　"_sj, "　　○　○○"_sj, "　○卵　　卵"_sj, "○○○○○○"_sj, "　髭○　卵○"_sj, "　○○　○○"_sj}, {1, 2, 2, 3, 4, 4}},  // 15
    {{"○卵○○　　"_sj, "　○○　○髭"_sj, "○○　髭　○"_sj, "○○○○髭○"_sj, "　○　○○　"_sj, "　○髭　○○"_sj}, {1, 1, 2, 2, 2, 2}},  // 16
    {{"　　○　　○"_sj, "　○卵○　○"_sj, "○　○　○　"_sj, "　○○○　○"_sj, "○○　○○○"_sj, "○　○　○卵"_sj}, {1, 2, 3, 4, 5, 6}},  // 17
    {{"　　×○×○"_sj, "　○×卵×○"_sj, "○　×○×　"_sj, "　○×○×○"_sj, "○○　　　○"_sj, "○　×○×卵"_sj}, {1, 2, 3, 4, 5, 6}},  // 18
    {{"　　△○○▽"_sj, "　○　髭○　"_sj, "○　△○　▽"_sj, "　○△○○▽"_sj, "○○　　○　"_sj, "○　△○髭▽"_sj}, {1, 2, 3, 4, 4, 5}},  // 19
    {{"　△○　○　"_sj, "　　　○○卵"_sj, "○△○卵　○"_sj, "　△○○○　"_sj, "○　　○○○"_sj, "○△○　　○"_sj}, {1, 2, 3, 3, 4, 5}},  // 20
    {{"　　○○　　"_sj, "　○○　　○"_sj, "○卵　　○卵"_sj, "○○○○○○"_sj, "　○　卵　○"_sj, "○　　○○　"_sj}, {1, 1, 2, 3, 4, 5}},  // 21
    {{"　○卵○○　"_sj, "　　○○　○"_sj, "○　髭　　　"_sj, "○○○○○卵"_sj, "　　○髭　○"_sj, "○　　○○○"_sj}, {1, 2, 2, 3, 4, 5}},  // 22
    {{"○卵○○髭　"_sj, "○○○○○○"_sj, "　　髭　○○"_sj, "○○○○○卵"_sj, "　○　○　○"_sj, "○　○髭○○"_sj}, {1, 1, 2, 2, 2, 2}},  // 23
    {{"○髭○髭○○"_sj, "○○○○　○"_sj, "　　髭　○髭"_sj, "○○○○○○"_sj, "　○　○髭　"_sj, "　　○　○○"_sj}, {1, 2, 2, 2, 2, 2}},  // 24
    {{"　　○髭　　"_sj, "　○卵○　○"_sj, "○　○○○○"_sj, "　○○卵○　"_sj, "○○髭○　○"_sj, "○　○　○  "_sj}, {1, 2, 2, 2, 3, 4}},  // 25
    {{"○××○×○"_sj, "○××○卵○"_sj, "　×髭　×　"_sj, "○××○×○"_sj, "○××　×○"_sj, "　　　○×　"_sj}, {1, 2, 2, 2, 2, 3}},  // 26
    {{"　△○×○△"_sj, "　　○×○　"_sj, "○△髭×　△"_sj, "　△○×○△"_sj, "○　　　○　"_sj, "○△○×卵△"_sj}, {1, 2, 3, 3, 4, 5}},  // 27
    {{"○○△○▽　"_sj, "　○　○　卵"_sj, "○　△卵▽○"_sj, "　○△○▽　"_sj, "○　　○　○"_sj, "○○△　▽○"_sj}, {1, 1, 2, 3, 4, 5}},  // 28
    {{"　△○○×　"_sj, "　　髭○卵　"_sj, "○△○　×▽"_sj, "　△○○×　"_sj, "○　　○　▽"_sj, "　△○　×▽"_sj}, {1, 2, 3, 4, 5, 6}},  // 29
    {{"○○○▽○×"_sj, "○卵○　　卵"_sj, "○○　▽○×"_sj, "　○○▽○×"_sj, "○卵○　　×"_sj, "　○　▽○×"_sj}, {1, 1, 2, 3, 4, 5}},  // 30
};
// clang-format on

bool IsSolid(CellType type) { return type != CellEmpty && type != CellSquare; }

float WrapFieldY(float y) {
  if (y >= 0.0f && y < kFieldHeight) return y;
  y = std::fmod(y, static_cast<float>(kFieldHeight));
  return y < 0.0f ? y + kFieldHeight : y;
}

namespace {

int32_t WrapFieldPixel(int32_t p) {
  p %= kFieldHeight;
  return p < 0 ? p + kFieldHeight : p;
}

bool IsColumn(int32_t column) { return column >= 0 && column < kColumns; }

// The cell type of one pattern symbol: the index of its two bytes in CellSymbols, 0 when the
// symbol is not there.
int SymbolIndex(std::string_view row, int32_t column) {
  const size_t at = static_cast<size_t>(column) * 2;
  if (at + 2 > row.size()) return CellEmpty;
  const std::string_view symbol = row.substr(at, 2);
  for (int i = 0; i < 9; ++i) {
    if (symbol == CellSymbols[i]) return i;
  }
  return CellEmpty;
}

// The line kind a cell of the new line imposes, or LineStill.
LineKind KindOfCell(CellType type) {
  switch (type) {
    case CellHardStone: return LineFixed;
    case CellDriftUp: return LineDriftUp;
    case CellDriftDown: return LineDriftDown;
    default: return LineStill;
  }
}

// Picks n values 0..n-1 from the game's generator.
int32_t RandomBelow(int32_t n) { return GameRand() * n / 32768; }

}  // namespace

void CMap::Init() {
  scroll = 0;
  save = g_saveData;
  speed = kStartSpeed;
  cursor = kStartCursor;
  frame = 0;
  accelerate = false;
  pattern = 0;
  patternColumn = 0;
  std::fill(std::begin(groupShift), std::end(groupShift), 0);

  for (CCharactor& enemy : g_enemies) enemy.Empty();
  // Monsters placed by earlier columns move left with their lines.
  for (int i = 0; i < kColumns; ++i) {
    ShiftEnemies(-kCellSize, 0);
    GenerateColumn();
  }
  for (CCharactor& item : g_items) item.Empty();
  for (CCharactor& effect : g_effects) effect.Empty();
}

void CMap::GenerateColumn() {
  if (patternColumn >= 6) {
    const PatternRange range = PatternRanges[std::min(save->distance, 299) / 60];
    pattern = range.lowest + RandomBelow(range.highest - range.lowest + 1);
    patternColumn = 0;
    for (uint8_t& shift : groupShift) shift = static_cast<uint8_t>(RandomBelow(5));
  }
  ShiftLines();
  FillNewLine(lines[kColumns - 1]);

  save->distance += 1;
  AddScore(*save, 100);
  patternColumn += 1;
  HatchEggs();
}

void CMap::ShiftLines() {
  std::copy(lines + 1, lines + kColumns, lines);
  // The cursor stays on its line; from column 0 it wraps to the new one.
  cursor = (cursor + kColumns - 1) % kColumns;
}

void CMap::FillNewLine(MapLine& line) {
  const Pattern& source = PatternTable[pattern];
  const uint8_t group = source.groups[patternColumn];
  line.offset = group == 0 ? 0.0f : static_cast<float>(groupShift[group - 1] * kCellSize);
  line.kind = LineStill;
  for (int r = 0; r < kRows; ++r) {
    const int symbol = SymbolIndex(source.rows[r], patternColumn);
    if (symbol == kSymbolBeard) {
      line.cells[r] = CellEmpty;
      SpawnEnemy(kNewColumnCentre - scroll, kRowCentre + kCellSize * r + line.offset, EnemyBeard);
      continue;
    }
    line.cells[r] = static_cast<CellType>(symbol);
    const LineKind imposed = KindOfCell(line.cells[r]);
    if (imposed != LineStill) line.kind = imposed;
  }
}

void CMap::HatchEggs() {
  OpenEggs([](float x, float y) { SpawnEnemy(x, y, EnemyWing); });
}

void CMap::HandleInput(const CInput& input) {
  accelerate = input[Button1].held;
  if (input[Left].PressedOrRepeat()) {
    cursor = (cursor + kColumns - 1) % kColumns;
  } else if (input[Right].PressedOrRepeat()) {
    cursor = (cursor + 1) % kColumns;
  }
  if (input[Up].held) {
    ShiftSelectedLine(LineUp);
  } else if (input[Down].held) {
    ShiftSelectedLine(LineDown);
  }
}

bool CMap::ShiftSelectedLine(LineKind direction) {
  MapLine& line = lines[cursor];
  if (line.kind > LineDown) return false;  // fixed and drifting lines ignore the player
  line.kind = direction;
  return true;
}

int32_t CMap::LineAt(int32_t screenX) const {
  const int32_t column = static_cast<int32_t>(static_cast<float>(screenX) + scroll) / kCellSize;
  return std::clamp(column, 0, kColumns - 1);
}

void CMap::Scroll() {
  if (scroll >= kCellSize) {
    scroll -= kCellSize;
    GenerateColumn();
    SpeedUp();
  }
  scroll += ScrollStep(*this);
  MoveLines();
  frame += 1;
}

void CMap::MoveLines() {
  for (MapLine& line : lines) {
    line.offset += LineSpeeds[line.kind];
    if (line.offset < 0) {
      line.offset += kFieldHeight;
    } else if (line.offset >= kFieldHeight) {
      line.offset -= kFieldHeight;
    }
    if (line.kind > LineDown) continue;
    // A moving line stops when it comes within 10 pixels of a cell boundary.
    const int32_t n = static_cast<int32_t>(line.offset);
    const int32_t m = n % kCellSize;
    if (m < 10 || m > 75) {
      line.offset = static_cast<float>(n - m);
      line.kind = LineStill;
    }
  }
}

void CMap::SpeedUp() { speed = std::min(speed + kSpeedStep, kMaxSpeed); }

float CMap::ScrollBack() {
  const float back = std::max(scroll - kScrollBackSpeed, 0.0f);
  const float moved = scroll - back;
  scroll = back;
  return moved;
}

CellType CMap::CellAt(int32_t column, int32_t fieldY) const {
  return lines[column].cells[WrapFieldPixel(fieldY) / kCellSize];
}

bool CMap::Draw(CSprite* sprites, bool showCursor) {
  DrawBackground(sprites[SpriteBackground]);
  DrawCells(sprites[SpriteBlocks]);
  if (showCursor) {
    CSprite& sprite = sprites[SpriteCursor];
    SetSpriteRect(sprite, kCellSize * ((frame / 4) % 4), 0, kCellSize, kFieldHeight);
    sprite.colour = 0x9FFFFFFF;
    DrawPlaySprite(sprite, kCellSize * cursor - static_cast<int32_t>(scroll), kFieldTop);
  }
  return true;
}

void CMap::DrawBackground(CSprite& sprite) const {
  // The picture moves one pixel left per generated column and wraps.
  const int32_t b = save->distance % 799 + 1;
  SetSpriteRect(sprite, b, 0, 800 - b, kFieldHeight);
  DrawPlaySprite(sprite, 0, kFieldTop);
  SetSpriteRect(sprite, 0, 0, b, kFieldHeight);
  DrawPlaySprite(sprite, 800 - b, kFieldTop);
}

void CMap::DrawCells(CSprite& sprite) const {
  const int32_t scrollX = static_cast<int32_t>(scroll);
  const bool eggOpen = (frame / 8) % 2 != 0;
  for (int32_t c = 0; c < kColumns; ++c) {
    const MapLine& line = lines[c];
    const int32_t x = kCellSize * c - scrollX;
    for (int32_t r = 0; r < kRows; ++r) {
      int32_t u = 0, v = 0;
      switch (line.cells[r]) {
        case CellEmpty: continue;
        case CellStone: u = 85; break;
        case CellDriftUp:
        case CellDriftDown: u = 170; break;
        case CellEgg:
          u = eggOpen ? 425 : 340;
          v = 85;
          break;
        default: break;  // hard stone, square and dot share the first tile
      }
      SetSpriteRect(sprite, u, v, kCellSize, kCellSize);
      const int32_t y = (static_cast<int32_t>(line.offset) + kCellSize * r - 8) % kFieldHeight;
      DrawPlaySprite(sprite, x, y + kFieldTop);
      if (y < 0) DrawPlaySprite(sprite, x, y + 600);
      if (y > 425) DrawPlaySprite(sprite, x, y - 420);
    }
  }
}

int32_t CollideWithBlocks(CCharactor& character, const CMap& map, bool testLeft, bool testRight) {
  const float s = map.scroll;
  // The cell at the character's own height in a column beside it.
  auto solidBeside = [&](int32_t c) {
    return IsColumn(c) &&
           IsSolid(map.CellAt(c, static_cast<int32_t>(character.y - map.lines[c].offset)));
  };

  if (testLeft) {
    const int32_t c = static_cast<int32_t>(character.x - kBoxHalf + s) / kCellSize;
    if (solidBeside(c)) character.x = static_cast<float>(kCellSize * (c + 1)) - s + kBoxHalf;
  }
  int32_t push = 0;
  if (testRight) {
    const int32_t c = static_cast<int32_t>(character.x + kBoxHalf + s) / kCellSize;
    if (solidBeside(c)) {
      const float against = static_cast<float>(kCellSize * c) - s - kBoxHalf;
      push = static_cast<int32_t>(character.x - against);
      character.x = against;
    }
  }

  const int32_t c = static_cast<int32_t>(character.x + s) / kCellSize;
  if (IsColumn(c)) {
    const float offset = map.lines[c].offset;
    const int32_t q = static_cast<int32_t>(character.y - offset);
    if (IsSolid(map.CellAt(c, q + kBoxHalf))) {
      character.grounded = true;
      character.y = static_cast<float>(kCellSize * (WrapFieldPixel(q + kBoxHalf) / kCellSize)) +
                    offset - kBoxHalf;
    } else {
      character.grounded = false;
      if (IsSolid(map.CellAt(c, q - kBoxHalf))) {
        // Pushed down below the stone it rose into.
        character.y =
            static_cast<float>(kCellSize * (WrapFieldPixel(q - kBoxHalf) / kCellSize + 1)) +
            offset + kBoxHalf;
      }
    }
  }
  character.y = WrapFieldY(character.y);
  return push;
}

void DrawInField(CSprite& sprite, int32_t x, int32_t y) {
  if (y < 0) DrawPlaySprite(sprite, x, y + 600);
  if (y > 425) DrawPlaySprite(sprite, x, y - 420);
  DrawPlaySprite(sprite, x, y + kFieldTop);
}

float ScrollStep(const CMap& map) { return map.accelerate ? kAccelerateSpeed : map.speed; }
