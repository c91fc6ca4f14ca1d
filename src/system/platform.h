// The factory of every platform service the game uses. The program uses the SDL2 one; tests
// use fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "system/audio_device.h"
#include "system/clock.h"
#include "system/input_devices.h"
#include "system/window.h"

class IPlatform {
 public:
  virtual ~IPlatform() = default;
  virtual IClock& Clock() = 0;
  // Null when the window or its renderer cannot be created.
  virtual std::unique_ptr<IWindow> CreateWindow(const WindowDesc& desc) = 0;
  // Never null: a silent device when no audio output can be opened.
  virtual std::unique_ptr<IAudioDevice> OpenAudio() = 0;
  virtual std::unique_ptr<IKeyboardDevice> OpenKeyboard() = 0;
  // Null when no controller support is available; a controller plugged in later is found by
  // the returned device itself.
  virtual std::unique_ptr<IJoystickDevice> OpenJoystick() = 0;
  // The mouse and touch screen as one pointer; never null (a pointer that never moves when
  // the system has neither).
  virtual std::unique_ptr<IPointerDevice> OpenPointer() = 0;
  // The name of the key at a scancode on the player's keyboard layout, in UTF-8 ("Q" for the
  // first letter key on an AZERTY keyboard); empty when the system has none for it.
  virtual std::string KeyName(uint16_t scancode) { return {}; }
  // Adds the controller mappings of a file (SDL's gamecontrollerdb.txt format): the number
  // added, or -1 when the file cannot be read.
  virtual int AddControllerMappings(const std::string& path) { return 0; }
};

// The platform the game runs on; set by the entry point (or a test).
extern IPlatform* g_platform;
