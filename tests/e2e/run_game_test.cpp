// RunGame's own control of the game, on every system: the arguments and the environment as
// given, checkpoints that find the game frozen, and the kill at the time-out.
#include <gtest/gtest.h>

#include <thread>

#include "e2e_support.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

TEST(RunGame, ArgumentsReachTheGameUnchanged) {
  TempDir dir;
  // Spaces, quotes and a trailing backslash: what a command line must quote or escape.
  const std::string name = "two  words \"quoted\" \\";
  RunResult run = RunGame(dir, {"--input", name});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.stderrText.find("cannot read " + name + ": "), std::string::npos) << run.stderrText;
}

TEST(RunGame, TheOptionsEnvironmentReplacesTheUsualVariables) {
  TempDir dir;
  RunOptions moved;
#ifdef _WIN32
  // Windows compares the names of variables without case: this one replaces APPDATA.
  moved.environment = {{"AppData", (dir / "moved").string()}};
#else
  moved.environment = {{"XDG_DATA_HOME", (dir / "moved").string()}};
#endif
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "2"}, {}, moved);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(ReadSave(dir / "moved" / "moravin" / "SaveData.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir.SavePath()));
}

TEST(RunGame, CheckpointsFindTheGameFrozenAndCanKillIt) {
  TempDir dir;
  size_t atCheck = 0, afterWaiting = 0;
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "100000", "--trace", "trace.jsonl"},
                          {{50,
                            [&] {
                              atCheck = ReadTrace(dir / "trace.jsonl").size();
                              std::this_thread::sleep_for(300ms);
                              afterWaiting = ReadTrace(dir / "trace.jsonl").size();
                            },
                            true}});
  EXPECT_GE(atCheck, 50u);
  EXPECT_EQ(afterWaiting, atCheck) << "the game ran on during the check";
  EXPECT_TRUE(run.killed);
  EXPECT_FALSE(run.timedOut);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_LT(ReadTrace(dir / "trace.jsonl").size(), 100000u);
}

TEST(RunGame, AGameStillRunningAtTheTimeOutIsKilled) {
  TempDir dir;
  RunOptions brief;
  brief.timeoutSeconds = 1;
  // Paced at 60 frames a second, this run would take half an hour.
  const auto start = std::chrono::steady_clock::now();
  RunResult run = RunGame(dir, {"--fps", "60", "--frames", "100000"}, {}, brief);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
  EXPECT_TRUE(run.timedOut);
  EXPECT_TRUE(run.killed);
  EXPECT_NE(run.exitCode, 0);
}

}  // namespace
}  // namespace e2e
