// Keyboard and joystick whose states the test sets. The devices only view states owned by the
// test (or the FakePlatform), so the test can change keys after handing a device over.
#pragma once

#include <cstring>
#include <vector>

#include "system/input_devices.h"

struct FakeKeyboardState {
  uint8_t keys[256] = {};
  bool pollFails = false;
  int acquires = 0;
  int unacquires = 0;
  int polls = 0;
  const Bindings* bindings = nullptr;  // what the game bound the keyboard to

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
  const Bindings* bindings = nullptr;

  void PressButton(int n) { state.buttons[n - 1] = 0x80; }
  void ReleaseButton(int n) { state.buttons[n - 1] = 0; }
};

// The pointer's frames, one a poll: `frames` in turn, then the last one again without its
// edges (no tap, no move).
struct FakePointerState {
  std::vector<PointerFrame> frames;
  size_t next = 0;
  int unacquires = 0;
  bool cursorShown = true;
  int cursorChanges = 0;

  void Add(int16_t x, int16_t y, uint8_t flags) { frames.push_back({x, y, flags}); }
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
  void Bind(const Bindings* bindings) override { s_.bindings = bindings; }

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
  void Bind(const Bindings* bindings) override { s_.bindings = bindings; }

 private:
  FakeJoystickState& s_;
};

class FakePointer : public IPointerDevice {
 public:
  explicit FakePointer(FakePointerState& s) : s_(s) {}
  void Acquire() override {}
  void Unacquire() override { ++s_.unacquires; }
  PointerFrame Poll() override {
    if (s_.next < s_.frames.size()) return s_.frames[s_.next++];
    if (s_.frames.empty()) return {};
    PointerFrame last = s_.frames.back();
    last.flags &= PointerDown;
    return last;
  }
  void ShowCursor(bool shown) override {
    if (shown != s_.cursorShown) ++s_.cursorChanges;
    s_.cursorShown = shown;
  }

 private:
  FakePointerState& s_;
};
