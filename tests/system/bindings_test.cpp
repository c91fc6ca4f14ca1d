#include "system/bindings.h"

#include <gtest/gtest.h>

#include <array>

#include "system/input_devices.h"

namespace {

std::array<uint8_t, 256> GameKeys(const Bindings& bindings, std::initializer_list<uint16_t> down) {
  std::array<bool, kScancodeCount> physical{};
  for (uint16_t key : down) physical[key] = true;
  uint8_t keys[256] = {};
  GameKeysOf(bindings, physical, keys);
  std::array<uint8_t, 256> result{};
  std::copy(std::begin(keys), std::end(keys), result.begin());
  return result;
}

}  // namespace

// With the defaults the keys the game has always read still mean what they meant.
TEST(Bindings, DefaultKeysGiveTheGamesOwnKeys) {
  const Bindings defaults = DefaultBindings();
  EXPECT_EQ(GameKeys(defaults, {scancode::Up})[dik::UpArrow], 0x80);
  EXPECT_EQ(GameKeys(defaults, {scancode::Keypad2})[dik::DownArrow], 0x80);
  EXPECT_EQ(GameKeys(defaults, {scancode::Keypad0})[dik::X], 0x80);
  const auto confirm = GameKeys(defaults, {scancode::Z});
  EXPECT_EQ(confirm[dik::Return], 0x80);
  EXPECT_EQ(confirm[dik::Z], 0x80);
  EXPECT_EQ(confirm[dik::LMenu], 0);
  EXPECT_EQ(GameKeys(defaults, {scancode::Escape})[dik::Escape], 0x80);
  const auto fullScreen = GameKeys(defaults, {scancode::F11});
  EXPECT_EQ(fullScreen[dik::LMenu], 0x80);
  EXPECT_EQ(fullScreen[dik::Return], 0x80);
  // Nothing down, nothing reported; a key bound to nothing reports no game key.
  const auto none = GameKeys(defaults, {});
  const auto unbound = GameKeys(defaults, {4 /* A */});
  for (int k = 0; k < 256; ++k) {
    EXPECT_EQ(none[k], 0) << k;
    EXPECT_EQ(unbound[k], 0) << k;
  }
}

TEST(Bindings, AReboundKeyMovesTheActionAndTheOldKeyNoLongerDoes) {
  Bindings bindings = DefaultBindings();
  constexpr uint16_t kW = 26;
  BindKey(bindings, Action::Up, 0, kW);
  EXPECT_EQ(GameKeys(bindings, {kW})[dik::UpArrow], 0x80);
  EXPECT_EQ(GameKeys(bindings, {scancode::Up})[dik::UpArrow], 0);
  EXPECT_EQ(GameKeys(bindings, {scancode::Keypad8})[dik::UpArrow], 0x80);  // the other slot

  // A key another action has swaps: cancel takes the key that confirm gives up.
  BindKey(bindings, Action::Confirm, 0, scancode::X);
  EXPECT_EQ(bindings.keys[int(Action::Confirm)][0], scancode::X);
  EXPECT_EQ(bindings.keys[int(Action::Cancel)][0], scancode::Z);
  Action action;
  ASSERT_TRUE(ActionOfKey(bindings, scancode::Z, action));
  EXPECT_EQ(action, Action::Cancel);
  EXPECT_FALSE(ActionOfKey(bindings, scancode::Up, action));

  // Within one action the two slots swap.
  BindKey(bindings, Action::Up, 1, kW);
  EXPECT_EQ(bindings.keys[int(Action::Up)][0], scancode::Keypad8);
  EXPECT_EQ(bindings.keys[int(Action::Up)][1], kW);
}

TEST(Bindings, AltWithReturnSwitchesTheDisplayWhateverReturnIsBoundTo) {
  Bindings bindings = DefaultBindings();
  BindKey(bindings, Action::Pause, 0, scancode::Return);  // Return now pauses, Esc confirms
  const auto keys = GameKeys(bindings, {scancode::RightAlt, scancode::Return});
  EXPECT_EQ(keys[dik::LMenu], 0x80);
  EXPECT_EQ(keys[dik::Return], 0x80);
  EXPECT_EQ(GameKeys(bindings, {scancode::LeftAlt})[dik::LMenu], 0) << "Alt alone is no key";
  EXPECT_EQ(GameKeys(bindings, {scancode::Return})[dik::Escape], 0x80);
}

TEST(Bindings, PadButtonsGiveDirectionsAndTheGamesButtons) {
  Bindings bindings = DefaultBindings();
  std::array<bool, PadButtonCount> down{};
  down[PadDpadLeft] = down[PadA] = down[PadStart] = true;
  JoyState state;
  state.y = 300;  // the stick's reading stays where no button overrides it
  GamePadOf(bindings, down, state);
  EXPECT_EQ(state.x, -1000);
  EXPECT_EQ(state.y, 300);
  EXPECT_EQ(state.buttons[0], 0x80);
  EXPECT_EQ(state.buttons[1], 0);
  EXPECT_EQ(state.buttons[2], 0x80);

  BindPadButton(bindings, Action::FullScreen, PadA);  // confirm gives A up for nothing
  EXPECT_EQ(bindings.pad[int(Action::Confirm)], PadNone);
  JoyState rebound;
  GamePadOf(bindings, down, rebound);
  EXPECT_EQ(rebound.buttons[0], 0);
  EXPECT_EQ(rebound.buttons[3], 0x80);
}
