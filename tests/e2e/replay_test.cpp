// Determinism: the same seed and input give the same trace; a recording replays the session.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "e2e_support.h"

namespace e2e {
namespace {

// Skip the logo, start a game at frame 13 and play it a little.
const char kGame[] =
    "5 Return\n"
    "8 Return\n"
    "12 Return\n"
    "40 Up\n"
    "45-47 Right\n"
    "60-90 Z\n"
    "100 Down\n"
    "120-260 Z\n";
constexpr uint32_t kFrames = 300;

// The first line where two traces differ, or "" when they are the same.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::istringstream left(a), right(b);
  std::string l, r;
  for (int line = 1;; ++line) {
    bool more = static_cast<bool>(std::getline(left, l));
    bool moreRight = static_cast<bool>(std::getline(right, r));
    if (!more && !moreRight) return "";
    if (more != moreRight || l != r)
      return "line " + std::to_string(line) + ":\n  " + l + "\n  " + r;
  }
}

// The trace of kGame played in a fresh directory.
std::string PlayGame(const std::string& seed, uint32_t frames = kFrames,
                     const std::string& fps = "0") {
  TempDir dir;
  dir.Write("game.txt", kGame);
  std::vector<std::string> args{"--fps",   fps,        "--frames", std::to_string(frames),
                                "--input", "game.txt", "--trace",  "trace.jsonl",
                                "--seed",  seed};
  RunResult run = RunGame(dir, args);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  return Slurp(dir / "trace.jsonl");
}

TEST(Determinism, SameSeedAndInputGiveTheSameTrace) {
  std::string first = PlayGame("77");
  std::string second = PlayGame("77");
  ASSERT_EQ(std::count(first.begin(), first.end(), '\n'), kFrames);
  EXPECT_EQ(FirstDifference(first, second), "");
  std::istringstream lines(first);
  std::string line;
  int playFrames = 0;
  while (std::getline(lines, line)) playFrames += json::parse(line)["scene"] == "Play";
  EXPECT_GT(playFrames, 250) << "the run reached the game";
  EXPECT_NE(FirstDifference(first, PlayGame("78")), "") << "the seed chooses the game";
}

TEST(Determinism, ThePaceOfTheRunDoesNotChangeTheTrace) {
  // Sounds are timed by frames in a headless run, so the sounds listed (and the music that
  // starts when the jingle ends) do not depend on how fast the frames went.
  std::string unpaced = PlayGame("9", 150);
  std::string paced = PlayGame("9", 150, "200");
  EXPECT_NE(unpaced.find("\"sounds\":[212]"), std::string::npos) << "the start jingle is traced";
  EXPECT_EQ(FirstDifference(unpaced, paced), "");
}

TEST(Recording, ASessionReplaysToTheSameTrace) {
  TempDir dir;
  dir.Write("game.txt", kGame);
  // Recorded without a seed: the recording names the seed it was played with.
  RunResult recorded =
      RunGame(dir, {"--fps", "0", "--frames", std::to_string(kFrames), "--input", "game.txt",
                    "--record", "session.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(recorded.exitCode, 0) << recorded.stderrText;
  std::string session = Slurp(dir / "session.txt");
  std::smatch seed;
  ASSERT_TRUE(std::regex_search(session, seed, std::regex("--seed ([0-9]+) --input session.txt")))
      << session;
  EXPECT_NE(session.find("45-47 Right\n"), std::string::npos) << "held keys are merged into ranges";
  EXPECT_NE(session.find("\n120-260 Z\n"), std::string::npos) << session;
  EXPECT_NE(session.find("# 300 frames ran"), std::string::npos) << session;
  std::string original = Slurp(dir / "trace.jsonl");

  // The replay starts from the same state: a working directory without a save file.
  TempDir replayDir;
  replayDir.Write("session.txt", session);
  RunResult replayed =
      RunGame(replayDir, {"--fps", "0", "--frames", std::to_string(kFrames), "--seed", seed[1],
                          "--input", "session.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(replayed.exitCode, 0) << replayed.stderrText;
  EXPECT_EQ(FirstDifference(Slurp(replayDir / "trace.jsonl"), original), "");
}

TEST(Play, ShiftingALineMovesItsStones) {
  // The same game twice, the cursor moved to a line of movable stones, once with Up pressed on
  // it; the pictures differ where the line is.
  TempDir dir;
  dir.Write("still.txt", "5 Return\n8 Return\n12 Return\n36 Right\n38 Right\n");
  dir.Write("shift.txt", "5 Return\n8 Return\n12 Return\n36 Right\n38 Right\n40 Up\n");
  for (std::string name : {"still", "shift"}) {
    RunResult run =
        RunGame(dir, {"--fps", "0", "--seed", "5", "--frames", "60", "--input", name + ".txt",
                      "--trace", name + ".jsonl", "--screenshot", "60:" + name + ".png"});
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  }
  std::vector<json> trace = ReadTrace(dir / "shift.jsonl");
  ASSERT_EQ(trace.size(), 60u);
  ASSERT_EQ(trace[59]["scene"], "Play");
  const json& state = trace[59]["state"];
  const int left = 85 * state["cursor"].get<int>() - static_cast<int>(state["scroll"].get<float>());
  ASSERT_GE(left, 0);
  ASSERT_LE(left + 85, 800);

  std::optional<Picture> still = ReadPng(dir / "still.png");
  std::optional<Picture> shifted = ReadPng(dir / "shift.png");
  ASSERT_TRUE(still && shifted);
  size_t inLine = 0, elsewhere = 0;
  for (int y = 90; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (still->At(x, y) == shifted->At(x, y)) continue;
      (x >= left && x < left + 85 ? inLine : elsewhere) += 1;
    }
  }
  EXPECT_GT(inLine, 2000u) << "the line under the cursor did not move";
  EXPECT_LT(elsewhere, inLine / 4) << "other parts of the field changed too";
}

}  // namespace
}  // namespace e2e
