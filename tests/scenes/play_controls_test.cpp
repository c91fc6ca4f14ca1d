#include "scenes/play_controls.h"

#include <gtest/gtest.h>

#include "game/field_fixture.h"

namespace {

class PlayControlsTest : public FieldTest {
 protected:
  // One playing frame as the play scene runs it: keys, then the pointer, then the scroll.
  bool Frame(PointerFrame pointer, std::initializer_list<Button> keys = {}) {
    for (Button b : keys) input.held[b] = true;
    input.MapPointer(pointer);
    map.HandleInput(input);
    const bool pause = pointerPlay.Input(input, map);
    controls.Follow(input);
    map.Scroll();
    input.EndFrame();
    return pause;
  }
  PointerFrame Held(int16_t x, int16_t y) { return {x, y, PointerDown | PointerMoved}; }
  PointerFrame Lifted(int16_t x, int16_t y) { return {x, y, 0}; }

  CInput input;
  CPlayPointer pointerPlay;
  CPlayControls controls;
};

TEST_F(PlayControlsTest, ATapSelectsTheLineUnderItAndMovesNothing) {
  ClearField();
  map.scroll = 40;
  map.cursor = 2;
  Frame({430, 300, PointerTapped | PointerMoved});
  EXPECT_EQ(map.cursor, 5) << "(430 + 40) / 85";
  for (const MapLine& line : map.lines) EXPECT_EQ(line.kind, LineStill);
  EXPECT_TRUE(controls.shown);
  Frame(Lifted(430, 300), {Button1});
  EXPECT_FALSE(controls.shown) << "a key was pressed last";
}

// A drag two cells down moves the line exactly as Down held for 16 frames does.
TEST_F(PlayControlsTest, ADragShiftsTheLineCellByCellAtTheSpeedOfAHeldKey) {
  ClearField();
  CMap keys = map;
  map.cursor = keys.cursor = 5;
  Frame(Held(470, 200));
  Frame(Held(470, 200 + 2 * kCellSize));
  for (int frame = 0; frame < 20; ++frame) {
    CInput down;
    if (frame < 16) down.held[Down] = true;
    keys.HandleInput(down);
    keys.Scroll();
    ASSERT_EQ(map.lines[5].offset, keys.lines[5].offset) << frame;
    Frame(Held(470, 200 + 2 * kCellSize));
  }
  EXPECT_EQ(map.lines[5].offset, 170.0f);
  EXPECT_EQ(map.lines[5].kind, LineStill);
}

TEST_F(PlayControlsTest, ALineGoesOnToWhereTheFingerLeftIt) {
  ClearField();
  Frame(Held(470, 500));
  Frame(Held(470, 500 - 150));  // 1.76 cells up: two cells
  Frame(Lifted(470, 500 - 150));
  for (int frame = 0; frame < 20; ++frame) Frame(Lifted(470, 350));
  EXPECT_EQ(map.lines[5].offset, 340.0f) << "two cells up, ring of 510";

  // A line that ignores the player ends the drag at once.
  map.lines[3].kind = LineFixed;
  Frame(Held(300, 200));
  Frame(Held(300, 400));
  EXPECT_EQ(map.lines[3].kind, LineFixed);
  EXPECT_EQ(map.lines[3].offset, 0.0f);
}

TEST_F(PlayControlsTest, TheSpeedControlActsWhileHeldOnItAndPauseOnATap) {
  const ScreenRect speed = CPlayPointer::kSpeedButton, pause = CPlayPointer::kPauseButton;
  Frame(Held(speed.x + 10, speed.y + 10));
  EXPECT_TRUE(map.accelerate);
  Frame(Held(speed.x + 20, speed.y + 10));
  EXPECT_TRUE(map.accelerate);
  Frame(Held(speed.x + 20, 300));
  EXPECT_FALSE(map.accelerate) << "slid off the control";
  Frame(Lifted(speed.x + 20, 300));

  EXPECT_FALSE(Frame(Held(pause.x + 5, pause.y + 5)));
  EXPECT_TRUE(Frame(Lifted(pause.x + 5, pause.y + 5)));
  EXPECT_TRUE(Frame({int16_t(pause.x + 5), int16_t(pause.y + 5), PointerTapped}));
  Frame(Held(pause.x + 5, pause.y + 5));
  EXPECT_FALSE(Frame(Lifted(pause.x + 5, 500))) << "let go off the control: no pause";
  for (const MapLine& line : map.lines) EXPECT_NE(line.kind, LineUp);
}

}  // namespace
