#include "system/web/page_full_screen.h"

#include <emscripten/html5.h>

void PageFullScreen::Requested(bool fullScreen) {
  wanted_ = fullScreen;
  seen_ = false;
}

bool PageFullScreen::LeftByBrowser() {
  if (!wanted_) return false;
  EmscriptenFullscreenChangeEvent status{};
  if (emscripten_get_fullscreen_status(&status) != EMSCRIPTEN_RESULT_SUCCESS) return false;
  if (status.isFullscreen) {
    seen_ = true;
    return false;
  }
  if (!seen_) return false;  // not there yet
  wanted_ = seen_ = false;
  return true;
}
