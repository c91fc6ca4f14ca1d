#include "system/sdl/sdl_pointer.h"

#include "system/sdl/present_layout.h"

namespace {

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;

// A point of the window in window units onto the picture, through the renderer's scaling.
PicturePoint OnPicture(Uint32 windowId, double x, double y) {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  if (!window) window = SDL_GetMouseFocus();
  if (!window) return {};
  int windowW = 0, windowH = 0, outputW = 0, outputH = 0;
  SDL_GetWindowSize(window, &windowW, &windowH);
  // The window's pixels, not the renderer's output size: that is the size of the picture the
  // game draws into while a frame is under way, not of the window it is shown in.
  SDL_GetWindowSizeInPixels(window, &outputW, &outputH);
  return PictureFromWindow(x, y, windowW, windowH, outputW, outputH, kPictureWidth, kPictureHeight);
}

// A finger's position is a fraction of its window's size.
PicturePoint FingerOnPicture(const SDL_TouchFingerEvent& finger) {
  SDL_Window* window = SDL_GetWindowFromID(finger.windowID);
  if (!window) window = SDL_GetMouseFocus();
  if (!window) return {};
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  return OnPicture(SDL_GetWindowID(window), finger.x * w, finger.y * h);
}

}  // namespace

SdlPointer::SdlPointer() { SDL_AddEventWatch(&SdlPointer::WatchEvent, this); }

SdlPointer::~SdlPointer() { SDL_DelEventWatch(&SdlPointer::WatchEvent, this); }

int SDLCALL SdlPointer::WatchEvent(void* self, SDL_Event* event) {
  auto* pointer = static_cast<SdlPointer*>(self);
  switch (event->type) {
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: pointer->OnMouse(*event); break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: pointer->OnFinger(*event); break;
    default: break;
  }
  return 0;
}

void SdlPointer::OnMouse(const SDL_Event& event) {
  if (event.type == SDL_MOUSEMOTION) {
    if (event.motion.which == SDL_TOUCH_MOUSEID || fingerDown_) return;
    const PicturePoint p = OnPicture(event.motion.windowID, event.motion.x, event.motion.y);
    if (mouseDown_ && (event.motion.state & SDL_BUTTON_LMASK) == 0) {
      // The button came up where the window could not see it (outside, uncaptured).
      mouseDown_ = false;
      sampler_.Release(p.x, p.y);
      return;
    }
    sampler_.MoveTo(p.x, p.y);
    return;
  }
  const SDL_MouseButtonEvent& button = event.button;
  if (button.which == SDL_TOUCH_MOUSEID || button.button != SDL_BUTTON_LEFT || fingerDown_) return;
  const PicturePoint p = OnPicture(button.windowID, button.x, button.y);
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    sampler_.Press(p.x, p.y, p.inside);
    mouseDown_ = sampler_.Down();
  } else if (mouseDown_) {
    mouseDown_ = false;
    sampler_.Release(p.x, p.y);
  }
}

void SdlPointer::OnFinger(const SDL_Event& event) {
  const SDL_TouchFingerEvent& finger = event.tfinger;
  if (finger.touchId == SDL_MOUSE_TOUCHID || mouseDown_) return;
  if (event.type == SDL_FINGERDOWN) {
    if (fingerDown_) return;  // a second finger
    const PicturePoint p = FingerOnPicture(finger);
    sampler_.Press(p.x, p.y, p.inside);
    fingerDown_ = sampler_.Down();
    finger_ = finger.fingerId;
    return;
  }
  if (!fingerDown_ || finger.fingerId != finger_) return;
  const PicturePoint p = FingerOnPicture(finger);
  if (event.type == SDL_FINGERUP) {
    fingerDown_ = false;
    sampler_.Release(p.x, p.y);
  } else {
    sampler_.MoveTo(p.x, p.y);
  }
}

void SdlPointer::Unacquire() {
  sampler_.LetGo();
  mouseDown_ = fingerDown_ = false;
}

void SdlPointer::ShowCursor(bool shown) {
  if (cursorShown_ == static_cast<int>(shown)) return;
  cursorShown_ = shown;
  SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}
