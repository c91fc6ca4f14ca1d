#include "system/sdl/sdl_platform.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "system/main_loop.h"
#include "system/sdl/sdl_audio.h"
#include "system/sdl/sdl_input.h"
#include "system/sdl/sdl_pointer.h"
#include "system/sdl/sdl_window.h"
#ifdef __EMSCRIPTEN__
#include "system/web/browser.h"
#endif

namespace {

// One high-resolution counter behind both readings, so that the millisecond ticks and the
// microseconds never disagree about where a millisecond begins.
class SdlClock final : public IClock {
 public:
  SdlClock() : origin_(SDL_GetPerformanceCounter()), frequency_(SDL_GetPerformanceFrequency()) {}

  uint32_t Ticks() override { return static_cast<uint32_t>(Microseconds() / 1000); }
  uint64_t Microseconds() override {
    const uint64_t counts = SDL_GetPerformanceCounter() - origin_;
    // Whole seconds and the rest apart, so that the product never overflows.
    return counts / frequency_ * 1000000 + counts % frequency_ * 1000000 / frequency_;
  }
#ifdef __EMSCRIPTEN__
  // A page cannot block: its loop is called back instead of waiting (RunMainLoop).
  void Sleep(uint32_t) override {}
  void SleepMicroseconds(uint32_t) override {}
#else
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }
  void SleepMicroseconds(uint32_t us) override {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
  }
#endif

 private:
  uint64_t origin_;
  uint64_t frequency_;
};

// Without a display or a sound card, SDL's own drivers stand in, unless the environment
// already chose drivers. A page always has its canvas: there only the sound is silenced.
// SDL's own environment calls: SDL reads the drivers through them, and Windows has no setenv.
void ChooseHeadlessDrivers() {
  SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
#ifndef __EMSCRIPTEN__
  SDL_setenv("SDL_VIDEODRIVER", "offscreen", 0);
  // The offscreen driver may offer OpenGL through EGL, which costs a software GL stack on
  // every present; the software renderer on the driver's own framebuffer needs nothing.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
#endif
}

// Desktops match a window to its launcher and icon by its X11 class or Wayland app id. SDL 2
// reads both from the environment; a value the user set stays.
void NameWindowClass() {
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", MORAVIN_APP_ID, 0);
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", MORAVIN_APP_ID, 0);
}

bool StartVideo(bool headless) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
  if (!headless) return false;
  std::fprintf(stderr, "moravin: video driver %s failed (%s), trying dummy\n",
               SDL_getenv("SDL_VIDEODRIVER"), SDL_GetError());
  SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

class SdlPlatform final : public IPlatform {
 public:
  explicit SdlPlatform(bool controllersStarted) : controllersStarted_(controllersStarted) {}
  ~SdlPlatform() override {
    TTF_Quit();
    SDL_Quit();
  }

  IClock& Clock() override { return clock_; }
  std::unique_ptr<IWindow> CreateWindow(const WindowDesc& desc) override {
    return SdlWindow::Create(desc);
  }
  // Silent (and saying so) when SDL's audio did not start or no output opens.
  std::unique_ptr<IAudioDevice> OpenAudio() override { return std::make_unique<SdlAudioDevice>(); }
  std::unique_ptr<IKeyboardDevice> OpenKeyboard() override {
    return std::make_unique<SdlKeyboard>();
  }
  std::unique_ptr<IJoystickDevice> OpenJoystick() override {
    if (!controllersStarted_) return nullptr;
    return std::make_unique<SdlJoystick>();
  }
  std::unique_ptr<IPointerDevice> OpenPointer() override { return std::make_unique<SdlPointer>(); }
  std::string KeyName(uint16_t scancode) override { return KeyNameOf(scancode); }
  int AddControllerMappings(const std::string& path) override {
    return controllersStarted_ ? SDL_GameControllerAddMappingsFromFile(path.c_str()) : 0;
  }

 private:
  SdlClock clock_;
  bool controllersStarted_;
};

}  // namespace

bool FoundNoDisplay(const char* videoDriver, bool headless, bool userChoseDriver) {
  if (headless || userChoseDriver || !videoDriver) return false;
  return std::strcmp(videoDriver, "offscreen") == 0 || std::strcmp(videoDriver, "dummy") == 0;
}

std::unique_ptr<IPlatform> CreateSdlPlatform(const SdlOptions& options, bool& noDisplay) {
  noDisplay = false;
  const char* chosen = SDL_getenv("SDL_VIDEODRIVER");
  const bool userChoseDriver = chosen && chosen[0] != '\0';
  if (options.headless) ChooseHeadlessDrivers();
  NameWindowClass();
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0 || !StartVideo(options.headless)) {
    std::fprintf(stderr, "moravin: SDL could not start: %s\n", SDL_GetError());
    SDL_Quit();
    return nullptr;
  }
  // Without a display SDL falls back on a driver that draws into memory: the game would run
  // unseen until killed.
  if (FoundNoDisplay(SDL_GetCurrentVideoDriver(), options.headless, userChoseDriver)) {
    std::fputs(
        "moravin: no display found (neither DISPLAY nor WAYLAND_DISPLAY leads to one); "
        "--headless runs the game without one\n",
        stderr);
    noDisplay = true;
    SDL_Quit();
    return nullptr;
  }
  if (TTF_Init() != 0) {
    std::fprintf(stderr, "moravin: SDL_ttf could not start: %s\n", TTF_GetError());
    SDL_Quit();
    return nullptr;
  }
  // Neither sound nor controllers are needed to play: their failures are handled where they
  // are opened.
  SDL_InitSubSystem(SDL_INIT_AUDIO);
  // The game decides when the controller counts: with the pause on focus loss turned off, it
  // plays on while another window has the focus. SDL's own database of controllers, and the
  // user's mappings in SDL_GAMECONTROLLERCONFIG, are read as the subsystem starts.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  const bool controllers = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  return std::make_unique<SdlPlatform>(controllers);
}

int RunMainLoop(const MainLoop& loop) {
#ifdef __EMSCRIPTEN__
  RunOnAnimationFrames(loop);
  return 0;
#else
  return loop.finish(loop.run());
#endif
}
