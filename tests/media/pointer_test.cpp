#include "media/pointer.h"

#include <gtest/gtest.h>

namespace {

PointerFrame Down(int16_t x, int16_t y) { return {x, y, PointerDown}; }
PointerFrame Up(int16_t x, int16_t y) { return {x, y, 0}; }

TEST(PointerTracker, APressLetGoNearWhereItBeganIsATap) {
  PointerTracker tracker;
  tracker.Map(Down(100, 200));
  EXPECT_TRUE(tracker.State().pressed);
  EXPECT_TRUE(tracker.State().held);
  tracker.Map(Down(110, 190));  // a finger wobbles within the slop
  EXPECT_FALSE(tracker.State().pressed);
  EXPECT_FALSE(tracker.State().dragging);
  tracker.Map(Up(112, 188));
  const PointerState& s = tracker.State();
  EXPECT_TRUE(s.released);
  EXPECT_TRUE(s.tapped);
  EXPECT_FALSE(s.held);
  EXPECT_TRUE(s.TappedIn({90, 190, 20, 20})) << "a tap counts where it began";
  tracker.Map(Up(112, 188));
  EXPECT_FALSE(tracker.State().released) << "edges last one frame";
  EXPECT_FALSE(tracker.State().tapped);
}

TEST(PointerTracker, TravelBeyondTheSlopMakesADragThatIsNoTap) {
  PointerTracker tracker;
  tracker.Map(Down(400, 300));
  tracker.Map(Down(400, 300 - PointerState::kTapSlop));
  EXPECT_FALSE(tracker.State().dragging) << "the slop itself is still a tap";
  tracker.Map(Down(400, 300 - PointerState::kTapSlop - 1));
  EXPECT_TRUE(tracker.State().dragging);
  tracker.Map(Down(400, 300));  // back where it began: still a drag
  EXPECT_TRUE(tracker.State().dragging);
  tracker.Map(Up(400, 300));
  EXPECT_TRUE(tracker.State().released);
  EXPECT_FALSE(tracker.State().tapped);

  // A release far away in the frame after the press is no tap either.
  tracker.Map(Down(10, 10));
  tracker.Map(Up(200, 10));
  EXPECT_TRUE(tracker.State().released);
  EXPECT_FALSE(tracker.State().tapped);
}

TEST(PointerTracker, ATapWithinOneFrameIsTheWholeGestureAtOnce) {
  PointerTracker tracker;
  tracker.Map({50, 60, PointerTapped | PointerMoved});
  const PointerState& s = tracker.State();
  EXPECT_TRUE(s.pressed);
  EXPECT_TRUE(s.released);
  EXPECT_TRUE(s.tapped);
  EXPECT_FALSE(s.held);
  EXPECT_FALSE(s.hovered);
  EXPECT_EQ(s.pressX, 50);
  EXPECT_EQ(s.pressY, 60);
}

TEST(PointerTracker, HoverIsAMoveWithoutAPress) {
  PointerTracker tracker;
  tracker.Map({300, 300, PointerMoved});
  EXPECT_TRUE(tracker.State().hovered);
  EXPECT_TRUE(tracker.State().HoveredIn({290, 290, 20, 20}));
  tracker.Map({300, 300, 0});
  EXPECT_FALSE(tracker.State().hovered) << "standing still is no hover";
  tracker.Map({320, 300, PointerDown | PointerMoved});
  EXPECT_FALSE(tracker.State().hovered) << "moving while down is a drag";
}

TEST(PointerTracker, AGestureCancelledByASceneChangeIsNeverFinished) {
  PointerTracker tracker;
  tracker.Map(Down(100, 100));
  tracker.Cancel();
  EXPECT_FALSE(tracker.State().held);
  tracker.Map(Down(100, 100));
  EXPECT_FALSE(tracker.State().held) << "the old press is not taken up again";
  EXPECT_FALSE(tracker.State().pressed);
  tracker.Map(Up(100, 100));
  EXPECT_FALSE(tracker.State().released) << "nor its release";
  EXPECT_FALSE(tracker.State().tapped);
  tracker.Map(Down(100, 100));
  EXPECT_TRUE(tracker.State().pressed) << "the next press is a gesture again";

  // Cancelled while up, nothing is lost.
  PointerTracker idle;
  idle.Cancel();
  idle.Map(Down(5, 5));
  EXPECT_TRUE(idle.State().pressed);
}

}  // namespace

namespace {

TEST(CursorVisibility, HidesWhenIdleAndWhenAGameStartsAndShowsOnMotion) {
  CursorVisibility cursor;
  EXPECT_TRUE(cursor.Update(true, false));
  for (int i = 1; i < CursorVisibility::kIdleFrames; ++i)
    ASSERT_TRUE(cursor.Update(false, false)) << i;
  EXPECT_FALSE(cursor.Update(false, false)) << "2 s without motion";
  EXPECT_TRUE(cursor.Update(true, false)) << "the mouse moved";
  EXPECT_FALSE(cursor.Update(false, true)) << "a game began";
  EXPECT_TRUE(cursor.Update(true, true)) << "moved in play";
  EXPECT_TRUE(cursor.Update(false, true));
}

}  // namespace
