// Raw input devices: the keyboard as 256 DirectInput key states and the first game controller.
#pragma once

#include <cstdint>

// Key states by DirectInput key code; a key is down when its high bit (0x80) is set.
class IKeyboardDevice {
 public:
  virtual ~IKeyboardDevice() = default;
  virtual void Acquire() = 0;
  virtual void Unacquire() = 0;
  // Fills the 256 key states; false when the keyboard cannot be read this frame.
  virtual bool Poll(uint8_t (&keys)[256]) = 0;
};

// The first controller: axes in -1000..1000 with a dead zone of half the range, buttons with
// the high bit meaning down (button n is buttons[n - 1]).
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
};
