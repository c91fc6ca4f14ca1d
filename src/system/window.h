// The game window, its events and its display modes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "system/render_device.h"

enum class WindowEventType {
  Close,               // the user (or the program) asked the window to close
  Activate,            // the application became active (focus gained)
  Deactivate,          // the application became inactive (minimised; in a page, focus lost)
  FocusLost,           // another window took the focus on a desktop: inactive unless swallowed
  Paint,               // the window must be redrawn
  Maximized,           // the user maximised the window
  DeviceReset,         // the renderer lost its textures and must be reset
  AudioDeviceRemoved,  // a sound output went away (perhaps the game's own)
  AudioDeviceAdded,    // a sound output appeared
  Hidden,              // the window was hidden (minimised, a page gone to the background): inactive
  LeftFullScreen,      // the display left full screen by itself (a browser's Esc)
};

struct WindowEvent {
  WindowEventType type;
};

// A full-screen mode; format uses the Direct3D format codes the mode scoring counts with
// (21 A8R8G8B8, 22 X8R8G8B8, 23 R5G6B5, ...).
struct DisplayMode {
  int width = 0;
  int height = 0;
  int refreshRate = 0;
  uint32_t format = 0;
};

class IWindow {
 public:
  virtual ~IWindow() = default;
  // Takes the next pending event; false when there is none.
  virtual bool PollEvent(WindowEvent& event) = 0;
  // Queues a Close event, as the close button would.
  virtual void PostClose() = 0;
  virtual void Hide() = 0;
  virtual DisplayMode DesktopMode() = 0;
  virtual std::vector<DisplayMode> FullScreenModes() = 0;
  // Windowed (centred, client area of the window's size) or full screen in the given mode.
  virtual bool SetWindowed(bool windowed, const DisplayMode& fullScreenMode) = 0;
  // Whether the window is a window now, false when it fills the screen. A display may refuse
  // full screen, at creation as much as later.
  virtual bool Windowed() = 0;
  // The render device of this window; null when it could not be created.
  virtual IRenderDevice* Device() = 0;
};

struct WindowDesc {
  const char* utf8Title = "";
  int clientWidth = 800;
  int clientHeight = 600;
  bool windowed = true;
  DisplayMode fullScreenMode;
  const uint32_t* iconArgb = nullptr;  // icon pixels, or null
  int iconSize = 0;
};
