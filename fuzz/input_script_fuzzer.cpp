// Input scripts: a script either parses or names the line that is wrong; a parsed script,
// replayed and recorded the way --input and --record do it, gives a recording that replays
// the same keys and records to itself.
#include <algorithm>
#include <sstream>
#include <string>

#include "automation/input_script.h"
#include "fuzz_check.h"

namespace {

// Scripts whose frames stay below this are replayed frame by frame.
constexpr uint64_t kReplayedFrames = 4000;

// An upper bound of every frame number the script can name: its longest run of digits.
uint64_t LargestNumber(std::string_view text) {
  uint64_t largest = 0, value = 0;
  for (char c : text) {
    value =
        (c >= '0' && c <= '9') ? std::min<uint64_t>(value * 10 + uint64_t(c - '0'), UINT32_MAX) : 0;
    largest = std::max(largest, value);
  }
  return largest;
}

// Replays the script through the scripted keyboard while the recording keyboard writes what it
// polls, as a run with both --input and --record does.
std::string ReplayAndRecord(const InputScript& script, uint32_t frames) {
  std::ostringstream out;
  InputRecorder recorder(out);
  FrameCounter counter;
  RecordingKeyboard keyboard(std::make_unique<ScriptedKeyboard>(script, counter), recorder,
                             counter);
  uint8_t state[256];
  for (uint32_t frame = 1; frame <= frames; ++frame, ++counter.framesDone) {
    FUZZ_CHECK(keyboard.Poll(state));
    FUZZ_CHECK(StateToKeys(state) == script.KeysAt(frame));
  }
  recorder.Finish();
  return out.str();
}

size_t LineCount(std::string_view text) { return std::count(text.begin(), text.end(), '\n') + 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  InputScript script;
  std::string error;
  if (!InputScript::Parse(text, script, error)) {
    // "line N: what is wrong", N a line of the text; nothing of the script is kept.
    FUZZ_CHECK(error.starts_with("line "));
    const size_t line = std::stoul(error.substr(5));
    FUZZ_CHECK(line >= 1 && line <= LineCount(text));
    FUZZ_CHECK(error.find(": ") != std::string::npos);
    FUZZ_CHECK(script.KeysAt(1) == 0 && script.KeysAt(UINT32_MAX) == 0);
    return 0;
  }
  FUZZ_CHECK(script.KeysAt(UINT32_MAX) == 0 || LargestNumber(text) == UINT32_MAX);

  const uint64_t largest = LargestNumber(text);
  if (largest >= kReplayedFrames) return 0;
  const auto frames = uint32_t(largest + 2);  // one frame past the last key
  const std::string recording = ReplayAndRecord(script, frames);
  InputScript replayed;
  FUZZ_CHECK(InputScript::Parse(recording, replayed, error));
  for (uint32_t frame = 1; frame <= frames; ++frame)
    FUZZ_CHECK(replayed.KeysAt(frame) == script.KeysAt(frame));
  FUZZ_CHECK(ReplayAndRecord(replayed, frames) == recording);
  return 0;
}
