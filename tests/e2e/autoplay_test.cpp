// The autoplayer in the real game: deterministic, recordable, far-reaching, and polite to the
// person at the keyboard.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "e2e_support.h"

namespace e2e {
namespace {

// The trace of an autoplayed run of `frames` frames in a fresh directory.
std::string Autoplayed(const std::vector<std::string>& extra, uint32_t frames = 1500) {
  TempDir dir;
  std::vector<std::string> args{
      "--fps", "0", "--autoplay", "--frames", std::to_string(frames), "--trace", "trace.jsonl"};
  args.insert(args.end(), extra.begin(), extra.end());
  RunResult run = RunGame(dir, args);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  return Slurp(dir / "trace.jsonl");
}

TEST(Autoplay, TheSameSeedGivesTheSameGame) {
  const std::string first = Autoplayed({"--seed", "31"});
  ASSERT_EQ(std::count(first.begin(), first.end(), '\n'), 1500);
  EXPECT_EQ(first, Autoplayed({"--seed", "31"}));
  EXPECT_NE(first, Autoplayed({"--seed", "32"}));
  EXPECT_NE(first.find("\"scene\":\"Play\""), std::string::npos) << "it started a game";
}

TEST(Autoplay, ARecordingOfItReplaysTheSameGame) {
  TempDir dir;
  RunResult recorded = RunGame(dir, {"--fps", "0", "--autoplay", "--frames", "1500", "--record",
                                     "session.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(recorded.exitCode, 0) << recorded.stderrText;
  const std::string session = Slurp(dir / "session.txt");
  std::smatch seed;
  ASSERT_TRUE(std::regex_search(session, seed, std::regex("--seed ([0-9]+) --input session.txt")))
      << session;
  EXPECT_TRUE(std::regex_search(session, std::regex("\n[0-9-]+ (Up|Down)\n"))) << "lines turned";
  EXPECT_TRUE(std::regex_search(session, std::regex("\n[0-9-]+ (Left|Right)"))) << "cursor moved";

  TempDir replayDir;
  replayDir.Write("session.txt", session);
  RunResult replayed = RunGame(replayDir, {"--fps", "0", "--frames", "1500", "--seed", seed[1],
                                           "--input", "session.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(replayed.exitCode, 0) << replayed.stderrText;
  EXPECT_TRUE(Slurp(replayDir / "trace.jsonl") == Slurp(dir / "trace.jsonl"));
}

#ifndef _WIN32  // it closes the game when the distance is reached: Windows has no close request
// Each of the first seeds plays a game to distance 100, however long that takes.
class Reach : public ::testing::TestWithParam<int> {};

TEST_P(Reach, AGameGoesOnToDistance100) {
  TempDir dir;
  RunOptions options;
  options.timeoutSeconds = 900;
  options.closeWhen = [](const json& frame) { return frame.value("distance", 0) >= 100; };
  RunResult run = RunGame(dir,
                          {"--fps", "0", "--autoplay", "--games", "1", "--seed",
                           std::to_string(GetParam()), "--trace", "trace.jsonl"},
                          {}, options);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.stderrText.find("autoplay: game 1 "), std::string::npos)
      << "the game ended before distance 100: " << run.stderrText;
  std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_FALSE(trace.empty());
  EXPECT_GE(trace.back()["distance"], 100);
  EXPECT_EQ(trace.back()["scene"], "Play");
}

INSTANTIATE_TEST_SUITE_P(Seeds, Reach, ::testing::Values(1, 2, 3));
#endif

TEST(Autoplay, GamesEndsTheRunWhenTheGameIsLost) {
  // A person holding Up keeps turning whatever line the cursor is on, and the heroine is lost.
  TempDir dir;
  dir.Write("up.txt", "100-30000 Up\n");
  RunResult run =
      RunGame(dir, {"--fps", "0", "--autoplay", "--games", "1", "--seed", "5", "--frames", "30000",
                    "--input", "up.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  std::smatch line;
  // The game's own lines start stderr; a sanitized build may add its report after them. Windows
  // ends the lines with CR LF.
  ASSERT_TRUE(std::regex_search(
      run.stderrText, line,
      std::regex("^autoplay: game 1 distance ([0-9]+) score ([0-9]+) chain [0-6] frames [0-9]+ "
                 "end (cut-off|caught)\r?\n"),
      std::regex_constants::match_continuous))
      << run.stderrText;
  EXPECT_EQ(run.stderrText.find("autoplay:", 1), std::string::npos) << "one game, one line";
  std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_FALSE(trace.empty());
  ASSERT_LT(trace.size(), 30000u) << "closed when the game was lost";
  const json& last = trace.back();
  EXPECT_EQ(last["scene"], "Play");
  EXPECT_EQ(last["state"]["phase"], line[3] == "caught" ? 3 : 2);
  EXPECT_EQ(last["distance"], std::stoi(line[1]));
  EXPECT_EQ(last["score"], std::stoi(line[2]));
}

TEST(Autoplay, EscapePausesItAndThePauseMenuIsLeftToThePerson) {
  TempDir dir;
  dir.Write("person.txt", "300 Escape\n700 Escape\n");
  RunResult run = RunGame(dir, {"--fps", "0", "--autoplay", "--seed", "8", "--frames", "900",
                                "--input", "person.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_EQ(trace.size(), 900u);
  ASSERT_EQ(trace[299]["scene"], "Title");
  ASSERT_EQ(trace[299]["suspended"], json::array({"Play"}));
  for (int frame = 300; frame < 699; ++frame) {
    ASSERT_EQ(trace[frame]["scene"], "Title") << frame;
    ASSERT_EQ(trace[frame]["state"]["subCursor"], 0) << "nothing moved the cursor, frame " << frame;
  }
  EXPECT_EQ(trace[899]["scene"], "Play") << "the person went back to the game";
  EXPECT_NE(trace[899]["state"]["heroine"], trace[299 - 1]["state"]["heroine"])
      << "and the autoplayer plays on";
}

}  // namespace
}  // namespace e2e
