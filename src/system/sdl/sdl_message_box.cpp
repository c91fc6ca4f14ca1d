#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "system/sdl/sdl_platform.h"
#include "system/text_encoding.h"
#ifdef __EMSCRIPTEN__
#include "system/web/browser.h"
#endif

namespace {

#if !defined(__EMSCRIPTEN__) && !defined(_WIN32)
bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}
#endif

#ifndef __EMSCRIPTEN__
// A message box needs someone to see and dismiss it: a real display, not one of SDL's
// stand-in drivers.
bool HasDisplay() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    return false;
  }
#ifdef _WIN32
  return true;  // every Windows session has its desktop
#else
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
#endif
}
#endif

class SdlMessageBox final : public IMessageBox {
 public:
  explicit SdlMessageBox(bool headless) : headless_(headless) {}

  void Show(const char* sjisText, const char* sjisCaption, MessageIcon icon) override {
    const std::string text = SjisToUtf8(sjisText ? sjisText : "");
    const std::string caption = SjisToUtf8(sjisCaption ? sjisCaption : "");
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
#ifdef __EMSCRIPTEN__
    // The page shows it over the game; it does not block, as a page must not.
    ShowPageMessage(caption, text, icon == MessageIcon::Error);
#else
    if (headless_ || !HasDisplay()) return;
    const Uint32 flags =
        icon == MessageIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
#endif
  }

 private:
  [[maybe_unused]] bool headless_;  // a page shows every message
};

}  // namespace

std::unique_ptr<IMessageBox> CreateSdlMessageBox(bool headless) {
  return std::make_unique<SdlMessageBox>(headless);
}
