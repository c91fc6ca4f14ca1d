#include <gtest/gtest.h>

#include "sdl_test_platform.h"
#include "system/sdl/sdl_input.h"

TEST(KeyTable, GameKeysHaveTheirDirectInputCodes) {
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_UP), 0xC8);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_DOWN), 0xD0);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_LEFT), 0xCB);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_RIGHT), 0xCD);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_RETURN), 0x1C);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_KP_ENTER), 0x9C);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_ESCAPE), 0x01);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_Z), 0x2C);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_X), 0x2D);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_LALT), 0x38);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_RALT), 0xB8);
}

TEST(KeyTable, NumpadDigitsLettersAndDigits) {
  const int numpad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
  const SDL_Scancode pads[10] = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2,
                                 SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_5,
                                 SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8,
                                 SDL_SCANCODE_KP_9};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(DikFromScancode(pads[i]), numpad[i]) << i;
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_A), 0x1E);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_Q), 0x10);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_M), 0x32);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_1), 0x02);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_0), 0x0B);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_F12), 0x58);
  EXPECT_EQ(DikFromScancode(SDL_SCANCODE_UNKNOWN), 0);
}

TEST(KeyTable, NoTwoKeysOfTheSameLayoutShareACode) {
  // Every code is used once, except the backslash key that sits in two places on keyboards.
  int users[256] = {};
  for (int sc = 1; sc < SDL_NUM_SCANCODES; ++sc) ++users[DikFromScancode(sc)];
  for (int dik = 1; dik < 256; ++dik) EXPECT_LE(users[dik], dik == 0x2B ? 2 : 1) << std::hex << dik;
}

TEST(JoystickAxis, DeadZoneIsHalfTheRangeAndTheStopsReachFullScale) {
  EXPECT_EQ(ScaleAxis(0), 0);
  EXPECT_EQ(ScaleAxis(16000), 0);  // 488 of 1000: inside
  EXPECT_EQ(ScaleAxis(-16000), 0);
  EXPECT_GT(ScaleAxis(17000), 0);  // 518: outside
  EXPECT_LT(ScaleAxis(-17000), 0);
  EXPECT_EQ(ScaleAxis(32767), 1000);
  EXPECT_EQ(ScaleAxis(-32768), -1000);
  EXPECT_EQ(ScaleAxis(24575), 498);  // three quarters of the way: half of the live range
}

TEST(Keyboard, ReadsOnlyWhenAcquired) {
  TestPlatform();
  SdlKeyboard keyboard;
  uint8_t keys[256];
  EXPECT_FALSE(keyboard.Poll(keys));
  keyboard.Acquire();
  keys[0x1C] = 0x80;
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0x1C], 0);  // no key is down on a machine without a keyboard
  keyboard.Unacquire();
  EXPECT_FALSE(keyboard.Poll(keys));
}

namespace {

void PushKey(SDL_EventType type, SDL_Scancode scancode) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.scancode = scancode;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

}  // namespace

// Pushed events never reach SDL's key state, just as a press and release that both happen
// between two polls leave the state as it was: only the events tell of the tap.
TEST(Keyboard, TapBetweenTwoPollsReadsAsDownForOnePoll) {
  TestPlatform();
  SdlKeyboard keyboard;
  keyboard.Acquire();
  uint8_t keys[256];
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_LALT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
  PushKey(SDL_KEYUP, SDL_SCANCODE_RETURN);
  PushKey(SDL_KEYUP, SDL_SCANCODE_LALT);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // the window's pump took them
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0x38], 0x80);  // Alt
  EXPECT_EQ(keys[0x1C], 0x80);  // Enter
  EXPECT_EQ(keys[0x2C], 0);     // Z was never touched
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0x38], 0) << "one press, not a held key";
  EXPECT_EQ(keys[0x1C], 0);

  // Auto-repeat events are no new press.
  SDL_Event repeat{};
  repeat.type = SDL_KEYDOWN;
  repeat.key.repeat = 1;
  repeat.key.keysym.scancode = SDL_SCANCODE_Z;
  SDL_PushEvent(&repeat);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0x2C], 0);

  // Presses from before the keyboard was acquired are not the game's.
  keyboard.Unacquire();
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_X);
  keyboard.Acquire();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0x2D], 0);
}

TEST(Joystick, WithoutControllersPollFailsQuietly) {
  auto joystick = TestPlatform().OpenJoystick();
  ASSERT_NE(joystick, nullptr);
  joystick->Acquire();
  JoyState state;
  EXPECT_EQ(joystick->Poll(state), SDL_NumJoysticks() > 0);
}

// Bound, the keyboard reports the game's key of the action a physical key is bound to; a game
// key's own place reports it only when bound to it, and keys the game never reads report
// themselves.
TEST(Keyboard, BoundKeysReportTheirActionsGameKeys) {
  TestPlatform();
  SdlKeyboard keyboard;
  Bindings bindings = DefaultBindings();
  BindKey(bindings, Action::Up, 0, SDL_SCANCODE_W);
  keyboard.Bind(&bindings);
  keyboard.Acquire();
  uint8_t keys[256];
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_W);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  EXPECT_EQ(keyboard.TakePressedKey(), SDL_SCANCODE_W) << "the first key pressed, for binding";
  EXPECT_EQ(keyboard.TakePressedKey(), 0);
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0xC8], 0x80) << "W stands for up";
  EXPECT_EQ(keys[0x1E], 0x80) << "A, bound to nothing, is itself (it ends a demo)";
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_UP);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0xC8], 0) << "the arrow key no longer moves up";
}

TEST(KeyNames, FollowTheLayoutAndFallBackOnThePlace) {
  TestPlatform();
  EXPECT_EQ(KeyNameOf(SDL_SCANCODE_Z), "Z");
  EXPECT_EQ(KeyNameOf(SDL_SCANCODE_RETURN), "Return");
  EXPECT_EQ(TestPlatform().KeyName(SDL_SCANCODE_ESCAPE), "Escape");
  EXPECT_EQ(KeyNameOf(0), "");
}
