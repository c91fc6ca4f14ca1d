// The actions a player binds to keys and pad buttons, and what the game sees of them.
//
// Keys are bound by their place on the keyboard (scancodes, the USB HID usage numbers, which are
// SDL's), so that a binding means the same key on every layout. The game itself only knows its
// own keys (input_devices.h): a bound keyboard reports, for every action held, the game's keys of
// that action, and a bound controller the game's buttons and directions. Scripts and recordings
// name those game keys, so they read the same whatever the player bound.
#pragma once

#include <cstdint>
#include <span>

enum class Action : uint8_t { Up, Down, Left, Right, Confirm, Cancel, Pause, FullScreen };
constexpr int kActionCount = 8;
constexpr int kKeysPerAction = 2;
constexpr int kScancodeCount = 512;

// Scancodes of the keys bound by default and of the keys with a fixed meaning.
namespace scancode {
constexpr uint16_t None = 0, X = 27, Z = 29, Return = 40, Escape = 41, F11 = 68, Right = 79,
                   Left = 80, Down = 81, Up = 82, Keypad2 = 90, Keypad4 = 92, Keypad5 = 93,
                   Keypad6 = 94, Keypad8 = 96, Keypad0 = 98, LeftAlt = 226, RightAlt = 230;
}

// Pad buttons in the numbering of SDL's game controllers.
enum PadButton : uint8_t {
  PadA = 0,
  PadB = 1,
  PadX = 2,
  PadY = 3,
  PadBack = 4,
  PadStart = 6,
  PadLeftShoulder = 9,
  PadRightShoulder = 10,
  PadDpadUp = 11,
  PadDpadDown = 12,
  PadDpadLeft = 13,
  PadDpadRight = 14,
  PadButtonCount = 21,
  PadNone = 0xFF,
};

// The family a controller belongs to, for the symbols of its buttons.
enum class PadFamily : uint8_t { Xbox, PlayStation, Nintendo };

struct Bindings {
  uint16_t keys[kActionCount][kKeysPerAction];  // scancode::None for an empty slot
  uint8_t pad[kActionCount];                    // PadNone when the action has no button

  friend bool operator==(const Bindings&, const Bindings&) = default;
};

Bindings DefaultBindings();

// Puts a key into an action's slot. A key another action had moves here, and that action takes
// the slot's old key in its place (the two swap); the same holds for an action's other slot.
void BindKey(Bindings& bindings, Action action, int slot, uint16_t key);
// Gives the action the pad button; the action that had it takes the action's old button.
void BindPadButton(Bindings& bindings, Action action, uint8_t button);
// The action a key is bound to, if any; false when it has none.
bool ActionOfKey(const Bindings& bindings, uint16_t key, Action& action);

// Whether a game key (DirectInput code) is one the game reads; a bound keyboard reports such a
// key only for the action it stands for, never for the physical key of the same code.
bool IsGameKey(uint8_t dik);

// The game's keys for the physical keys down (by scancode): every action with a key down sets
// its game keys, and Alt with Return stays Alt+Return whatever Return is bound to.
void GameKeysOf(const Bindings& bindings, std::span<const bool, kScancodeCount> down,
                uint8_t (&keys)[256]);

struct JoyState;
// The game's directions and buttons for the pad buttons down: an action's button sets its
// direction (full scale) or game button (confirm 1, cancel 2, pause 3, full screen 4). Axes
// already in `state` stay unless a direction button overrides them.
void GamePadOf(const Bindings& bindings, std::span<const bool, PadButtonCount> down,
               JoyState& state);
