#include <algorithm>
#include <cstring>

#include "game/field_fixture.h"

namespace {

CInput Holding(std::initializer_list<Button> buttons) {
  CInput input;
  for (Button b : buttons) input.held[b] = true;
  return input;
}

}  // namespace

using MapTest = FieldTest;

TEST_F(MapTest, InitOpensOnTheFloorOfHardStones) {
  save.score = save.distance = 0;
  map.Init();
  EXPECT_EQ(map.cursor, 5);
  EXPECT_EQ(save.distance, 11);
  EXPECT_EQ(save.score, 1100);
  EXPECT_FLOAT_EQ(map.speed, 0.85f);
  for (int c = 0; c <= 5; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(map.lines[c].kind, LineFixed);
    EXPECT_EQ(map.lines[c].offset, 0.0f);
    for (int r = 0; r < kRows; ++r)
      EXPECT_EQ(map.lines[c].cells[r], r == 4 ? CellHardStone : CellEmpty);
  }
  EXPECT_NE(map.pattern, 0);
  EXPECT_EQ(map.patternColumn, 5);
}

TEST_F(MapTest, PatternTableRowsAreSixFullWidthSymbols) {
  for (int p = 0; p < kPatternCount; ++p) {
    for (int r = 0; r < kRows; ++r) EXPECT_EQ(std::strlen(PatternTable[p].rows[r]), 12u) << p;
  }
  // Pattern 25's bottom row ends in two ASCII spaces, which read as empty.
  map.pattern = 25;
  map.patternColumn = 5;
  map.lines[10].cells[5] = CellStone;
  map.GenerateColumn();
  EXPECT_EQ(map.lines[10].cells[5], CellEmpty);
  EXPECT_EQ(map.lines[10].cells[0], CellEmpty);
  EXPECT_EQ(map.lines[10].cells[1], CellStone);
}

TEST_F(MapTest, NewPatternsComeFromTheRangeOfTheDistance) {
  struct Case {
    int32_t distance, lowest, highest;
  };
  for (Case c : {Case{0, 1, 10}, Case{59, 1, 10}, Case{60, 1, 20}, Case{179, 1, 30},
                 Case{180, 11, 30}, Case{240, 21, 30}, Case{5000, 21, 30}}) {
    SCOPED_TRACE(c.distance);
    int lowest = 99, highest = -1;
    for (int i = 0; i < 400; ++i) {
      save.distance = c.distance;
      map.patternColumn = 6;
      map.GenerateColumn();
      lowest = std::min(lowest, map.pattern);
      highest = std::max(highest, map.pattern);
      EXPECT_LE(*std::max_element(map.groupShift, map.groupShift + kColumns), 4);
    }
    EXPECT_EQ(lowest, c.lowest);
    EXPECT_EQ(highest, c.highest);
  }
}

TEST_F(MapTest, ScrollSpeedsUpPerColumnUpToItsCap) {
  for (int column = 1; column <= 500; ++column) {
    map.scroll = 85.0f;  // a column has scrolled out: the next Scroll generates one
    map.Scroll();
    if (column == 499) {
      EXPECT_LT(map.speed, 2.72f);
    }
  }
  EXPECT_EQ(map.speed, 2.72f);
  EXPECT_EQ(save.distance, 500);
  map.scroll = 85.0f;
  map.Scroll();
  EXPECT_EQ(map.speed, 2.72f);
  EXPECT_FLOAT_EQ(map.scroll, 2.72f);

  map.HandleInput(Holding({Button1}));
  map.scroll = 0;
  map.Scroll();
  EXPECT_FLOAT_EQ(map.scroll, 5.1f);
  EXPECT_FLOAT_EQ(ScrollStep(map), 5.1f);
}

TEST_F(MapTest, AColumnIsGeneratedTheFrameAfterTheScrollReaches85) {
  map.scroll = 84.9f;
  map.Scroll();
  EXPECT_EQ(save.distance, 0);
  EXPECT_GT(map.scroll, 85.0f);
  map.Scroll();
  EXPECT_EQ(save.distance, 1);
  EXPECT_EQ(save.score, 100);
  EXPECT_LT(map.scroll, 2.0f);
}

TEST_F(MapTest, OnePressMovesAStillLineExactlyOneCellIn8Frames) {
  ClearField();
  MapLine& line = map.lines[map.cursor];
  map.HandleInput(Holding({Up}));
  for (int frame = 1; frame <= 8; ++frame) {
    if (frame > 1) map.HandleInput(Holding({}));
    map.Scroll();
    if (frame < 8) {
      EXPECT_EQ(line.kind, LineUp) << frame;
    }
  }
  EXPECT_EQ(line.kind, LineStill);
  EXPECT_EQ(line.offset, 425.0f);

  map.HandleInput(Holding({Down}));
  for (int frame = 0; frame < 8; ++frame) map.Scroll();
  EXPECT_EQ(line.offset, 0.0f);
  EXPECT_EQ(line.kind, LineStill);
}

TEST_F(MapTest, HoldingMovesOnWithoutPauseAndUpWinsOverDown) {
  ClearField();
  MapLine& line = map.lines[map.cursor];
  for (int frame = 1; frame <= 16; ++frame) {
    map.HandleInput(Holding({Up, Down}));
    map.Scroll();
    if (frame == 8) {
      EXPECT_EQ(line.offset, 425.0f);
    }
    if (frame == 9) {
      EXPECT_EQ(line.offset, 414.375f);
    }
  }
  EXPECT_EQ(line.offset, 340.0f);
}

TEST_F(MapTest, FixedAndDriftingLinesIgnoreThePlayer) {
  ClearField();
  map.lines[5].kind = LineFixed;
  map.lines[6].kind = LineDriftUp;
  map.HandleInput(Holding({Up}));
  map.Scroll();
  EXPECT_EQ(map.lines[5].kind, LineFixed);
  EXPECT_EQ(map.lines[5].offset, 0.0f);

  map.cursor = 6;
  for (int frame = 2; frame <= 26; ++frame) {
    map.HandleInput(Holding({Down}));
    map.Scroll();
  }
  // 26 frames at 3.4 upwards: through the boundary at 425 without stopping.
  EXPECT_EQ(map.lines[6].kind, LineDriftUp);
  EXPECT_NEAR(map.lines[6].offset, 510 - 26 * 3.4, 0.01);
}

TEST_F(MapTest, CursorWrapsAndStaysOnItsLine) {
  CInput left = Holding({Left});
  map.cursor = 0;
  map.HandleInput(left);
  EXPECT_EQ(map.cursor, 10);
  map.HandleInput(Holding({Right}));
  EXPECT_EQ(map.cursor, 0);

  map.GenerateColumn();  // its line leaves the screen: the cursor goes to the new one
  EXPECT_EQ(map.cursor, 10);
  map.cursor = 4;
  map.GenerateColumn();
  EXPECT_EQ(map.cursor, 3);

  // A held button repeats from its 11th frame.
  left.heldLast[Left] = true;
  left.holdFrames[Left] = 9;
  map.HandleInput(left);
  EXPECT_EQ(map.cursor, 3);
  left.holdFrames[Left] = 10;
  map.HandleInput(left);
  EXPECT_EQ(map.cursor, 2);
}

TEST_F(MapTest, EggsHatchIntoWingedMonstersInColumn7) {
  ClearField();
  map.lines[8].cells[2] = CellEgg;
  map.lines[8].offset = 85;
  map.scroll = 10;
  map.GenerateColumn();  // the egg's line reaches column 7
  EXPECT_EQ(map.lines[7].cells[2], CellEmpty);
  const auto isWing = [](const CEnemySingle& e) { return e.kind == EnemyWing; };
  const CEnemySingle* wing = std::find_if(std::begin(g_enemies), std::end(g_enemies), isWing);
  ASSERT_NE(wing, std::end(g_enemies));
  EXPECT_FLOAT_EQ(wing->x, 627.0f);
  EXPECT_FLOAT_EQ(wing->y, 85.0f + 42 + 170);
}

TEST_F(MapTest, CellsAcrossTheBottomAreDrawnAtBothEnds) {
  ClearField();
  map.lines[0].cells[0] = CellStone;
  map.Draw(sprites, true);
  std::vector<DrawnQuad> cells = device.QuadsOfBitmap(106);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].ScreenPixels(), (DrawnQuad::PixelRect{0, 82, 85, 85}));
  EXPECT_EQ(cells[1].ScreenPixels(), (DrawnQuad::PixelRect{0, 592, 85, 85}));
  EXPECT_EQ(cells[0].SourcePixels(), (DrawnQuad::PixelRect{85, 0, 85, 85}));

  std::vector<DrawnQuad> cursor = device.QuadsOfBitmap(108);
  ASSERT_EQ(cursor.size(), 1u);
  EXPECT_EQ(cursor[0].ScreenPixels(), (DrawnQuad::PixelRect{425, 90, 85, 510}));
  EXPECT_EQ(cursor[0].Colour(), 0x9FFFFFFFu);
}

TEST_F(MapTest, CollisionStandsPushesAndWrapsCharacters) {
  ClearField();
  Floor();
  CEnemySingle c;
  c.x = 297;  // centre of column 3
  c.y = 310;
  EXPECT_EQ(CollideWithBlocks(c, map, false, true), 0);
  EXPECT_TRUE(c.grounded);
  EXPECT_EQ(c.y, 304.0f);

  // A stone on the right puts her back against it; the push is what she moved.
  map.lines[4].cells[3] = CellStone;
  c.x = 314;
  c.y = 304;
  EXPECT_EQ(CollideWithBlocks(c, map, false, true), 10);
  EXPECT_EQ(c.x, 304.0f);
  // A stone on the left stops a character walking left.
  map.lines[2].cells[3] = CellStone;
  c.x = 286;
  CollideWithBlocks(c, map, true, false);
  EXPECT_EQ(c.x, 291.0f);

  // Over a gap she keeps falling, through the bottom of the field to the top.
  c.x = 297;
  map.lines[3].cells[4] = CellEmpty;
  c.y = 509 + 6.8f;
  CollideWithBlocks(c, map, false, false);
  EXPECT_FALSE(c.grounded);
  EXPECT_NEAR(c.y, 5.8f, 1e-3);
}

TEST_F(MapTest, CharactorsPushedDownStayInsideTheField) {
  // Row 5 of a line rotated by 480 spans field y 395..480; a character inside its bottom is
  // pushed below it, to 516, which is field y 6.
  ClearField();
  map.lines[3].cells[5] = CellStone;
  map.lines[3].offset = 480;
  CEnemySingle c;
  c.x = 297;
  c.y = 470;
  CollideWithBlocks(c, map, false, false);
  EXPECT_FLOAT_EQ(c.y, 6.0f);
  // Far above the field a cell is still looked up in its own row.
  EXPECT_EQ(map.CellAt(3, -540), CellStone);
}

TEST_F(MapTest, ScrollBackReturnsToTheColumnEdge) {
  map.scroll = 5;
  EXPECT_FLOAT_EQ(map.ScrollBack(), 3.4f);
  EXPECT_FLOAT_EQ(map.ScrollBack(), 1.6f);
  EXPECT_EQ(map.ScrollBack(), 0.0f);
  EXPECT_EQ(map.scroll, 0.0f);
}
