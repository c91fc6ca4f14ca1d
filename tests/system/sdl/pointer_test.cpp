#include <gtest/gtest.h>

#include "sdl_test_platform.h"
#include "system/sdl/sdl_pointer.h"

namespace {

// A window of half the picture's size: window points are doubled on the picture.
class SdlPointerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestPlatform();
    window_ = SDL_CreateWindow("pointer", 0, 0, 400, 300, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    id_ = SDL_GetWindowID(window_);
  }
  void TearDown() override {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_DestroyWindow(window_);
  }

  void Mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT, Uint32 which = 0) const {
    SDL_Event event{};
    event.type = type;
    event.button.windowID = id_;
    event.button.which = which;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }
  void Motion(int x, int y, Uint32 buttons) const {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = id_;
    event.motion.state = buttons;
    event.motion.x = x;
    event.motion.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }
  void Finger(Uint32 type, SDL_FingerID finger, float x, float y, SDL_TouchID touch = 1) const {
    SDL_Event event{};
    event.type = type;
    event.tfinger.windowID = id_;
    event.tfinger.touchId = touch;
    event.tfinger.fingerId = finger;
    event.tfinger.x = x;
    event.tfinger.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  SDL_Window* window_ = nullptr;
  Uint32 id_ = 0;
};

TEST_F(SdlPointerTest, AClickWithinAFrameIsATapOnThePicture) {
  SdlPointer pointer;
  Mouse(SDL_MOUSEBUTTONDOWN, 100, 150);
  Mouse(SDL_MOUSEBUTTONUP, 101, 150);
  const PointerFrame frame = pointer.Poll();
  EXPECT_EQ(frame.flags, PointerTapped | PointerMoved);
  EXPECT_EQ(frame.x, 202);
  EXPECT_EQ(frame.y, 300);
  EXPECT_EQ(pointer.Poll().flags, 0);

  Mouse(SDL_MOUSEBUTTONDOWN, 10, 10, SDL_BUTTON_RIGHT);
  EXPECT_FALSE(pointer.Poll().Down()) << "only the left button";
}

// The game draws each frame into a picture of its own size, which the renderer then reports
// as its output: the window's size is what counts, bars and all.
TEST(SdlPointerLayout, AWiderWindowHasBarsWhileTheGameDrawsIntoItsPicture) {
  TestPlatform();
  SDL_Window* window = SDL_CreateWindow("pointer", 0, 0, 1000, 690, SDL_WINDOW_HIDDEN);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  SDL_Texture* picture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 800, 600);
  ASSERT_EQ(SDL_SetRenderTarget(renderer, picture), 0) << SDL_GetError();
  {
    SdlPointer pointer;
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.windowID = SDL_GetWindowID(window);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = 719;  // 920 x 690 behind bars of 40: (719 - 40) / 1.15
    event.button.y = 319;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    const PointerFrame frame = pointer.Poll();
    EXPECT_TRUE(frame.Down());
    EXPECT_EQ(frame.x, 590);
    EXPECT_EQ(frame.y, 277);
  }
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_DestroyTexture(picture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
}

TEST_F(SdlPointerTest, ATouchIsSeenOnceThoughSdlAlsoMakesAMouseOfIt) {
  SdlPointer pointer;
  Finger(SDL_FINGERDOWN, 7, 0.5f, 0.5f);
  Mouse(SDL_MOUSEBUTTONDOWN, 200, 150, SDL_BUTTON_LEFT, SDL_TOUCH_MOUSEID);
  PointerFrame frame = pointer.Poll();
  EXPECT_TRUE(frame.Down());
  EXPECT_EQ(frame.x, 400);
  EXPECT_EQ(frame.y, 300);
  Finger(SDL_FINGERUP, 7, 0.5f, 0.5f);
  Mouse(SDL_MOUSEBUTTONUP, 200, 150, SDL_BUTTON_LEFT, SDL_TOUCH_MOUSEID);
  Mouse(SDL_MOUSEBUTTONDOWN, 200, 150, SDL_BUTTON_LEFT, SDL_TOUCH_MOUSEID);
  EXPECT_EQ(pointer.Poll().flags, 0) << "one release, and the made-up press is no second one";

  // And touches SDL makes of the mouse are no second press either.
  Finger(SDL_FINGERDOWN, 1, 0.1f, 0.1f, SDL_MOUSE_TOUCHID);
  EXPECT_FALSE(pointer.Poll().Down());
}

TEST_F(SdlPointerTest, ASecondFingerIsIgnoredUntilTheFirstLifts) {
  SdlPointer pointer;
  Finger(SDL_FINGERDOWN, 1, 0.25f, 0.25f);
  EXPECT_TRUE(pointer.Poll().Down());
  Finger(SDL_FINGERDOWN, 2, 0.75f, 0.75f);
  Finger(SDL_FINGERMOTION, 2, 0.8f, 0.8f);
  Finger(SDL_FINGERUP, 2, 0.8f, 0.8f);
  PointerFrame frame = pointer.Poll();
  EXPECT_TRUE(frame.Down());
  EXPECT_EQ(frame.x, 200) << "the second finger moved nothing";
  Finger(SDL_FINGERMOTION, 1, 0.25f, 0.5f);
  frame = pointer.Poll();
  EXPECT_EQ(frame.y, 300);
  EXPECT_TRUE(frame.Moved());
  Finger(SDL_FINGERUP, 1, 0.25f, 0.5f);
  EXPECT_FALSE(pointer.Poll().Down());
}

TEST_F(SdlPointerTest, ADragThatLeavesTheWindowStaysOnItsEdgeAndNeverSticks) {
  SdlPointer pointer;
  Mouse(SDL_MOUSEBUTTONDOWN, 390, 150);
  EXPECT_TRUE(pointer.Poll().Down());
  Motion(900, 150, SDL_BUTTON_LMASK);  // captured: the motion goes on outside
  PointerFrame frame = pointer.Poll();
  EXPECT_TRUE(frame.Down());
  EXPECT_EQ(frame.x, 799);
  Motion(390, 150, 0);  // back without the button: it came up where the window saw nothing
  EXPECT_FALSE(pointer.Poll().Down());

  Mouse(SDL_MOUSEBUTTONDOWN, 100, 100);
  EXPECT_TRUE(pointer.Poll().Down());
  pointer.Unacquire();  // the window lost the focus
  EXPECT_FALSE(pointer.Poll().Down());
  Mouse(SDL_MOUSEBUTTONUP, 100, 100);
  EXPECT_FALSE(pointer.Poll().Tapped()) << "the lost press is no tap";
}

}  // namespace
