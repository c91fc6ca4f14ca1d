// The keyboard and the first game controller over SDL, in DirectInput terms.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "system/input_devices.h"

// The name of the key at a scancode on the current layout, in UTF-8; empty for none.
std::string KeyNameOf(uint16_t scancode);

// The DirectInput key code (DIK_*) of an SDL scancode; 0 for keys without one.
uint8_t DikFromScancode(int scancode);

// An axis of -32768..32767 in -1000..1000, reading 0 inside the dead zone of half the range
// and rescaled beyond it, so the full range is still reached at the stop.
int32_t ScaleAxis(int16_t value);

// Key states from SDL's keyboard state, which the window's event pump keeps up to date. Like a
// DirectInput device it cannot be read until acquired. A key pressed since the last poll reads
// as down even when it was released again before the poll: a tap shorter than a frame (some
// keyboards, remote desktops, generated key events) still counts as one press.
class SdlKeyboard final : public IKeyboardDevice {
 public:
  SdlKeyboard();
  ~SdlKeyboard() override;
  SdlKeyboard(const SdlKeyboard&) = delete;
  SdlKeyboard& operator=(const SdlKeyboard&) = delete;

  void Acquire() override;
  void Unacquire() override { acquired_ = false; }
  bool Poll(uint8_t (&keys)[256]) override;
  void Bind(const Bindings* bindings) override { bindings_ = bindings; }
  uint16_t TakePressedKey() override;

 private:
  // Sees every event as it is queued, before the window takes it off the queue.
  static int SDLCALL WatchEvent(void* self, SDL_Event* event);

  bool acquired_ = false;
  const Bindings* bindings_ = nullptr;
  uint16_t firstPressed_ = scancode::None;  // since the last TakePressedKey
  // Keys that went down since the last poll. Key events come from the event pump, which runs
  // on the game's thread, as does every poll.
  bool pressedSincePoll_[SDL_NUM_SCANCODES] = {};
};

// The first game controller (or raw joystick). Controllers plugged in after start-up are found
// on a later poll, and an unplugged one is let go. A game controller's buttons go through the
// bindings, and its left stick always steers; a raw joystick's first three buttons are the
// game's buttons 1 to 3, its first two axes the directions.
class SdlJoystick final : public IJoystickDevice {
 public:
  ~SdlJoystick() override { Close(); }
  void Acquire() override { acquired_ = true; }
  void Unacquire() override { acquired_ = false; }
  bool Poll(JoyState& state) override;
  void Bind(const Bindings* bindings) override { bindings_ = bindings; }
  uint8_t TakePressedButton() override;
  PadFamily Family() override;

 private:
  void Close();
  // Opens the first device when none is open and the set of devices changed.
  void Refresh();
  void PollController(JoyState& state);

  SDL_GameController* controller_ = nullptr;
  SDL_Joystick* joystick_ = nullptr;  // a raw joystick when the device is no known controller
  int knownDeviceCount_ = -1;
  bool acquired_ = false;
  const Bindings* bindings_ = nullptr;
  bool buttonsDown_[PadButtonCount] = {};
  uint8_t firstPressed_ = PadNone;  // since the last TakePressedButton
};
