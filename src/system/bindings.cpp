#include "system/bindings.h"

#include <algorithm>

#include "system/input_devices.h"

namespace {

constexpr uint8_t kDown = 0x80;
constexpr int32_t kFullScale = 1000;

// The game's keys each action stands for, 0 ending a list. Confirm sends Return and Z alike, so
// that a bound key passes the logo (Return) and speeds a watched replay up (Z), as both did.
constexpr uint8_t kGameKeys[kActionCount][2] = {
    {dik::UpArrow},        {dik::DownArrow}, {dik::LeftArrow}, {dik::RightArrow},
    {dik::Return, dik::Z}, {dik::X},         {dik::Escape},    {dik::LMenu, dik::Return},
};

constexpr uint8_t kOtherGameKeys[] = {dik::Numpad8, dik::Numpad4, dik::Numpad5, dik::Numpad6,
                                      dik::Numpad2, dik::Numpad0, dik::RMenu};

int Index(Action action) { return static_cast<int>(action); }

bool Down(std::span<const bool, kScancodeCount> down, uint16_t key) {
  return key != scancode::None && key < kScancodeCount && down[key];
}

}  // namespace

Bindings DefaultBindings() {
  namespace sc = scancode;
  Bindings bindings{};
  const uint16_t keys[kActionCount][kKeysPerAction] = {
      {sc::Up, sc::Keypad8},    {sc::Down, sc::Keypad2}, {sc::Left, sc::Keypad4},
      {sc::Right, sc::Keypad6}, {sc::Z, sc::Return},     {sc::X, sc::Keypad0},
      {sc::Escape, sc::None},   {sc::F11, sc::None}};
  const uint8_t pad[kActionCount] = {PadDpadUp, PadDpadDown, PadDpadLeft, PadDpadRight,
                                     PadA,      PadB,        PadStart,    PadNone};
  std::copy(&keys[0][0], &keys[0][0] + kActionCount * kKeysPerAction, &bindings.keys[0][0]);
  std::copy(pad, pad + kActionCount, bindings.pad);
  return bindings;
}

void BindKey(Bindings& bindings, Action action, int slot, uint16_t key) {
  uint16_t& target = bindings.keys[Index(action)][slot];
  const uint16_t old = target;
  if (key == old) return;
  if (key != scancode::None)
    for (auto& keys : bindings.keys)
      for (uint16_t& bound : keys)
        if (bound == key) bound = old;
  target = key;
}

void BindPadButton(Bindings& bindings, Action action, uint8_t button) {
  uint8_t& target = bindings.pad[Index(action)];
  const uint8_t old = target;
  if (button != PadNone)
    for (uint8_t& bound : bindings.pad)
      if (bound == button) bound = old;
  target = button;
}

bool ActionOfKey(const Bindings& bindings, uint16_t key, Action& action) {
  if (key == scancode::None) return false;
  for (int a = 0; a < kActionCount; ++a)
    for (uint16_t bound : bindings.keys[a])
      if (bound == key) {
        action = static_cast<Action>(a);
        return true;
      }
  return false;
}

bool IsGameKey(uint8_t dik) {
  for (const auto& keys : kGameKeys)
    for (uint8_t key : keys)
      if (key != 0 && key == dik) return true;
  for (uint8_t key : kOtherGameKeys)
    if (key == dik) return true;
  return false;
}

void GameKeysOf(const Bindings& bindings, std::span<const bool, kScancodeCount> down,
                uint8_t (&keys)[256]) {
  for (int a = 0; a < kActionCount; ++a) {
    if (!Down(down, bindings.keys[a][0]) && !Down(down, bindings.keys[a][1])) continue;
    for (uint8_t key : kGameKeys[a])
      if (key != 0) keys[key] = kDown;
  }
  // Alt+Enter switches the display whatever the bindings say.
  if ((down[scancode::LeftAlt] || down[scancode::RightAlt]) && down[scancode::Return])
    keys[dik::LMenu] = keys[dik::Return] = kDown;
}

void GamePadOf(const Bindings& bindings, std::span<const bool, PadButtonCount> down,
               JoyState& state) {
  auto held = [&](Action action) {
    const uint8_t button = bindings.pad[Index(action)];
    return button < PadButtonCount && down[button];
  };
  if (held(Action::Up)) state.y = -kFullScale;
  if (held(Action::Down)) state.y = kFullScale;
  if (held(Action::Left)) state.x = -kFullScale;
  if (held(Action::Right)) state.x = kFullScale;
  const Action buttons[] = {Action::Confirm, Action::Cancel, Action::Pause, Action::FullScreen};
  for (int i = 0; i < 4; ++i)
    if (held(buttons[i])) state.buttons[i] = kDown;
}
