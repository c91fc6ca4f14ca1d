// The game window over SDL: events translated for the shell, display modes, full screen.
#pragma once

#include <SDL.h>

#include <deque>
#include <memory>
#include <vector>

#include "system/sdl/sdl_render_device.h"
#include "system/window.h"
#ifdef __EMSCRIPTEN__
#include "system/web/page_full_screen.h"
#endif

// The Direct3D format code of an SDL pixel format (21 A8R8G8B8, 22 X8R8G8B8, 23 R5G6B5, ...),
// the closest one for formats Direct3D has no code for.
uint32_t DisplayFormatCode(uint32_t sdlPixelFormat);

// The window event an SDL event stands for, if any, for the window with the given id.
bool TranslateEvent(const SDL_Event& event, uint32_t windowId, WindowEvent& out);

class SdlWindow final : public IWindow {
 public:
  // Null (after a message on stderr) when the window cannot be created. A window whose
  // renderer fails still exists, with a null Device().
  static std::unique_ptr<SdlWindow> Create(const WindowDesc& desc);
  ~SdlWindow() override;

  bool PollEvent(WindowEvent& event) override;
  void PostClose() override { pending_.push_back({WindowEventType::Close}); }
  void Hide() override { SDL_HideWindow(window_); }
  DisplayMode DesktopMode() override;
  std::vector<DisplayMode> FullScreenModes() override;
  bool SetWindowed(bool windowed, const DisplayMode& fullScreenMode) override;
  bool Windowed() override;
  IRenderDevice* Device() override { return device_.get(); }

 private:
  SdlWindow(SDL_Window* window, int clientWidth, int clientHeight);
  void SetIcon(const uint32_t* argb, int size);
  bool SwitchMode(bool windowed, const DisplayMode& fullScreenMode);

  SDL_Window* window_;
  int clientWidth_;
  int clientHeight_;
  std::unique_ptr<SdlRenderDevice> device_;
  std::deque<WindowEvent> pending_;  // events of our own, delivered before SDL's
#ifdef __EMSCRIPTEN__
  PageFullScreen pageFullScreen_;
#endif
};
