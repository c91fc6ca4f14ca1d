#include "media/input.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_platform.h"

namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = g_platform;
    g_platform = &platform;
    ASSERT_TRUE(keyboard.OpenDevice(CDirectInput::Keyboard));
    ASSERT_TRUE(joystick.OpenJoystick());
  }
  void TearDown() override { g_platform = old_; }

  // One frame of the game's input order, returning the buttons' states as the scene sees them.
  CInput Frame() {
    if (keyboard.PollKeyboard()) input.MapKeyboard(keyboard);
    if (joystick.PollJoystick()) input.MapJoystick(joystick);
    const CInput seen = input;
    input.EndFrame();
    return seen;
  }

  FakePlatform platform;
  CDirectInput keyboard, joystick;
  CInput input;
  IPlatform* old_ = nullptr;
};

std::vector<Button> HeldButtons(const CInput& in) {
  std::vector<Button> held;
  for (int b = 0; b < ButtonCount; ++b)
    if (in.held[b]) held.push_back(Button(b));
  return held;
}

}  // namespace

TEST_F(InputTest, ButtonTableOfTheKeyboard) {
  struct Case {
    int key;
    std::vector<Button> buttons;
  };
  const Case cases[] = {
      {dik::Numpad8, {Up}},
      {dik::UpArrow, {Up}},
      {dik::Numpad2, {Down}},
      {dik::DownArrow, {Down}},
      {dik::Numpad4, {Left}},
      {dik::LeftArrow, {Left}},
      {dik::Numpad6, {Right}},
      {dik::RightArrow, {Right}},
      {dik::Numpad5, {Button1}},
      {dik::Z, {Button1}},
      {dik::Return, {Button1, Confirm}},
      {dik::Numpad0, {Button2}},
      {dik::X, {Button2}},
      {dik::Escape, {Button3, Back}},
      {dik::LMenu, {}},
  };
  for (const Case& c : cases) {
    platform.keyboard.ReleaseAll();
    platform.keyboard.Press(c.key);
    EXPECT_EQ(HeldButtons(Frame()), c.buttons) << "key " << c.key;
  }
}

TEST_F(InputTest, ButtonTableOfTheJoystick) {
  auto check = [&](int x, int y, int button, std::vector<Button> expected) {
    platform.joystick.state = JoyState{};
    platform.joystick.state.x = x;
    platform.joystick.state.y = y;
    if (button) platform.joystick.PressButton(button);
    EXPECT_EQ(HeldButtons(Frame()), expected) << x << "," << y << " button " << button;
  };
  check(0, -1000, 0, {Up});
  check(0, 1, 0, {Down});
  check(-500, 0, 0, {Left});
  check(1000, 1000, 0, {Down, Right});
  check(0, 0, 1, {Button1, Confirm});
  check(0, 0, 2, {Button2, Back});
  check(0, 0, 3, {Button3});
  check(0, 0, 4, {});
  check(0, 0, 0, {});  // at rest (inside the dead zone the device reads 0)
}

TEST_F(InputTest, PressedAndHeldLast) {
  platform.keyboard.Press(dik::Return);
  CInput f1 = Frame();
  EXPECT_TRUE(f1[Confirm].Pressed());
  EXPECT_TRUE(f1[Button1].Pressed());
  CInput f2 = Frame();
  EXPECT_FALSE(f2[Confirm].Pressed());
  EXPECT_TRUE(f2[Confirm].held);
  EXPECT_TRUE(f2[Confirm].heldLast);
  platform.keyboard.Release(dik::Return);
  CInput f3 = Frame();
  EXPECT_FALSE(f3[Confirm].held);
  EXPECT_TRUE(f3[Confirm].heldLast);
  CInput f4 = Frame();
  EXPECT_FALSE(f4[Confirm].heldLast);
}

TEST_F(InputTest, DownHeldTwentyFramesMovesOnFrames1_11_14_17_20) {
  platform.keyboard.Press(dik::DownArrow);
  std::vector<int> moves;
  for (int frame = 1; frame <= 20; ++frame)
    if (Frame()[Down].PressedOrRepeat()) moves.push_back(frame);
  EXPECT_EQ(moves, (std::vector<int>{1, 11, 14, 17, 20}));
}

TEST_F(InputTest, HoldCounterCyclesAndAReleaseStillRepeatsOnce) {
  platform.keyboard.Press(dik::Z);
  std::vector<int> counters;
  for (int i = 0; i < 16; ++i) counters.push_back(Frame().holdFrames[Button1]);
  EXPECT_EQ(counters, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 8, 9, 10, 8, 9}));
  // Released in a frame whose counter is 10: the counter describes the frames before.
  platform.keyboard.Release(dik::Z);
  const CInput released = Frame();
  EXPECT_FALSE(released.held[Button1]);
  EXPECT_TRUE(released[Button1].Repeat());
  EXPECT_EQ(Frame().holdFrames[Button1], 0);
}

TEST_F(InputTest, KeyboardAndJoystickAddUp) {
  platform.keyboard.Press(dik::Return);
  platform.joystick.PressButton(1);
  EXPECT_TRUE(Frame()[Confirm].Pressed());
  platform.keyboard.Release(dik::Return);  // the joystick keeps it held
  CInput f = Frame();
  EXPECT_TRUE(f[Confirm].held);
  EXPECT_FALSE(f[Confirm].Pressed());
  platform.joystick.ReleaseButton(1);
  EXPECT_FALSE(Frame()[Confirm].held);
}

TEST_F(InputTest, FailedKeyboardPollKeepsPreviousKeysAndRetriesWithAcquire) {
  platform.keyboard.Press(dik::X);
  ASSERT_TRUE(keyboard.PollKeyboard());
  platform.keyboard.pollFails = true;
  platform.keyboard.Release(dik::X);
  const int acquiresBefore = platform.keyboard.acquires;
  EXPECT_FALSE(keyboard.PollKeyboard());
  EXPECT_EQ(platform.keyboard.acquires, acquiresBefore + 1);
  EXPECT_TRUE(keyboard.KeyDown(dik::X));
  platform.keyboard.pollFails = false;
  EXPECT_TRUE(keyboard.PollKeyboard());
  EXPECT_FALSE(keyboard.KeyDown(dik::X));
  EXPECT_TRUE(keyboard.prevKeyState[dik::X] & 0x80);
}

TEST_F(InputTest, MissingDevices) {
  platform.joystickSupport = false;
  EXPECT_FALSE(joystick.OpenJoystick());
  EXPECT_FALSE(joystick.PollJoystick());
  platform.failKeyboard = true;
  EXPECT_FALSE(keyboard.OpenDevice(CDirectInput::Keyboard));
  EXPECT_FALSE(keyboard.PollKeyboard());
}

// The key help and the on-screen controls follow this: a newly pressed key or controller button
// makes it the keys, any pointer activity the pointer, and a key only held on changes nothing.
TEST_F(InputTest, TheDeviceUsedLastFollowsNewPressesAndThePointer) {
  auto frame = [&](PointerFrame pointer) {
    if (keyboard.PollKeyboard()) input.MapKeyboard(keyboard);
    if (joystick.PollJoystick()) input.MapJoystick(joystick);
    input.MapPointer(pointer);
    const InputDevice seen = input.lastDevice;
    input.EndFrame();
    return seen;
  };
  const PointerFrame still{400, 300, 0};
  EXPECT_EQ(frame(still), InputDevice::Keys) << "before anything happens";
  EXPECT_EQ(frame({410, 300, PointerMoved}), InputDevice::Pointer) << "a hover";
  platform.keyboard.Press(dik::Z);
  EXPECT_EQ(frame({410, 300, 0}), InputDevice::Keys) << "a new key press";
  EXPECT_EQ(frame({410, 300, PointerDown}), InputDevice::Pointer) << "a press, Z still held";
  EXPECT_EQ(frame({410, 300, 0}), InputDevice::Pointer) << "Z held on is no new press";
  platform.keyboard.Release(dik::Z);
  frame({410, 300, 0});
  platform.joystick.PressButton(2);
  EXPECT_EQ(frame({410, 300, 0}), InputDevice::Pad) << "a controller button";
  platform.keyboard.Press(dik::X);
  EXPECT_EQ(frame({300, 200, static_cast<uint8_t>(PointerTapped | PointerMoved)}),
            InputDevice::Pointer)
      << "a key and a tap in one frame: the pointer";
}
