// The play field: eleven scrolling lines of six stone cells, their generation from the pattern
// table, the cursor that shifts them, and the geometry every character moves by.
#pragma once

#include <cstdint>

class CCharactor;
class CInput;
class CSprite;
struct SaveData;

// Field geometry.
constexpr int32_t kCellSize = 85;
constexpr int32_t kRows = 6;
constexpr int32_t kColumns = 11;
constexpr int32_t kFieldHeight = kRows * kCellSize;  // 510: the field is a vertical ring
constexpr int32_t kFieldTop = 90;                    // screen y of field y 0
constexpr float kRowCentre = 42.0f;                  // field y of a row's centre in a still line
// Eggs hatch when their line reaches this column; the screen x of its cell centres is
// kHatchColumnCentre less the sub-column scroll.
constexpr int32_t kHatchColumn = 7;
constexpr float kHatchColumnCentre = 637.0f;

enum CellType : uint8_t {
  CellEmpty = 0,
  CellStone = 1,
  CellHardStone = 2,
  CellDriftUp = 3,
  CellDriftDown = 4,
  CellSquare = 5,
  CellDot = 6,
  CellEgg = 7,
};
// The pattern symbol that places a beard monster on an empty cell.
constexpr int kSymbolBeard = 8;

enum LineKind : uint8_t {
  LineStill = 0,
  LineUp = 1,
  LineDown = 2,
  LineFixed = 3,
  LineDriftUp = 4,
  LineDriftDown = 5,
};

// Pixels per frame added to a line's offset, by LineKind.
extern const float LineSpeeds[6];

struct MapLine {
  CellType cells[kRows];
  LineKind kind;
  float offset;  // downward rotation in pixels, 0..510
};

// Six rows of six Shift-JIS full-width symbols, and a group number per pattern column.
struct Pattern {
  const char* rows[kRows];
  uint8_t groups[6];
};
constexpr int kPatternCount = 31;
extern const Pattern PatternTable[kPatternCount];

// The pattern symbols by cell type (index 8 is the beard monster), as Shift-JIS byte pairs.
extern const char* const CellSymbols[9];

struct PatternRange {
  int32_t lowest, highest;
};
// By min(distance, 299) / 60.
extern const PatternRange PatternRanges[5];

bool IsSolid(CellType type);

// Brings a field y into 0..510, however far outside it lies.
float WrapFieldY(float y);

class CMap {
 public:
  virtual ~CMap() = default;

  void Init();
  void GenerateColumn();
  void HatchEggs();
  // The eggs of the hatching column become empty cells; `hatch` (x, y) is told the centre of
  // each, where a winged monster comes out.
  template <typename Hatch>
  void OpenEggs(Hatch&& hatch);
  void HandleInput(const CInput& input);
  // Sets the selected line moving up or down (LineUp, LineDown) as a held key does; false
  // when the line ignores the player (fixed and drifting lines).
  bool ShiftSelectedLine(LineKind direction);
  // The line whose column lies under screen x (0..799).
  int32_t LineAt(int32_t screenX) const;
  void Scroll();
  // The steps of Scroll: the lines move left by one column (the new column 10 is left as it
  // was), the speed rises after a new column, and every line moves by its own kind.
  void ShiftLines();
  void SpeedUp();
  void MoveLines();
  // One frame of the slide back after a cut-off; the pixels moved.
  float ScrollBack();
  bool Draw(CSprite* sprites, bool showCursor);

  // The cell that covers field y `fieldY` of column `column`.
  CellType CellAt(int32_t column, int32_t fieldY) const;

  MapLine lines[kColumns] = {};
  int32_t pattern = 0;
  int32_t patternColumn = 0;
  uint8_t groupShift[kColumns] = {};
  int32_t frame = 0;
  float scroll = 0;
  float speed = 0;
  bool accelerate = false;
  int32_t cursor = 0;
  SaveData* save = nullptr;

 private:
  void FillNewLine(MapLine& line);
  void DrawBackground(CSprite& sprite) const;
  void DrawCells(CSprite& sprite) const;
};

template <typename Hatch>
void CMap::OpenEggs(Hatch&& hatch) {
  MapLine& line = lines[kHatchColumn];
  for (int r = 0; r < kRows; ++r) {
    if (line.cells[r] != CellEgg) continue;
    line.cells[r] = CellEmpty;
    hatch(kHatchColumnCentre - scroll, line.offset + kRowCentre + kCellSize * r);
  }
}

// Stands the character on the stones and pushes it out of them; the push to the left that a
// stone on its right gave it (0 when none).
int32_t CollideWithBlocks(CCharactor& character, const CMap& map, bool testLeft, bool testRight);

// Draws a sprite whose top-left corner is at screen x, field y, with a copy across the wrap.
void DrawInField(CSprite& sprite, int32_t x, int32_t y);

// How far the field moves left this frame.
float ScrollStep(const CMap& map);
