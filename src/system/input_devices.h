// Raw input devices: the keyboard as 256 DirectInput key states and the first game controller.
#pragma once

#include <cstdint>

#include "system/bindings.h"

// DirectInput key codes the game reads.
namespace dik {
constexpr int Escape = 0x01, Return = 0x1C, Z = 0x2C, X = 0x2D, LMenu = 0x38, Numpad8 = 0x48,
              Numpad4 = 0x4B, Numpad5 = 0x4C, Numpad6 = 0x4D, Numpad2 = 0x50, Numpad0 = 0x52,
              RMenu = 0xB8, UpArrow = 0xC8, LeftArrow = 0xCB, RightArrow = 0xCD, DownArrow = 0xD0;
}

// Key states by DirectInput key code; a key is down when its high bit (0x80) is set.
class IKeyboardDevice {
 public:
  virtual ~IKeyboardDevice() = default;
  virtual void Acquire() = 0;
  virtual void Unacquire() = 0;
  // Fills the 256 key states; false when the keyboard cannot be read this frame.
  virtual bool Poll(uint8_t (&keys)[256]) = 0;
  // The player's bindings, which the caller keeps alive (null: every key reports itself). A
  // keyboard of real keys then reports the game's keys of the actions held; one whose keys are
  // already the game's (a script) has nothing to apply.
  virtual void Bind(const Bindings* bindings) {}
  // The scancode of the first key pressed since the last call, for a binding; 0 when none.
  virtual uint16_t TakePressedKey() { return scancode::None; }
};

// The first controller: axes in -1000..1000 with a dead zone of half the range, buttons with
// the high bit meaning down (button n is buttons[n - 1]; 1 confirms, 2 cancels, 3 pauses and 4
// switches the display).
struct JoyState {
  int32_t x = 0;
  int32_t y = 0;
  uint8_t buttons[32] = {};
};

class IJoystickDevice {
 public:
  virtual ~IJoystickDevice() = default;
  virtual void Acquire() = 0;
  virtual void Unacquire() = 0;
  // False when no controller is attached or it cannot be read.
  virtual bool Poll(JoyState& state) = 0;
  // The player's bindings, kept alive by the caller; null stands for the defaults.
  virtual void Bind(const Bindings* bindings) {}
  // The first pad button pressed since the last call, for a binding; PadNone when none.
  virtual uint8_t TakePressedButton() { return PadNone; }
  // The family of the controller read last, for the symbols of its buttons.
  virtual PadFamily Family() { return PadFamily::Xbox; }
};

// One frame's pointer (the mouse, or the first finger on a touch screen), in the game screen's
// pixels: the device maps the window's coordinates through the scaling and the black bars.
enum PointerFlags : uint8_t {
  PointerDown = 1,    // a mouse button or the finger is down at the sample
  PointerTapped = 2,  // went down and up again since the last sample, at (x, y); never with Down
  PointerMoved = 4,   // (x, y) differs from the last sample's
};

struct PointerFrame {
  int16_t x = 0;  // 0..799
  int16_t y = 0;  // 0..599
  uint8_t flags = 0;

  bool Down() const { return (flags & PointerDown) != 0; }
  bool Tapped() const { return (flags & PointerTapped) != 0; }
  bool Moved() const { return (flags & PointerMoved) != 0; }
  bool Used() const { return flags != 0; }
  friend bool operator==(const PointerFrame&, const PointerFrame&) = default;
};

class IPointerDevice {
 public:
  virtual ~IPointerDevice() = default;
  virtual void Acquire() = 0;
  // Lets go of a press in progress: the next sample reports the pointer up.
  virtual void Unacquire() = 0;
  // The pointer since the last poll.
  virtual PointerFrame Poll() = 0;
  // Shows or hides the system's cursor over the window (a no-op without one).
  virtual void ShowCursor(bool shown) = 0;
};
