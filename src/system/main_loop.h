// The program's loop as the system runs it: blocking on a desktop, called back in a browser.
#pragma once

#include <cstdint>
#include <functional>

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
