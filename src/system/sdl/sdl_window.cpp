#include "system/sdl/sdl_window.h"

#include <algorithm>
#include <cstdio>

namespace {

// Direct3D format codes.
constexpr uint32_t kR8G8B8 = 20;
constexpr uint32_t kA8R8G8B8 = 21;
constexpr uint32_t kX8R8G8B8 = 22;
constexpr uint32_t kR5G6B5 = 23;
constexpr uint32_t kX1R5G5B5 = 24;
constexpr uint32_t kA1R5G5B5 = 25;

DisplayMode ToDisplayMode(const SDL_DisplayMode& mode) {
  return {mode.w, mode.h, mode.refresh_rate, DisplayFormatCode(mode.format)};
}

int WindowDisplay(SDL_Window* window) { return std::max(0, SDL_GetWindowDisplayIndex(window)); }

}  // namespace

uint32_t DisplayFormatCode(uint32_t sdlPixelFormat) {
  switch (sdlPixelFormat) {
    case SDL_PIXELFORMAT_ARGB8888: return kA8R8G8B8;
    case SDL_PIXELFORMAT_RGB888: return kX8R8G8B8;
    case SDL_PIXELFORMAT_RGB565: return kR5G6B5;
    case SDL_PIXELFORMAT_RGB555: return kX1R5G5B5;
    case SDL_PIXELFORMAT_ARGB1555: return kA1R5G5B5;
    case SDL_PIXELFORMAT_RGB24: return kR8G8B8;
  }
  // Other layouts (BGR orders, 30-bit, ...) count as the code of their size. Bytes, not bits:
  // SDL counts the 32-bit "888" formats as 24 bits.
  const bool alpha = SDL_ISPIXELFORMAT_ALPHA(sdlPixelFormat);
  switch (SDL_BYTESPERPIXEL(sdlPixelFormat)) {
    case 2:
      if (SDL_BITSPERPIXEL(sdlPixelFormat) == 15) return kX1R5G5B5;
      return alpha ? kA1R5G5B5 : kR5G6B5;
    case 3: return kR8G8B8;
    default: return alpha ? kA8R8G8B8 : kX8R8G8B8;
  }
}

bool TranslateEvent(const SDL_Event& event, uint32_t windowId, WindowEvent& out) {
  switch (event.type) {
    case SDL_QUIT: out.type = WindowEventType::Close; return true;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET: out.type = WindowEventType::DeviceReset; return true;
    case SDL_AUDIODEVICEREMOVED:
    case SDL_AUDIODEVICEADDED:
      if (event.adevice.iscapture) return false;  // microphones are not the game's concern
      out.type = event.type == SDL_AUDIODEVICEADDED ? WindowEventType::AudioDeviceAdded
                                                    : WindowEventType::AudioDeviceRemoved;
      return true;
    case SDL_WINDOWEVENT: break;
    default: return false;
  }
  if (event.window.windowID != windowId) return false;
  switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE: out.type = WindowEventType::Close; return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED: out.type = WindowEventType::Activate; return true;
    case SDL_WINDOWEVENT_HIDDEN: out.type = WindowEventType::Hidden; return true;
#ifdef __EMSCRIPTEN__
    case SDL_WINDOWEVENT_FOCUS_LOST:  // a page pauses when its tab is hidden, not on a click away
#endif
    case SDL_WINDOWEVENT_MINIMIZED: out.type = WindowEventType::Deactivate; return true;
#ifndef __EMSCRIPTEN__
    case SDL_WINDOWEVENT_FOCUS_LOST: out.type = WindowEventType::FocusLost; return true;
#endif
    case SDL_WINDOWEVENT_EXPOSED: out.type = WindowEventType::Paint; return true;
    case SDL_WINDOWEVENT_MAXIMIZED: out.type = WindowEventType::Maximized; return true;
    default: return false;
  }
}

std::unique_ptr<SdlWindow> SdlWindow::Create(const WindowDesc& desc) {
  // In a page, the canvas keeps the picture's own size and the page scales it to the room it
  // has: enlarging it here would cost a stretch of every frame in software, where the browser
  // scales the canvas anyway as it composes the page.
  const Uint32 flags = SDL_WINDOW_SHOWN;
  SDL_Window* window =
      SDL_CreateWindow(desc.utf8Title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       desc.clientWidth, desc.clientHeight, flags);
  if (!window) {
    std::fprintf(stderr, "moravin: cannot create the window: %s\n", SDL_GetError());
    return nullptr;
  }
  std::unique_ptr<SdlWindow> result(new SdlWindow(window, desc.clientWidth, desc.clientHeight));
  if (desc.iconArgb && desc.iconSize > 0) result->SetIcon(desc.iconArgb, desc.iconSize);
  result->device_ = SdlRenderDevice::Create(window);
  if (!desc.windowed && !result->SwitchMode(false, desc.fullScreenMode))
    std::fprintf(stderr, "moravin: full screen refused (%s); starting in a window\n",
                 SDL_GetError());
  return result;
}

SdlWindow::SdlWindow(SDL_Window* window, int clientWidth, int clientHeight)
    : window_(window), clientWidth_(clientWidth), clientHeight_(clientHeight) {
  // A new window is the active one. Window managers say so with a focus event, but without a
  // display nothing ever gives focus, and the game runs no frames while inactive.
  pending_.push_back({WindowEventType::Activate});
}

SdlWindow::~SdlWindow() {
  device_.reset();  // the renderer goes before its window
  SDL_DestroyWindow(window_);
}

void SdlWindow::SetIcon(const uint32_t* argb, int size) {
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), size, size,
                                                         32, size * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

bool SdlWindow::PollEvent(WindowEvent& event) {
  if (!pending_.empty()) {
    event = pending_.front();
    pending_.pop_front();
    return true;
  }
#ifdef __EMSCRIPTEN__
  if (pageFullScreen_.LeftByBrowser()) {
    event.type = WindowEventType::LeftFullScreen;
    return true;
  }
#endif
  const uint32_t id = SDL_GetWindowID(window_);
  SDL_Event sdlEvent;
  while (SDL_PollEvent(&sdlEvent)) {
    if (!TranslateEvent(sdlEvent, id, event)) continue;
    if (event.type == WindowEventType::DeviceReset && device_) device_->MarkLost();
    return true;
  }
  return false;
}

DisplayMode SdlWindow::DesktopMode() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(WindowDisplay(window_), &mode) != 0) return {};
  return ToDisplayMode(mode);
}

std::vector<DisplayMode> SdlWindow::FullScreenModes() {
  std::vector<DisplayMode> modes;
  const int display = WindowDisplay(window_);
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode{};
    // Some drivers list placeholder modes without a size.
    if (SDL_GetDisplayMode(display, i, &mode) == 0 && mode.w > 0 && mode.h > 0) {
      modes.push_back(ToDisplayMode(mode));
    }
  }
  // Drivers that list no usable mode (offscreen, some compositors) still show the desktop's.
  if (modes.empty()) {
    const DisplayMode desktop = DesktopMode();
    if (desktop.width > 0 && desktop.height > 0) modes.push_back(desktop);
  }
  return modes;
}

bool SdlWindow::Windowed() { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0; }

bool SdlWindow::SetWindowed(bool windowed, const DisplayMode& fullScreenMode) {
  // Like a reset, a mode switch gives the game a new renderer (it released everything first).
  return SwitchMode(windowed, fullScreenMode) && device_ && device_->Reset();
}

bool SdlWindow::SwitchMode(bool windowed, const DisplayMode& fullScreenMode) {
#ifdef __EMSCRIPTEN__
  // A page has no display modes: full screen is the browser's, at the screen's own size. The
  // browser grants it within a key or click handler, so SDL may put the request off until the
  // next one (the release of Enter after Alt+Enter).
  pageFullScreen_.Requested(!windowed);
  return SDL_SetWindowFullscreen(window_, windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
#endif
  if (windowed) {
    if (SDL_SetWindowFullscreen(window_, 0) != 0) return false;
    SDL_SetWindowSize(window_, clientWidth_, clientHeight_);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    return true;
  }
  // The mode is the one SDL can set that is closest to the chosen one.
  const SDL_DisplayMode wanted{0, fullScreenMode.width, fullScreenMode.height,
                               fullScreenMode.refreshRate, nullptr};
  SDL_DisplayMode closest{};
  if (wanted.w > 0 && wanted.h > 0 &&
      SDL_GetClosestDisplayMode(WindowDisplay(window_), &wanted, &closest) &&
      SDL_SetWindowDisplayMode(window_, &closest) != 0) {
    return false;
  }
  return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0;
}
