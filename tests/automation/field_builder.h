// Small fields laid out by hand for the autoplayer's tests.
#pragma once

#include <string>
#include <vector>

#include "automation/play_view.h"

// A field of up to eleven columns written top to bottom: 'o' stone, 'x' hard stone (the line
// cannot be turned), '.' empty; every line still and unturned, the field at its column edge,
// the cursor on column 5.
inline PlayView Field(const std::vector<std::string>& columns) {
  PlayView view;
  view.speed = 0.85f;
  view.cursor = 5;
  view.phase = 1;
  for (size_t c = 0; c < columns.size() && c < kColumns; ++c) {
    MapLine& line = view.lines[c];
    for (int r = 0; r < kRows; ++r) {
      const char symbol = columns[c][r];
      line.cells[r] = symbol == 'o' ? CellStone : symbol == 'x' ? CellHardStone : CellEmpty;
      if (symbol == 'x') line.kind = LineFixed;
    }
  }
  return view;
}

// Every column with a floor in row 2.
inline const std::vector<std::string> kFlat(kColumns, "..o...");

// Puts the heroine standing in `column` with her body in `row`.
inline void Stand(PlayView& view, int column, int row) {
  view.heroine.Start();
  view.heroine.x = 85.0f * column + 42;
  view.heroine.y = 85.0f * row + 49;
  view.heroine.grounded = true;
}

// A monster standing in `column` with its body in `row`.
inline void AddMonster(PlayView& view, int kind, int column, int row) {
  for (CEnemySingle& m : view.monsters) {
    if (m.kind != 0) continue;
    m.kind = kind;
    m.x = 85.0f * column + 42;
    m.y = 85.0f * row + 49;
    m.grounded = true;
    return;
  }
}
