// The CG room: the cursor over a grid of twelve tiles and a return button.
#include "scenes/cg_room.h"

#include <vector>

#include "fakes/test_environment.h"

namespace {

class CGRoomTest : public GameTest {
 protected:
  CCGRoom* Open() {
    g_sceneManager.RequestScene(CGRoom, false);
    RunFrame();
    return CurrentAs<CCGRoom>();
  }
  void Press(Button b) {
    RunFrame({b});
    RunFrame();
  }
  int Blips() const {
    int n = 0;
    for (const PlayEvent& e : audio->Plays()) n += e.waveId == 205;
    return n;
  }
};

TEST_F(CGRoomTest, TilesLieOnTheirGridAndTheFirstIsHighlighted) {
  CCGRoom* room = Open();
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(room->cursor, 0);
  EXPECT_EQ(room->sprites[3]->depth, -1);
  EXPECT_TRUE(room->sprites[3]->flags & MotionSprite::ZoomBounce);
  EXPECT_EQ(room->sprites[3 + 7]->x, 666.0f);  // row 1, column 3
  EXPECT_EQ(room->sprites[3 + 7]->y, 262.0f);
  EXPECT_EQ(device.QuadsOfBitmap(120).size(), 12u);
}

TEST_F(CGRoomTest, CursorMovesWithoutWrapping) {
  CCGRoom* room = Open();
  Press(Left);
  EXPECT_EQ(room->cursor, 0);
  EXPECT_EQ(Blips(), 0);
  for (int i = 0; i < 3; ++i) Press(Right);
  Press(Right);  // end of the first row: on to the start of the second
  EXPECT_EQ(room->cursor, 4);
  Press(Down);
  Press(Right);
  EXPECT_EQ(room->cursor, 9);
  Press(Down);
  EXPECT_EQ(room->cursor, 12);  // the return button
  Press(Up);
  EXPECT_EQ(room->cursor, 8);
  Press(Down);
  Press(Right);
  Press(Down);
  EXPECT_EQ(room->cursor, 12);
  EXPECT_EQ(Blips(), 9);
}

TEST_F(CGRoomTest, HoldingRightWalksToTheReturnButtonAndStops) {
  CCGRoom* room = Open();
  RunFrames(60, {Right});
  EXPECT_EQ(room->cursor, 12);
  EXPECT_EQ(room->sprites[15]->depth, -1);
}

TEST_F(CGRoomTest, ATileThatLosesTheCursorSnapsBack) {
  CCGRoom* room = Open();
  RunFrames(5);
  ASSERT_GT(room->sprites[3]->scaleX, 1.0f);
  Press(Right);
  EXPECT_EQ(room->sprites[3]->scaleX, 1.0f);
  EXPECT_EQ(room->sprites[3]->depth, 0);
  EXPECT_EQ(room->sprites[3]->scaleSpeedX, 0.0f);
  EXPECT_EQ(room->sprites[4]->depth, -1);
}

TEST_F(CGRoomTest, ConfirmOnATileOnlySoundsAndOnReturnLeaves) {
  CCGRoom* room = Open();
  RunFrame({Confirm});
  EXPECT_EQ(g_sceneManager.requestedScene, None);
  EXPECT_EQ(audio->Plays().back().waveId, 206);
  RunFrame();
  for (int i = 0; i < 3; ++i) {
    RunFrame({Down});
    RunFrame();
  }
  ASSERT_EQ(room->cursor, 12);
  RunFrame({Confirm});
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
}

TEST_F(CGRoomTest, BackLeavesFromAnywhere) {
  Open();
  RunFrame({Back});
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
}

}  // namespace
