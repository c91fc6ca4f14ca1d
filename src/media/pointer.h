// The pointer as the scenes see it: the device's samples folded into gestures (a press, a tap,
// a drag, a hover), and which kind of device the player used last.
#pragma once

#include <cstdint>

#include "system/input_devices.h"

// What the player used last: the key-help bars and the on-screen controls follow it.
enum class InputDevice : uint8_t { Keys, Pointer, Pad };

// A rectangle of the game screen; contains its left and top edges, not its right and bottom.
struct ScreenRect {
  int32_t x, y, w, h;
  bool Contains(int32_t px, int32_t py) const {
    return px >= x && py >= y && px < x + w && py < y + h;
  }
};

// One frame of the pointer. A gesture runs from a press to the release that ends it.
struct PointerState {
  int32_t x = 0, y = 0;            // where the pointer is
  int32_t pressX = 0, pressY = 0;  // where the gesture began
  bool held = false;               // down now
  bool pressed = false;            // the gesture began this frame
  bool released = false;           // the gesture ended this frame
  bool tapped = false;    // it ended as a tap: it never went further than kTapSlop from the press
  bool dragging = false;  // down and gone further than kTapSlop from the press
  bool hovered = false;   // moved while up (a mouse crossing the window)

  // How far a press may wander and still be a tap, in game pixels: about 10 points of a
  // phone's screen, more than a finger wobbles.
  static constexpr int32_t kTapSlop = 16;

  bool TappedIn(const ScreenRect& r) const { return tapped && r.Contains(pressX, pressY); }
  bool PressedIn(const ScreenRect& r) const { return pressed && r.Contains(x, y); }
  bool HeldIn(const ScreenRect& r) const { return held && r.Contains(x, y); }
  bool HoveredIn(const ScreenRect& r) const { return hovered && r.Contains(x, y); }
};

// Whether the system's cursor shows over the window: it hides after 2 s without the pointer
// doing anything, and at once when a game starts or resumes, so that it stands in no one's
// way; it shows again as soon as the mouse moves.
class CursorVisibility {
 public:
  static constexpr int32_t kIdleFrames = 100;  // 2 s at 50 frames per second

  // One frame: whether the pointer did anything, whether a game is running. True: shown.
  bool Update(bool pointerUsed, bool inPlay);

 private:
  int32_t idleFrames_ = 0;
  bool wasInPlay_ = false;
};

// Folds the device's samples into gestures, one sample a frame.
class PointerTracker {
 public:
  // The frame's sample; the edges of the last frame are cleared first.
  void Map(const PointerFrame& frame);
  // Drops the gesture in progress (the scene changed under it): nothing more of it is
  // reported, and the next gesture begins with the next press.
  void Cancel();
  const PointerState& State() const { return state_; }

 private:
  void Press(int32_t x, int32_t y);
  void Release();
  void NoteTravel();

  PointerState state_;
  bool down_ = false;       // the device's pointer is down
  bool travelled_ = false;  // the gesture went beyond the tap slop
  bool swallowed_ = false;  // the device is down in a gesture that was cancelled
};
