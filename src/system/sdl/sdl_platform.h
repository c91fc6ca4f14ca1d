// The SDL2 implementation of every platform service.
#pragma once

#include <memory>

#include "system/message_box.h"
#include "system/platform.h"

struct SdlOptions {
  bool headless = false;  // no display, no sound card: offscreen/dummy drivers unless set
};

// Initialises SDL; null (after a message on stderr) when SDL cannot start at all.
std::unique_ptr<IPlatform> CreateSdlPlatform(const SdlOptions& options);
// SDL message boxes plus stderr; only stderr when there is no display.
std::unique_ptr<IMessageBox> CreateSdlMessageBox(bool headless);
