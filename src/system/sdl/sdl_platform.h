// The SDL2 implementation of every platform service.
#pragma once

#include <memory>

#include "system/message_box.h"
#include "system/platform.h"

struct SdlOptions {
  bool headless = false;  // no display, no sound card: offscreen/dummy drivers unless set
};

// Whether SDL settled on a video driver that shows nothing (offscreen, dummy) although the
// game was to be seen: not headless, and no driver chosen by the user through SDL_VIDEODRIVER.
bool FoundNoDisplay(const char* videoDriver, bool headless, bool userChoseDriver);

// Initialises SDL; null (after a message on stderr) when SDL cannot start at all, or when it
// found no display to show the game on, which `noDisplay` then tells.
std::unique_ptr<IPlatform> CreateSdlPlatform(const SdlOptions& options, bool& noDisplay);
// SDL message boxes plus stderr; only stderr when there is no display.
std::unique_ptr<IMessageBox> CreateSdlMessageBox(bool headless);
