// A platform over the fakes. The window, its device and the input devices are views of state
// the platform owns, so a test can script them after the game has taken them.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_audio.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_input.h"
#include "fakes/fake_render_device.h"
#include "system/platform.h"

struct FakeWindowState {
  std::deque<WindowEvent> events;
  bool created = false;
  bool alive = false;  // created and not yet destroyed
  WindowDesc desc;     // as created (its pointers are only valid during the creation)
  std::string title;   // UTF-8
  std::vector<uint32_t> icon;
  bool windowed = true;
  std::vector<bool> setWindowedCalls;  // argument of every SetWindowed
  DisplayMode lastFullScreenMode;
  bool failSetWindowed = false;
  bool refuseFullScreenAtStart = false;  // a full-screen window is created as a window
  bool noDevice = false;                 // Device() returns null
  int hides = 0;
  DisplayMode desktop{1920, 1080, 60, 22};
  std::vector<DisplayMode> modes{{800, 600, 60, 22}, {1024, 768, 60, 22}, {1920, 1080, 60, 22}};

  void Post(WindowEventType type) { events.push_back({type}); }
};

class FakeWindow : public IWindow {
 public:
  FakeWindow(FakeWindowState& s, FakeRenderDevice& device) : s_(s), device_(device) {}
  ~FakeWindow() override { s_.alive = false; }

  bool PollEvent(WindowEvent& event) override {
    if (s_.events.empty()) return false;
    event = s_.events.front();
    s_.events.pop_front();
    // As with SDL: a renderer reset event means the renderer has lost its textures.
    if (event.type == WindowEventType::DeviceReset)
      device_.cooperativeLevel = DeviceStatus::NotReset;
    return true;
  }
  void PostClose() override { s_.Post(WindowEventType::Close); }
  void Hide() override { ++s_.hides; }
  DisplayMode DesktopMode() override { return s_.desktop; }
  std::vector<DisplayMode> FullScreenModes() override { return s_.modes; }
  bool SetWindowed(bool windowed, const DisplayMode& mode) override {
    s_.setWindowedCalls.push_back(windowed);
    if (s_.failSetWindowed) return false;
    s_.windowed = windowed;
    s_.lastFullScreenMode = mode;
    return device_.Reset();  // a mode switch recreates the renderer
  }
  bool Windowed() override { return s_.windowed; }
  IRenderDevice* Device() override { return s_.noDevice ? nullptr : &device_; }

 private:
  FakeWindowState& s_;
  FakeRenderDevice& device_;
};

class FakePlatform : public IPlatform {
 public:
  IClock& Clock() override { return clock; }

  std::unique_ptr<IWindow> CreateWindow(const WindowDesc& desc) override {
    if (failWindow) return nullptr;
    window.created = window.alive = true;
    window.desc = desc;
    window.title = desc.utf8Title ? desc.utf8Title : "";
    window.windowed = desc.windowed || window.refuseFullScreenAtStart;
    if (desc.iconArgb)
      window.icon.assign(desc.iconArgb, desc.iconArgb + desc.iconSize * desc.iconSize);
    return std::make_unique<FakeWindow>(window, device);
  }
  std::unique_ptr<IAudioDevice> OpenAudio() override {
    auto audioDevice = std::make_unique<FakeAudioDevice>();
    audioDevice->log = audio;
    audioDevice->failCreate = failAudioBuffers;
    audioDevice->output = audioOutput;
    return audioDevice;
  }
  std::unique_ptr<IKeyboardDevice> OpenKeyboard() override {
    if (failKeyboard) return nullptr;
    return std::make_unique<FakeKeyboard>(keyboard);
  }
  std::unique_ptr<IJoystickDevice> OpenJoystick() override {
    if (!joystickSupport) return nullptr;
    return std::make_unique<FakeJoystick>(joystick);
  }
  std::unique_ptr<IPointerDevice> OpenPointer() override {
    return std::make_unique<FakePointer>(pointer);
  }
  // The letter keys by their names on a US layout; no other key has a name.
  std::string KeyName(uint16_t key) override {
    return key >= 4 && key <= 29 ? std::string(1, char('A' + key - 4)) : std::string();
  }

  FakeClock clock;
  FakeRenderDevice device;
  FakeWindowState window;
  std::shared_ptr<FakeAudioLog> audio = std::make_shared<FakeAudioLog>();
  std::shared_ptr<FakeAudioOutput> audioOutput = std::make_shared<FakeAudioOutput>();
  FakeKeyboardState keyboard;
  FakeJoystickState joystick;
  FakePointerState pointer;

  bool failWindow = false;
  bool failKeyboard = false;
  bool failAudioBuffers = false;
  bool joystickSupport = true;
};
