// The language of the executable: --lang or the locale chooses it, and it changes the words on
// the screen, never the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace e2e {
namespace {

// Every scene: each reading text scrolled to its end, the options changed, a game paused and
// played to its end, the game over screen and the title again.
std::string EveryScene() {
  std::ostringstream keys;
  keys << "5 Return\n8 Return\n"
       << "# rules, scrolled to the end and back a little\n"
       << "20 Down\n22 Return\n24 Return\n30-130 Down\n135-150 Up\n155 Escape\n"
       << "# controls, scrolled as far as they go\n"
       << "160 Down\n162 Return\n170-200 Down\n205 Escape\n"
       << "# story\n"
       << "210 Down\n212 Down\n214 Return\n220-230 Down\n235 Escape\n"
       << "# information, scrolled\n"
       << "240 Escape\n245 Down\n247 Down\n249 Down\n251 Return\n260-290 Down\n295 Escape\n"
       << "# options: effects down, full screen, leave through the return item\n"
       << "300 Down\n302 Down\n304 Return\n310 Down\n312 Left\n314 Down\n316 Right\n"
       << "318 Down\n320 Return\n"
       << "# a game, paused once\n"
       << "330 Return\n370 Escape\n380 Escape\n";
  // Then a press every 60 frames: faster scrolling in play, leaving the game over screen, and
  // a new game from the title.
  for (int frame = 600; frame < 2400; frame += 60) keys << frame << " Return\n";
  return keys.str();
}

struct Session {
  std::string trace;
  std::optional<Picture> title;  // the title screen at frame 60
};

// Runs the keys with the locale variables given ("LANG", "de_DE.UTF-8"); none set otherwise.
Session Play(const std::string& keys, uint32_t frames, std::vector<std::string> args,
             const std::vector<std::pair<std::string, std::string>>& locale = {}) {
  TempDir dir;
  dir.Write("keys.txt", keys);
  std::vector<std::string> all{
      "--fps",   "0",        "--seed",  "11",          "--frames",     std::to_string(frames),
      "--input", "keys.txt", "--trace", "trace.jsonl", "--screenshot", "60:title.png"};
  all.insert(all.end(), args.begin(), args.end());
  RunOptions options;
  for (const auto& [name, value] : locale) options.environment.emplace_back(name, value);
  RunResult result = RunGame(dir, all, {}, options);
  EXPECT_EQ(result.exitCode, 0) << result.stderrText;
  return {Slurp(dir / "trace.jsonl"), ReadPng(dir / "title.png")};
}

std::vector<json> Frames(const std::string& trace) {
  std::vector<json> frames;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) frames.push_back(json::parse(line));
  return frames;
}

// The deepest scroll position of the rules page.
int DeepestRulesLine(const std::vector<json>& frames) {
  int deepest = 0;
  for (const json& frame : frames)
    if (frame["scene"] == "Rule")
      deepest = std::max(deepest, frame["state"]["firstLine"].get<int>());
  return deepest;
}

// The reading pages of the two languages wrap into different numbers of lines and so scroll to
// different lines; everything else must be the same.
std::vector<json> WithoutScrollPositions(std::vector<json> frames) {
  for (json& frame : frames)
    if (frame["scene"] == "Rule" || frame["scene"] == "Info") frame["state"].erase("firstLine");
  return frames;
}

TEST(Language, TheSameKeysGiveTheSameGameInBothLanguages) {
  const std::string keys = EveryScene();
  const Session japanese = Play(keys, 2400, {"--lang", "ja"});
  const Session english = Play(keys, 2400, {"--lang", "en"});
  const std::vector<json> japaneseFrames = Frames(japanese.trace);
  const std::vector<json> englishFrames = Frames(english.trace);
  EXPECT_TRUE(WithoutScrollPositions(japaneseFrames) == WithoutScrollPositions(englishFrames))
      << "the traces differ";

  // The walk went where it should: far down the rules in both languages and through every
  // scene.
  EXPECT_GE(DeepestRulesLine(japaneseFrames), 30);  // the last character entries (42 lines)
  EXPECT_GE(DeepestRulesLine(englishFrames), 20);
  std::set<std::string> scenes;
  for (const json& frame : englishFrames)
    if (!frame["scene"].is_null()) scenes.insert(frame["scene"].get<std::string>());
  for (const char* scene : {"Logo", "Title", "Rule", "Info", "Option", "Play", "GameOver"})
    EXPECT_TRUE(scenes.count(scene)) << scene;

  // The words did change.
  ASSERT_TRUE(japanese.title && english.title);
  EXPECT_NE(japanese.title->rgb, english.title->rgb);
}

#ifndef _WIN32  // Windows takes the language from the user's settings, not the locale variables
TEST(Language, TheLocaleChoosesAndLangWins) {
  const std::string keys = "5 Return\n8 Return\n";
  using Locale = std::vector<std::pair<std::string, std::string>>;
  const auto title = [&](std::vector<std::string> args, const Locale& locale) {
    std::optional<Picture> picture = Play(keys, 60, std::move(args), locale).title;
    return picture ? picture->rgb : std::vector<uint32_t>{};
  };
  const std::vector<uint32_t> japanese = title({"--lang", "ja"}, {});
  const std::vector<uint32_t> english = title({"--lang", "en"}, {});
  ASSERT_FALSE(japanese.empty());
  ASSERT_NE(japanese, english);

  EXPECT_EQ(title({}, {}), japanese) << "no locale";
  EXPECT_EQ(title({}, {{"LANG", "en_US.UTF-8"}}), english);
  EXPECT_EQ(title({}, {{"LANG", "de_DE.UTF-8"}}), english);
  EXPECT_EQ(title({}, {{"LANG", "ja_JP.UTF-8"}}), japanese);
  EXPECT_EQ(title({}, {{"LC_ALL", "C"}, {"LANG", "en_US.UTF-8"}}), japanese);
  EXPECT_EQ(title({}, {{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}), english);
  EXPECT_EQ(title({"--lang", "ja"}, {{"LANG", "en_US.UTF-8"}}), japanese);
  EXPECT_EQ(title({"--lang", "en"}, {{"LC_ALL", "C"}}), english);
}
#endif

}  // namespace
}  // namespace e2e
