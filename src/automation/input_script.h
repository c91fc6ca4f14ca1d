// Scripted keyboard input and its recorder.
//
// A script is text, one entry a line: "FRAME KEYS" or "FIRST-LAST KEYS". Frames count from 1,
// the first frame of the game loop; KEYS is a key name or several joined with '+', held during
// those frames. Every other key is up. '#' starts a comment. Entries may overlap: a frame holds
// the keys of every entry that covers it. Lines may also be pointer entries (pointer_script.h).
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "automation/frame_counter.h"
#include "automation/pointer_script.h"
#include "system/input_devices.h"

// A set of script keys: bit i stands for ScriptKeys()[i].
using KeySet = uint32_t;

struct ScriptKey {
  std::string_view name;
  uint8_t dik;  // DirectInput key code
};

// Whether two words are equal but for the case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Every key a script can name, in the order the recorder writes them.
std::span<const ScriptKey> ScriptKeys();

// The set of the one key with this name (any case); 0 when no key has it.
KeySet KeyNamed(std::string_view name);
// "Alt+Return"; the empty string for no keys.
std::string FormatKeys(KeySet keys);

// The 256 key states with exactly the keys of the set down.
void KeysToState(KeySet keys, uint8_t (&state)[256]);
// The script keys down in a 256-key state; either Alt key counts as Alt.
KeySet StateToKeys(const uint8_t (&state)[256]);

class InputScript {
 public:
  // Parses a whole script. False, with "line N: what is wrong" in `error`, on the first
  // malformed line; `script` is then left empty.
  static bool Parse(std::string_view text, InputScript& script, std::string& error);

  // The keys held in a frame (frames count from 1).
  KeySet KeysAt(uint32_t frame) const;
  const PointerTrack& Pointer() const { return pointer_; }

 private:
  // The keys held from `start` up to the next segment's start; sorted by start.
  struct Segment {
    uint64_t start;
    KeySet keys;
  };
  std::vector<Segment> segments_;
  PointerTrack pointer_;
};

// Writes the keys held frame by frame in the script format, runs of equal keys merged into one
// "FIRST-LAST KEYS" line. Frames without keys are left out.
class InputRecorder {
 public:
  explicit InputRecorder(std::ostream& out) : out_(out) {}
  // Only the first call for a frame counts; frames must come in increasing order.
  void Record(uint32_t frame, KeySet keys);
  // Writes the run still open. Call once after the last frame.
  void Finish();

 private:
  void WriteRun();

  std::ostream& out_;
  uint32_t lastFrame_ = 0;
  uint32_t runFirst_ = 0;
  KeySet runKeys_ = 0;
};

// A keyboard whose keys come from a script, by the frame number of the counter.
class ScriptedKeyboard : public IKeyboardDevice {
 public:
  ScriptedKeyboard(const InputScript& script, const FrameCounter& counter)
      : script_(script), counter_(counter) {}
  void Acquire() override {}
  void Unacquire() override {}
  bool Poll(uint8_t (&keys)[256]) override;

 private:
  const InputScript& script_;
  const FrameCounter& counter_;
};

// Passes another keyboard through and records the script keys of every successful poll.
class RecordingKeyboard : public IKeyboardDevice {
 public:
  RecordingKeyboard(std::unique_ptr<IKeyboardDevice> inner, InputRecorder& recorder,
                    const FrameCounter& counter)
      : inner_(std::move(inner)), recorder_(recorder), counter_(counter) {}
  void Acquire() override { inner_->Acquire(); }
  void Unacquire() override { inner_->Unacquire(); }
  bool Poll(uint8_t (&keys)[256]) override;
  void Bind(const Bindings* bindings) override { inner_->Bind(bindings); }
  uint16_t TakePressedKey() override { return inner_->TakePressedKey(); }

 private:
  std::unique_ptr<IKeyboardDevice> inner_;
  InputRecorder& recorder_;
  const FrameCounter& counter_;
};
