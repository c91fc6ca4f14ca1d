// The factory of every platform service the game uses. The program uses the SDL2 one; tests
// use fakes.
#pragma once

#include <memory>

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
};

// The platform the game runs on; set by the entry point (or a test).
extern IPlatform* g_platform;
