// The options of the executable: help, version, and errors reported before the game starts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "e2e_support.h"

namespace e2e {
namespace {

// Where the help says the save is kept.
#ifdef _WIN32
const char kSaveInHelp[] = "%APPDATA%\\moravin\\SaveData.dat";
#else
const char kSaveInHelp[] = "~/.local/share/moravin/SaveData.dat";
#endif

TEST(CommandLine, HelpAndVersionPrintAndExit) {
  TempDir dir;
  RunResult help = RunGame(dir, {"--help"});
  EXPECT_EQ(help.exitCode, 0);
  std::string text = Slurp(dir / "stdout.txt");
  EXPECT_NE(text.find("--screenshot FRAME:FILE"), std::string::npos) << text;
  EXPECT_NE(text.find("--input FILE"), std::string::npos);
  EXPECT_NE(text.find("--save-dir DIR"), std::string::npos);
  EXPECT_NE(text.find(kSaveInHelp), std::string::npos);
  EXPECT_NE(text.find("SaveData.dat.bad"), std::string::npos);
  EXPECT_NE(text.find("--lang ja|en"), std::string::npos);

  RunResult version = RunGame(dir, {"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(Slurp(dir / "stdout.txt").rfind("moravin ", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir.SavePath())) << "the game did not run";
}

TEST(CommandLine, BadOptionsFailBeforeTheGameStarts) {
  TempDir dir;
  RunResult unknown = RunGame(dir, {"--speed", "3"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.stderrText.find("'--speed'"), std::string::npos) << unknown.stderrText;

  RunResult badFrames = RunGame(dir, {"--frames", "ten"});
  EXPECT_EQ(badFrames.exitCode, 2);
  EXPECT_NE(badFrames.stderrText.find("--frames"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.SavePath()));
}

TEST(CommandLine, MalformedScriptIsReportedWithItsLineBeforeTheGameStarts) {
  TempDir dir;
  dir.Write("keys.txt", "# fine\n5 Return\n9 Return+Shift\n");
  RunResult run = RunGame(dir, {"--input", "keys.txt", "--trace", "trace.jsonl"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.stderrText.find("keys.txt, line 3: unknown key 'Shift'"), std::string::npos)
      << run.stderrText;
  EXPECT_FALSE(std::filesystem::exists(dir.SavePath()));
  EXPECT_FALSE(std::filesystem::exists(dir / "trace.jsonl"));

  RunResult missing = RunGame(dir, {"--input", "nowhere.txt"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.stderrText.find("cannot read nowhere.txt"), std::string::npos)
      << missing.stderrText;
}

TEST(CommandLine, InputThatIsNoSmallRegularFileExitsTwoNamingIt) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  // One byte over 16 MiB, as a sparse file.
  dir.Write("huge.txt", "");
  std::filesystem::resize_file(dir / "huge.txt", (16 << 20) + 1);
  std::vector<std::string> inputs{"folder", "huge.txt"};
#ifndef _WIN32  // Windows has neither FIFOs nor /dev
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  inputs.insert(inputs.end(), {"fifo", "/dev/zero"});
#endif
  for (const std::string& input : inputs) {
    RunOptions limited;
    limited.timeoutSeconds = 30;
    RunResult run = RunGame(dir, {"--input", input}, {}, limited);
    EXPECT_FALSE(run.timedOut) << input;
    EXPECT_EQ(run.signal, 0) << input << ": no crash, no core";
    EXPECT_EQ(run.exitCode, 2) << input;
    EXPECT_NE(run.stderrText.find("cannot read " + input + ": "), std::string::npos)
        << run.stderrText;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.SavePath())) << "the game did not start";
}

TEST(CommandLine, ControlCharactersFromAFileAreEscapedInMessages) {
  TempDir dir;
  // A key name that would turn the terminal red and ring its bell.
  dir.Write("keys.txt", "5 \x1b[31mRed\a\n");
  RunResult run = RunGame(dir, {"--input", "keys.txt"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.stderrText.find("unknown key '\\x1B[31mRed\\x07'"), std::string::npos)
      << run.stderrText;
  EXPECT_EQ(run.stderrText.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.stderrText.find('\a'), std::string::npos);
}

#ifndef _WIN32  // Windows always has a display: the game looks for none there
TEST(CommandLine, WithoutADisplayOrHeadlessTheGameSaysSoAndExitsOne) {
  TempDir dir;
  RunOptions unseen;
  unseen.headless = false;
  unseen.environment = {{"DISPLAY", std::nullopt},
                        {"WAYLAND_DISPLAY", std::nullopt},
                        {"SDL_VIDEODRIVER", std::nullopt}};
  unseen.timeoutSeconds = 30;
  RunResult run = RunGame(dir, {"--frames", "5"}, {}, unseen);
  EXPECT_FALSE(run.timedOut) << "the game ran unseen";
  EXPECT_EQ(run.exitCode, 1) << run.stderrText;
  EXPECT_NE(run.stderrText.find("no display found"), std::string::npos) << run.stderrText;
  EXPECT_NE(run.stderrText.find("--headless"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.SavePath()));
}
#endif

TEST(CommandLine, FrameLimitClosesTheWindowAndSavesLikeTheUser) {
  TempDir dir;
  RunResult run = RunGame(dir, {"--fps", "0", "--seed", "3", "--frames", "12", "--trace",
                                "trace.jsonl", "--screenshot", "12:nodir/x.png"});
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_EQ(trace.size(), 12u);
  EXPECT_EQ(trace.back()["state"]["counter"], 12);
  EXPECT_TRUE(ReadSave(dir.SavePath()));
  EXPECT_NE(run.stderrText.find("screenshot of frame 12"), std::string::npos)
      << "an unwritable screenshot is reported, and the run goes on";
}

TEST(CommandLine, StatsReportTheRunAtExit) {
  TempDir dir;
  RunResult run =
      RunGame(dir, {"--fps", "0", "--seed", "3", "--frames", "40", "--stats", "stats.json"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  std::ifstream in(dir / "stats.json");
  const json report = json::parse(in);
  EXPECT_EQ(report["frames"], 40);
  EXPECT_EQ(report["renderer"]["name"], "software");  // headless draws in software
  EXPECT_GE(report["frame_us"]["max"], report["frame_us"]["p50"]);
  EXPECT_GE(report["frame_us"]["max"], report["draw_us"]["max"]);
  EXPECT_EQ(report["paced_frames"], 0);  // --fps 0 keeps no schedule
  EXPECT_GT(report["peak_rss_kb"], 1000);
  ASSERT_EQ(report["worst"].size(), 5u);
  EXPECT_EQ(report["worst"][0]["scene"], "Logo");  // the first 40 frames are the logo's
  EXPECT_NE(run.stderrText.find("frame statistics: 40 frames, renderer software"),
            std::string::npos)
      << run.stderrText;

  RunResult unwritable = RunGame(dir, {"--frames", "1", "--stats", "nodir/stats.json"});
  EXPECT_EQ(unwritable.exitCode, 2);
  EXPECT_NE(unwritable.stderrText.find("cannot create nodir/stats.json"), std::string::npos)
      << unwritable.stderrText;
}

}  // namespace
}  // namespace e2e
