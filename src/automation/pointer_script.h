// Scripted pointer input and its recorder: the pointer entries of an input script.
//
//   FRAME Tap X,Y                 a tap (down and up within the frame) at X,Y
//   FRAME Press X,Y               down at X,Y during the frame, or during FIRST-LAST
//   FIRST-LAST Drag X1,Y1 X2,Y2   down from FIRST to LAST, moving in a straight line
//   FRAME Move X,Y                the pointer moves to X,Y without a press (a hover), or
//   FIRST-LAST Move X1,Y1 X2,Y2   along a line during FIRST-LAST
//
// Coordinates are game-screen pixels (0..799, 0..599). The pointer goes up in the first frame
// that no Press or Drag covers, and stays where the last entry left it. There is one pointer,
// so pointer entries may not overlap.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "automation/frame_counter.h"
#include "system/input_devices.h"

enum class PointerAction : uint8_t { Tap, Press, Drag, Move };

struct PointerEntry {
  uint32_t first = 0, last = 0;
  PointerAction action = PointerAction::Tap;
  int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a one-point entry has x2, y2 equal to x1, y1
  size_t line = 0;                         // in the script, for messages
};

// The action named (any case) at the start of `words` ("Tap 400,300"); false when `words`
// names no pointer action, which makes the line a key entry.
bool IsPointerEntry(std::string_view words);
// Parses "ACTION POINT [POINT]" for the frames first..last; an empty result means success.
std::string ParsePointerEntry(std::string_view words, uint32_t first, uint32_t last,
                              PointerEntry& entry);

// The pointer of every frame, from the entries of a script.
class PointerTrack {
 public:
  // Sorts the entries; "line N: ..." in `error` when two of them overlap.
  bool Set(std::vector<PointerEntry> entries, std::string& error);
  PointerFrame At(uint32_t frame) const;
  bool Empty() const { return entries_.empty(); }

 private:
  // The position in `frame` and the entry covering it (null between entries).
  const PointerEntry* Covering(uint32_t frame, int16_t& x, int16_t& y) const;

  std::vector<PointerEntry> entries_;  // by first frame, none overlapping
};

// Writes the pointer frame by frame as pointer entries: runs of frames down, or moving up,
// whose position changes by the same step every frame become one Press, Drag or Move line.
// What it writes replays to the same frames, the Moved flag being the change of position.
class PointerRecorder {
 public:
  explicit PointerRecorder(std::ostream& out) : out_(out) {}
  // Only the first call for a frame counts; frames must come in increasing order.
  void Record(uint32_t frame, const PointerFrame& pointer);
  // Writes the run still open. Call once after the last frame.
  void Finish();

 private:
  void WriteRun();

  std::ostream& out_;
  uint32_t lastFrame_ = 0;
  int16_t lastX_ = 0, lastY_ = 0;  // the pointer's position in the last frame recorded
  bool open_ = false;              // a run is open
  PointerEntry run_;
  int32_t stepX_ = 0, stepY_ = 0;  // the run's change of position per frame
};

// A pointer whose frames come from a script, by the frame number of the counter.
class ScriptedPointer : public IPointerDevice {
 public:
  ScriptedPointer(const PointerTrack& track, const FrameCounter& counter)
      : track_(track), counter_(counter) {}
  void Acquire() override {}
  void Unacquire() override {}
  PointerFrame Poll() override { return track_.At(counter_.Current()); }
  void ShowCursor(bool) override {}

 private:
  const PointerTrack& track_;
  const FrameCounter& counter_;
};

// Passes another pointer through and records the frame of every poll.
class RecordingPointer : public IPointerDevice {
 public:
  RecordingPointer(std::unique_ptr<IPointerDevice> inner, PointerRecorder& recorder,
                   const FrameCounter& counter)
      : inner_(std::move(inner)), recorder_(recorder), counter_(counter) {}
  void Acquire() override { inner_->Acquire(); }
  void Unacquire() override { inner_->Unacquire(); }
  PointerFrame Poll() override;
  void ShowCursor(bool shown) override { inner_->ShowCursor(shown); }

 private:
  std::unique_ptr<IPointerDevice> inner_;
  PointerRecorder& recorder_;
  const FrameCounter& counter_;
};
