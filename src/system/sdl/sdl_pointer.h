// The mouse and the first finger on a touch screen over SDL, as one pointer in game-screen
// pixels.
#pragma once

#include <SDL.h>

#include "system/input_devices.h"
#include "system/pointer_sampler.h"

// Mouse events SDL makes up from touches, and touches it makes up from the mouse, are left
// out: each press is seen once. Only the left button and the first finger down are the
// pointer; a second finger is ignored until the first one lifts.
class SdlPointer final : public IPointerDevice {
 public:
  SdlPointer();
  ~SdlPointer() override;
  SdlPointer(const SdlPointer&) = delete;
  SdlPointer& operator=(const SdlPointer&) = delete;

  void Acquire() override {}
  void Unacquire() override;
  PointerFrame Poll() override { return sampler_.Sample(); }
  void ShowCursor(bool shown) override;

 private:
  // Sees every event as it is queued, before the window takes it off the queue.
  static int SDLCALL WatchEvent(void* self, SDL_Event* event);
  void OnMouse(const SDL_Event& event);
  void OnFinger(const SDL_Event& event);

  PointerSampler sampler_;
  bool mouseDown_ = false;  // the press in progress is the mouse's
  bool fingerDown_ = false;
  SDL_FingerID finger_ = 0;
  int cursorShown_ = -1;  // as last set: -1 unknown
};
