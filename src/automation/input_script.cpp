#include "automation/input_script.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

constexpr ScriptKey kKeys[] = {
    {"Alt", 0x38},     {"Up", 0xC8},      {"Down", 0xD0},    {"Left", 0xCB},    {"Right", 0xCD},
    {"Return", 0x1C},  {"Escape", 0x01},  {"Z", 0x2C},       {"X", 0x2D},       {"Numpad0", 0x52},
    {"Numpad1", 0x4F}, {"Numpad2", 0x50}, {"Numpad3", 0x51}, {"Numpad4", 0x4B}, {"Numpad5", 0x4C},
    {"Numpad6", 0x4D}, {"Numpad7", 0x47}, {"Numpad8", 0x48}, {"Numpad9", 0x49},
};
constexpr size_t kKeyCount = std::size(kKeys);
static_assert(kKeyCount <= 32, "a KeySet holds one bit per key");

constexpr uint8_t kRightAlt = 0xB8;
constexpr uint8_t kPressed = 0x80;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseFrame(std::string_view text, uint32_t& frame) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), frame);
  return ec == std::errc() && end == text.data() + text.size();
}

// "FRAME" or "FIRST-LAST"; an empty result means success.
std::string ParseFrames(std::string_view text, uint32_t& first, uint32_t& last) {
  size_t dash = text.find('-');
  std::string_view firstText = text.substr(0, dash);
  std::string_view lastText = dash == std::string_view::npos ? firstText : text.substr(dash + 1);
  if (!ParseFrame(firstText, first) || !ParseFrame(lastText, last))
    return "'" + std::string(text) + "' is not a frame or a range FIRST-LAST of frames";
  if (first == 0) return "frames count from 1";
  if (last < first) return "the range " + std::string(text) + " ends before it starts";
  return {};
}

// "Key" or "Key+Key+..."; an empty result means success.
std::string ParseKeys(std::string_view text, KeySet& keys) {
  keys = 0;
  while (true) {
    size_t plus = text.find('+');
    std::string_view name = text.substr(0, plus);
    const KeySet key = KeyNamed(name);
    if (key == 0) {
      return name.empty() ? "a key name is missing in '" + std::string(text) + "'"
                          : "unknown key '" + std::string(name) + "'";
    }
    keys |= key;
    if (plus == std::string_view::npos) return {};
    text.remove_prefix(plus + 1);
  }
}

struct Entry {
  uint32_t first;
  uint32_t last;
  KeySet keys;
};

// One line without its line feed; an empty result means success. `has` tells whether the line
// held a key entry, `hasPointer` a pointer entry (blank and comment lines hold neither).
std::string ParseLine(std::string_view line, Entry& entry, bool& has, PointerEntry& pointer,
                      bool& hasPointer) {
  line = Trim(line.substr(0, line.find('#')));
  has = hasPointer = false;
  if (line.empty()) return {};
  size_t gap = line.find_first_of(" \t");
  if (gap == std::string_view::npos) return "expected 'FRAME KEYS' or 'FIRST-LAST KEYS'";
  std::string_view keysText = Trim(line.substr(gap));
  std::string error = ParseFrames(line.substr(0, gap), entry.first, entry.last);
  if (!error.empty()) return error;
  if (IsPointerEntry(keysText)) {
    hasPointer = true;
    return ParsePointerEntry(keysText, entry.first, entry.last, pointer);
  }
  if (keysText.find_first_of(" \t") != std::string_view::npos)
    return "keys are joined with '+', without spaces: '" + std::string(keysText) + "'";
  has = true;
  return ParseKeys(keysText, entry.keys);
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return lower(x) == lower(y);
  });
}

std::span<const ScriptKey> ScriptKeys() { return kKeys; }

KeySet KeyNamed(std::string_view name) {
  for (size_t i = 0; i < kKeyCount; ++i) {
    if (EqualsIgnoringCase(kKeys[i].name, name)) return KeySet{1} << i;
  }
  return 0;
}

std::string FormatKeys(KeySet keys) {
  std::string text;
  for (size_t i = 0; i < kKeyCount; ++i) {
    if ((keys & (KeySet{1} << i)) == 0) continue;
    if (!text.empty()) text += '+';
    text += kKeys[i].name;
  }
  return text;
}

void KeysToState(KeySet keys, uint8_t (&state)[256]) {
  std::fill(std::begin(state), std::end(state), uint8_t{0});
  for (size_t i = 0; i < kKeyCount; ++i)
    if (keys & (KeySet{1} << i)) state[kKeys[i].dik] = kPressed;
}

KeySet StateToKeys(const uint8_t (&state)[256]) {
  KeySet keys = 0;
  for (size_t i = 0; i < kKeyCount; ++i)
    if (state[kKeys[i].dik] & kPressed) keys |= KeySet{1} << i;
  if (state[kRightAlt] & kPressed) keys |= 1;  // Alt is the first key of the table
  return keys;
}

bool InputScript::Parse(std::string_view text, InputScript& script, std::string& error) {
  script.segments_.clear();
  script.pointer_ = PointerTrack{};
  std::vector<Entry> entries;
  std::vector<PointerEntry> pointerEntries;
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    Entry entry{};
    PointerEntry pointer;
    bool has = false, hasPointer = false;
    std::string lineError = ParseLine(line, entry, has, pointer, hasPointer);
    if (!lineError.empty()) {
      error = "line " + std::to_string(lineNumber) + ": " + lineError;
      return false;
    }
    if (has) entries.push_back(entry);
    if (hasPointer) {
      pointer.line = lineNumber;
      pointerEntries.push_back(pointer);
    }
  }
  if (!script.pointer_.Set(std::move(pointerEntries), error)) return false;

  // Sweep over the frames where some key goes down or up, counting per key how many entries
  // hold it, so that overlapping entries add up.
  struct Change {
    uint64_t frame;
    size_t key;
    int delta;
  };
  std::vector<Change> changes;
  for (const Entry& entry : entries) {
    for (size_t key = 0; key < kKeyCount; ++key) {
      if ((entry.keys & (KeySet{1} << key)) == 0) continue;
      changes.push_back({entry.first, key, +1});
      changes.push_back({uint64_t{entry.last} + 1, key, -1});
    }
  }
  std::sort(changes.begin(), changes.end(),
            [](const Change& a, const Change& b) { return a.frame < b.frame; });
  std::array<int, kKeyCount> holders{};
  for (size_t i = 0; i < changes.size();) {
    uint64_t frame = changes[i].frame;
    for (; i < changes.size() && changes[i].frame == frame; ++i)
      holders[changes[i].key] += changes[i].delta;
    KeySet keys = 0;
    for (size_t key = 0; key < kKeyCount; ++key)
      if (holders[key] > 0) keys |= KeySet{1} << key;
    KeySet previous = script.segments_.empty() ? 0 : script.segments_.back().keys;
    if (keys != previous) script.segments_.push_back({frame, keys});
  }
  return true;
}

KeySet InputScript::KeysAt(uint32_t frame) const {
  auto after = std::upper_bound(segments_.begin(), segments_.end(), uint64_t{frame},
                                [](uint64_t f, const Segment& s) { return f < s.start; });
  return after == segments_.begin() ? 0 : std::prev(after)->keys;
}

void InputRecorder::Record(uint32_t frame, KeySet keys) {
  if (frame <= lastFrame_) return;
  bool continuesRun = keys == runKeys_ && frame == lastFrame_ + 1;
  if (!continuesRun) {
    WriteRun();
    runFirst_ = frame;
    runKeys_ = keys;
  }
  lastFrame_ = frame;
}

void InputRecorder::Finish() {
  WriteRun();
  runKeys_ = 0;
}

void InputRecorder::WriteRun() {
  if (runKeys_ == 0) return;
  out_ << runFirst_;
  if (lastFrame_ != runFirst_) out_ << '-' << lastFrame_;
  out_ << ' ' << FormatKeys(runKeys_) << '\n';
  out_.flush();
}

bool ScriptedKeyboard::Poll(uint8_t (&keys)[256]) {
  KeysToState(script_.KeysAt(counter_.Current()), keys);
  return true;
}

bool RecordingKeyboard::Poll(uint8_t (&keys)[256]) {
  if (!inner_->Poll(keys)) return false;
  recorder_.Record(counter_.Current(), StateToKeys(keys));
  return true;
}
