// The save file across runs: a damaged file is replaced, the display mode survives a restart.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace e2e {
namespace {

TEST(SaveFile, DamagedFileIsReplacedAtStartUp) {
  for (std::string damaged : {std::string(44, '\x5A'), std::string("SAVE"), std::string()}) {
    TempDir dir;
    dir.Write("SaveData.dat", damaged);
    std::optional<SaveData> atStart;
    RunResult run = RunGame(dir, {"--fps", "0", "--frames", "150", "--trace", "trace.jsonl"},
                            {{20, [&] { atStart = ReadSave(dir / "SaveData.dat"); }}});
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    ASSERT_TRUE(atStart) << "a damaged file of " << damaged.size() << " bytes was not replaced";
    EXPECT_EQ(atStart->highScore, 0);
    EXPECT_EQ(atStart->bgmVolume, 0);
    EXPECT_EQ(atStart->fullScreen, 0);
    EXPECT_TRUE(ReadSave(dir / "SaveData.dat"));
  }
}

TEST(SaveFile, StoredSettingsAreLoaded) {
  TempDir dir;
  SaveData record{};
  record.highScore = 4321;
  record.bgmVolume = -3000;
  record.seVolume = -500;
  WriteSave(dir / "SaveData.dat", record);
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "2", "--trace", "trace.jsonl"});
  EXPECT_EQ(run.exitCode, 0);
  std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(trace[0]["highScore"], 4321);
  EXPECT_EQ(trace[0]["bgmVolume"], -3000);
  EXPECT_EQ(trace[0]["seVolume"], -500);
}

TEST(SaveFile, AltEnterSetsFullScreenOnceAndItSurvivesARestart) {
  TempDir dir;
  // Alt and Enter held for six frames during the logo's fade-in.
  dir.Write("first.txt", "20-25 Alt+Return\n");
  RunResult first = RunGame(
      dir, {"--fps", "0", "--frames", "40", "--input", "first.txt", "--trace", "trace.jsonl"});
  EXPECT_EQ(first.exitCode, 0) << first.stderrText;
  std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_EQ(trace.size(), 40u);
  EXPECT_EQ(trace[18]["fullScreen"], 0);
  for (int frame = 20; frame <= 40; ++frame) EXPECT_EQ(trace[frame - 1]["fullScreen"], 1) << frame;
  EXPECT_EQ(trace[19]["state"]["counter"], 20) << "the toggle frame feeds no Confirm to the logo";
  EXPECT_EQ(trace[20]["state"]["counter"], 41)
      << "Enter still down after the toggle frame is a press, since the toggle fed no buttons";
  std::optional<SaveData> save = ReadSave(dir / "SaveData.dat");
  ASSERT_TRUE(save);
  EXPECT_EQ(save->fullScreen, 1);

  dir.Write("second.txt", "3 Alt+Return\n");
  RunResult second = RunGame(
      dir, {"--fps", "0", "--frames", "5", "--input", "second.txt", "--trace", "trace.jsonl"});
  EXPECT_EQ(second.exitCode, 0) << second.stderrText;
  trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_EQ(trace.size(), 5u);
  EXPECT_EQ(trace[0]["fullScreen"], 1) << "the restart begins in full screen";
  EXPECT_EQ(trace[2]["fullScreen"], 0) << "and Alt+Enter goes back to a window";
  save = ReadSave(dir / "SaveData.dat");
  ASSERT_TRUE(save);
  EXPECT_EQ(save->fullScreen, 0);
}

}  // namespace
}  // namespace e2e
