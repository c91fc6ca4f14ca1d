// The nine logical buttons and the devices that feed them, and the pointer beside them.
#pragma once

#include <cstdint>
#include <memory>

#include "media/pointer.h"
#include "system/input_devices.h"

enum Button { Up, Down, Left, Right, Button1, Button2, Button3, Confirm, Back, ButtonCount };

class CInput;

// One button's three values and the two tests scenes make on them.
struct ButtonState {
  bool held;
  bool heldLast;
  int32_t holdFrames;

  bool Pressed() const { return held && !heldLast; }
  bool Repeat() const { return holdFrames > 9; }
  bool PressedOrRepeat() const { return Pressed() || Repeat(); }
};

class CDirectInput;

class CInput {
 public:
  virtual ~CInput() = default;

  bool held[ButtonCount] = {};
  bool heldLast[ButtonCount] = {};
  int32_t holdFrames[ButtonCount] = {};

  ButtonState operator[](Button b) const { return {held[b], heldLast[b], holdFrames[b]}; }
  // What every menu takes for "yes" (Return or button 1) and "back" (Esc or button 2), pressed
  // this frame.
  bool ConfirmPressed() const { return (*this)[Confirm].Pressed() || (*this)[Button1].Pressed(); }
  bool CancelPressed() const { return (*this)[Back].Pressed() || (*this)[Button2].Pressed(); }

  // The frame's pointer, and what the player used last.
  PointerState pointer;
  InputDevice lastDevice = InputDevice::Keys;
  // What the devices themselves newly pressed this frame, before any binding: the scancode of
  // the first key (scancode::None for none) and the first pad button (PadNone). Only the page
  // that binds them, and that keeps Return and Esc fixed, reads these.
  uint16_t pressedKey = scancode::None;
  uint8_t pressedPadButton = PadNone;
  PadFamily padFamily = PadFamily::Xbox;  // of the controller read last, for its symbols

  void MapKeyboard(const CDirectInput& keyboard);
  void MapJoystick(const CDirectInput& joystick);
  // After the keys and the controller. The device used last is the pointer when it did
  // anything in the frame, else the controller when it newly pressed or steered, else the keys
  // when a button was newly pressed.
  void MapPointer(const PointerFrame& frame);
  // The scene changed: the gesture in progress is none of the new scene's business.
  void CancelPointerGesture();
  void EndFrame();

 private:
  PointerTracker pointerTracker_;
  bool padUsed_ = false;     // the controller newly pressed or steered this frame
  bool padSteered_ = false;  // its directions were off the centre in the last frame read
};

// One input device: the keyboard or the first joystick.
class CDirectInput {
 public:
  virtual ~CDirectInput() { ReleaseDevice(); }

  enum Kind { Keyboard = 0, Joystick = 2 };

  std::unique_ptr<IKeyboardDevice> keyboardDevice;
  std::unique_ptr<IJoystickDevice> joystickDevice;
  int32_t deviceKind = -1;
  uint8_t keyState[256] = {};
  uint8_t prevKeyState[256] = {};
  JoyState joyState;
  uint8_t prevJoyButtons[32] = {};

  bool OpenDevice(Kind kind);  // keyboard
  bool OpenJoystick();
  void ReleaseDevice();
  void Acquire();
  void Unacquire();
  bool PollKeyboard();
  bool PollJoystick();
  bool KeyDown(int dik) const { return (keyState[dik] & 0x80) != 0; }
};
