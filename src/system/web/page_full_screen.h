// The browser's full screen as the game asked for it. The browser may leave it by itself (its
// own Esc), which the game must hear of to turn its setting back to a window.
#pragma once

class PageFullScreen {
 public:
  // The game asked for full screen (true) or for the page's window (false).
  void Requested(bool fullScreen);
  // True, once, when the browser has left the full screen the game asked for by itself.
  bool LeftByBrowser();

 private:
  bool wanted_ = false;  // the game asked for full screen
  bool seen_ = false;    // and the browser went there
};
