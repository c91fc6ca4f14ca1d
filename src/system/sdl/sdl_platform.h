// The SDL2 implementation of every platform service.
#pragma once

#include <functional>
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

// The program's loop, in the two ways a system may want it driven.
struct MainLoop {
  std::function<int()> run;             // the whole loop, blocking; returns the exit code
  std::function<bool()> pass;           // one pass of it; false once it has ended
  std::function<int()> exitCode;        // the exit code, after the last pass
  std::function<uint32_t()> framesRun;  // frames run so far
  std::function<int(int)> finish;       // after the loop, with the exit code; returns it
};

// A desktop runs the loop itself and returns its exit code. A browser page must get control
// back after every pass: the passes are called on its animation frames, this returns at once,
// and when the loop has ended the page is told (it shows that the game has ended).
int RunMainLoop(const MainLoop& loop);
