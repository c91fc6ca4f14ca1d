// The save file across runs of the real executable: where it lives, the one-time copy from the
// working directory, damaged and odd files, failed stores, and a kill during the game over.
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "e2e_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// What the message box of a save that can be neither read nor created says on stderr.
const char kCannotCreate[] = "セーブデータが作成できません";

// The exit code of a start that failed: main returns -1, of which POSIX keeps the low byte.
#ifdef _WIN32
constexpr int kStartFailed = -1;
#else
constexpr int kStartFailed = 255;
#endif

// Why a folder cannot be made inside a file, as the system words it.
std::string NotAFolderReason() {
#ifdef _WIN32
  return std::system_category().message(ERROR_PATH_NOT_FOUND);
#else
  return std::strerror(ENOTDIR);
#endif
}

TEST(SaveFile, FirstRunCreatesTheSaveInTheDataFolderAndNothingInTheWorkingDirectory) {
  TempDir dir;
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "3"});
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(ReadSave(dir.SavePath()));
#ifndef _WIN32  // Windows has no mode bits: a new folder takes its parent's access rules
  EXPECT_EQ(fs::status(dir.SavePath().parent_path()).permissions(), fs::perms::owner_all);
#endif
  EXPECT_FALSE(fs::exists(dir / "SaveData.dat"));
}

TEST(SaveFile, ValidSaveOfTheWorkingDirectoryIsCopiedOnce) {
  TempDir dir;
  SaveData old{};
  old.highScore = 4321;
  old.bgmVolume = -3000;
  WriteSave(dir / "SaveData.dat", old);
  const std::string oldBytes = Bytes(dir / "SaveData.dat");
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "2", "--trace", "trace.jsonl"});
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(trace[0]["highScore"], 4321);
  EXPECT_EQ(trace[0]["bgmVolume"], -3000);
  EXPECT_TRUE(Contains(
      run.stderrText, "copied SaveData.dat of the working directory to " + dir.SavePath().string()))
      << run.stderrText;
  EXPECT_EQ(Bytes(dir / "SaveData.dat"), oldBytes) << "the old file is left as it was";

  RunResult again = RunGame(dir, {"--fps", "0", "--frames", "2"});
  EXPECT_FALSE(Contains(again.stderrText, "copied")) << again.stderrText;
}

TEST(SaveFile, SaveDirOptionIsHonoured) {
  TempDir dir;
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "2", "--save-dir", "portable"});
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(ReadSave(dir / "portable" / "SaveData.dat"));
  EXPECT_FALSE(fs::exists(dir.SavePath()));
}

TEST(SaveFile, DamagedSaveIsKeptAsBadAndAFreshOneBegins) {
  for (std::string damaged : {std::string(44, '\x5A'), std::string("SAVE"), std::string()}) {
    TempDir dir;
    fs::create_directories(dir.SavePath().parent_path());
    std::ofstream(dir.SavePath(), std::ios::binary) << damaged;
    std::optional<SaveData> atStart;
    RunResult run = RunGame(dir, {"--fps", "0", "--frames", "30", "--trace", "trace.jsonl"},
                            {{20, [&] { atStart = ReadSave(dir.SavePath()); }}});
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    ASSERT_TRUE(atStart) << "a damaged file of " << damaged.size() << " bytes was not replaced";
    EXPECT_EQ(atStart->highScore, 0);
    EXPECT_EQ(Bytes(dir.SavePath().string() + ".bad"), damaged);
    EXPECT_TRUE(Contains(run.stderrText, dir.SavePath().string() + " was damaged: it is kept as " +
                                             dir.SavePath().string() + ".bad"))
        << run.stderrText;
  }
}

#ifndef _WIN32  // Windows has no FIFO in its file system
TEST(SaveFile, FifoSaveStopsTheStartWithoutHanging) {
  TempDir dir;
  fs::create_directories(dir / "saves");
  ASSERT_EQ(mkfifo((dir / "saves" / "SaveData.dat").c_str(), 0600), 0);
  RunOptions limited;
  limited.timeoutSeconds = 20;
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "2", "--save-dir", "saves"}, {}, limited);
  ASSERT_FALSE(run.timedOut) << "start-up hung on the FIFO";
  EXPECT_EQ(run.exitCode, kStartFailed);
  EXPECT_TRUE(Contains(run.stderrText, "saves/SaveData.dat is a FIFO")) << run.stderrText;
  EXPECT_TRUE(Contains(run.stderrText, kCannotCreate)) << run.stderrText;
}
#endif

TEST(SaveFile, UncreatableSaveStopsTheStartNamingThePathAndTheReason) {
  TempDir dir;
  dir.Write("file", "not a folder");
  RunResult run =
      RunGame(dir, {"--fps", "0", "--frames", "2", "--save-dir", "file/saves", "--lang", "ja"});
  EXPECT_EQ(run.exitCode, kStartFailed);
  EXPECT_TRUE(Contains(run.stderrText, "file/saves")) << run.stderrText;
  EXPECT_TRUE(Contains(run.stderrText, NotAFolderReason())) << run.stderrText;
  EXPECT_TRUE(Contains(run.stderrText, kCannotCreate)) << run.stderrText;
}

TEST(SaveFile, FailedStoreAtExitGivesExitCodeThree) {
  TempDir dir;
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "10", "--trace", "trace.jsonl"},
                          {{5, [&] {
                              fs::remove(dir.SavePath());
                              fs::create_directories(dir.SavePath() / "inside");
                            }}});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_TRUE(Contains(run.stderrText, "cannot store the save in " + dir.SavePath().string()))
      << run.stderrText;
}

TEST(SaveFile, KilledDuringTheGameOverKeepsTheBestScore) {
  // A game played to its end by holding the speed-up key.
  const std::vector<std::string> args{"--seed", "9",       "--fps",   "0",       "--frames",
                                      "3000",   "--input", "end.txt", "--trace", "trace.jsonl"};
  TempDir first;
  first.Write("end.txt", "5 Return\n8 Return\n20 Return\n25-3000 Z\n");
  RunResult full = RunGame(first, args);
  ASSERT_EQ(full.exitCode, 0) << full.stderrText;
  std::vector<json> trace = ReadTrace(first / "trace.jsonl");
  const int gameOver =
      FindFrame(trace, [](const json& line) { return line["scene"] == "GameOver"; });
  ASSERT_GE(gameOver, 0) << "the game did not end";
  const int best = trace[size_t(gameOver)]["highScore"];
  ASSERT_GT(best, 0);

  // The same game again, killed while its game over screen shows, once it has faded in (20
  // frames): the store begun as the screen starts is finished by then.
  TempDir second;
  second.Write("end.txt", "5 Return\n8 Return\n20 Return\n25-3000 Z\n");
  RunResult killed = RunGame(second, args, {{uint32_t(gameOver) + 25, [] {}, true}});
  EXPECT_TRUE(killed.killed);
  std::optional<SaveData> save = ReadSave(second.SavePath());
  ASSERT_TRUE(save);
  EXPECT_EQ(save->highScore, best);
}

TEST(SaveFile, StoredSettingsAreLoaded) {
  TempDir dir;
  SaveData record{};
  record.highScore = 4321;
  record.bgmVolume = -3000;
  record.seVolume = -500;
  WriteSave(dir.SavePath(), record);
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
  std::optional<SaveData> save = ReadSave(dir.SavePath());
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
  save = ReadSave(dir.SavePath());
  ASSERT_TRUE(save);
  EXPECT_EQ(save->fullScreen, 0);
}

}  // namespace
}  // namespace e2e
