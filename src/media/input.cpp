#include "media/input.h"

#include <cstring>

#include "system/platform.h"

namespace {

// Keys of each button, by DirectInput key code; 0 ends a list.
constexpr int kButtonKeys[ButtonCount][4] = {
    {dik::Numpad8, dik::UpArrow},         // Up
    {dik::Numpad2, dik::DownArrow},       // Down
    {dik::Numpad4, dik::LeftArrow},       // Left
    {dik::Numpad6, dik::RightArrow},      // Right
    {dik::Numpad5, dik::Z, dik::Return},  // Button1
    {dik::Numpad0, dik::X},               // Button2
    {dik::Escape},                        // Button3
    {dik::Return},                        // Confirm
    {dik::Escape},                        // Back
};

// Joystick button (1-based) of each button, 0 for the directions.
constexpr int kButtonJoystick[ButtonCount] = {0, 0, 0, 0, 1, 2, 3, 1, 2};

constexpr int kRepeatRestart = 8;  // after 10 held frames the counter cycles 8, 9, 10
constexpr int kRepeatCeiling = 10;

bool IsDown(uint8_t state) { return (state & 0x80) != 0; }

}  // namespace

void CInput::MapKeyboard(const CDirectInput& keyboard) {
  for (int b = 0; b < ButtonCount; ++b)
    for (int key : kButtonKeys[b])
      if (key != 0 && keyboard.KeyDown(key)) held[b] = true;
}

void CInput::MapJoystick(const CDirectInput& joystick) {
  const JoyState& js = joystick.joyState;
  if (js.y < 0) held[Up] = true;
  if (js.y > 0) held[Down] = true;
  if (js.x < 0) held[Left] = true;
  if (js.x > 0) held[Right] = true;
  for (int b = 0; b < ButtonCount; ++b) {
    const int n = kButtonJoystick[b];
    if (n != 0 && IsDown(js.buttons[n - 1])) held[b] = true;
  }
  const bool steering = js.x != 0 || js.y != 0;
  padUsed_ = padUsed_ || (steering && !padSteered_);
  padSteered_ = steering;
  for (int n = 0; n < 32; ++n)
    padUsed_ = padUsed_ || (IsDown(js.buttons[n]) && !IsDown(joystick.prevJoyButtons[n]));
}

void CInput::MapPointer(const PointerFrame& frame) {
  pointerTracker_.Map(frame);
  pointer = pointerTracker_.State();
  bool buttonPressed = false;
  for (int b = 0; b < ButtonCount; ++b) buttonPressed = buttonPressed || (held[b] && !heldLast[b]);
  if (frame.Used()) {
    lastDevice = InputDevice::Pointer;
  } else if (padUsed_) {
    lastDevice = InputDevice::Pad;
  } else if (buttonPressed) {
    lastDevice = InputDevice::Keys;
  }
  padUsed_ = false;
}

void CInput::CancelPointerGesture() {
  pointerTracker_.Cancel();
  pointer = pointerTracker_.State();
}

void CInput::EndFrame() {
  for (int b = 0; b < ButtonCount; ++b) {
    if (held[b])
      holdFrames[b] = holdFrames[b] >= kRepeatCeiling ? kRepeatRestart : holdFrames[b] + 1;
    else
      holdFrames[b] = 0;
  }
  std::memcpy(heldLast, held, sizeof held);
  std::memset(held, 0, sizeof held);
  pressedKey = scancode::None;
  pressedPadButton = PadNone;
}

bool CDirectInput::OpenDevice(Kind kind) {
  ReleaseDevice();
  if (kind != Keyboard || !g_platform) return false;
  keyboardDevice = g_platform->OpenKeyboard();
  if (!keyboardDevice) return false;
  deviceKind = Keyboard;
  return true;  // acquired by the first poll
}

bool CDirectInput::OpenJoystick() {
  joyState = JoyState{};
  std::memset(prevJoyButtons, 0, sizeof prevJoyButtons);
  ReleaseDevice();
  if (!g_platform) return false;
  joystickDevice = g_platform->OpenJoystick();
  if (!joystickDevice) return false;
  deviceKind = Joystick;
  return true;
}

void CDirectInput::ReleaseDevice() {
  if (keyboardDevice) keyboardDevice->Unacquire();
  if (joystickDevice) joystickDevice->Unacquire();
  keyboardDevice.reset();
  joystickDevice.reset();
}

void CDirectInput::Acquire() {
  if (keyboardDevice) keyboardDevice->Acquire();
  if (joystickDevice) joystickDevice->Acquire();
}

void CDirectInput::Unacquire() {
  if (keyboardDevice) keyboardDevice->Unacquire();
  if (joystickDevice) joystickDevice->Unacquire();
}

bool CDirectInput::PollKeyboard() {
  std::memcpy(prevKeyState, keyState, sizeof keyState);
  if (keyboardDevice && deviceKind == Keyboard) {
    if (keyboardDevice->Poll(keyState)) return true;
    keyboardDevice->Acquire();
    if (keyboardDevice->Poll(keyState)) return true;
  }
  std::memcpy(keyState, prevKeyState, sizeof keyState);
  return false;
}

bool CDirectInput::PollJoystick() {
  if (!joystickDevice || deviceKind != Joystick) return false;
  if (joystickDevice->Poll(joyState)) return true;
  joystickDevice->Acquire();
  return joystickDevice->Poll(joyState);
}
