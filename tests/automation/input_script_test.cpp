#include "automation/input_script.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "media/input.h"

namespace {

KeySet Keys(std::string_view names) {
  KeySet keys = 0;
  std::string error;
  InputScript script;
  EXPECT_TRUE(InputScript::Parse("1 " + std::string(names), script, error)) << error;
  keys = script.KeysAt(1);
  return keys;
}

InputScript MustParse(std::string_view text) {
  InputScript script;
  std::string error;
  EXPECT_TRUE(InputScript::Parse(text, script, error)) << error;
  return script;
}

std::string ParseError(std::string_view text) {
  InputScript script;
  std::string error;
  EXPECT_FALSE(InputScript::Parse(text, script, error)) << text;
  return error;
}

TEST(InputScriptKeys, NamesMapToTheGamesKeyCodes) {
  uint8_t state[256];
  KeysToState(Keys("Up+Down+Left+Right"), state);
  EXPECT_TRUE(state[dik::UpArrow] & 0x80);
  EXPECT_TRUE(state[dik::DownArrow] & 0x80);
  EXPECT_TRUE(state[dik::LeftArrow] & 0x80);
  EXPECT_TRUE(state[dik::RightArrow] & 0x80);

  KeysToState(Keys("Return+Escape+Z+X+Alt+Numpad0+Numpad2+Numpad4+Numpad5+Numpad6+Numpad8"), state);
  for (int code : {dik::Return, dik::Escape, dik::Z, dik::X, dik::LMenu, dik::Numpad0, dik::Numpad2,
                   dik::Numpad4, dik::Numpad5, dik::Numpad6, dik::Numpad8})
    EXPECT_EQ(state[code], 0x80) << code;
  int down = 0;
  for (uint8_t s : state) down += (s & 0x80) ? 1 : 0;
  EXPECT_EQ(down, 11) << "every other key is up";
}

TEST(InputScriptKeys, StateAndNamesRoundTrip) {
  for (const ScriptKey& key : ScriptKeys()) {
    KeySet one = Keys(key.name);
    uint8_t state[256];
    KeysToState(one, state);
    EXPECT_EQ(StateToKeys(state), one) << key.name;
    EXPECT_EQ(FormatKeys(one), key.name);
  }
  EXPECT_EQ(FormatKeys(Keys("Return+Alt")), "Alt+Return");
  EXPECT_EQ(FormatKeys(0), "");

  uint8_t rightAlt[256] = {};
  rightAlt[dik::RMenu] = 0x80;
  EXPECT_EQ(StateToKeys(rightAlt), Keys("Alt"));
}

TEST(InputScriptParse, FramesRangesCommentsAndOverlaps) {
  InputScript script = MustParse(
      "# walk\n"
      "  3 Return   # confirm\n"
      "\n"
      "5-7 down+Z\r\n"
      "6-9\tLeft\n"
      "10-10 Escape");
  EXPECT_EQ(script.KeysAt(1), 0u);
  EXPECT_EQ(script.KeysAt(2), 0u);
  EXPECT_EQ(script.KeysAt(3), Keys("Return"));
  EXPECT_EQ(script.KeysAt(4), 0u);
  EXPECT_EQ(script.KeysAt(5), Keys("Down+Z"));
  EXPECT_EQ(script.KeysAt(6), Keys("Down+Z+Left"));
  EXPECT_EQ(script.KeysAt(7), Keys("Down+Z+Left"));
  EXPECT_EQ(script.KeysAt(8), Keys("Left"));
  EXPECT_EQ(script.KeysAt(9), Keys("Left"));
  EXPECT_EQ(script.KeysAt(10), Keys("Escape"));
  EXPECT_EQ(script.KeysAt(11), 0u);
  EXPECT_EQ(script.KeysAt(UINT32_MAX), 0u);
}

TEST(InputScriptParse, RepeatedEntriesForOneKeyOverlapWithoutEndingEarly) {
  InputScript script = MustParse("1-10 Z\n4-5 Z\n");
  for (uint32_t frame = 1; frame <= 10; ++frame)
    EXPECT_EQ(script.KeysAt(frame), Keys("Z")) << frame;
  EXPECT_EQ(script.KeysAt(11), 0u);
}

TEST(InputScriptParse, RangeUpToTheLastFrame) {
  InputScript script = MustParse("4294967290-4294967295 X");
  EXPECT_EQ(script.KeysAt(4294967289u), 0u);
  EXPECT_EQ(script.KeysAt(4294967295u), Keys("X"));
}

TEST(InputScriptParse, EmptyScriptHoldsNothing) {
  InputScript script = MustParse("# nothing\n\n");
  EXPECT_EQ(script.KeysAt(1), 0u);
}

TEST(InputScriptParse, MalformedLinesAreReportedWithTheirNumber) {
  EXPECT_EQ(ParseError("1 Z\n\n0 Z\n").substr(0, 7), "line 3:");
  EXPECT_NE(ParseError("0 Z").find("from 1"), std::string::npos);
  EXPECT_NE(ParseError("9-3 Z").find("ends before"), std::string::npos);
  EXPECT_NE(ParseError("1 Shift").find("unknown key 'Shift'"), std::string::npos);
  EXPECT_NE(ParseError("1 Z+").find("missing"), std::string::npos);
  EXPECT_NE(ParseError("1 Z + X").find("without spaces"), std::string::npos);
  EXPECT_EQ(ParseError("# a\n5\n").substr(0, 7), "line 2:");
  for (std::string_view bad :
       std::initializer_list<std::string_view>{"x Z", "-3 Z", "3- Z", "1-2-3 Z", "4294967296 Z",
                                               "+1 Z", "1.5 Z", std::string_view("1\0 Z", 4)})
    ParseError(bad);
}

TEST(InputScriptParse, FailureLeavesTheScriptEmpty) {
  InputScript script = MustParse("1-100 Z");
  std::string error;
  EXPECT_FALSE(InputScript::Parse("1-100 Z\n2 Nope", script, error));
  EXPECT_EQ(script.KeysAt(50), 0u);
}

TEST(InputScriptParse, OverlappingRandomScriptsHoldTheUnionOfTheirEntries) {
  std::mt19937 random(12345);
  const auto keys = ScriptKeys();
  for (int round = 0; round < 200; ++round) {
    struct Entry {
      uint32_t first, last;
      KeySet keys;
    };
    std::vector<Entry> entries(random() % 12);
    std::string text;
    for (Entry& entry : entries) {
      entry.first = 1 + random() % 60;
      entry.last = entry.first + random() % 20;
      const ScriptKey& a = keys[random() % keys.size()];
      const ScriptKey& b = keys[random() % keys.size()];
      entry.keys = Keys(a.name) | Keys(b.name);
      text += std::to_string(entry.first) + "-" + std::to_string(entry.last) + " " +
              std::string(a.name) + "+" + std::string(b.name) + "\n";
    }
    InputScript script = MustParse(text);
    for (uint32_t frame = 1; frame <= 90; ++frame) {
      KeySet expected = 0;
      for (const Entry& entry : entries)
        if (frame >= entry.first && frame <= entry.last) expected |= entry.keys;
      ASSERT_EQ(script.KeysAt(frame), expected) << "frame " << frame << " of\n" << text;
    }
  }
}

TEST(InputScriptParse, ArbitraryBytesAreParsedOrRejectedWithALineNumber) {
  std::mt19937 random(777);
  const std::string alphabet = "0123456789-+# \t\r\nZXAltUpReturnNumpad\x80\xff";
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 40, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    InputScript script;
    std::string error;
    if (!InputScript::Parse(text, script, error)) {
      EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
  }
}

std::string Record(const std::vector<std::pair<uint32_t, std::string_view>>& frames) {
  std::ostringstream out;
  InputRecorder recorder(out);
  for (auto [frame, names] : frames) recorder.Record(frame, names.empty() ? 0 : Keys(names));
  recorder.Finish();
  return out.str();
}

TEST(InputRecorder, MergesRunsOfEqualKeysAndLeavesOutIdleFrames) {
  EXPECT_EQ(Record({{1, ""}, {2, "Z"}, {3, "Z"}, {4, "Z"}, {5, "Z+Up"}, {6, ""}, {7, "Return"}}),
            "2-4 Z\n5 Up+Z\n7 Return\n");
}

TEST(InputRecorder, AGapInTheFramesEndsARun) {
  EXPECT_EQ(Record({{1, "X"}, {2, "X"}, {5, "X"}}), "1-2 X\n5 X\n");
}

TEST(InputRecorder, OnlyTheFirstPollOfAFrameCounts) {
  EXPECT_EQ(Record({{1, "X"}, {1, "Z"}, {2, "X"}}), "1-2 X\n");
}

TEST(InputRecorder, ARecordingReplaysToTheSameKeys) {
  std::vector<KeySet> held(200);
  for (size_t i = 0; i < held.size(); ++i)
    held[i] = (i * 7919 % 13 < 4) ? Keys(i % 2 ? "Left" : "Alt+Return") : 0;
  std::ostringstream out;
  InputRecorder recorder(out);
  for (size_t i = 0; i < held.size(); ++i) recorder.Record(static_cast<uint32_t>(i + 1), held[i]);
  recorder.Finish();

  InputScript replay = MustParse(out.str());
  for (size_t i = 0; i < held.size(); ++i)
    EXPECT_EQ(replay.KeysAt(static_cast<uint32_t>(i + 1)), held[i]) << i;
}

class FixedKeyboard : public IKeyboardDevice {
 public:
  void Acquire() override {}
  void Unacquire() override {}
  bool Poll(uint8_t (&keys)[256]) override {
    if (!readable) return false;
    std::copy(std::begin(state), std::end(state), keys);
    return true;
  }
  uint8_t state[256] = {};
  bool readable = true;
};

TEST(ScriptedKeyboard, FollowsTheFrameCounter) {
  InputScript script = MustParse("2 Escape\n3 Alt+Return");
  FrameCounter counter;
  ScriptedKeyboard keyboard(script, counter);
  uint8_t keys[256];
  std::fill(std::begin(keys), std::end(keys), uint8_t{0x80});

  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(StateToKeys(keys), 0u);
  EXPECT_EQ(keys[0x10], 0) << "keys not in the script are released too";
  counter.framesDone = 1;
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[dik::Escape], 0x80);
  counter.framesDone = 2;
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[dik::LMenu], 0x80);
  EXPECT_EQ(keys[dik::Return], 0x80);
  EXPECT_EQ(keys[dik::Escape], 0);
}

TEST(RecordingKeyboard, RecordsOnlySuccessfulPollsUnderTheCurrentFrame) {
  auto inner = std::make_unique<FixedKeyboard>();
  FixedKeyboard& real = *inner;
  std::ostringstream out;
  InputRecorder recorder(out);
  FrameCounter counter;
  RecordingKeyboard keyboard(std::move(inner), recorder, counter);
  uint8_t keys[256];

  real.state[dik::Z] = 0x80;
  real.state[0x10] = 0x80;  // a key scripts cannot name is passed on but not recorded
  EXPECT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[0x10], 0x80);
  counter.framesDone = 1;
  real.readable = false;
  EXPECT_FALSE(keyboard.Poll(keys));
  counter.framesDone = 2;
  real.readable = true;
  EXPECT_TRUE(keyboard.Poll(keys));
  recorder.Finish();
  EXPECT_EQ(out.str(), "1 Z\n3 Z\n");
}

}  // namespace
