// The browser page around the game (WebAssembly builds only): the loop on the page's
// animation frames, and what the page shows for the game.
#pragma once

#include <string>

#include "system/main_loop.h"

// Calls the loop's passes on the page's animation frames from now on (the caller returns to
// the browser). When the loop has ended, finishes it and tells the page, which then says that
// the game has ended and offers to play again.
void RunOnAnimationFrames(const MainLoop& loop);

// A message box on the page, over the game.
void ShowPageMessage(const std::string& utf8Caption, const std::string& utf8Text, bool error);

// The renderer WebGL draws with in this browser, as it names it ("" without WebGL).
std::string PageWebGlRenderer();
