#include "system/web/browser.h"

#include <emscripten.h>

#include <cstdlib>

// Defined by the page's library (web/library.js).
extern "C" {
void moravin_page_ended(int exitCode);
void moravin_page_message(const char* caption, const char* text, int error);
void moravin_page_frame_ran();
char* moravin_page_webgl_renderer();
}

namespace {

MainLoop* g_loop = nullptr;

void Pass() {
  const uint32_t before = g_loop->framesRun();
  const bool going = g_loop->pass();
  for (uint32_t i = before; i < g_loop->framesRun(); ++i) moravin_page_frame_ran();
  if (going) return;
  emscripten_cancel_main_loop();
  const int exitCode = g_loop->finish(g_loop->exitCode());
  delete g_loop;
  g_loop = nullptr;
  moravin_page_ended(exitCode);
}

}  // namespace

void RunOnAnimationFrames(const MainLoop& loop) {
  g_loop = new MainLoop(loop);
  // A rate of 0 means the browser's animation frames: the display's refresh, paused while
  // the page is in the background.
  emscripten_set_main_loop(Pass, 0, 0);
}

void ShowPageMessage(const std::string& utf8Caption, const std::string& utf8Text, bool error) {
  moravin_page_message(utf8Caption.c_str(), utf8Text.c_str(), error ? 1 : 0);
}

std::string PageWebGlRenderer() {
  char* name = moravin_page_webgl_renderer();
  std::string result = name ? name : "";
  std::free(name);
  return result;
}
