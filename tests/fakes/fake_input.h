// Keyboard and joystick whose states the test sets. The devices only view states owned by the
// test (or the FakePlatform), so the test can change keys after handing a device over.
#pragma once

#include <cstring>

#include "system/input_devices.h"

struct FakeKeyboardState {
  uint8_t keys[256] = {};
  bool pollFails = false;
  int acquires = 0;
  int unacquires = 0;
  int polls = 0;

  void Press(int dik) { keys[dik] = 0x80; }
  void Release(int dik) { keys[dik] = 0; }
  void ReleaseAll() { std::memset(keys, 0, sizeof keys); }
};

struct FakeJoystickState {
  JoyState state;
  bool attached = true;  // false: every poll fails
  int acquires = 0;
  int unacquires = 0;
  int polls = 0;

  void PressButton(int n) { state.buttons[n - 1] = 0x80; }
  void ReleaseButton(int n) { state.buttons[n - 1] = 0; }
};

class FakeKeyboard : public IKeyboardDevice {
 public:
  explicit FakeKeyboard(FakeKeyboardState& s) : s_(s) {}
  void Acquire() override { ++s_.acquires; }
  void Unacquire() override { ++s_.unacquires; }
  bool Poll(uint8_t (&keys)[256]) override {
    ++s_.polls;
    if (s_.pollFails) return false;
    std::memcpy(keys, s_.keys, sizeof keys);
    return true;
  }

 private:
  FakeKeyboardState& s_;
};

class FakeJoystick : public IJoystickDevice {
 public:
  explicit FakeJoystick(FakeJoystickState& s) : s_(s) {}
  void Acquire() override { ++s_.acquires; }
  void Unacquire() override { ++s_.unacquires; }
  bool Poll(JoyState& state) override {
    ++s_.polls;
    if (!s_.attached) return false;
    state = s_.state;
    return true;
  }

 private:
  FakeJoystickState& s_;
};
